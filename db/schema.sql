-- The tables of the data folder. The declared type of a column decides how
-- the program reads it: INTEGER, SMALLINT, REAL (money), BOOLEAN (0/1),
-- DATE (ISO text of whole days), VARCHAR(n) (text), TEXT (memo).
-- AUTOINCREMENT keys never hand out an id again after its row is deleted.

CREATE TABLE MEDPROF (
  MemberID INTEGER PRIMARY KEY AUTOINCREMENT,
  LastName VARCHAR(50),
  FirstName VARCHAR(50),
  MiddleName VARCHAR(50),
  DOB DATE,
  Sex INTEGER,
  Weight INTEGER,
  WeightUnit INTEGER,
  Height INTEGER,
  HeightUnit INTEGER,
  BloodType VARCHAR(20),
  RHFactor INTEGER,
  Display INTEGER DEFAULT 0,
  VisionDate DATE,
  VisionDoctor VARCHAR(100),
  VisionDoctorID INTEGER,
  VisionNote TEXT,
  DVODS VARCHAR(20),
  DVODC VARCHAR(20),
  DVODA VARCHAR(20),
  DVODP VARCHAR(20),
  DVODB VARCHAR(20),
  DVOSS VARCHAR(20),
  DVOSC VARCHAR(20),
  DVOSA VARCHAR(20),
  DVOSP VARCHAR(20),
  DVOSB VARCHAR(20),
  NVODS VARCHAR(20),
  NVODC VARCHAR(20),
  NVODA VARCHAR(20),
  NVODP VARCHAR(20),
  NVODB VARCHAR(20),
  NVOSS VARCHAR(20),
  NVOSC VARCHAR(20),
  NVOSA VARCHAR(20),
  NVOSP VARCHAR(20),
  NVOSB VARCHAR(20)
);

CREATE TABLE MEDHIST (
  HistoryID INTEGER PRIMARY KEY AUTOINCREMENT,
  MemberID INTEGER,
  RecordType INTEGER,
  Field1 VARCHAR(100),
  Field2 VARCHAR(100),
  Field3 VARCHAR(100),
  Field4 VARCHAR(100),
  Bdate DATE,
  Edate DATE,
  DoctorID INTEGER,
  HospitalID INTEGER,
  Note TEXT
);
CREATE INDEX MEDHIST_Member ON MEDHIST (MemberID, RecordType);

CREATE TABLE MEDINS (
  AccountID INTEGER PRIMARY KEY AUTOINCREMENT,
  AccountType INTEGER,
  AccountName VARCHAR(100),
  EffDate DATE,
  SubscriberNum VARCHAR(50),
  GroupNumber VARCHAR(50),
  Premium REAL,
  PremiumTime INTEGER,
  PremiumTUnit INTEGER,
  CopayType INTEGER,
  Copay REAL,
  IndDeduct REAL,
  FamDeduct REAL,
  IndAnnualMax REAL,
  FamAnnualMax REAL,
  IndLifeMax REAL,
  FamLifeMax REAL,
  AddrID INTEGER,
  Display INTEGER DEFAULT 0,
  Note TEXT
);
CREATE INDEX MEDINS_Type ON MEDINS (AccountType);

CREATE TABLE MEDCOVER (
  AccountID INTEGER,
  MemberID INTEGER
);
CREATE INDEX MEDCOVER_Account ON MEDCOVER (AccountID);
CREATE INDEX MEDCOVER_Member ON MEDCOVER (MemberID);

CREATE TABLE MEDYEAR (
  AccountID INTEGER,
  ForYear INTEGER,
  Amount REAL,
  Note TEXT
);
CREATE INDEX MEDYEAR_Account ON MEDYEAR (AccountID, ForYear);

CREATE TABLE MEDEXP (
  ExpID INTEGER PRIMARY KEY AUTOINCREMENT,
  ExpType INTEGER,
  ServiceDate DATE,
  Description VARCHAR(255),
  MemberID INTEGER,
  OfficePaid REAL,
  MailPaid REAL,
  TotalExpense REAL,
  OutofPocket REAL,
  InsFSAPaid REAL,
  Doctor VARCHAR(100),
  DocAddrID INTEGER,
  CheckupID INTEGER,
  Note TEXT
);
CREATE INDEX MEDEXP_Member ON MEDEXP (MemberID, ServiceDate);
CREATE INDEX MEDEXP_Date ON MEDEXP (ServiceDate);
CREATE INDEX MEDEXP_Checkup ON MEDEXP (CheckupID);

CREATE TABLE MEDEXPSP (
  ExpID INTEGER,
  AccountID INTEGER,
  Amount REAL,
  Deductible REAL
);
CREATE INDEX MEDEXPSP_Expense ON MEDEXPSP (ExpID);
CREATE INDEX MEDEXPSP_Account ON MEDEXPSP (AccountID);

CREATE TABLE MEDPAY (
  MedID INTEGER PRIMARY KEY AUTOINCREMENT,
  ServiceDate DATE,
  UserID INTEGER,
  InsuranceType INTEGER,
  InsuranceID INTEGER,
  InsAddrID INTEGER,
  Doctor VARCHAR(100),
  DocAddrID INTEGER,
  TotalExpense REAL,
  InsCovered REAL,
  NotCovered REAL,
  Note TEXT
);
CREATE INDEX MEDPAY_Date ON MEDPAY (ServiceDate);

CREATE TABLE MEDTEMPL (
  TemplID INTEGER PRIMARY KEY AUTOINCREMENT,
  TemplType INTEGER,
  MemberID INTEGER,
  ImmuID INTEGER,
  ItemStr1 VARCHAR(100),
  ItemStr2 VARCHAR(100),
  Sex INTEGER,
  AgeLow INTEGER,
  AgeHigh INTEGER,
  Interval INTEGER,
  DefaultInterval INTEGER,
  ToDoID INTEGER,
  Note TEXT
);
CREATE INDEX MEDTEMPL_Member ON MEDTEMPL (TemplType, MemberID, ImmuID);
CREATE INDEX MEDTEMPL_ToDo ON MEDTEMPL (ToDoID);

CREATE TABLE MEDCHEK (
  CheckupID INTEGER PRIMARY KEY AUTOINCREMENT,
  MemberID INTEGER,
  TemplID INTEGER,
  DateDone DATE,
  Doctor VARCHAR(100),
  DoctorID INTEGER,
  ExpID INTEGER,
  Note TEXT
);
CREATE INDEX MEDCHEK_Templ ON MEDCHEK (TemplID, DateDone);
CREATE INDEX MEDCHEK_Member ON MEDCHEK (MemberID);

CREATE TABLE GENERIC (
  PropertyType SMALLINT,
  ObjID INTEGER,
  StrProperty VARCHAR(255),
  IntProperty INTEGER
);
CREATE INDEX GENERIC_Property ON GENERIC (PropertyType, ObjID);

CREATE TABLE CATEGORY (
  CategoryNo INTEGER PRIMARY KEY AUTOINCREMENT,
  CategoryType INTEGER,
  CategoryName VARCHAR(100)
);
CREATE INDEX CATEGORY_Type ON CATEGORY (CategoryType);

CREATE TABLE Choices (
  ComponentID INTEGER,
  ChoiceID INTEGER,
  UserDefined BOOLEAN DEFAULT 0,
  ItemName VARCHAR(100)
);
CREATE INDEX Choices_List ON Choices (ComponentID, ChoiceID);

CREATE TABLE BIZADDR (
  BizId INTEGER PRIMARY KEY AUTOINCREMENT,
  CategoryNo INTEGER,
  BusinessName VARCHAR(100),
  Contacts VARCHAR(100),
  Addr VARCHAR(100),
  Addr2 VARCHAR(100),
  City VARCHAR(50),
  State VARCHAR(50),
  Zip VARCHAR(20),
  Country VARCHAR(50),
  Phone1 VARCHAR(50),
  Phone2 VARCHAR(50),
  Fax VARCHAR(50),
  Mobile VARCHAR(50),
  Pager VARCHAR(50),
  Email VARCHAR(100),
  WebURL VARCHAR(255),
  OpHours TEXT,
  MapDirection TEXT,
  Note TEXT
);
CREATE INDEX BIZADDR_Name ON BIZADDR (BusinessName);
CREATE INDEX BIZADDR_Category ON BIZADDR (CategoryNo, BusinessName);

CREATE TABLE RESADDR (
  ResId INTEGER PRIMARY KEY AUTOINCREMENT,
  CategoryNo INTEGER,
  LastName VARCHAR(50),
  FirstName VARCHAR(50),
  Spouse VARCHAR(50),
  Children VARCHAR(100),
  CompanyName VARCHAR(100),
  Birthday DATE,
  Anniversary DATE,
  Addr VARCHAR(100),
  City VARCHAR(50),
  State VARCHAR(50),
  Zip VARCHAR(20),
  Country VARCHAR(50),
  Phone1 VARCHAR(50),
  Phone2 VARCHAR(50),
  Fax VARCHAR(50),
  Mobile VARCHAR(50),
  Pager VARCHAR(50),
  Email VARCHAR(100),
  WebUrl VARCHAR(255),
  AddrComp VARCHAR(100),
  CityComp VARCHAR(50),
  StateComp VARCHAR(50),
  ZipComp VARCHAR(20),
  CountryComp VARCHAR(50),
  Phone1Comp VARCHAR(50),
  Phone2Comp VARCHAR(50),
  FaxComp VARCHAR(50),
  MobileComp VARCHAR(50),
  PagerComp VARCHAR(50),
  EmailComp VARCHAR(100),
  Note TEXT
);

CREATE TABLE BZSFIELD (
  SelectID INTEGER PRIMARY KEY,
  Field VARCHAR(50),
  DBField VARCHAR(15),
  OrderNo INTEGER
);

CREATE TABLE TODO01 (
  Todoid INTEGER PRIMARY KEY AUTOINCREMENT,
  CategoryNo INTEGER,
  Description TEXT,
  Due DATE,
  ScheduleDate DATE,
  ModType INTEGER,
  Done BOOLEAN DEFAULT 0,
  EditType INTEGER,
  AlarmID INTEGER
);
CREATE INDEX TODO01_Due ON TODO01 (Due);
CREATE INDEX TODO01_Category ON TODO01 (CategoryNo);

-- The empty web-link table; the web links make their own table from it when
-- they have none.
CREATE TABLE iirtmpl (
  NAbsIndex INTEGER,
  NLevel INTEGER,
  NIndex INTEGER,
  IsFolder BOOLEAN DEFAULT 0,
  Expanded BOOLEAN DEFAULT 0,
  URL VARCHAR(255),
  NDesc VARCHAR(255),
  Note TEXT
);

-- The report scratch table: the rows of the printout being made.
CREATE TABLE CpRept (
  Category VARCHAR(255),
  Column1 VARCHAR(255),
  Column2 VARCHAR(255),
  Column3 VARCHAR(255),
  Column4 VARCHAR(255),
  Column5 VARCHAR(255),
  Column6 VARCHAR(255)
);
