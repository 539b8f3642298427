// The delivered database: its tables, keys and the rows the program relies on.
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

class DeliveredTest : public ::testing::Test {
protected:
    // Opens a statement; the query stays usable until the next call.
    TQuery& Open(const QString& sql)
    {
        query_ = std::make_unique<TQuery>(folder_.Path());
        query_->SQL() << sql;
        query_->Open();
        return *query_;
    }

    QString Text(TDataSet& row, const char* field) { return row.FieldByName(QLatin1String(field)).AsString(); }
    qint32 Number(TDataSet& row, const char* field) { return row.FieldByName(QLatin1String(field)).AsInteger(); }

    FreshDataFolder folder_;
    std::unique_ptr<TQuery> query_;
};

using Columns = std::vector<std::pair<const char*, TFieldType>>;

constexpr TFieldType I = TFieldType::Integer;
constexpr TFieldType S = TFieldType::String;
constexpr TFieldType F = TFieldType::Float;
constexpr TFieldType D = TFieldType::Date;
constexpr TFieldType M = TFieldType::Memo;
constexpr TFieldType B = TFieldType::Boolean;

// Every table with the fields the program reads and writes, and their kinds.
const std::map<QString, Columns>& ExpectedTables()
{
    static const std::map<QString, Columns> tables{
        {"MEDPROF", {{"MemberID", I}, {"LastName", S}, {"FirstName", S}, {"MiddleName", S}, {"DOB", D}, {"Sex", I},
                     {"Weight", I}, {"WeightUnit", I}, {"Height", I}, {"HeightUnit", I}, {"BloodType", S}, {"RHFactor", I},
                     {"Display", I}, {"VisionDate", D}, {"VisionDoctor", S}, {"VisionDoctorID", I}, {"VisionNote", M},
                     {"DVODS", S}, {"DVOSB", S}, {"NVODS", S}, {"NVOSB", S}}},
        {"MEDHIST", {{"HistoryID", I}, {"MemberID", I}, {"RecordType", I}, {"Field1", S}, {"Field4", S}, {"Bdate", D},
                     {"Edate", D}, {"DoctorID", I}, {"HospitalID", I}, {"Note", M}}},
        {"MEDINS", {{"AccountID", I}, {"AccountType", I}, {"AccountName", S}, {"EffDate", D}, {"SubscriberNum", S},
                    {"GroupNumber", S}, {"Premium", F}, {"PremiumTime", I}, {"PremiumTUnit", I}, {"CopayType", I},
                    {"Copay", F}, {"IndDeduct", F}, {"FamDeduct", F}, {"IndAnnualMax", F}, {"FamAnnualMax", F},
                    {"IndLifeMax", F}, {"FamLifeMax", F}, {"AddrID", I}, {"Display", I}, {"Note", M}}},
        {"MEDCOVER", {{"AccountID", I}, {"MemberID", I}}},
        {"MEDYEAR", {{"AccountID", I}, {"ForYear", I}, {"Amount", F}, {"Note", M}}},
        {"MEDEXP", {{"ExpID", I}, {"ExpType", I}, {"ServiceDate", D}, {"Description", S}, {"MemberID", I},
                    {"OfficePaid", F}, {"MailPaid", F}, {"TotalExpense", F}, {"OutofPocket", F}, {"InsFSAPaid", F},
                    {"Doctor", S}, {"DocAddrID", I}, {"CheckupID", I}, {"Note", M}}},
        {"MEDEXPSP", {{"ExpID", I}, {"AccountID", I}, {"Amount", F}, {"Deductible", F}}},
        {"MEDPAY", {{"MedID", I}, {"ServiceDate", D}, {"UserID", I}, {"InsuranceType", I}, {"InsuranceID", I},
                    {"InsAddrID", I}, {"Doctor", S}, {"DocAddrID", I}, {"TotalExpense", F}, {"InsCovered", F},
                    {"NotCovered", F}, {"Note", M}}},
        {"MEDTEMPL", {{"TemplID", I}, {"TemplType", I}, {"MemberID", I}, {"ImmuID", I}, {"ItemStr1", S}, {"ItemStr2", S},
                      {"Sex", I}, {"AgeLow", I}, {"AgeHigh", I}, {"Interval", I}, {"DefaultInterval", I}, {"ToDoID", I},
                      {"Note", M}}},
        {"MEDCHEK", {{"CheckupID", I}, {"MemberID", I}, {"TemplID", I}, {"DateDone", D}, {"Doctor", S}, {"DoctorID", I},
                     {"ExpID", I}, {"Note", M}}},
        {"GENERIC", {{"PropertyType", TFieldType::SmallInt}, {"ObjID", I}, {"StrProperty", S}, {"IntProperty", I}}},
        {"CATEGORY", {{"CategoryNo", I}, {"CategoryType", I}, {"CategoryName", S}}},
        {"Choices", {{"ComponentID", I}, {"ChoiceID", I}, {"UserDefined", B}, {"ItemName", S}}},
        {"BIZADDR", {{"BizId", I}, {"CategoryNo", I}, {"BusinessName", S}, {"Contacts", S}, {"Addr", S}, {"Addr2", S},
                     {"City", S}, {"State", S}, {"Zip", S}, {"Country", S}, {"Phone1", S}, {"Phone2", S}, {"Fax", S},
                     {"Mobile", S}, {"Pager", S}, {"Email", S}, {"WebURL", S}, {"OpHours", M}, {"MapDirection", M},
                     {"Note", M}}},
        {"RESADDR", {{"ResId", I}, {"CategoryNo", I}, {"LastName", S}, {"FirstName", S}, {"Spouse", S}, {"Children", S},
                     {"CompanyName", S}, {"Birthday", D}, {"Anniversary", D}, {"Addr", S}, {"WebUrl", S}, {"AddrComp", S},
                     {"EmailComp", S}, {"Note", M}}},
        {"BZSFIELD", {{"SelectID", I}, {"Field", S}, {"DBField", S}, {"OrderNo", I}}},
        {"TODO01", {{"Todoid", I}, {"CategoryNo", I}, {"Description", M}, {"Due", D}, {"ScheduleDate", D},
                    {"ModType", I}, {"Done", B}, {"EditType", I}, {"AlarmID", I}}},
        {"iirtmpl", {{"NAbsIndex", I}, {"NLevel", I}, {"NIndex", I}, {"IsFolder", B}, {"Expanded", B}, {"URL", S},
                     {"NDesc", S}, {"Note", M}}},
        {"CpRept", {{"Category", S}, {"Column1", S}, {"Column2", S}, {"Column3", S}, {"Column4", S}, {"Column5", S},
                    {"Column6", S}}},
    };
    return tables;
}

TEST_F(DeliveredTest, EveryTableHoldsItsFieldsOfTheRightKind)
{
    for (const auto& [table, columns] : ExpectedTables()) {
        TQuery& q = Open(QStringLiteral("SELECT * FROM ") + table);
        for (const auto& [name, kind] : columns) {
            const TField* field = q.FindField(QLatin1String(name));
            ASSERT_NE(field, nullptr) << table.toStdString() << "." << name;
            EXPECT_EQ(field->DataType(), kind) << table.toStdString() << "." << name;
        }
    }
    // The web-link table is made from its template when the program first needs it.
    EXPECT_THROW(Open(QStringLiteral("SELECT * FROM hiir")), EDatabaseError);
}

TEST_F(DeliveredTest, EveryAssignedKeyIsNeverHandedOutTwice)
{
    const std::map<QString, QString> keys{{"MEDPROF", "MemberID"},   {"MEDHIST", "HistoryID"}, {"MEDINS", "AccountID"},
                                          {"MEDEXP", "ExpID"},       {"MEDPAY", "MedID"},      {"MEDTEMPL", "TemplID"},
                                          {"MEDCHEK", "CheckupID"}, {"CATEGORY", "CategoryNo"}, {"BIZADDR", "BizId"},
                                          {"TODO01", "Todoid"}};
    for (const auto& [table, key] : keys) {
        TQuery& q = Open(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '%1'").arg(table));
        EXPECT_TRUE(Text(q, "sql").contains(key + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT")))
            << table.toStdString();
    }
}

TEST_F(DeliveredTest, TheVersionIsOneAndTheBackupHasNoPassword)
{
    TQuery& version = Open(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 5"));
    ASSERT_EQ(version.RecordCount(), 1);
    EXPECT_EQ(Text(version, "StrProperty"), QStringLiteral("1"));

    // No password is ten blanks scrambled: SHA-256 of their UTF-8, the first
    // 20 hexadecimal digits, upper case.
    const QString scrambledBlanks =
        QString::fromLatin1(QCryptographicHash::hash(QString(10, QLatin1Char(' ')).toUtf8(), QCryptographicHash::Sha256)
                                .toHex()
                                .left(20)
                                .toUpper());
    TQuery& password = Open(QStringLiteral("SELECT * FROM GENERIC WHERE PropertyType = 102 AND ObjID = 1"));
    ASSERT_EQ(password.RecordCount(), 1);
    EXPECT_EQ(Text(password, "StrProperty"), scrambledBlanks);
}

TEST_F(DeliveredTest, TheFirstAccountIsNumberTwo)
{
    EXPECT_EQ(Open(QStringLiteral("SELECT * FROM MEDINS")).RecordCount(), 0);
    TQuery q(folder_.Path());
    q.SetRequestLive(true);
    q.SQL() << QStringLiteral("SELECT * FROM MEDINS");
    q.Open();
    q.Append();
    q.FieldByName(QStringLiteral("AccountType")).SetAsInteger(1);
    q.Post();
    EXPECT_EQ(Number(q, "AccountID"), 2);   // 1 is the member's own share in the expense split
}

TEST_F(DeliveredTest, TheCategoryListAndItsNamesAgree)
{
    TQuery& choices = Open(QStringLiteral("SELECT * FROM Choices ORDER BY ChoiceID"));
    std::map<int, QString> names;
    for (; !choices.Eof(); choices.Next()) {
        EXPECT_EQ(Number(choices, "ComponentID"), 11);
        EXPECT_FALSE(choices.FieldByName(QStringLiteral("UserDefined")).AsBoolean());
        EXPECT_TRUE(names.emplace(Number(choices, "ChoiceID"), Text(choices, "ItemName")).second) << "ChoiceID used twice";
    }
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ(names.at(5), QStringLiteral("Doctors and Hospitals"));
    EXPECT_EQ(names.at(6), QStringLiteral("Insurance Companies"));

    // The address book shows a business's category by the CATEGORY row one above it.
    for (const auto& [choice, name] : names) {
        TQuery& category = Open(QStringLiteral("SELECT * FROM CATEGORY WHERE CategoryNo = %1").arg(choice + 1));
        ASSERT_EQ(category.RecordCount(), 1) << choice;
        EXPECT_EQ(Text(category, "CategoryName"), name);
        EXPECT_NE(Number(category, "CategoryType"), 2);
    }
    EXPECT_EQ(Open(QStringLiteral("SELECT * FROM CATEGORY WHERE CategoryType = 2")).RecordCount(), 0);

    // An insurance company typed in the payment dialog is numbered clear of the list.
    TQuery company(folder_.Path());
    company.SetRequestLive(true);
    company.SQL() << QStringLiteral("SELECT * FROM CATEGORY");
    company.Open();
    company.Append();
    company.FieldByName(QStringLiteral("CategoryType")).SetAsInteger(2);
    company.FieldByName(QStringLiteral("CategoryName")).SetAsString(QStringLiteral("Acme Health"));
    company.Post();
    EXPECT_GT(Number(company, "CategoryNo"), 100);
}

TEST_F(DeliveredTest, TheAddressBookColumnsNameBusinessFields)
{
    TQuery& fields = Open(QStringLiteral("SELECT * FROM BZSFIELD ORDER BY SelectID"));
    EXPECT_LE(fields.RecordCount(), 18);   // the address book has room for 18 columns
    ASSERT_FALSE(fields.Eof());
    EXPECT_EQ(Number(fields, "SelectID"), 1);
    EXPECT_EQ(Text(fields, "Field"), QStringLiteral("Name"));
    EXPECT_EQ(Text(fields, "DBField"), QStringLiteral("BusinessName"));
    EXPECT_EQ(Number(fields, "OrderNo"), 1);

    QSet<QString> captions;
    QSet<QString> columns;
    QList<int> shown;
    std::map<QString, QString> byCaption;
    for (; !fields.Eof(); fields.Next()) {
        captions.insert(Text(fields, "Field"));
        columns.insert(Text(fields, "DBField"));
        byCaption[Text(fields, "Field")] = Text(fields, "DBField");
        EXPECT_LE(Text(fields, "DBField").size(), 15);
        if (Number(fields, "OrderNo") > 0)
            shown << Number(fields, "OrderNo");
    }
    for (const char* searched : {"Name", "Street Address", "Phone", "Email", "Web page"})
        EXPECT_TRUE(captions.contains(QLatin1String(searched))) << searched;
    std::sort(shown.begin(), shown.end());
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], i + 1);

    TQuery& business = Open(QStringLiteral("SELECT * FROM BIZADDR"));
    for (const QString& column : columns)
        EXPECT_NE(business.FindField(column), nullptr) << column.toStdString();
    // The captions the address book refuses to sort by are its memo columns.
    for (const char* memo : {"Operation Hours", "Map Direction", "Notes"})
        EXPECT_EQ(business.FieldByName(byCaption[QLatin1String(memo)]).DataType(), TFieldType::Memo) << memo;
}

TEST_F(DeliveredTest, EveryVaccinesPointsAgree)
{
    TQuery& q = Open(QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplType = 1 ORDER BY ImmuID, TemplID"));
    ASSERT_GT(q.RecordCount(), 0);
    std::map<int, QString> nameOf;
    std::map<int, QString> noteOf;
    std::map<int, QList<int>> pointsOf;
    QSet<QString> names;
    for (; !q.Eof(); q.Next()) {
        const int immu = Number(q, "ImmuID");
        const int interval = Number(q, "Interval");
        SCOPED_TRACE(QStringLiteral("%1 at %2").arg(Text(q, "ItemStr1")).arg(interval).toStdString());
        EXPECT_GT(immu, 0);
        EXPECT_EQ(Number(q, "MemberID"), 0);
        EXPECT_EQ(Number(q, "Sex"), 2);
        EXPECT_EQ(Number(q, "ToDoID"), 0);
        EXPECT_EQ(Number(q, "DefaultInterval"), interval);
        EXPECT_LE(Text(q, "ItemStr1").size(), 50);
        EXPECT_FALSE(Text(q, "Note").trimmed().isEmpty());
        if (interval == 100) {   // a point given in years
            EXPECT_GE(Number(q, "AgeLow"), 2);
            EXPECT_LE(Number(q, "AgeLow"), Number(q, "AgeHigh"));
            EXPECT_LE(Number(q, "AgeHigh"), 20);
        } else {
            EXPECT_EQ(Number(q, "AgeLow"), 0);
            EXPECT_GE(interval, 0);
            EXPECT_LE(interval, 23);
        }
        const auto [name, fresh] = nameOf.emplace(immu, Text(q, "ItemStr1"));
        if (fresh) {
            EXPECT_FALSE(names.contains(name->second)) << "two vaccines share a name";
        }
        names.insert(name->second);
        EXPECT_EQ(name->second, Text(q, "ItemStr1"));
        EXPECT_EQ(noteOf.emplace(immu, Text(q, "Note")).first->second, Text(q, "Note"));
        // The schedule grid has one cell per vaccine and age.
        EXPECT_FALSE(pointsOf[immu].contains(interval)) << "two points share a cell";
        pointsOf[immu] << interval;
    }

    const std::map<QString, QList<int>> schedule{
        {"Hepatitis B (HepB)", {0, 1, 6}},
        {"Rotavirus (RV)", {2, 4, 6}},
        {"Diphtheria, Tetanus, Pertussis (DTaP)", {2, 4, 6, 15, 100}},
        {"Haemophilus influenzae type b (Hib)", {2, 4, 6, 12}},
        {"Pneumococcal conjugate (PCV)", {2, 4, 6, 12}},
        {"Polio (IPV)", {2, 4, 6, 100}},
        {"Measles, Mumps, Rubella (MMR)", {12, 100}},
        {"Varicella (chickenpox)", {12, 100}},
        {"Hepatitis A (HepA)", {12, 18}},
        {"Tetanus, Diphtheria, Pertussis (Tdap)", {100}},
        {"Human papillomavirus (HPV)", {100}},
        {"Meningococcal conjugate (MenACWY)", {100}},
        {"Meningococcal booster (MenACWY)", {100}},
    };
    for (const auto& [immu, name] : nameOf) {
        ASSERT_TRUE(schedule.count(name)) << name.toStdString();
        EXPECT_EQ(pointsOf[immu], schedule.at(name)) << name.toStdString();
    }
    EXPECT_EQ(nameOf.size(), schedule.size());
}

TEST_F(DeliveredTest, EveryCheckupHasAnIntervalAndAStartingAge)
{
    TQuery& q = Open(QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplType = 3"));
    QSet<QString> items;
    QSet<int> sexes;
    for (; !q.Eof(); q.Next()) {
        SCOPED_TRACE(Text(q, "ItemStr1").toStdString());
        EXPECT_GT(Number(q, "Interval"), 0);
        EXPECT_EQ(Number(q, "DefaultInterval"), Number(q, "Interval"));
        EXPECT_GE(Number(q, "AgeLow"), 0);
        EXPECT_EQ(Number(q, "AgeHigh"), 150);
        EXPECT_EQ(Number(q, "MemberID"), 0);
        EXPECT_EQ(Number(q, "ToDoID"), 0);
        EXPECT_LE(Text(q, "ItemStr1").size(), 50);
        EXPECT_LE(Text(q, "ItemStr2").size(), 50);
        EXPECT_FALSE(Text(q, "Note").trimmed().isEmpty());
        sexes.insert(Number(q, "Sex"));
        items.insert(Text(q, "ItemStr1"));
    }
    EXPECT_EQ(sexes, (QSet<int>{0, 1, 2}));
    for (const char* item : {"Physical Examination", "Dental Cleaning", "Blood Pressure", "Eye Examination", "Flu Shot",
                             "Tetanus Booster", "Cholesterol", "Diabetes Screening", "Colorectal Cancer Screening",
                             "Cervical Cancer Screening", "Mammogram", "Bone Density", "Prostate Cancer Screening"})
        EXPECT_TRUE(items.contains(QLatin1String(item))) << item;

    EXPECT_EQ(Open(QStringLiteral("SELECT * FROM MEDTEMPL WHERE TemplType = 3 AND ItemStr1 = 'Mammogram'")).RecordCount(), 1);
    EXPECT_EQ(Number(*query_, "Sex"), 1);
}

TEST_F(DeliveredTest, TheHelpTextIsARichTextFile)
{
    QFile help(folder_.Path() + QStringLiteral("cphelpt.rtf"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QByteArray text = help.readAll();
    EXPECT_TRUE(text.startsWith("{\\rtf1"));
    EXPECT_EQ(text.count('{'), text.count('}'));
    EXPECT_TRUE(text.contains("\\b "));
    EXPECT_GT(text.count("\\par"), 10);
}

// Runs the build's step that lays a data folder.
int LayDataFolder(const QString& folder)
{
    QProcess cmake;
    cmake.start(QStringLiteral(CP_CMAKE_COMMAND),
                {QStringLiteral("-DDELIVERED=") + DeliveredDataFolder(), QStringLiteral("-DDATA_FOLDER=") + folder,
                 QStringLiteral("-DDATABASE_FILE=") + Database::FileName(), QStringLiteral("-DHELP_FILE=cphelpt.rtf"),
                 QStringLiteral("-P"), QStringLiteral(CP_LAY_DATA_FOLDER_SCRIPT)});
    cmake.waitForFinished();
    return cmake.exitCode();
}

TEST(DataFolderTest, LayingTheDataFolderNeverOverwritesADatabase)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/db/");
    ASSERT_EQ(LayDataFolder(folder), 0);
    EXPECT_NO_THROW(Database::Check(folder));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("cphelpt.rtf")));

    {
        TQuery q(folder);
        q.SQL() << QStringLiteral("INSERT INTO MEDPROF (FirstName) VALUES ('Kept')");
        q.ExecSQL();
    }
    Database::CloseAll();
    ASSERT_EQ(LayDataFolder(folder), 0);
    TQuery q(folder);
    q.SQL() << QStringLiteral("SELECT * FROM MEDPROF");
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    Database::CloseAll();
}

}  // namespace
