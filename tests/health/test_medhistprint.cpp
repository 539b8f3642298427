// A member's medical record printed: the scratch-table rows, the title
// lines, and the previewed report with its text export and first page.
#include "health/formmedhistrept.h"
#include "health/medhistprint.h"
#include "tests/health/printoutcapture.h"

#include "context/context.h"
#include "context/navigation.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "tests/reports/pagesupport.h"
#include "tests/reports/reportsupport.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using Row = TScratchRow;

struct History {
    History(qint32 type, QString f1 = {}, QString f2 = {}, QString f3 = {}, QString f4 = {}, TDateTime b = 0,
            TDateTime e = 0, QStringList lines = {})
        : recordType(type), field1(f1), field2(f2), field3(f3), field4(f4), bdate(b), edate(e), note(lines)
    {
    }
    qint32 recordType;
    QString field1, field2, field3, field4;
    TDateTime bdate;
    TDateTime edate;
    QStringList note;
};

class MedHistPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        savedFormats_ = ProcessFormats();
        ProcessFormats().shortDateFormat = QStringLiteral("m/d/yyyy");
        ProcessFormats().dateSeparator = QLatin1Char('/');
        Clock::SetFixed(QDateTime(QDate(2024, 6, 14), QTime(10, 0)));
    }
    void TearDown() override
    {
        ProcessFormats() = savedFormats_;
        Clock::SetFixed(QDateTime());
        DataFolder.clear();
    }

    qint32 AddMember(const QString& firstName, std::optional<qint32> sex = 0,
                     TDateTime dob = EncodeDate(1980, 2, 29)) const
    {
        return AppendRow(folder_.Path(), QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("FirstName")).SetAsString(firstName);
            row.FieldByName(QStringLiteral("LastName")).SetAsString(QStringLiteral("Miller"));
            if (sex)
                row.FieldByName(QStringLiteral("Sex")).SetAsInteger(*sex);
            row.FieldByName(QStringLiteral("DOB")).SetAsDateTime(dob);
        });
    }

    void AddHistory(qint32 memberId, const History& h) const
    {
        AppendRow(folder_.Path(), QStringLiteral("MEDHIST"), QStringLiteral("HistoryID"), [&](TDataSet& row) {
            row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
            row.FieldByName(QStringLiteral("RecordType")).SetAsInteger(h.recordType);
            row.FieldByName(QStringLiteral("Field1")).SetAsString(h.field1);
            row.FieldByName(QStringLiteral("Field2")).SetAsString(h.field2);
            row.FieldByName(QStringLiteral("Field3")).SetAsString(h.field3);
            row.FieldByName(QStringLiteral("Field4")).SetAsString(h.field4);
            row.FieldByName(QStringLiteral("Bdate")).SetAsDateTime(h.bdate);
            row.FieldByName(QStringLiteral("Edate")).SetAsDateTime(h.edate);
            row.FieldByName(QStringLiteral("Note")).SetAsLines(h.note);
        });
    }

    std::vector<Row> ScratchRows() const { return ::ScratchRows(folder_.Path()); }

    // The rows of one category, heading first.
    std::vector<Row> Section(const QString& category) const
    {
        std::vector<Row> rows;
        for (const Row& row : ScratchRows()) {
            if (row[0] == category)
                rows.push_back(row);
        }
        return rows;
    }

    static TMedHistPrintValues Values(qint32 memberId)
    {
        TMedHistPrintValues values;
        values.memberId = memberId;
        values.firstName = QStringLiteral("Anna");
        values.middleName = QStringLiteral("B");
        values.lastName = QStringLiteral("Miller");
        return values;
    }

    FreshDataFolder folder_;

private:
    FormatSettings savedFormats_;
};

Row R(const char* category, std::initializer_list<const char*> columns)
{
    Row row;
    row[0] = QString::fromUtf8(category);
    size_t n = 1;
    for (const char* column : columns)
        row[n++] = QString::fromUtf8(column);
    return row;
}

const std::vector<Row> kHeadings = {
    R("Allergies", {"Cause", "", "Symptom", "Doctor", "Medication", "Notes"}),
    R("Childhood Diseases", {"Disease", "", "Doctor", "Begin date", "End date", "Notes"}),
    R("Adult illness", {"Disease", "", "Doctor", "Begin date", "End date", "Notes"}),
    R("Prescription", {"Medication", "Condition", "Begin date", "End date", "Physician", "Notes"}),
    R("Surgeries", {"Surgery", "", "Doctor", "Date", "Hospital", "Notes"}),
};

TEST_F(MedHistPrint, AMemberWithoutHistoryGetsTheFiveHeadingsOnlyAndTheOldRowsGo)
{
    {
        TTable stale(folder_.Path(), QStringLiteral("CpRept.DB"));
        stale.Open();
        stale.Append();
        stale.FieldByName(QStringLiteral("Category")).SetAsString(QStringLiteral("Left from the last report"));
        stale.Post();
    }
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    AddHistory(AddMember(QStringLiteral("Ben")), {0, QStringLiteral("Rash"), {}, QStringLiteral("Penicillin")});
    TMedHistPrintValues values = Values(anna);
    values.lens[1][2] = QStringLiteral("   ");   // blanks are no prescription
    values.visionDate = QStringLiteral("03/15/2024");
    FillMedHistReport(values);
    EXPECT_EQ(ScratchRows(), kHeadings);
}

TEST_F(MedHistPrint, OneLensCellBringsTheWholeVisionSection)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    TMedHistPrintValues values = Values(anna);
    values.lens[2][3] = QStringLiteral("+1.25");   // N.V.O.D. prism
    values.visionDoctor = QStringLiteral("Dr. O'Hara <b>Eyes</b>");
    FillMedHistReport(values);
    std::vector<Row> expected = {
        R("Vision", {"Exam. Date:", ""}),
        R("Vision", {"Doctor:", "Dr. O'Hara <b>Eyes</b>"}),
        R("Vision", {"", "SPHERICAL", "CYLINDRICAL", "AXIS", "PRISM", "BASE"}),
        R("Vision", {"D.V.O.D.", "", "", "", "", ""}),
        R("Vision", {"D.V.O.S.", "", "", "", "", ""}),
        R("Vision", {"N.V.O.D.", "", "", "", "+1.25", ""}),
        R("Vision", {"N.V.O.S.", "", "", "", "", ""}),
    };
    expected.insert(expected.end(), kHeadings.begin(), kHeadings.end());
    EXPECT_EQ(ScratchRows(), expected);

    values.visionDate = QStringLiteral("02/29/2024");
    values.lens = {};
    values.lens[0] = {QStringLiteral("-2.00"), QStringLiteral("-0.50"), QStringLiteral("180"), {}, {}};
    values.lens[3][4] = QStringLiteral(" UP ");   // kept as typed
    FillMedHistReport(values);
    const std::vector<Row> vision = Section(QStringLiteral("Vision"));
    ASSERT_EQ(vision.size(), 7u);
    EXPECT_EQ(vision[0], R("Vision", {"Exam. Date:", "02/29/2024"}));
    EXPECT_EQ(vision[3], R("Vision", {"D.V.O.D.", "-2.00", "-0.50", "180", "", ""}));
    EXPECT_EQ(vision[6], R("Vision", {"N.V.O.S.", "", "", "", "", " UP "}));
}

TEST_F(MedHistPrint, EachSectionPutsItsFieldsInItsColumnsInTheOrderEntered)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    const qint32 otherAnna = AddMember(QStringLiteral("Anna"));
    const TDateTime leapDay = EncodeDate(2024, 2, 29);
    const TDateTime yearEnd = EncodeDate(2023, 12, 31);
    AddHistory(anna, {0, QStringLiteral("Hives"), QStringLiteral("Antihistamine"), QStringLiteral("Penicillin"),
                      QStringLiteral("Dr. Hope")});
    AddHistory(anna, {4, QStringLiteral("Hernia"), QStringLiteral("Dr. Stone"), QStringLiteral("County Hospital"), {},
                      0, EncodeDate(2019, 1, 31)});
    AddHistory(anna, {1, {}, {}, QStringLiteral("Measles"), QStringLiteral("Dr. Hope"), EncodeDate(1986, 3, 1),
                      EncodeDate(1986, 3, 21)});
    AddHistory(anna, {2, {}, {}, QStringLiteral("Asthma"), QStringLiteral("County Hospital"), yearEnd, 0});
    AddHistory(anna, {3, QStringLiteral("Insulin"), QStringLiteral("Diabetes"), QStringLiteral("Dr. Lee"), {},
                      leapDay, 0});
    AddHistory(anna, {0, QStringLiteral("Swelling"), {}, QStringLiteral("Anesthetics"), {}});
    AddHistory(otherAnna, {0, QStringLiteral("Sneezing"), {}, QStringLiteral("Food"), {}});
    AddHistory(otherAnna, {3, QStringLiteral("Codeine"), {}, {}, {}});
    FillMedHistReport(Values(anna));

    EXPECT_EQ(Section(QStringLiteral("Allergies")),
              (std::vector<Row>{kHeadings[0],
                                R("Allergies", {"Penicillin", "", "Hives", "Dr. Hope", "Antihistamine", ""}),
                                R("Allergies", {"Anesthetics", "", "Swelling", "", "", ""})}));
    EXPECT_EQ(Section(QStringLiteral("Childhood Diseases")),
              (std::vector<Row>{kHeadings[1],
                                R("Childhood Diseases", {"Measles", "", "Dr. Hope", "3/1/1986", "3/21/1986", ""})}));
    EXPECT_EQ(Section(QStringLiteral("Adult illness")),
              (std::vector<Row>{kHeadings[2],
                                R("Adult illness", {"Asthma", "", "County Hospital", "12/31/2023", "", ""})}));
    EXPECT_EQ(Section(QStringLiteral("Prescription")),
              (std::vector<Row>{kHeadings[3],
                                R("Prescription", {"Insulin", "Diabetes", "2/29/2024", "", "Dr. Lee", ""})}));
    EXPECT_EQ(Section(QStringLiteral("Surgeries")),
              (std::vector<Row>{kHeadings[4],
                                R("Surgeries", {"Hernia", "", "Dr. Stone", "1/31/2019", "County Hospital", ""})}));
    // The sections follow one another in their fixed order.
    QStringList order;
    for (const Row& row : ScratchRows()) {
        if (order.isEmpty() || order.last() != row[0])
            order.append(row[0]);
    }
    EXPECT_EQ(order, (QStringList{"Allergies", "Childhood Diseases", "Adult illness", "Prescription", "Surgeries"}));
}

TEST_F(MedHistPrint, NotesPrintTheirFirstFiftyCharacterLineCutAtABlank)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    AddHistory(anna, {3, QStringLiteral("Metformin"), {}, {}, {}, 0, 0,
                      {QStringLiteral("Take with food twice a day,"),
                       QStringLiteral("never on an empty stomach; call Dr. Lee")}});
    const QString fifty = QStringLiteral("Fifty characters exactly, to the last letter here.");
    ASSERT_EQ(fifty.size(), 50);
    AddHistory(anna, {4, QStringLiteral("Cataract"), {}, {}, {}, 0, 0, {fifty}});
    AddHistory(anna, {1, {}, {}, QStringLiteral("Mumps"), {}, 0, 0,
                      {QStringLiteral("Antidisestablishmentarianism-and-other-very-long-words-without-blanks")}});
    FillMedHistReport(Values(anna));
    EXPECT_EQ(Section(QStringLiteral("Prescription"))[1][6],
              QStringLiteral("Take with food twice a day, never on an empty"));
    EXPECT_EQ(Section(QStringLiteral("Surgeries"))[1][6], fifty);
    EXPECT_EQ(Section(QStringLiteral("Childhood Diseases"))[1][6].size(), 50);
}

TEST_F(MedHistPrint, QuotesAndMarkupInNamesAreStoredAsTyped)
{
    const qint32 member = AddMember(QStringLiteral("D'Arcy"));
    const QString cause = QStringLiteral("O'Brien's \"hay\" fever'; DELETE FROM MEDHIST; --");
    const QString doctor = QStringLiteral("<b>Dr. \"Bo\" Lee</b> & Sons");
    AddHistory(member, {0, QStringLiteral("<i>itch</i>"), {}, cause, doctor});
    FillMedHistReport(Values(member));
    EXPECT_EQ(Section(QStringLiteral("Allergies"))[1],
              (Row{QStringLiteral("Allergies"), cause, {}, QStringLiteral("<i>itch</i>"), doctor, {}, {}}));
}

TEST_F(MedHistPrint, WithoutTheMemberRowTheHistoryPrintsButNoVision)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    AddHistory(anna + 1, {0, QStringLiteral("Hives"), {}, QStringLiteral("Penicillin"), {}});
    TMedHistPrintValues values = Values(anna + 1);
    values.lens[0][0] = QStringLiteral("-1.00");
    FillMedHistReport(values);
    std::vector<Row> expected = kHeadings;
    expected.insert(expected.begin() + 1, R("Allergies", {"Penicillin", "", "Hives", "", "", ""}));
    EXPECT_EQ(ScratchRows(), expected);
}

TEST_F(MedHistPrint, ADatabaseHeldElsewhereFailsThePrintAndLeavesTheLastRows)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"));
    FillMedHistReport(Values(anna));
    AddHistory(anna, {0, QStringLiteral("Hives"), {}, QStringLiteral("Penicillin")});
    {
        DatabaseLockedElsewhere other(folder_.Path());
        EXPECT_THROW(FillMedHistReport(Values(anna)), EDatabaseError);
        EXPECT_THROW(PrintMedHistReport(Values(anna)), EDatabaseError);
        EXPECT_EQ(OpenPreview(), nullptr);
    }
    EXPECT_EQ(ScratchRows(), kHeadings);

    // A failure halfway, after the table was emptied and the Vision rows
    // written, takes the whole fill back.
    TQuery drop(folder_.Path());
    drop.SQL() << QStringLiteral("DROP TABLE MEDHIST");
    drop.ExecSQL();
    TMedHistPrintValues values = Values(anna);
    values.lens[0][0] = QStringLiteral("-1.00");
    EXPECT_THROW(FillMedHistReport(values), EDatabaseError);
    EXPECT_EQ(ScratchRows(), kHeadings);
}

TEST(MedHistTitle, RhFactorPrintsOnlyWhenOneWasChosen)
{
    EXPECT_EQ(MedHistRhLine(0), QStringLiteral("Rh Factor: Positive"));
    EXPECT_EQ(MedHistRhLine(1), QStringLiteral("Rh Factor: Negative"));
    EXPECT_EQ(MedHistRhLine(-1), QString());
}

TEST(MedHistTitle, WeightAndHeightInTheirUnitsAndLeftOutWhenZero)
{
    EXPECT_EQ(MedHistWeightLine(154, 0), QStringLiteral("Weight: 154 lbs"));
    EXPECT_EQ(MedHistWeightLine(70, 1), QStringLiteral("Weight: 70 kgs"));
    EXPECT_EQ(MedHistWeightLine(0, 1), QString());
    EXPECT_EQ(MedHistHeightLine(71, 0), QStringLiteral("Height: 5 feet 11 inches"));
    EXPECT_EQ(MedHistHeightLine(72, 0), QStringLiteral("Height: 6 feet 0 inches"));
    EXPECT_EQ(MedHistHeightLine(11, 0), QStringLiteral("Height: 0 feet 11 inches"));
    EXPECT_EQ(MedHistHeightLine(170, 1), QStringLiteral("Height: 170 cms"));
    EXPECT_EQ(MedHistHeightLine(0, 0), QString());
}

TEST(MedHistTitle, NameBirthGenderAndBloodType)
{
    TMedHistPrintValues values;
    values.firstName = QStringLiteral("Mary-Ann \"Mae\"");
    values.lastName = QStringLiteral("O'Neil");
    EXPECT_EQ(MedHistNameLine(values), QStringLiteral("Mary-Ann \"Mae\"  O'Neil"));
    values.firstName = QString(40, QLatin1Char('F'));
    values.middleName = QString(40, QLatin1Char('M'));
    values.lastName = QString(40, QLatin1Char('L'));
    const QString longName = MedHistNameLine(values);
    EXPECT_EQ(longName.size(), 92);
    EXPECT_TRUE(longName.endsWith(QLatin1Char(' ') + QString(30, QLatin1Char('L'))));

    FormatSettings& formats = ProcessFormats();
    const FormatSettings saved = formats;
    formats.shortDateFormat = QStringLiteral("m/d/yyyy");
    formats.dateSeparator = QLatin1Char('/');
    EXPECT_EQ(MedHistBirthLine(EncodeDate(1980, 2, 29)), QStringLiteral("Date of Birth: 2/29/1980"));
    EXPECT_EQ(MedHistBirthLine(0), QString());
    formats = saved;

    EXPECT_EQ(MedHistGenderLine(0), QStringLiteral("Gender: Male"));
    EXPECT_EQ(MedHistGenderLine(1), QStringLiteral("Gender: Female"));
    EXPECT_EQ(MedHistGenderLine(std::nullopt), QString());
    EXPECT_EQ(MedHistBloodLine(QStringLiteral("AB")), QStringLiteral("BloodType: AB"));
}

// ---- The previewed report ---------------------------------------------------

// What the preview window showed and wrote while PrintMedHistReport ran.
struct Printout : TCapturedPrintout {
    int hookEventsDuringPreview = -1;
};

class CountingHook : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::User)
            ++seen;
        return false;
    }
    int seen = 0;
};

int HookEventsSeenNow(CountingHook& hook)
{
    const int before = hook.seen;
    QObject target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    return hook.seen - before;
}

Printout PrintAndCapture(const TMedHistPrintValues& values, const QString& pictureName)
{
    CountingHook hook;
    QCoreApplication::instance()->installEventFilter(&hook);
    QObject* savedHook = AppMessageHook;
    AppMessageHook = &hook;
    Printout out;
    static_cast<TCapturedPrintout&>(out) = CapturePrintout([&] { PrintMedHistReport(values); }, pictureName,
                                                           [&] { out.hookEventsDuringPreview = HookEventsSeenNow(hook); });
    EXPECT_EQ(HookEventsSeenNow(hook), 1) << "the main window's hook is back after the preview";
    QCoreApplication::instance()->removeEventFilter(&hook);
    AppMessageHook = savedHook;
    return out;
}

QStringList Simplified(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out.append(line.simplified());
    return out;
}

TEST_F(MedHistPrint, ThePreviewedRecordExportsLineByLine)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"), 1);
    AddHistory(anna, {0, QStringLiteral("Hives"), QStringLiteral("Benadryl"),
                      QStringLiteral("O'Brien's \"hay\" fever <b>"), QStringLiteral("Dr. Hope")});
    AddHistory(anna, {3, QStringLiteral("Metformin"), QStringLiteral("Diabetes"), QStringLiteral("Dr. Lee"), {},
                      EncodeDate(2024, 2, 29), 0,
                      {QStringLiteral("Take with food twice a day,"), QStringLiteral("never on an empty stomach")}});
    AddHistory(anna, {4, QStringLiteral("Hernia"), QStringLiteral("Dr. Stone"), QStringLiteral("County Hospital"),
                      {}, 0, EncodeDate(2019, 1, 31)});
    TMedHistPrintValues values = Values(anna);
    values.bloodType = QStringLiteral("AB");
    values.rhIndex = 1;
    values.height = 170;
    values.heightUnit = 1;
    values.visionDate = QStringLiteral("03/15/2024");
    values.visionDoctor = QStringLiteral("Dr. O'Hara");
    values.lens[0] = {QStringLiteral("-2.00"), QStringLiteral("-0.50"), QStringLiteral("180"), {}, {}};

    const Printout out = PrintAndCapture(values, QStringLiteral("medhist_printout_page1"));
    EXPECT_EQ(out.pages, 2);
    EXPECT_EQ(out.pdfPages, 2);
    EXPECT_EQ(out.hookEventsDuringPreview, 0) << "the main window's hook is aside while the preview runs";
    EXPECT_TRUE(out.firstPageTexts.contains(QStringLiteral("Personal Medical Record")));
    const QStringList expected = {
        "Personal Medical Record",
        "Anna B Miller",
        "Date of Birth: 2/29/1980",
        "Gender: Female",
        "BloodType: AB",
        "Rh Factor: Negative",
        "Height: 170 cms",   // no weight line
        "Vision",
        "Exam. Date: 03/15/2024",
        "Doctor: Dr. O'Hara",
        "SPHERICAL CYLINDRICAL AXIS PRISM BASE",
        "D.V.O.D. -2.00 -0.50 180",
        "D.V.O.S.",
        "N.V.O.D.",
        "N.V.O.S.",
        "Allergies",
        "Cause Symptom Doctor Medication Notes",
        "O'Brien's \"hay\" fever <b> Hives Dr. Hope Benadryl",
        "Childhood Diseases",
        "Disease Doctor Begin date End date Notes",
        "Adult illness",
        "Disease Doctor Begin date End date Notes",
        "Printed by CarePortfolio on 6/14/2024 Page 1",   // the next heading goes with its rows
        "Prescription",
        "Medication Condition Begin date End date Physician Notes",
        "Metformin Diabetes 2/29/2024 Dr. Lee Take with food twice a day,",   // the note wraps in its column
        "never on an empty",
        "Surgeries",
        "Surgery Doctor Date Hospital Notes",
        "Hernia Dr. Stone 1/31/2019 County",
        "Hospital",
        "Printed by CarePortfolio on 6/14/2024 Page 2",
    };
    EXPECT_EQ(Simplified(out.textLines), expected);
    // Headings and entries share their columns.
    const auto column = [&out](const char* text) {
        for (const QString& line : out.textLines) {
            if (line.contains(QString::fromUtf8(text)))
                return line.indexOf(QString::fromUtf8(text));
        }
        return qsizetype(-1);
    };
    EXPECT_EQ(column("Physician"), column("Dr. Lee"));
    EXPECT_EQ(column("Notes"), column("Take with food"));
    EXPECT_EQ(column("Condition"), column("Diabetes"));
    EXPECT_EQ(column("SPHERICAL"), column("-2.00"));
    EXPECT_LT(column("Cause"), column("Symptom"));
}

TEST_F(MedHistPrint, AnRhFactorNeverChosenPrintsNoRhLine)
{
    const qint32 anna = AddMember(QStringLiteral("Anna"), std::nullopt);
    TMedHistPrintValues values = Values(anna);
    values.bloodType = QStringLiteral("O");
    values.weight = 154;
    values.height = 71;
    const Printout out = PrintAndCapture(values, QStringLiteral("medhist_printout_unknown_rh"));
    const QStringList lines = Simplified(out.textLines);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(0, 6), (QStringList{"Personal Medical Record", "Anna B Miller", "Date of Birth: 2/29/1980",
                                            "BloodType: O", "Weight: 154 lbs", "Height: 5 feet 11 inches"}));
    EXPECT_TRUE(lines.filter(QStringLiteral("Rh Factor")).isEmpty());
}

}  // namespace
