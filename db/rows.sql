-- The rows delivered with the database.

-- The database version the program expects.
INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (5, 0, '1');
-- The backup password in scrambled form: the first 20 hexadecimal digits,
-- upper case, of the SHA-256 of ten blanks (UTF-8), which means no password.
INSERT INTO GENERIC (PropertyType, ObjID, StrProperty) VALUES (102, 1, 'E91772CCB5E6CE5F932D');

-- Account 1 stands for a member's own share in the expense split, so the
-- first account the user adds gets 2.
INSERT INTO sqlite_sequence (name, seq) VALUES ('MEDINS', 1);

-- List 11: the categories of business addresses and to-dos. 5 holds doctors
-- and hospitals and the schedules' reminders; 6 is where the payment dialog
-- files insurers and providers.
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 1, 0, 'Pharmacies');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 2, 0, 'Dentists');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 3, 0, 'Eye Care');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 4, 0, 'Laboratories and Imaging');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 5, 0, 'Doctors and Hospitals');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 6, 0, 'Insurance Companies');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 7, 0, 'Therapists');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 8, 0, 'Emergency and Urgent Care');
INSERT INTO Choices (ComponentID, ChoiceID, UserDefined, ItemName) VALUES (11, 9, 0, 'Other');

-- The address book names a business's category by the CATEGORY row numbered
-- one above the choice. Insurance companies typed in the payment dialog
-- (type 2) are numbered from 101 on, clear of these.
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (2, 1, 'Pharmacies');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (3, 1, 'Dentists');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (4, 1, 'Eye Care');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (5, 1, 'Laboratories and Imaging');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (6, 1, 'Doctors and Hospitals');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (7, 1, 'Insurance Companies');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (8, 1, 'Therapists');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (9, 1, 'Emergency and Urgent Care');
INSERT INTO CATEGORY (CategoryNo, CategoryType, CategoryName) VALUES (10, 1, 'Other');
UPDATE sqlite_sequence SET seq = 100 WHERE name = 'CATEGORY';

-- The address book's columns: the caption, the BIZADDR column and the
-- position (0 hidden). The business name always comes first.
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (1, 'Name', 'BusinessName', 1);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (2, 'Category', 'CategoryNo', 2);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (3, 'Phone', 'Phone1', 3);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (4, 'Street Address', 'Addr', 4);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (5, 'City', 'City', 5);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (6, 'State', 'State', 6);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (7, 'Zip', 'Zip', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (8, 'Email', 'Email', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (9, 'Web page', 'WebURL', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (10, 'Contact Person', 'Contacts', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (11, 'Phone 2', 'Phone2', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (12, 'Fax', 'Fax', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (13, 'Mobile', 'Mobile', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (14, 'Address 2', 'Addr2', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (15, 'Country', 'Country', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (16, 'Operation Hours', 'OpHours', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (17, 'Map Direction', 'MapDirection', 0);
INSERT INTO BZSFIELD (SelectID, Field, DBField, OrderNo) VALUES (18, 'Notes', 'Note', 0);

-- Master vaccine points (TemplType 1), from the public US childhood schedule.
-- A point below 24 months has AgeLow 0 and Interval the months; a point given
-- in years has Interval 100, AgeLow the age and AgeHigh the end of its
-- window. The schedule grid shows one point in years per vaccine, so the
-- meningococcal booster is an item of its own.
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 1, 'Hepatitis B (HepB)', 'Dose 1', 2, 0, 0, 0, 0, 0, 'Protects against hepatitis B, a liver infection spread through blood and body fluids. The first dose is given at birth, the second at 1 to 2 months and the third at 6 to 18 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 1, 'Hepatitis B (HepB)', 'Dose 2', 2, 0, 0, 1, 1, 0, 'Protects against hepatitis B, a liver infection spread through blood and body fluids. The first dose is given at birth, the second at 1 to 2 months and the third at 6 to 18 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 1, 'Hepatitis B (HepB)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'Protects against hepatitis B, a liver infection spread through blood and body fluids. The first dose is given at birth, the second at 1 to 2 months and the third at 6 to 18 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 2, 'Rotavirus (RV)', 'Dose 1', 2, 0, 0, 2, 2, 0, 'Protects infants against rotavirus, which causes severe diarrhea and vomiting. It is given by mouth in two or three doses, depending on the brand, all before 8 months of age.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 2, 'Rotavirus (RV)', 'Dose 2', 2, 0, 0, 4, 4, 0, 'Protects infants against rotavirus, which causes severe diarrhea and vomiting. It is given by mouth in two or three doses, depending on the brand, all before 8 months of age.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 2, 'Rotavirus (RV)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'Protects infants against rotavirus, which causes severe diarrhea and vomiting. It is given by mouth in two or three doses, depending on the brand, all before 8 months of age.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 3, 'Diphtheria, Tetanus, Pertussis (DTaP)', 'Dose 1', 2, 0, 0, 2, 2, 0, 'Protects against diphtheria, tetanus (lockjaw) and pertussis (whooping cough). Five doses: at 2, 4 and 6 months, at 15 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 3, 'Diphtheria, Tetanus, Pertussis (DTaP)', 'Dose 2', 2, 0, 0, 4, 4, 0, 'Protects against diphtheria, tetanus (lockjaw) and pertussis (whooping cough). Five doses: at 2, 4 and 6 months, at 15 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 3, 'Diphtheria, Tetanus, Pertussis (DTaP)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'Protects against diphtheria, tetanus (lockjaw) and pertussis (whooping cough). Five doses: at 2, 4 and 6 months, at 15 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 3, 'Diphtheria, Tetanus, Pertussis (DTaP)', 'Dose 4', 2, 0, 0, 15, 15, 0, 'Protects against diphtheria, tetanus (lockjaw) and pertussis (whooping cough). Five doses: at 2, 4 and 6 months, at 15 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 3, 'Diphtheria, Tetanus, Pertussis (DTaP)', 'Dose 5', 2, 4, 6, 100, 100, 0, 'Protects against diphtheria, tetanus (lockjaw) and pertussis (whooping cough). Five doses: at 2, 4 and 6 months, at 15 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 4, 'Haemophilus influenzae type b (Hib)', 'Dose 1', 2, 0, 0, 2, 2, 0, 'Protects young children against Hib bacteria, a cause of meningitis and pneumonia. Three or four doses depending on the brand, with a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 4, 'Haemophilus influenzae type b (Hib)', 'Dose 2', 2, 0, 0, 4, 4, 0, 'Protects young children against Hib bacteria, a cause of meningitis and pneumonia. Three or four doses depending on the brand, with a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 4, 'Haemophilus influenzae type b (Hib)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'Protects young children against Hib bacteria, a cause of meningitis and pneumonia. Three or four doses depending on the brand, with a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 4, 'Haemophilus influenzae type b (Hib)', 'Dose 4', 2, 0, 0, 12, 12, 0, 'Protects young children against Hib bacteria, a cause of meningitis and pneumonia. Three or four doses depending on the brand, with a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 5, 'Pneumococcal conjugate (PCV)', 'Dose 1', 2, 0, 0, 2, 2, 0, 'Protects against pneumococcal ear and blood infections, pneumonia and meningitis. Doses at 2, 4 and 6 months and a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 5, 'Pneumococcal conjugate (PCV)', 'Dose 2', 2, 0, 0, 4, 4, 0, 'Protects against pneumococcal ear and blood infections, pneumonia and meningitis. Doses at 2, 4 and 6 months and a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 5, 'Pneumococcal conjugate (PCV)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'Protects against pneumococcal ear and blood infections, pneumonia and meningitis. Doses at 2, 4 and 6 months and a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 5, 'Pneumococcal conjugate (PCV)', 'Dose 4', 2, 0, 0, 12, 12, 0, 'Protects against pneumococcal ear and blood infections, pneumonia and meningitis. Doses at 2, 4 and 6 months and a booster at 12 to 15 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 6, 'Polio (IPV)', 'Dose 1', 2, 0, 0, 2, 2, 0, 'The inactivated polio vaccine, given as a shot. Doses at 2 and 4 months, at 6 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 6, 'Polio (IPV)', 'Dose 2', 2, 0, 0, 4, 4, 0, 'The inactivated polio vaccine, given as a shot. Doses at 2 and 4 months, at 6 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 6, 'Polio (IPV)', 'Dose 3', 2, 0, 0, 6, 6, 0, 'The inactivated polio vaccine, given as a shot. Doses at 2 and 4 months, at 6 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 6, 'Polio (IPV)', 'Dose 4', 2, 4, 6, 100, 100, 0, 'The inactivated polio vaccine, given as a shot. Doses at 2 and 4 months, at 6 to 18 months and at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 7, 'Measles, Mumps, Rubella (MMR)', 'Dose 1', 2, 0, 0, 12, 12, 0, 'Protects against measles, mumps and rubella (German measles). The first dose at 12 to 15 months, the second at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 7, 'Measles, Mumps, Rubella (MMR)', 'Dose 2', 2, 4, 6, 100, 100, 0, 'Protects against measles, mumps and rubella (German measles). The first dose at 12 to 15 months, the second at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 8, 'Varicella (chickenpox)', 'Dose 1', 2, 0, 0, 12, 12, 0, 'Protects against chickenpox. The first dose at 12 to 15 months, the second at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 8, 'Varicella (chickenpox)', 'Dose 2', 2, 4, 6, 100, 100, 0, 'Protects against chickenpox. The first dose at 12 to 15 months, the second at 4 to 6 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 9, 'Hepatitis A (HepA)', 'Dose 1', 2, 0, 0, 12, 12, 0, 'Protects against hepatitis A, a liver infection spread through food and water. Two doses at least six months apart, starting at 12 to 23 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 9, 'Hepatitis A (HepA)', 'Dose 2', 2, 0, 0, 18, 18, 0, 'Protects against hepatitis A, a liver infection spread through food and water. Two doses at least six months apart, starting at 12 to 23 months.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 10, 'Tetanus, Diphtheria, Pertussis (Tdap)', 'Dose 1', 2, 11, 12, 100, 100, 0, 'A booster against tetanus, diphtheria and whooping cough for preteens, given at 11 to 12 years. Adults then need a tetanus booster every 10 years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 11, 'Human papillomavirus (HPV)', 'Dose 1', 2, 11, 12, 100, 100, 0, 'Protects against the HPV infections that cause several cancers later in life. Recommended at 11 to 12 years; started before age 15 it takes two doses 6 to 12 months apart.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 12, 'Meningococcal conjugate (MenACWY)', 'Dose 1', 2, 11, 12, 100, 100, 0, 'Protects against meningococcal meningitis and blood infections. The first dose is given at 11 to 12 years; a booster follows at 16.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (1, 0, 13, 'Meningococcal booster (MenACWY)', 'Dose 1', 2, 16, 18, 100, 100, 0, 'The booster dose of the meningococcal conjugate vaccine, given at 16 years. It keeps the protection up through the late teens, when the risk is highest.');

-- Master check-up items (TemplType 3), from public adult preventive-care
-- guidance: Sex 0 men, 1 women, 2 everyone; AgeLow the starting age;
-- Interval the months between check-ups.
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Physical Examination', 'Every 1 year from age 3', 2, 3, 150, 12, 12, 0, 'A yearly visit to your doctor to review your health, update your records and talk about screenings that are due. Children have well-child visits every year from age 3.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Dental Cleaning', 'Every 6 months from age 1', 2, 1, 150, 6, 6, 0, 'A cleaning and check of teeth and gums every six months. A child''s first dental visit should be by the first birthday.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Blood Pressure', 'Every 2 years from age 18', 2, 18, 150, 24, 24, 0, 'High blood pressure has no symptoms until it does damage. Have it checked at least every two years from age 18, and every year from 40 or when a reading was high.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Eye Examination', 'Every 2 years from age 40', 2, 40, 150, 24, 24, 0, 'A complete eye examination at 40 finds early signs of glaucoma and other eye disease. Repeat it every two to four years, and every one to two years from 65.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Flu Shot', 'Every 1 year from age 0', 2, 0, 150, 12, 12, 0, 'Everyone from 6 months of age should get a flu vaccine every year, best in early fall before the flu season starts.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Tetanus Booster', 'Every 10 years from age 19', 2, 19, 150, 120, 120, 0, 'Adults need a tetanus and diphtheria booster (Td or Tdap) every 10 years, and sooner after a deep or dirty wound.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Cholesterol', 'Every 5 years from age 20', 2, 20, 150, 60, 60, 0, 'A blood test of cholesterol and other fats every four to six years from age 20, more often when a result is high or heart disease runs in the family.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Diabetes Screening', 'Every 3 years from age 35', 2, 35, 150, 36, 36, 0, 'A blood sugar test every three years from age 35 for adults who are overweight, earlier for those with other risk factors.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Colorectal Cancer Screening', 'Every 10 years from age 45', 2, 45, 150, 120, 120, 0, 'Screening for colon and rectal cancer from age 45 to 75: a colonoscopy every 10 years, or a stool test every one to three years as your doctor advises.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Cervical Cancer Screening', 'Every 3 years from age 21', 1, 21, 150, 36, 36, 0, 'A Pap test every three years from age 21 to 29. From 30 to 65 a Pap test every three years, or an HPV test every five years.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Mammogram', 'Every 2 years from age 40', 1, 40, 150, 24, 24, 0, 'An X-ray of the breasts to find breast cancer early, every two years for women from age 40 to 74.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Bone Density', 'Every 2 years from age 65', 1, 65, 150, 24, 24, 0, 'A bone density scan finds osteoporosis before a bone breaks. Recommended for women from 65, and earlier for women with risk factors.');
INSERT INTO MEDTEMPL (TemplType, MemberID, ImmuID, ItemStr1, ItemStr2, Sex, AgeLow, AgeHigh, Interval, DefaultInterval, ToDoID, Note) VALUES (3, 0, 0, 'Prostate Cancer Screening', 'Every 2 years from age 55', 0, 55, 150, 24, 24, 0, 'Men from 55 to 69 should talk with their doctor about a PSA blood test, usually repeated every two years when chosen.');
