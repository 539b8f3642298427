// The immunization schedule's work without its windows: the first-use copy,
// the grid, the reminders, the vaccine points, the dose records, deleting a
// vaccine and the printed record's rows.
#include "health/immundata.h"
#include "health/immunpoints.h"
#include "health/immunrecord.h"

#include "chkenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace {

class Immunization : public CheckupEnv {
protected:
    static qint32 TemplOf(qint32 memberId, const QString& vaccineStart, const QString& dose)
    {
        TQuery query(DataFolder);
        query.SQL() << QStringLiteral("SELECT TemplID FROM MEDTEMPL WHERE TemplType = 2 AND MemberID = :M")
                    << QStringLiteral("AND ItemStr1 LIKE :V AND ItemStr2 = :D");
        query.ParamByName(QStringLiteral("M")).SetAsInteger(memberId);
        query.ParamByName(QStringLiteral("V")).SetAsString(vaccineStart + QLatin1Char('%'));
        query.ParamByName(QStringLiteral("D")).SetAsString(dose);
        query.Open();
        return query.Eof() ? 0 : query.Fields(0).AsInteger();
    }
    static int IndexOfAge(const TImmuGrid& grid, qint32 age)
    {
        const auto found = std::find(grid.doseAges.begin(), grid.doseAges.end(), age);
        return found == grid.doseAges.end() ? -1 : static_cast<int>(found - grid.doseAges.begin());
    }
};

// ---- First use and the grid ----

TEST_F(Immunization, FirstUseCopiesEveryMasterRowOnceInTheMastersOrder)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    const qint32 masters = Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 1"));
    ASSERT_GT(masters, 20);

    const auto grid = LoadImmuGrid(ann);
    ASSERT_TRUE(grid);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND MemberID = %1").arg(ann)),
              masters);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND (ToDoID <> 0 OR "
                                   "DefaultInterval <> Interval)")),
              0);
    // Copied in the masters' order: the copies' keys rise with the masters'.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL a JOIN MEDTEMPL b ON a.TemplType = 2 AND "
                                   "b.TemplType = 2 AND a.TemplID < b.TemplID AND (a.ImmuID > b.ImmuID)")),
              0);

    LoadImmuGrid(ann);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2")), masters) << "copied again";
}

TEST_F(Immunization, TheGridHasAVaccineARowAndADoseAgeAColumnWithRecordedDosesDone)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(ann);
    const qint32 hepB2 = TemplOf(ann, QStringLiteral("Hepatitis B"), QStringLiteral("Dose 2"));
    const qint32 record = AddRecord(ann, hepB2, EncodeDate(2024, 7, 1));
    AddRecord(ann, hepB2, EncodeDate(2024, 8, 1));   // a second record: the first one shows

    auto grid = LoadImmuGrid(ann);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->vaccines.front().name, QStringLiteral("Hepatitis B (HepB)"));
    EXPECT_EQ(grid->vaccines.size(), 13u);
    EXPECT_EQ(grid->largestImmuId, 13);
    EXPECT_EQ(grid->doseAges, (std::vector<qint32>{0, 1, 2, 4, 6, 12, 15, 18, 100}));
    EXPECT_EQ(grid->cells.size(), 13u * 9u);

    const auto& done = *grid->Cell(0, IndexOfAge(*grid, 1));
    ASSERT_TRUE(done);
    EXPECT_EQ(done->checkupId, record);
    EXPECT_FALSE(grid->Cell(0, IndexOfAge(*grid, 0))->value().Done());
    EXPECT_FALSE(grid->Cell(0, IndexOfAge(*grid, 2))->has_value()) << "HepB has no dose at 2 months";
    EXPECT_EQ(grid->Cell(13, 0), nullptr);
    EXPECT_EQ(grid->Cell(0, 9), nullptr);
    EXPECT_EQ(grid->Cell(-1, 0), nullptr);

    EXPECT_EQ(DoseAgeHeading(2), (QStringList{"2 months", "old"}));
    EXPECT_EQ(DoseAgeHeading(100), (QStringList{"2 - 20", "years old"}));
}

TEST_F(Immunization, NoDataPutsTwoDosesInOneCellOrADoseOutsideTheGrid)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(ann);
    // Two year points of one vaccine, as older data may hold, and a point of no vaccine.
    // The bindings are captured through copies: clang 14 cannot capture a
    // structured binding itself.
    for (const auto& [immuId, ageLow] : {std::pair{3, 8}, std::pair{0, 5}})
        AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"),
                  [ann, immuId = immuId, ageLow = ageLow](TDataSet& row) {
                      row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
                      row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann);
                      row.FieldByName(QStringLiteral("ImmuID")).SetAsInteger(immuId);
                      row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Extra"));
                      row.FieldByName(QStringLiteral("AgeLow")).SetAsInteger(ageLow);
                      row.FieldByName(QStringLiteral("Interval")).SetAsInteger(100);
                  });
    auto grid = LoadImmuGrid(ann);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->vaccines.size(), 13u);
    const auto& dtapYears = *grid->Cell(2, IndexOfAge(*grid, 100));
    ASSERT_TRUE(dtapYears);
    EXPECT_EQ(dtapYears->doseMonths, 48) << "the first point of the cell stays";
}

TEST_F(Immunization, AScheduleThatStaysEmptyAfterTheCopyIsReportedAsLost)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplType = 1");
    wipe.ExecSQL();
    EXPECT_FALSE(LoadImmuGrid(ann));
}

// ---- Reminders ----

TEST_F(Immunization, ADoseAheadGetsOneReminderDueAtBirthPlusItsMonths)
{
    // Ten months old on 31 March 2025; born on a month's last day.
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    auto grid = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *grid, Today());

    const auto reminders = Reminders();
    // Ahead: 12 months (five vaccines), 15 months (DTaP), 18 months (HepA), and the
    // points in years, due at birth plus their years.
    ASSERT_EQ(reminders.size(), 5u + 1u + 1u + 8u);
    EXPECT_EQ(reminders.front().second, EncodeDate(2025, 5, 31));
    const auto dtap4 = std::find_if(reminders.begin(), reminders.end(), [](const auto& r) {
        return r.first.contains(QStringLiteral("(DTaP)")) && r.second == EncodeDate(2025, 8, 31);
    });
    ASSERT_NE(dtap4, reminders.end());
    EXPECT_EQ(dtap4->first, QStringLiteral("Kim is expected to receive immunization for Diphtheria, Tetanus, "
                                           "Pertussis (DTaP) around 8/31/2025."));
    // A "4 - 6 years" point: at four years, not at 100 months.
    EXPECT_TRUE(std::any_of(reminders.begin(), reminders.end(), [](const auto& r) {
        return r.first.contains(QStringLiteral("(DTaP)")) && r.second == EncodeDate(2028, 5, 31);
    }));
    EXPECT_TRUE(std::any_of(reminders.begin(), reminders.end(),
                            [](const auto& r) { return r.second == EncodeDate(2040, 5, 31); }))
        << "the 16 years booster";

    auto again = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *again, Today());
    EXPECT_EQ(Reminders().size(), reminders.size()) << "a second close adds none";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ToDoID > 0")), 15);
}

TEST_F(Immunization, ADoneOrPassedDoseLosesItsReminder)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    auto grid = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *grid, Today());
    const qint32 mmr1 = TemplOf(kim, QStringLiteral("Measles"), QStringLiteral("Dose 1"));
    AddRecord(kim, mmr1, EncodeDate(2025, 3, 1));

    auto done = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *done, Today());
    EXPECT_EQ(Reminders().size(), 14u);
    EXPECT_EQ(Count(QStringLiteral("SELECT ToDoID FROM MEDTEMPL WHERE TemplID = %1").arg(mmr1)), 0);

    // A year on, the 12, 15 and 18 month doses have passed.
    auto later = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *later, EncodeDate(2026, 3, 31));
    EXPECT_EQ(Reminders().size(), 8u);
}

// On the day a dose falls due it is no longer ahead: the reminder written
// the day before goes.
TEST_F(Immunization, ADoseDueOnTheVeryDayLosesItsReminder)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 3, 15));
    const auto dueOnFirstBirthday = [] {
        const auto reminders = Reminders();
        return std::count_if(reminders.begin(), reminders.end(),
                             [](const auto& r) { return r.second == EncodeDate(2025, 3, 15); });
    };
    auto grid = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *grid, EncodeDate(2025, 3, 14));
    ASSERT_EQ(dueOnFirstBirthday(), 5) << "the five doses at 12 months";

    auto birthday = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *birthday, EncodeDate(2025, 3, 15));
    EXPECT_EQ(dueOnFirstBirthday(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ToDoID > 0 AND Interval = 12")), 0);
}

TEST_F(Immunization, AFailingReminderWriteChangesNoRow)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    auto grid = LoadImmuGrid(kim);
    TQuery trap(DataFolder);
    trap.SQL() << QStringLiteral("CREATE TRIGGER NoMore BEFORE INSERT ON TODO01 WHEN (SELECT COUNT(*) FROM TODO01 "
                                 "WHERE CategoryNo = 5) >= 3 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    trap.ExecSQL();
    EXPECT_THROW(WriteImmuReminders(kim, *grid, Today()), EDatabaseError);
    EXPECT_TRUE(Reminders().empty());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ToDoID > 0")), 0);
}

// ---- Vaccine points ----

TEST_F(Immunization, PointsAreLabelledStoredAndReadBackByTheirUnit)
{
    std::vector<TVaccSched> points;
    EXPECT_EQ(AddSchedulePoint(points, TAgeUnit::None, 3), QStringLiteral("Please enter the age."));
    EXPECT_EQ(AddSchedulePoint(points, TAgeUnit::Years, 21),
              QStringLiteral("Only tracks schedules for people who are younger than 20 years old."));
    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Months, 18));
    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Years, 1));
    EXPECT_EQ(AddSchedulePoint(points, TAgeUnit::Months, 12), QStringLiteral("Same schedule added."));
    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Years, 5));
    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Months, 1));
    ASSERT_EQ(points.size(), 4u);

    QStringList labels;
    for (const TVaccSched& point : points)
        labels << PointLabel(point);
    EXPECT_EQ(labels, (QStringList{"1 month old", "1 year old", "18 months old", "5 years old"}));
    EXPECT_EQ(PointLabel({0, 48, 4, 6}), QStringLiteral("4 - 6 years old"));
    EXPECT_EQ(PointLabel({0, 24, 0, 0}), QStringLiteral("2 years old"));

    const TStoredPoint eighteen = StorePoint(points[2]);
    EXPECT_EQ(eighteen.ageLow, 0);
    EXPECT_EQ(eighteen.interval, 18);
    const TStoredPoint five = StorePoint(points[3]);
    EXPECT_EQ(five.ageLow, 5);
    EXPECT_EQ(five.interval, 100);
    EXPECT_EQ(LoadPoint(7, 5, 0, 100), (TVaccSched{7, 60, 5, 0}));
    EXPECT_EQ(LoadPoint(7, 0, 0, 12), (TVaccSched{7, 12, 0, 0}));
}

TEST_F(Immunization, MonthsFromTwoYearsOnAreWholeYearsAndAVaccineHasOneYearPoint)
{
    std::vector<TVaccSched> points;
    const auto refused = AddSchedulePoint(points, TAgeUnit::Months, 30);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QStringLiteral("30 months")));
    EXPECT_TRUE(points.empty());

    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Months, 36));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], (TVaccSched{0, 36, 3, 0}));
    EXPECT_EQ(StorePoint(points[0]).ageLow, 3) << "not read back as 100 months";

    const auto second = AddSchedulePoint(points, TAgeUnit::Years, 11);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->contains(QStringLiteral("only one")) || second->contains(QStringLiteral("Only one")));
    EXPECT_EQ(points.size(), 1u);
    EXPECT_FALSE(AddSchedulePoint(points, TAgeUnit::Months, 23));
}

// The edges of the points given in years: 24 months is the first of them
// and 20 years the last.
TEST_F(Immunization, TwentyFourMonthsAndTwentyYearsArePointsInYears)
{
    std::vector<TVaccSched> months;
    EXPECT_FALSE(AddSchedulePoint(months, TAgeUnit::Months, 24));
    ASSERT_EQ(months.size(), 1u);
    EXPECT_EQ(months[0], (TVaccSched{0, 24, 2, 0}));
    EXPECT_EQ(PointLabel(months[0]), QStringLiteral("2 years old"));
    const TStoredPoint two = StorePoint(months[0]);
    EXPECT_EQ(two.ageLow, 2);
    EXPECT_EQ(two.interval, YearPointInterval);
    EXPECT_EQ(LoadPoint(0, two.ageLow, 0, two.interval).months, 24) << "not read back as 100 months";

    std::vector<TVaccSched> years;
    EXPECT_FALSE(AddSchedulePoint(years, TAgeUnit::Years, 20));
    ASSERT_EQ(years.size(), 1u);
    EXPECT_EQ(years[0], (TVaccSched{0, 240, 20, 0}));
}

TEST_F(Immunization, ANewVaccineIsStoredAndReadBackWithItsPointsInOrder)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    TVaccineEdit vaccine{ann, 14, QStringLiteral("Cat's \"flu\" <b>shot</b>"), {"first line", "second"}, {}};
    AddSchedulePoint(vaccine.points, TAgeUnit::Years, 5);
    AddSchedulePoint(vaccine.points, TAgeUnit::Months, 18);
    EXPECT_EQ(CheckVaccineName(QStringLiteral("  ")), QStringLiteral("Please enter the name of the vaccine."));
    SaveNewVaccine(vaccine);

    const TVaccineEdit back = ReadVaccine(ann, 14);
    EXPECT_EQ(back.name, vaccine.name);
    EXPECT_EQ(back.description, vaccine.description);
    ASSERT_EQ(back.points.size(), 2u);
    EXPECT_EQ(back.points[0].months, 18);
    EXPECT_EQ(back.points[1].months, 60);
    EXPECT_EQ(PointLabel(back.points[1]), QStringLiteral("5 years old"));
    EXPECT_EQ(ReadMemberVaccines(ann).back().name, vaccine.name);
}

TEST_F(Immunization, AnEditRemovesPointsWithWhatHangsOnThemAndRenamesTheKeptOnes)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2024, 5, 31));
    TVaccineEdit vaccine{ann, 14, QStringLiteral("Flu"), {}, {}};
    AddSchedulePoint(vaccine.points, TAgeUnit::Months, 6);
    AddSchedulePoint(vaccine.points, TAgeUnit::Months, 7);
    SaveNewVaccine(vaccine);
    TVaccineEdit edit = ReadVaccine(ann, 14);
    const TVaccSched six = edit.points[0];
    const qint32 expId = AddExpenseWithSplits(ann);
    AddRecord(ann, six.templId, EncodeDate(2024, 11, 30), {}, expId);
    EXPECT_TRUE(PointHasRecords(six.templId));
    EXPECT_FALSE(PointHasRecords(edit.points[1].templId));
    EXPECT_EQ(RemovePointQuestion(six), QStringLiteral("You have a record for the schedule of 6 months old. Do you "
                                                       "really want to delete the schedule and the record?"));

    edit.points.erase(edit.points.begin());
    edit.name = QStringLiteral("Influenza");
    AddSchedulePoint(edit.points, TAgeUnit::Years, 2);
    SaveEditedVaccine(edit, {six}, true, false);

    const TVaccineEdit back = ReadVaccine(ann, 14);
    ASSERT_EQ(back.points.size(), 2u);
    EXPECT_EQ(back.points[0].months, 7);
    EXPECT_EQ(back.points[1].months, 24);
    EXPECT_EQ(back.name, QStringLiteral("Influenza"));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE ItemStr1 = 'Flu'")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0);
    // The money was spent all the same: the expense stays with its splits.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1").arg(expId)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP WHERE ExpID = %1").arg(expId)), 2);
}

TEST_F(Immunization, DeletingAVaccineRemovesItsPointsRecordsAndRemindersAndKeepsTheExpenses)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    auto grid = LoadImmuGrid(kim);
    WriteImmuReminders(kim, *grid, Today());
    const qint32 mmr1 = TemplOf(kim, QStringLiteral("Measles"), QStringLiteral("Dose 1"));
    const qint32 hib1 = TemplOf(kim, QStringLiteral("Haemophilus"), QStringLiteral("Dose 1"));
    const qint32 mmrExpense = AddExpenseWithSplits(kim);
    const qint32 hibExpense = AddExpenseWithSplits(kim);
    AddRecord(kim, mmr1, EncodeDate(2025, 3, 1), {}, mmrExpense);
    AddRecord(kim, hib1, EncodeDate(2024, 7, 31), {}, hibExpense);
    const qint32 reminders = static_cast<qint32>(Reminders().size());

    EXPECT_EQ(DeleteVaccineQuestion(QStringLiteral("Measles, Mumps, Rubella (MMR)")),
              QStringLiteral("Would you like to remove records related to \"Measles, Mumps, Rubella (MMR)\" ?"));
    DeleteVaccine(kim, 7);

    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND ImmuID = 7")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 1 AND ImmuID = 7")), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 1);
    // Expenses are money records that count in the year's totals: both stay whole.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP WHERE ExpID = %1").arg(mmrExpense)), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP WHERE ExpID = %1").arg(hibExpense)), 2);
    EXPECT_EQ(static_cast<qint32>(Reminders().size()), reminders - 2) << "both MMR reminders";

    // A delete that fails on its last row leaves every row of the vaccine.
    const qint32 hib = Count(QStringLiteral("SELECT ImmuID FROM MEDTEMPL WHERE TemplID = %1").arg(hib1));
    TQuery trap(DataFolder);
    trap.SQL() << QStringLiteral("CREATE TRIGGER KeepLast BEFORE DELETE ON MEDTEMPL WHEN (SELECT COUNT(*) FROM MEDTEMPL "
                                 "WHERE ImmuID = OLD.ImmuID AND TemplType = 2) = 1 BEGIN SELECT RAISE(ABORT, 'no'); END");
    trap.ExecSQL();
    const qint32 hibPoints =
        Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND ImmuID = %1").arg(hib));
    EXPECT_THROW(DeleteVaccine(kim, hib), EDatabaseError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 2 AND ImmuID = %1").arg(hib)),
              hibPoints);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 1);
    EXPECT_EQ(static_cast<qint32>(Reminders().size()), reminders - 2);
}

// ---- Dose records ----

TEST_F(Immunization, ADoseRecordIsCheckedInOrder)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(kim);
    TDoseRecordForm form =
        LoadDoseRecord(kim, TemplOf(kim, QStringLiteral("Hepatitis B"), QStringLiteral("Dose 2")), 0);
    EXPECT_EQ(form.vaccine, QStringLiteral("Hepatitis B (HepB)"));
    EXPECT_EQ(form.recommended, EncodeDate(2024, 6, 30)) << "a month after 31 May";
    EXPECT_FALSE(form.about.isEmpty());

    form.date = 0.0;
    EXPECT_EQ(CheckDoseRecord(form, true, Today()).message,
              QStringLiteral("Please enter the date when the vaccine was given."));
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).check, TDoseRecordCheck::BadDate);
    form.date = EncodeDate(2024, 5, 30);
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).message, QStringLiteral("A date before birth date? Not possible!"));
    form.date = EncodeDate(2025, 4, 1);
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).check, TDoseRecordCheck::Future);
    form.date = EncodeDate(2025, 1, 30);
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).message,
              QStringLiteral("The date is more than 6 months away from the recommended schedule, around 6/30/2024. "
                             "Do you still want to record it?"));
    form.date = EncodeDate(2024, 12, 31);
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).check, TDoseRecordCheck::Passed) << "six months away";
    form.date = EncodeDate(2024, 5, 31);
    EXPECT_EQ(CheckDoseRecord(form, false, Today()).check, TDoseRecordCheck::Passed) << "on the birth day";

    const qint32 tdap = TemplOf(kim, QStringLiteral("Tetanus, Diphtheria"), QStringLiteral("Dose 1"));
    EXPECT_EQ(LoadDoseRecord(kim, tdap, 0).recommended, 0.0) << "a point in years recommends no date";
}

TEST_F(Immunization, ADoseRecordWritesItsDoctorAndLinksItsExpense)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(kim);
    const qint32 hib2 = TemplOf(kim, QStringLiteral("Haemophilus"), QStringLiteral("Dose 2"));
    TDoseRecordForm form = LoadDoseRecord(kim, hib2, 0);
    form.date = EncodeDate(2024, 9, 30);
    form.doctor = QStringLiteral("Dr. O'Neil & \"Sons\"");
    form.expId = AddExpenseWithSplits(kim);
    SaveDoseRecord(form);

    ASSERT_NE(form.checkupId, 0);
    EXPECT_NE(form.doctorId, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE BizId = %1 AND CategoryNo = 5").arg(form.doctorId)),
              1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP WHERE ExpID = %1 AND ExpType = 1 AND CheckupID = %2 "
                                   "AND DocAddrID = %3 AND Description LIKE 'Haemophilus%'")
                        .arg(form.expId)
                        .arg(form.checkupId)
                        .arg(form.doctorId)),
              1);

    const TDoseRecordForm back = LoadDoseRecord(kim, hib2, form.checkupId);
    EXPECT_EQ(back.doctor, form.doctor);
    EXPECT_EQ(back.date, form.date);
    EXPECT_EQ(back.recommended, 0.0);

    TDoseRecordForm next = LoadDoseRecord(kim, TemplOf(kim, QStringLiteral("Haemophilus"), QStringLiteral("Dose 3")), 0);
    next.date = EncodeDate(2024, 11, 30);
    next.doctor = form.doctor;
    const qint32 nextExpense = AddExpenseWithSplits(kim);
    next.expId = nextExpense;
    SaveDoseRecord(next);
    EXPECT_EQ(next.expId, nextExpense);
    EXPECT_EQ(next.doctorId, form.doctorId) << "the doctor is found, not added again";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXP")), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDEXPSP")), 4);
    EXPECT_EQ(Count(QStringLiteral("SELECT ExpID FROM MEDCHEK WHERE CheckupID = %1").arg(next.checkupId)), nextExpense);
}

TEST_F(Immunization, AFailingDoseRecordWritesNothing)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(kim);
    TDoseRecordForm form = LoadDoseRecord(kim, TemplOf(kim, QStringLiteral("Haemophilus"), QStringLiteral("Dose 2")), 0);
    form.date = EncodeDate(2024, 9, 30);
    form.doctor = QStringLiteral("Dr. New");
    form.expId = AddExpenseWithSplits(kim);
    TQuery trap(DataFolder);
    trap.SQL() << QStringLiteral("CREATE TRIGGER NoLink BEFORE UPDATE ON MEDEXP BEGIN SELECT RAISE(ABORT, 'no'); END");
    trap.ExecSQL();
    const TDoseRecordForm before = form;
    EXPECT_THROW(SaveDoseRecord(form), EDatabaseError);
    EXPECT_EQ(form.checkupId, before.checkupId);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM BIZADDR WHERE BusinessName = 'Dr. New'")), 0);
}

// ---- The printed record ----

TEST_F(Immunization, ThePrintedRecordNumbersDosesByVaccineAndAgeAndSplitsLongDoctors)
{
    const qint32 kim = AddMember(QStringLiteral("Kim"), 1, EncodeDate(2024, 5, 31));
    LoadImmuGrid(kim);
    // A point added later to the first vaccine still counts after its others.
    TVaccineEdit hepB = ReadVaccine(kim, 1);
    TVaccineEdit added{kim, 1, hepB.name, {}, {}};
    AddSchedulePoint(added.points, TAgeUnit::Months, 3);
    SaveNewVaccine(added);
    AddRecord(kim, TemplOf(kim, QStringLiteral("Hepatitis B"), QStringLiteral("Dose 1")), EncodeDate(2024, 5, 31),
               QStringLiteral("Northside Children's Clinic"));
    AddRecord(kim, TemplOf(kim, QStringLiteral("Hepatitis B"), QStringLiteral("Dose 2")), EncodeDate(2024, 6, 30),
               QStringLiteral("Dr. Short"));

    FillImmuReport(kim);
    const auto rows = ScratchRows(DataFolder);
    ASSERT_GE(rows.size(), 5u);
    // Category, Column1..Column5.
    EXPECT_EQ(rows[0][0], QStringLiteral("1"));
    EXPECT_EQ(rows[0][1], QStringLiteral("Hepatitis B (HepB)"));
    EXPECT_EQ(rows[0][2], QStringLiteral("5/31/2024"));
    EXPECT_EQ(rows[0][3], QStringLiteral("Northside Children'"));
    EXPECT_EQ(rows[0][4], QStringLiteral("s Clinic"));
    EXPECT_EQ(rows[1][3], QStringLiteral("Dr. Short"));
    EXPECT_EQ(rows[1][4], QString());
    EXPECT_EQ(rows[2][0], QStringLiteral("3"));
    EXPECT_EQ(rows[2][5], QStringLiteral("8/31/2024")) << "the 3-month point added later";
    EXPECT_EQ(rows[3][0], QStringLiteral("4"));
    EXPECT_EQ(rows[3][5], QStringLiteral("11/30/2024"));
    EXPECT_EQ(rows[4][0], QStringLiteral("1"));
    EXPECT_EQ(rows[4][1], QStringLiteral("Rotavirus (RV)"));
    const auto dtap5 = std::find_if(rows.begin(), rows.end(), [](const TScratchRow& row) {
        return row[1].contains(QStringLiteral("(DTaP)")) && row[0] == QStringLiteral("5");
    });
    ASSERT_NE(dtap5, rows.end());
    EXPECT_EQ((*dtap5)[5], QStringLiteral("5/31/2028"));

    const TScheduleMember member = ReadScheduleMember(kim);
    EXPECT_EQ(ImmuReportName(member), QStringLiteral("Name: Kim Q O'Neil"));
    EXPECT_EQ(ImmuReportGender(member), QStringLiteral("Gender: Female"));
}

}  // namespace
