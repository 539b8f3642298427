// The check-up schedule's work without its windows: the first-use copy, the
// items' dates and texts, the sorting clicks, the log, the reminders and the
// deletion of an item.
#include "chkenv.h"

#include "health/chkschedule.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "tests/support/testsupport.h"

#include <algorithm>

namespace {

class CheckupSchedule : public CheckupEnv {
protected:
    static std::vector<TChkSchedRec> Load(qint32 memberId, qint32 sex, TChkOrder order = TChkOrder::Name)
    {
        auto items = LoadChkSchedule(memberId, sex, order);
        EXPECT_TRUE(items);
        return items ? *items : std::vector<TChkSchedRec>{};
    }
    static const TChkSchedRec& Named(const std::vector<TChkSchedRec>& items, const QString& name)
    {
        const auto found = std::find_if(items.begin(), items.end(),
                                        [&](const TChkSchedRec& item) { return item.itemStr1.startsWith(name); });
        EXPECT_NE(found, items.end()) << name.toStdString();
        return *found;
    }
    struct TFluOfMember {
        qint32 member;
        qint32 flu;
    };
    // Ann with a record of her flu shot and of her dental check-up, and both
    // reminders written.
    static TFluOfMember AnnWithFluAndDentalReminded()
    {
        const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
        Load(ann, 1);
        const qint32 flu = ItemOf(ann, QStringLiteral("Flu"));
        const qint32 dental = ItemOf(ann, QStringLiteral("Dental"));
        AddRecord(ann, flu, EncodeDate(2024, 10, 31));
        AddRecord(ann, dental, EncodeDate(2024, 8, 31));
        auto items = Load(ann, 1);
        WriteChkReminders(items, ReadScheduleMember(ann), 40, false, Today());
        return {ann, flu};
    }
    static QStringList Names(const std::vector<TChkSchedRec>& items)
    {
        QStringList names;
        for (const TChkSchedRec& item : items)
            names << item.itemStr1;
        return names;
    }
};

// ---- First use, age and dates ----

TEST_F(CheckupSchedule, FirstUseCopiesTheMastersOfTheMembersSexOnceInTheMastersOrder)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    const qint32 bob = AddMember(QStringLiteral("Bob"), 0, EncodeDate(1985, 3, 31));
    const qint32 forAnn = Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 3 AND Sex IN (1, 2)"));
    const qint32 forBob = Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 3 AND Sex IN (0, 2)"));
    ASSERT_GT(forBob, 5);

    const auto annItems = Load(ann, 1);
    const auto bobItems = Load(bob, 0);
    EXPECT_EQ(int(annItems.size()), forAnn);
    EXPECT_EQ(int(bobItems.size()), forBob);
    EXPECT_TRUE(Names(annItems).contains(QStringLiteral("Mammogram")));
    EXPECT_FALSE(Names(annItems).contains(QStringLiteral("Prostate Cancer Screening")));
    EXPECT_TRUE(Names(bobItems).contains(QStringLiteral("Prostate Cancer Screening")));
    EXPECT_FALSE(Names(bobItems).contains(QStringLiteral("Mammogram")));
    QStringList sorted = Names(annItems);
    sorted.sort();
    EXPECT_EQ(Names(annItems), sorted) << "in name order";

    // Copied in the masters' order, with the default interval and no reminder.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL a JOIN MEDTEMPL ma ON ma.TemplType = 3 AND "
                                   "ma.ItemStr1 = a.ItemStr1 JOIN MEDTEMPL b ON b.MemberID = a.MemberID AND "
                                   "b.TemplType = 4 JOIN MEDTEMPL mb ON mb.TemplType = 3 AND mb.ItemStr1 = b.ItemStr1 "
                                   "WHERE a.TemplType = 4 AND a.TemplID < b.TemplID AND ma.TemplID > mb.TemplID")),
              0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 4 AND (DefaultInterval <> "
                                   "Interval OR COALESCE(ToDoID, 0) <> 0)")),
              0);
    // Every item has its never-done record, and nothing is performed.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE MemberID = %1").arg(ann)), forAnn);
    EXPECT_TRUE(std::none_of(annItems.begin(), annItems.end(), [](const TChkSchedRec& i) { return i.Performed(); }));

    Load(ann, 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplType = 4 AND MemberID = %1").arg(ann)),
              forAnn)
        << "copied once";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE MemberID = %1").arg(ann)), forAnn);
}

TEST_F(CheckupSchedule, WithoutMasterRowsThereIsNoSchedule)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDTEMPL WHERE TemplType = 3");
    wipe.ExecSQL();
    EXPECT_FALSE(LoadChkSchedule(ann, 1, TChkOrder::Name));
}

TEST_F(CheckupSchedule, AnItemIsShownFromItsStartAgeOnBirthdaysAndLeapDays)
{
    EXPECT_EQ(AgeOn(EncodeDate(1985, 4, 1), Today()), 39);
    EXPECT_EQ(AgeOn(EncodeDate(1985, 3, 31), Today()), 40);
    EXPECT_EQ(AgeOn(EncodeDate(2000, 2, 29), EncodeDate(2025, 2, 28)), 24);
    EXPECT_EQ(AgeOn(EncodeDate(2000, 2, 29), EncodeDate(2025, 3, 1)), 25);
    EXPECT_EQ(AgeOn(EncodeDate(2000, 2, 29), EncodeDate(2024, 2, 29)), 24);

    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 4, 1));
    const auto items = Load(ann, 1);
    const int age = AgeOn(EncodeDate(1985, 4, 1), Today());
    EXPECT_FALSE(ItemShown(Named(items, QStringLiteral("Eye Examination")), age)) << "from 40";
    EXPECT_TRUE(ItemShown(Named(items, QStringLiteral("Diabetes")), age)) << "from 35";
    TChkSchedRec from39 = Named(items, QStringLiteral("Eye Examination"));
    from39.ageLow = 39;
    EXPECT_TRUE(ItemShown(from39, age));
}

TEST_F(CheckupSchedule, TheListShowsTheLatestDateTheDueDateClampedToTheMonthAndTheFrequency)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    Load(ann, 1);
    const qint32 dental = ItemOf(ann, QStringLiteral("Dental"));        // 6 months
    const qint32 physical = ItemOf(ann, QStringLiteral("Physical"));    // 12 months
    const qint32 pressure = ItemOf(ann, QStringLiteral("Blood"));       // 24 months
    AddRecord(ann, dental, EncodeDate(2024, 2, 29));
    AddRecord(ann, dental, EncodeDate(2024, 8, 31));
    AddRecord(ann, dental, EncodeDate(2023, 12, 31));
    AddRecord(ann, physical, EncodeDate(2024, 2, 29));
    AddRecord(ann, pressure, EncodeDate(2024, 2, 29));

    const auto items = Load(ann, 1);
    const TChkSchedRec& d = Named(items, QStringLiteral("Dental"));
    EXPECT_EQ(d.lastDone, EncodeDate(2024, 8, 31)) << "the latest, not the last written";
    EXPECT_EQ(LastPerformedText(d), QStringLiteral("8/31/2024"));
    EXPECT_EQ(DueDateText(d), QStringLiteral("2/28/2025"));
    EXPECT_EQ(DueDateText(Named(items, QStringLiteral("Physical"))), QStringLiteral("2/28/2025"));
    EXPECT_EQ(DueDateText(Named(items, QStringLiteral("Blood"))), QStringLiteral("2/28/2026"));
    const TChkSchedRec& never = Named(items, QStringLiteral("Mammogram"));
    EXPECT_EQ(LastPerformedText(never), QStringLiteral("Not available"));
    EXPECT_EQ(DueDateText(never), QStringLiteral("Not available"));

    EXPECT_EQ(FrequencyText(18), QStringLiteral("18 month(s)"));
    EXPECT_EQ(FrequencyText(24), QStringLiteral("2 year(s)"));
    EXPECT_EQ(FrequencyText(6), QStringLiteral("6 month(s)"));
    EXPECT_EQ(FrequencyText(120), QStringLiteral("10 year(s)"));
}

TEST_F(CheckupSchedule, LastPerformedAddsTheNeverDoneRecordOnlyForARealItem)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    Load(ann, 1);
    const qint32 flu = ItemOf(ann, QStringLiteral("Flu"));
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM MEDCHEK");
    wipe.ExecSQL();

    EXPECT_EQ(LastPerformed(ann, 0), NeverDoneDate());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), 0) << "nothing for no item";
    EXPECT_EQ(LastPerformed(ann, flu), NeverDoneDate());
    EXPECT_EQ(LastPerformed(ann, flu), NeverDoneDate());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(flu)), 1);
    AddRecord(ann, flu, EncodeDate(2024, 10, 31));
    EXPECT_EQ(LastPerformed(ann, flu), EncodeDate(2024, 10, 31));
}

// ---- Sorting ----

TEST_F(CheckupSchedule, ColumnClicksShareOneCounterAndTheDateColumnsOfTheScheduleDoNotSort)
{
    TChkSortClicks clicks;
    EXPECT_FALSE(clicks.ScheduleClick(2)) << "Due Date";
    EXPECT_FALSE(clicks.ScheduleClick(1)) << "Last Performed";
    EXPECT_EQ(clicks.ScheduleClick(3), TChkOrder::Interval);
    EXPECT_EQ(clicks.ScheduleClick(3), TChkOrder::IntervalDesc);
    EXPECT_EQ(clicks.ScheduleClick(0), TChkOrder::Name);
    // The log reads the counter before it counts: three clicks so far, odd.
    EXPECT_EQ(clicks.LogClick(1), TChkLogOrder::DateDesc);
    EXPECT_EQ(clicks.LogClick(2), TChkLogOrder::Doctor);
    EXPECT_FALSE(clicks.LogClick(3)) << "Note";
    EXPECT_FALSE(clicks.LogClick(0)) << "Check-up Item";
    EXPECT_EQ(clicks.ScheduleClick(0), TChkOrder::NameDesc) << "the sixth click, even";

    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    Load(ann, 1);
    const auto byInterval = Load(ann, 1, TChkOrder::Interval);
    EXPECT_TRUE(std::is_sorted(byInterval.begin(), byInterval.end(),
                               [](const TChkSchedRec& a, const TChkSchedRec& b) { return a.interval < b.interval; }));
    const auto byIntervalDesc = Load(ann, 1, TChkOrder::IntervalDesc);
    EXPECT_EQ(byIntervalDesc.front().interval, 120);
    EXPECT_EQ(byIntervalDesc.back().interval, 6);
    const auto byNameDesc = Load(ann, 1, TChkOrder::NameDesc);
    EXPECT_EQ(byNameDesc.front().itemStr1, QStringLiteral("Tetanus Booster"));
}

// ---- The log ----

TEST_F(CheckupSchedule, TheLogListsRealRecordsOfCheckupsAndImmunizationsInTheOrderAsked)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    const qint32 kim = AddMember(QStringLiteral("Ann"), 1, EncodeDate(2010, 3, 31));
    Load(ann, 1);
    Load(kim, 1);
    const qint32 flu = ItemOf(ann, QStringLiteral("Flu"));
    const qint32 dental = ItemOf(ann, QStringLiteral("Dental"));
    AddRecord(ann, flu, EncodeDate(2024, 10, 31), QStringLiteral("Dr. O'Hara"));
    const qint32 dentalVisit = AddRecord(ann, dental, EncodeDate(2025, 2, 28), QStringLiteral("Bright \"Smiles\""));
    AddRecord(ann, 0, EncodeDate(2025, 1, 31), QStringLiteral("no item"));
    AddRecord(ann, 999999, EncodeDate(2025, 1, 31), QStringLiteral("item gone"));
    AddRecord(kim, ItemOf(kim, QStringLiteral("Flu")), EncodeDate(2024, 9, 30), QStringLiteral("the other Ann"));
    const qint32 shot = AppendRow(DataFolder, QStringLiteral("MEDTEMPL"), QStringLiteral("TemplID"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("TemplType")).SetAsInteger(2);
        row.FieldByName(QStringLiteral("MemberID")).SetAsInteger(ann);
        row.FieldByName(QStringLiteral("ItemStr1")).SetAsString(QStringLiteral("Hepatitis B (HepB)"));
    });
    AddRecord(ann, shot, EncodeDate(2024, 12, 31), QStringLiteral("Clinic"));
    {
        TQuery note(DataFolder);
        note.SQL() << QStringLiteral("UPDATE MEDCHEK SET Note = :Note WHERE CheckupID = :Id");
        note.ParamByName(QStringLiteral("Note"))
            .SetAsString(QStringLiteral("Two fillings on the upper left side,\nnext visit in the autumn with x-rays"));
        note.ParamByName(QStringLiteral("Id")).SetAsInteger(dentalVisit);
        note.ExecSQL();
    }

    const auto byDate = ReadChkLog(ann, TChkLogOrder::Date);
    ASSERT_EQ(byDate.size(), 3u) << "neither never-done marks, nor records of no item or a gone one";
    EXPECT_EQ(byDate[0].item, QStringLiteral("Flu Shot"));
    EXPECT_EQ(byDate[0].doctor, QStringLiteral("Dr. O'Hara"));
    EXPECT_EQ(byDate[1].item, QStringLiteral("Hepatitis B (HepB)"));
    EXPECT_EQ(byDate[2].checkupId, dentalVisit);
    EXPECT_EQ(byDate[2].note,
              QStringLiteral("Two fillings on the upper left side, next visit in the autumn with x-rays"));
    const auto byDateDesc = ReadChkLog(ann, TChkLogOrder::DateDesc);
    EXPECT_EQ(byDateDesc[0].dateDone, EncodeDate(2025, 2, 28));
    const auto byDoctor = ReadChkLog(ann, TChkLogOrder::Doctor);
    EXPECT_EQ(byDoctor[0].doctor, QStringLiteral("Bright \"Smiles\""));
    EXPECT_EQ(byDoctor[2].doctor, QStringLiteral("Dr. O'Hara"));
}

// ---- Reminders ----

TEST_F(CheckupSchedule, ARemindersDateIsTodayOnceOverdueAndItsTextSaysByOtherwise)
{
    const TScheduleMember ann{QStringLiteral("Ann"), {}, {}, 1, EncodeDate(1985, 3, 31)};
    TChkSchedRec physical;
    physical.itemStr1 = QStringLiteral("Physical Examination");
    physical.interval = 12;
    physical.ageLow = 3;
    physical.lastDone = EncodeDate(2024, 2, 29);   // thirteen months ago
    const auto overdue = ChkReminderOf(physical, ann, 40, false, Today());
    ASSERT_TRUE(overdue);
    EXPECT_EQ(overdue->text, QStringLiteral("Ann, please schedule your Physical Examination checkup."));
    EXPECT_EQ(overdue->due, Today());

    TChkSchedRec pressure = physical;
    pressure.itemStr1 = QStringLiteral("Blood Pressure");
    pressure.interval = 24;
    pressure.lastDone = EncodeDate(2025, 2, 28);   // last month
    const auto ahead = ChkReminderOf(pressure, ann, 40, false, Today());
    ASSERT_TRUE(ahead);
    EXPECT_EQ(ahead->text, QStringLiteral("Ann, please schedule your Blood Pressure checkup by 2/28/2027."));
    EXPECT_EQ(ahead->due, EncodeDate(2027, 2, 28));

    TChkSchedRec never = physical;
    never.lastDone = NeverDoneDate();
    EXPECT_FALSE(ChkReminderOf(never, ann, 40, false, Today()));
    TChkSchedRec notYet = pressure;
    notYet.ageLow = 41;
    EXPECT_FALSE(ChkReminderOf(notYet, ann, 40, false, Today())) << "not shown before its start age";

    // Once the log has changed: no closing period, and the interval from the
    // latest date, not clamped to today.
    const auto fromLog = ChkReminderOf(physical, ann, 40, true, Today());
    ASSERT_TRUE(fromLog);
    EXPECT_EQ(fromLog->text, QStringLiteral("Ann, please schedule your Physical Examination checkup"));
    EXPECT_EQ(fromLog->due, EncodeDate(2025, 2, 28));
}

TEST_F(CheckupSchedule, RemindersAreWrittenForPerformedItemsAndRemovedFromItemsNoLongerPerformed)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    const TScheduleMember member = ReadScheduleMember(ann);
    Load(ann, 1);
    const qint32 flu = ItemOf(ann, QStringLiteral("Flu"));
    const qint32 dental = ItemOf(ann, QStringLiteral("Dental"));
    AddRecord(ann, flu, EncodeDate(2024, 10, 31));
    AddRecord(ann, flu, EncodeDate(2023, 10, 31));
    const qint32 cleaning = AddRecord(ann, dental, EncodeDate(2024, 8, 31));

    auto items = Load(ann, 1);
    std::vector<int> percents;
    WriteChkReminders(items, member, 40, false, Today(), [&](int p) { percents.push_back(p); });
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    auto reminders = Reminders();
    ASSERT_EQ(reminders.size(), 2u);
    EXPECT_EQ(reminders[0], std::make_pair(QStringLiteral("Ann, please schedule your Dental Cleaning checkup."), Today()));
    EXPECT_EQ(reminders[1], std::make_pair(QStringLiteral("Ann, please schedule your Flu Shot checkup by 10/31/2025."),
                                           EncodeDate(2025, 10, 31)));
    const qint32 fluToDo = ToDoOf(flu);
    EXPECT_NE(fluToDo, 0);
    EXPECT_NE(ToDoOf(dental), 0);

    // Rewritten in place; the last dental record gone, its reminder goes.
    TQuery drop(DataFolder);
    drop.SQL() << QStringLiteral("DELETE FROM MEDCHEK WHERE CheckupID = %1").arg(cleaning);
    drop.ExecSQL();
    items = Load(ann, 1);
    EXPECT_FALSE(Named(items, QStringLiteral("Dental")).Performed());
    WriteChkReminders(items, member, 40, false, Today());
    reminders = Reminders();
    ASSERT_EQ(reminders.size(), 1u);
    EXPECT_EQ(reminders[0].second, EncodeDate(2025, 10, 31));
    EXPECT_EQ(ToDoOf(flu), fluToDo);
    EXPECT_EQ(ToDoOf(dental), 0);

    // A reminder the user deleted is written anew.
    TQuery gone(DataFolder);
    gone.SQL() << QStringLiteral("DELETE FROM TODO01");
    gone.ExecSQL();
    WriteChkReminders(items, member, 40, true, Today());
    reminders = Reminders();
    ASSERT_EQ(reminders.size(), 1u);
    EXPECT_EQ(reminders[0], std::make_pair(QStringLiteral("Ann, please schedule your Flu Shot checkup"),
                                           EncodeDate(2025, 10, 31)));
    EXPECT_EQ(ToDoOf(flu), Count(QStringLiteral("SELECT Todoid FROM TODO01")));
}

// ---- Deleting an item ----

TEST_F(CheckupSchedule, DeletingAnItemRemovesItsReminderItsRowAndAllItsRecordsOnly)
{
    const qint32 flu = AnnWithFluAndDentalReminded().flu;
    ASSERT_EQ(Reminders().size(), 2u);
    const qint32 records = Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK"));

    DeleteChkItem(flu);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplID = %1").arg(flu)), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK WHERE TemplID = %1").arg(flu)), 0)
        << "the done record and the never-done mark";
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), records - 2);
    ASSERT_EQ(Reminders().size(), 1u);
    EXPECT_TRUE(Reminders()[0].first.contains(QStringLiteral("Dental")));
    EXPECT_EQ(DeleteChkQuestion(QStringLiteral("Flu \"Shot\"")),
              QStringLiteral("Would you like to remove records related to \"Flu \"Shot\"\" ?"));
}

TEST_F(CheckupSchedule, AFailingDeletionOrReminderWriteChangesNothing)
{
    const auto [ann, flu] = AnnWithFluAndDentalReminded();
    const auto before = Reminders();
    ASSERT_EQ(before.size(), 2u);
    const qint32 records = Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK"));

    TQuery refuse(DataFolder);
    refuse.SQL() << QStringLiteral("CREATE TRIGGER RefuseRecordDelete BEFORE DELETE ON MEDCHEK")
                 << QStringLiteral("BEGIN SELECT RAISE(ABORT, 'refused'); END");
    refuse.ExecSQL();
    EXPECT_THROW(DeleteChkItem(flu), EDatabaseError);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDTEMPL WHERE TemplID = %1").arg(flu)), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM MEDCHEK")), records);
    EXPECT_EQ(Reminders(), before) << "the reminder stays with its item";

    // The second reminder's key cannot be kept: the first one's write goes too.
    TQuery wipe(DataFolder);
    wipe.SQL() << QStringLiteral("DELETE FROM TODO01");
    wipe.ExecSQL();
    TQuery refuseKey(DataFolder);
    refuseKey.SQL() << QStringLiteral("CREATE TRIGGER RefuseReminderKey BEFORE UPDATE OF ToDoID ON MEDTEMPL")
                    << QStringLiteral("WHEN NEW.TemplID = %1 BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(flu);
    refuseKey.ExecSQL();
    auto items = Load(ann, 1);
    EXPECT_THROW(WriteChkReminders(items, ReadScheduleMember(ann), 40, false, Today()), EDatabaseError);
    EXPECT_TRUE(Reminders().empty());
}

}  // namespace
