-- The rows delivered with the database.

-- The database version the program expects.
INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (5, 0, '1');
-- The backup password in scrambled form: ten blanks, no password.
INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (102, 1, 'E91772CCB5E6CE5F932D');
