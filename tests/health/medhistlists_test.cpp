#include "medhistenv.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "health/medhistprint.h"
#include "platform/dataset.h"
#include "records/common/dlgbusinessaddr.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

// Made when used: the date routines' own constants may not be set up before this file's.
TDateTime LeapBirth() { return EncodeDate(2000, 2, 29); }
TDateTime Today() { return EncodeDate(2024, 12, 31); }

TEST(HistoryDates, TheBirthdayAndTodayAreTheBoundsLeapDayIncluded)
{
    EXPECT_EQ(JudgeHistoryDate(LeapBirth(), TDateRole::Begin, 0.0, LeapBirth(), Today()), TDateVerdict::Accepted);
    EXPECT_EQ(JudgeHistoryDate(EncodeDate(2000, 2, 28), TDateRole::Begin, 0.0, LeapBirth(), Today()),
              TDateVerdict::BeforeBirth);
    EXPECT_EQ(JudgeHistoryDate(Today(), TDateRole::Single, 0.0, LeapBirth(), Today()), TDateVerdict::Accepted);
    EXPECT_EQ(JudgeHistoryDate(EncodeDate(2025, 1, 1), TDateRole::End, 0.0, LeapBirth(), Today()), TDateVerdict::Future);
    // The time of day of "now" does not make today the future.
    EXPECT_EQ(JudgeHistoryDate(Today(), TDateRole::End, 0.0, LeapBirth(), Today() + 0.75), TDateVerdict::Accepted);
    // Without a member row every date after the year 1 passes the birthday.
    EXPECT_EQ(JudgeHistoryDate(EncodeDate(1900, 1, 1), TDateRole::Begin, 0.0, kNoBirthDate, Today()),
              TDateVerdict::Accepted);
}

TEST(HistoryDates, BeginAndEndMayMeetButNotCross)
{
    const TDateTime march31 = EncodeDate(2024, 3, 31);
    const TDateTime april1 = EncodeDate(2024, 4, 1);
    EXPECT_EQ(JudgeHistoryDate(march31, TDateRole::End, april1, LeapBirth(), Today()), TDateVerdict::EndBeforeBegin);
    EXPECT_EQ(JudgeHistoryDate(april1, TDateRole::Begin, march31, LeapBirth(), Today()), TDateVerdict::BeginAfterEnd);
    EXPECT_EQ(JudgeHistoryDate(march31, TDateRole::End, march31, LeapBirth(), Today()), TDateVerdict::Accepted);
    EXPECT_EQ(JudgeHistoryDate(march31, TDateRole::Begin, april1, LeapBirth(), Today()), TDateVerdict::Accepted);
    EXPECT_EQ(JudgeHistoryDate(march31, TDateRole::End, 0.0, LeapBirth(), Today()), TDateVerdict::Accepted)
        << "with the begin date empty any end date up to today passes";
    EXPECT_EQ(JudgeHistoryDate(march31, TDateRole::Single, april1, LeapBirth(), Today()), TDateVerdict::Accepted);
    // The birthday is checked before the partner, the future before it too.
    EXPECT_EQ(JudgeHistoryDate(EncodeDate(1999, 1, 1), TDateRole::End, april1, LeapBirth(), Today()),
              TDateVerdict::BeforeBirth);
}

TEST(HistoryDates, TheFutureIsToldInEachTabsOwnWords)
{
    const auto& kinds = HistoryKinds();
    EXPECT_EQ(DateVerdictText(TDateVerdict::Future, kinds[3]),
              QStringLiteral("It can' be the future date, please enter again."));
    for (int type : {1, 2, 4})
        EXPECT_EQ(DateVerdictText(TDateVerdict::Future, kinds[size_t(type)]),
                  QStringLiteral("It can't be the future date, please enter again."));
    EXPECT_EQ(DateVerdictText(TDateVerdict::EndBeforeBegin, kinds[1]),
              QStringLiteral("The end-date can not be earlier then begin-date. Please re-enter again."));
}

class HistoryList : public MedHistTest {
protected:
    THistoryTab& Tab(TDlgMedHist& dialog, qint32 type)
    {
        dialog.PageControl1->setCurrentIndex(kPageAllergy + type);
        Settle();
        return dialog.HistoryTab(type);
    }
    // The suggestion is picked and copied into the member's own list.
    static void CopySuggestion(THistoryTab& tab, const QString& item)
    {
        const QList<QListWidgetItem*> found = tab.ListSuggested->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        tab.ListSuggested->setCurrentItem(found.first());
        tab.SuggestionClick();
        tab.CopyClick();
    }
    static void Pick(THistoryTab& tab, const QString& entry)
    {
        const QList<QListWidgetItem*> found = tab.ListOwn->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        tab.ListOwn->setCurrentItem(found.first());
        tab.OwnListClick();
    }
    static QStringList Entries(const THistoryTab& tab)
    {
        QStringList names;
        for (int i = 0; i < tab.ListOwn->count(); ++i)
            names << tab.ListOwn->item(i)->text();
        return names;
    }
    std::optional<THistoryRecord> Stored(qint32 member, const QString& name, qint32 type)
    {
        for (const THistoryEntry& entry : ReadHistoryEntries(member, type, type <= 2 ? 3 : 1))
            if (entry.name == name)
                return ReadHistoryRecord(member, entry.historyId);
        return std::nullopt;
    }
    // The suggestion copied into the member's list, and 02/30/2004 typed as
    // its begin date, the caret still there.
    TEfPictureField* TypeAnImpossibleBeginDate(THistoryTab& tab, const QString& suggestion)
    {
        CopySuggestion(tab, suggestion);
        TEfPictureField* begin = tab.Dates[0];
        Type(begin, QStringLiteral("02302004"));
        return begin;
    }
    // Allergies Latex and Pollen typed in; Latex renamed onto Pollen, "rash"
    // typed as its symptom and refused, and its own name typed back, the caret
    // still in the name box.
    void TypeRashDuringARefusedRename(TDlgMedHist& dialog)
    {
        THistoryTab& allergies = Tab(dialog, 0);
        for (const QString& name : {QStringLiteral("Latex"), QStringLiteral("Pollen")}) {
            allergies.AddOtherClick();
            Type(allergies.EditName, name);
            Focus(allergies.MemoNote);
        }
        Pick(allergies, QStringLiteral("Latex"));
        allergies.EditName->setText(QStringLiteral("Pollen"));
        Focus(allergies.EditName);
        Type(allergies.Texts[0], QStringLiteral("rash"));
        Focus(allergies.EditName);
        allergies.EditName->setText(QStringLiteral("Latex"));
    }
};

TEST_F(HistoryList, CopyingASuggestionTwiceWarnsAndAddsNothing)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& allergies = Tab(dialog, 0);
    EXPECT_EQ(allergies.GroupOwn->title(), QStringLiteral("My Allergy:"));
    CopySuggestion(allergies, QStringLiteral("Penicillin"));
    EXPECT_EQ(Entries(allergies), QStringList{QStringLiteral("Penicillin")});
    EXPECT_TRUE(allergies.EditName->isReadOnly()) << "a suggested name is not edited";
    EXPECT_GT(allergies.CurrentId(), 0);
    EXPECT_FALSE(allergies.ListSuggested->currentItem()->isSelected());

    CopySuggestion(allergies, QStringLiteral("Penicillin"));
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Duplicated item!")});
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), QStringLiteral("RecordType = 0 AND Field3 = 'Penicillin'")), 1);
    EXPECT_EQ(allergies.ListOwn->count(), 1);
    // The same name on another tab is another record.
    THistoryTab& prescriptions = Tab(dialog, 3);
    CopySuggestion(prescriptions, QStringLiteral("Penicillin"));
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), QStringLiteral("RecordType = 3 AND Field1 = 'Penicillin'")), 1);
    EXPECT_EQ(boxes_.shown.size(), 1);
}

TEST_F(HistoryList, TheCaptionCountsTheEntriesAndDeletingAsksFirst)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& allergies = Tab(dialog, 0);
    allergies.DeleteClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please select one item to delete.")});
    for (const char* item : {"Codeine", "Food"})
        CopySuggestion(allergies, QString::fromLatin1(item));
    EXPECT_EQ(allergies.GroupOwn->title(), QStringLiteral("My Allergies:"));

    Pick(allergies, QStringLiteral("Food"));
    boxes_.answers = {MsgResult::No};
    allergies.DeleteClick();
    EXPECT_EQ(allergies.ListOwn->count(), 2);
    boxes_.answers = {MsgResult::Yes};
    allergies.DeleteClick();
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Do you really want to delete it?"));
    EXPECT_EQ(Entries(allergies), QStringList{QStringLiteral("Codeine")});
    EXPECT_EQ(allergies.GroupOwn->title(), QStringLiteral("My Allergy:"));
    EXPECT_EQ(allergies.CurrentId(), 0);
    EXPECT_FALSE(Stored(ann, QStringLiteral("Food"), 0));
    EXPECT_TRUE(Stored(ann, QStringLiteral("Codeine"), 0));
    // The adult list keeps one caption.
    EXPECT_EQ(dialog.HistoryTab(2).GroupOwn->title(), QStringLiteral("My Disease History:"));
}

TEST_F(HistoryList, ASuggestedNameIsReadOnlyUntilTheAreaIsCleared)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& adult = Tab(dialog, 2);
    adult.EditName->setText(QStringLiteral("Asthma"));
    EXPECT_TRUE(adult.EditName->isReadOnly());
    EXPECT_EQ(adult.EditName->focusPolicy(), Qt::ClickFocus);
    adult.AddOtherClick();
    EXPECT_FALSE(adult.EditName->isReadOnly());
    EXPECT_TRUE(adult.EditName->text().isEmpty());
    EXPECT_EQ(adult.EditName->focusPolicy(), Qt::StrongFocus);
    adult.EditName->setText(QStringLiteral("asthma"));
    EXPECT_FALSE(adult.EditName->isReadOnly()) << "only the exact suggestion";
}

TEST_F(HistoryList, TwoRowsOfOneNameShowOnceAndEachTypeKeepsItsOwn)
{
    const qint32 ann = AddMember();
    const qint32 bob = AddMember({QStringLiteral("Bob"), QStringLiteral("Lee")});
    AddHistoryRow(ann, 2, QStringLiteral("Gout"));
    AddHistoryRow(ann, 2, QStringLiteral("Gout"));
    AddHistoryRow(ann, 2, QStringLiteral("anemia"));
    AddHistoryRow(ann, 4, QStringLiteral("Gout"));
    AddHistoryRow(bob, 2, QStringLiteral("Asthma"));
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(Entries(dialog.HistoryTab(2)), (QStringList{QStringLiteral("anemia"), QStringLiteral("Gout")}));
    EXPECT_EQ(dialog.HistoryTab(2).GroupOwn->title(), QStringLiteral("My Disease History:"));
    EXPECT_EQ(Entries(dialog.HistoryTab(4)), QStringList{QStringLiteral("Gout")});
    EXPECT_EQ(dialog.HistoryTab(4).GroupOwn->title(), QStringLiteral("My Surgery Record:"));
    EXPECT_TRUE(Entries(dialog.HistoryTab(0)).isEmpty());
}

TEST_F(HistoryList, ATypedNameIsWrittenWhenLeftAndADuplicateIsRefused)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& allergies = Tab(dialog, 0);
    Type(allergies.EditName, QStringLiteral("Cat's \"hair\""));
    Focus(allergies.Texts[0]);
    EXPECT_EQ(Entries(allergies), QStringList{QStringLiteral("Cat's \"hair\"")});
    ASSERT_TRUE(Stored(ann, QStringLiteral("Cat's \"hair\""), 0));

    allergies.AddOtherClick();
    Type(allergies.EditName, QStringLiteral("Cat's \"hair\""));
    Focus(allergies.Texts[1]);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Duplicate Item.")});
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), QStringLiteral("RecordType = 0")), 1);

    // Renaming the entry shown renames its row.
    Pick(allergies, QStringLiteral("Cat's \"hair\""));
    allergies.EditName->setText(QStringLiteral("Dust"));
    Focus(allergies.EditName);
    Focus(allergies.Texts[0]);
    EXPECT_EQ(Entries(allergies), QStringList{QStringLiteral("Dust")});
    EXPECT_TRUE(Stored(ann, QStringLiteral("Dust"), 0));
}

// After "Duplicate Item." the entry is not written, whichever of its fields
// is left next: the list, the table and the printout all hold it once, and
// one delete removes it for good.
class DuplicateHistoryEntry : public HistoryList, public ::testing::WithParamInterface<qint32> {
protected:
    static QString Section(qint32 type)
    {
        static const char* const sections[] = {"Allergies", "Childhood Diseases", "Adult illness", "Prescription",
                                               "Surgeries"};
        return QString::fromLatin1(sections[type]);
    }
    static int PrintedTimes(const QString& section, const QString& name)
    {
        int times = 0;
        for (const TScratchRow& row : ScratchRows(DataFolder))
            times += row[0] == section && row[1] == name;
        return times;
    }
    // Something typed into each of the entry's other fields, each left in turn.
    static void FillEveryOtherField(THistoryTab& tab)
    {
        std::vector<QWidget*> fields(tab.Texts.begin(), tab.Texts.end());
        fields.insert(fields.end(), tab.Boxes.begin(), tab.Boxes.end());
        fields.insert(fields.end(), tab.Dates.begin(), tab.Dates.end());
        fields.push_back(tab.MemoNote);
        for (QWidget* field : fields)
            Type(field, qobject_cast<TEfPictureField*>(field) ? QStringLiteral("02292020") : QStringLiteral("O'Hara"));
        Focus(tab.BtnAddOther);
    }
};

TEST_P(DuplicateHistoryEntry, IsNotWrittenWhenItsOtherFieldsAreLeft)
{
    const qint32 type = GetParam();
    const THistoryKind& kind = HistoryKinds()[size_t(type)];
    const QString name = QString::fromLatin1(kind.suggestions.back());
    const QString table = QStringLiteral("RecordType = %1").arg(type);
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& tab = Tab(dialog, type);
    CopySuggestion(tab, name);
    tab.AddOtherClick();
    Type(tab.EditName, name);
    FillEveryOtherField(tab);

    const QStringList told = boxes_.Texts();
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told, QStringList(told.size(), QStringLiteral("Duplicate Item.")));
    EXPECT_EQ(Entries(tab), QStringList{name});
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), table), 1);
    FillMedHistReport(dialog.PrintValues());
    EXPECT_EQ(PrintedTimes(Section(type), name), 1);

    boxes_.answers = {MsgResult::Yes};
    Pick(tab, name);
    tab.DeleteClick();
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), table), 0);
    ASSERT_TRUE(Close());
    EXPECT_TRUE(Entries(Open(ann).HistoryTab(type)).isEmpty()) << "back on reopening";
}

// An entry renamed onto another listed name keeps the name it is listed
// under, whichever field is left after the rename: neither entry is printed
// twice, and neither goes missing on reopening.
TEST_P(DuplicateHistoryEntry, ARenameOntoAListedNameIsNotWritten)
{
    const qint32 type = GetParam();
    const THistoryKind& kind = HistoryKinds()[size_t(type)];
    const QString listed = QString::fromLatin1(kind.suggestions.back());
    const QString own = QStringLiteral("O'Brien's \"<b>mix</b>\"");
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& tab = Tab(dialog, type);
    CopySuggestion(tab, listed);
    tab.AddOtherClick();
    Type(tab.EditName, own);
    Focus(tab.MemoNote);
    Pick(tab, own);
    Type(tab.EditName, listed);
    FillEveryOtherField(tab);

    QStringList both = Entries(tab);
    both.sort();
    EXPECT_EQ(both.join(QLatin1Char('|')), own + QLatin1Char('|') + listed);
    EXPECT_TRUE(Stored(ann, own, type));
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), QStringLiteral("RecordType = %1").arg(type)), 2);
    FillMedHistReport(dialog.PrintValues());
    EXPECT_EQ(PrintedTimes(Section(type), listed), 1);
    EXPECT_EQ(PrintedTimes(Section(type), own), 1);
    ASSERT_TRUE(Close());
    both = Entries(Open(ann).HistoryTab(type));
    both.sort();
    EXPECT_EQ(both.join(QLatin1Char('|')), own + QLatin1Char('|') + listed) << "on reopening";
    const QStringList told = boxes_.Texts();
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told, QStringList(told.size(), QStringLiteral("Duplicate Item.")));
}

INSTANTIATE_TEST_SUITE_P(EveryList, DuplicateHistoryEntry, ::testing::Range(0, 5));

TEST_F(HistoryList, DetailsAreWrittenAsTheyAreLeftAndReadBackOnClick)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& surgeries = Tab(dialog, 4);
    CopySuggestion(surgeries, QStringLiteral("Heart Valve "));
    Type(surgeries.Boxes[1], QStringLiteral("St. Mary's"));
    Focus(surgeries.MemoNote);
    Type(surgeries.MemoNote, QStringLiteral("Two nights"));
    Focus(surgeries.Boxes[0]);

    const std::optional<THistoryRecord> stored = Stored(ann, QStringLiteral("Heart Valve "), 4);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->fields[2], QStringLiteral("St. Mary's"));
    EXPECT_GT(stored->hospitalId, 0) << "the hospital typed in became a business";
    EXPECT_EQ(stored->note, QStringList{QStringLiteral("Two nights")});
    EXPECT_EQ(stored->edate, 0.0);

    surgeries.AddOtherClick();
    EXPECT_TRUE(surgeries.Boxes[1]->currentText().isEmpty());
    Pick(surgeries, QStringLiteral("Heart Valve "));
    EXPECT_EQ(surgeries.Boxes[1]->currentText(), QStringLiteral("St. Mary's"));
    EXPECT_EQ(surgeries.MemoNote->toPlainText(), QStringLiteral("Two nights"));
    EXPECT_TRUE(surgeries.Dates[0]->IsFieldBlank()) << "a date stored as none shows empty";
}

// The address button opens the address of the business the box names, for
// the doctors' category; the business saved becomes the box's.
TEST_F(HistoryList, TheAddressButtonSavesTheBusinessForItsBox)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& surgeries = Tab(dialog, 4);
    CopySuggestion(surgeries, QStringLiteral("Cataract"));
    surgeries.Boxes[1]->setEditText(QStringLiteral("Mercy \"East\""));
    QString nameShown;
    QTimer::singleShot(0, [&] {
        auto* address = qobject_cast<TDlgBusinessAddr*>(QApplication::activeModalWidget());
        ASSERT_NE(address, nullptr);
        nameShown = address->EditBizName->text();
        EXPECT_FALSE(address->CBCategory->isEnabled());
        address->EditCity->setText(QStringLiteral("Springfield"));
        address->OKBtn->click();
    });
    surgeries.AddressClick(1);
    EXPECT_EQ(nameShown, QStringLiteral("Mercy \"East\""));
    EXPECT_EQ(CountRows(QStringLiteral("BIZADDR"), QStringLiteral("CategoryNo = 5 AND City = 'Springfield'")), 1);
    EXPECT_EQ(surgeries.Boxes[1]->currentText(), QStringLiteral("Mercy \"East\""));
    EXPECT_GE(dialog.CBDoc->findText(QStringLiteral("Mercy \"East\"")), 0) << "every box lists it";
    QApplication::setActiveWindow(&dialog);
    Settle();
    Focus(surgeries.Boxes[1]);
    Focus(surgeries.MemoNote);
    EXPECT_GT(Stored(ann, QStringLiteral("Cataract"), 4)->hospitalId, 0);
    EXPECT_EQ(CountRows(QStringLiteral("BIZADDR"), QStringLiteral("CategoryNo = 5")), 1) << "not added twice";
}

// A doctor stored by a window whose box takes more: picked from a narrower
// box's list, it is that doctor, not a cut copy of the name.
TEST_F(HistoryList, ALongerDoctorPickedFromTheListIsTheDoctorStored)
{
    const QString doctor =
        QStringLiteral("St. Mary's \"Mercy\" Regional Medical Center, Department of Ophthalmology and Eye Surgery 3W");
    ASSERT_EQ(doctor.size(), 90);
    AppendRow(DataFolder, QStringLiteral("BIZADDR"), QStringLiteral("BizId"), [&](TDataSet& row) {
        row.FieldByName(QStringLiteral("BusinessName")).SetAsString(doctor);
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(5);
    });
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& surgeries = Tab(dialog, 4);
    CopySuggestion(surgeries, QStringLiteral("Cataract"));
    Focus(surgeries.Boxes[1]);
    surgeries.Boxes[1]->setCurrentIndex(surgeries.Boxes[1]->findText(doctor));
    EXPECT_EQ(surgeries.Boxes[1]->currentText(), doctor);
    Focus(surgeries.MemoNote);
    EXPECT_EQ(Stored(ann, QStringLiteral("Cataract"), 4)->fields[2], doctor);
    EXPECT_EQ(CountRows(QStringLiteral("BIZADDR"), QStringLiteral("CategoryNo = 5")), 1) << "no second doctor";

    dialog.CBDoc->setCurrentIndex(dialog.CBDoc->findText(doctor));
    EXPECT_EQ(dialog.CBDoc->currentText(), doctor) << "the vision tab's box, narrower still";
}

// Also when the dialog is closed from outside, as from the task bar while
// another window is active: the dialog's own focus still holds the caret.
TEST_F(HistoryList, ClosingWithTheCaretInTheSymptomStillSavesIt)
{
    for (const bool fromAnotherWindow : {false, true}) {
        SCOPED_TRACE(fromAnotherWindow ? "closed from another window" : "closed from the dialog");
        const qint32 ann = AddMember();
        TDlgMedHist& dialog = Open(ann);
        THistoryTab& allergies = Tab(dialog, 0);
        CopySuggestion(allergies, QStringLiteral("Penicillin"));
        Type(allergies.Texts[0], QStringLiteral("Hives"));
        QWidget other;
        if (fromAnotherWindow) {
            other.show();
            QApplication::setActiveWindow(&other);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        }
        ASSERT_EQ(QApplication::focusWidget() == allergies.Texts[0], !fromAnotherWindow);
        ASSERT_TRUE(Close());
        EXPECT_EQ(Stored(ann, QStringLiteral("Penicillin"), 0)->fields[0], QStringLiteral("Hives"));
    }
}

// A button's Alt key leaves the field holding the caret as a click would.
TEST_F(HistoryList, AButtonsAltKeyWritesWhatWasJustTyped)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    const auto altKey = [&](Qt::Key key, const THistoryTab& tab) {
        QTest::keyClick(&dialog, key, Qt::AltModifier);
        // The button acts a moment after its key.
        EXPECT_TRUE(QTest::qWaitFor([&] { return tab.EditName->text().isEmpty(); }));
    };
    THistoryTab& allergies = Tab(dialog, 0);
    Type(allergies.EditName, QStringLiteral("Latex"));
    Type(allergies.Texts[0], QStringLiteral("hives"));
    altKey(Qt::Key_A, allergies);
    EXPECT_EQ(Stored(ann, QStringLiteral("Latex"), 0)->fields[0], QStringLiteral("hives"));
    Type(allergies.EditName, QStringLiteral("Pollen"));
    altKey(Qt::Key_A, allergies);
    // Delete asks about the entry shown, not about Pollen, still selected.
    Type(allergies.EditName, QStringLiteral("Mold"));
    boxes_.answers = {MsgResult::Yes};
    altKey(Qt::Key_D, allergies);
    EXPECT_EQ(Entries(allergies), (QStringList{QStringLiteral("Latex"), QStringLiteral("Pollen")}));
    // Enter presses no button: a suggestion picked meanwhile is not copied
    // over the symptom still being typed.
    Pick(allergies, QStringLiteral("Pollen"));
    allergies.ListSuggested->setCurrentRow(0);
    allergies.SuggestionClick();
    Type(allergies.Texts[0], QStringLiteral("sneezing"));
    QTest::keyClick(allergies.Texts[0], Qt::Key_Return);
    Settle();
    EXPECT_EQ(allergies.Texts[0]->text(), QStringLiteral("sneezing"));
    EXPECT_EQ(Entries(allergies).size(), 2);
    // A button holding the caret takes Enter: the symptom was written as it was left.
    Focus(allergies.BtnAddOther);
    QTest::keyClick(allergies.BtnAddOther, Qt::Key_Return);
    EXPECT_TRUE(allergies.EditName->text().isEmpty());
    EXPECT_EQ(Stored(ann, QStringLiteral("Pollen"), 0)->fields[0], QStringLiteral("sneezing"));

    THistoryTab& adult = Tab(dialog, 2);
    CopySuggestion(adult, QStringLiteral("Asthma"));
    Type(adult.Dates[0], QStringLiteral("03152004"));
    altKey(Qt::Key_A, adult);
    EXPECT_EQ(Stored(ann, QStringLiteral("Asthma"), 2)->bdate, EncodeDate(2004, 3, 15));

    // A date the field refuses keeps the button from acting: told once, the
    // entry still shown, the caret back in the date.
    boxes_.shown.clear();
    TEfPictureField* begin = TypeAnImpossibleBeginDate(adult, QStringLiteral("Gout"));
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    // Longer than a button takes to act after its key.
    QTest::qWait(300);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Value is not a valid date")});
    EXPECT_EQ(adult.EditName->text(), QStringLiteral("Gout"));
    EXPECT_EQ(begin->Core().Text(), QStringLiteral("02/30/2004"));
    EXPECT_EQ(QApplication::focusWidget(), begin);
}

// A symptom left while the entry was renamed onto another listed name is not
// written; once the entry has its own name back, leaving the name box writes
// what is shown, even when it is left for the Close button.
TEST_F(HistoryList, ASymptomRefusedDuringARenameIsWrittenWhenTheOwnNameIsLeftForClose)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    TypeRashDuringARefusedRename(dialog);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Duplicate Item.")});
    QTest::mouseClick(dialog.BtnClose, Qt::LeftButton);
    Settle();
    ASSERT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored(ann, QStringLiteral("Latex"), 0)->fields[0], QStringLiteral("rash"));
    EXPECT_TRUE(Stored(ann, QStringLiteral("Pollen"), 0)->fields[0].isEmpty());
}

// Escape is refused for want of a first name and the profile comes forward;
// the entry whose name box was left so is still written, as it was shown,
// once the dialog closes.
TEST_F(HistoryList, AnEntryLeftByARefusedCloseIsWrittenWhenTheDialogCloses)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.EditFirst->clear();
    TypeRashDuringARefusedRename(dialog);
    ASSERT_FALSE(Close());
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Please enter your first name."));
    Type(dialog.EditFirst, QStringLiteral("Ann"));
    ASSERT_TRUE(Close());
    EXPECT_EQ(Stored(ann, QStringLiteral("Latex"), 0)->fields[0], QStringLiteral("rash"));
}

// The refused close takes the caret out of the begin date as leaving it
// would: the date shown there is kept like any other field, not dropped
// without a word once the name is given and the dialog closes.
TEST_F(HistoryList, ADateHoldingTheCaretAtARefusedCloseIsWrittenWhenTheDialogCloses)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.EditFirst->clear();
    THistoryTab& childhood = Tab(dialog, 1);
    CopySuggestion(childhood, QStringLiteral("Measles"));
    Type(childhood.Dates[0], QStringLiteral("02292004"));
    ASSERT_EQ(QApplication::focusWidget(), childhood.Dates[0]);
    ASSERT_FALSE(Close());
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Please enter your first name."));
    Type(dialog.EditFirst, QStringLiteral("Ann"));
    ASSERT_TRUE(Close());
    EXPECT_EQ(Stored(ann, QStringLiteral("Measles"), 1)->bdate, EncodeDate(2004, 2, 29));
}

// Whatever closes the dialog, a date still holding the caret is written as
// the Close button writes it: Measles' begin date and the Hernia surgery's.
TEST_F(HistoryList, ADateHoldingTheCaretIsWrittenHoweverTheDialogCloses)
{
    enum class Way { Button, Escape, TitleBar };
    for (const Way way : {Way::Button, Way::Escape, Way::TitleBar}) {
        for (const qint32 type : {1, 4}) {
            SCOPED_TRACE(::testing::Message() << "way " << int(way) << ", record type " << type);
            const QString name = type == 1 ? QStringLiteral("Measles") : QStringLiteral("Hernia");
            const qint32 ann = AddMember();
            TDlgMedHist& dialog = Open(ann);
            THistoryTab& tab = Tab(dialog, type);
            CopySuggestion(tab, name);
            Type(tab.Dates[0], QStringLiteral("03152004"));
            ASSERT_EQ(QApplication::focusWidget(), tab.Dates[0]);
            if (way == Way::Button)
                QTest::mouseClick(dialog.BtnClose, Qt::LeftButton);
            else if (way == Way::Escape)
                QTest::keyClick(tab.Dates[0], Qt::Key_Escape);
            else
                dialog.close();
            Settle();
            ASSERT_FALSE(dialog.isVisible());
            const std::optional<THistoryRecord> stored = Stored(ann, name, type);
            ASSERT_TRUE(stored);
            EXPECT_EQ(type == 1 ? stored->bdate : stored->edate, EncodeDate(2004, 3, 15));
            EXPECT_TRUE(boxes_.shown.isEmpty());
        }
    }
}

// A date its field refuses keeps Escape from closing, as it keeps the Close
// button from it; once put right, it is written however it was refused.
TEST_F(HistoryList, AnImpossibleDateKeepsTheDialogOpenAndOncePutRightIsWrittenOnEscape)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& childhood = Tab(dialog, 1);
    TEfPictureField* begin = TypeAnImpossibleBeginDate(childhood, QStringLiteral("Measles"));
    QTest::keyClick(begin, Qt::Key_Escape);
    Settle();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Value is not a valid date")});
    EXPECT_EQ(begin->Core().Text(), QStringLiteral("02/30/2004"));

    // Refused as the focus left it, then put right with the caret still there.
    Focus(childhood.MemoNote);
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), begin);
    begin->ClearText();
    QTest::keyClicks(begin, QStringLiteral("03152004"));
    QTest::keyClick(begin, Qt::Key_Escape);
    Settle();
    ASSERT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored(ann, QStringLiteral("Measles"), 1)->bdate, EncodeDate(2004, 3, 15));
}

TEST_F(HistoryList, SwitchingTabsWithTheCaretInTheSymptomSavesIt)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& allergies = Tab(dialog, 0);
    CopySuggestion(allergies, QStringLiteral("Food"));
    Type(allergies.Texts[1], QStringLiteral("Antihistamine"));
    THistoryTab& childhood = Tab(dialog, 1);
    Settle();
    EXPECT_TRUE(childhood.isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(Stored(ann, QStringLiteral("Food"), 0)->fields[1], QStringLiteral("Antihistamine"));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

// An entry reached with the arrow keys is shown as a click shows it, so the
// name typed next renames that entry and not the one shown before.
TEST_F(HistoryList, AnEntryPickedWithTheArrowKeysIsTheOneEdited)
{
    const qint32 ann = AddMember();
    AddHistoryRow(ann, 0, QStringLiteral("Latex"));
    AddHistoryRow(ann, 0, QStringLiteral("Pollen"));
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& allergies = Tab(dialog, 0);
    Pick(allergies, QStringLiteral("Latex"));
    Focus(allergies.ListOwn);
    QTest::keyClick(allergies.ListOwn, Qt::Key_Down);
    EXPECT_EQ(allergies.EditName->text(), QStringLiteral("Pollen"));
    Type(allergies.EditName, QStringLiteral("Pollen dust"));
    Focus(allergies.MemoNote);
    EXPECT_TRUE(Stored(ann, QStringLiteral("Latex"), 0)) << "Latex is not renamed";
}

TEST_F(HistoryList, ADetailWithoutItsNameIsRefusedAndKeepsTheDialogOpen)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& prescriptions = Tab(dialog, 3);
    Type(prescriptions.Texts[0], QStringLiteral("Headache"));
    EXPECT_FALSE(Close());
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter the \"Medication\" name.")});
    EXPECT_EQ(CountRows(QStringLiteral("MEDHIST"), QStringLiteral("MemberID = %1").arg(ann)), 0);
}

// A date typed for an entry with no name yet: Escape and the title bar keep
// the dialog open, as for any detail, and the date is written once named.
TEST_F(HistoryList, ADateWithoutItsNameKeepsTheDialogOpenHoweverItIsClosed)
{
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "title bar");
        boxes_.shown.clear();
        const qint32 ann = AddMember();
        TDlgMedHist& dialog = Open(ann);
        THistoryTab& childhood = Tab(dialog, 1);
        Type(childhood.Dates[0], QStringLiteral("03152004"));
        if (escape)
            QTest::keyClick(childhood.Dates[0], Qt::Key_Escape);
        else
            dialog.close();
        Settle();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter the \"Disease\" name.")});
        Type(childhood.EditName, QStringLiteral("Measles"));
        dialog.close();
        Settle();
        ASSERT_FALSE(dialog.isVisible());
        EXPECT_EQ(Stored(ann, QStringLiteral("Measles"), 1)->bdate, EncodeDate(2004, 3, 15));
    }
}

class HistoryDateRules : public HistoryList {
protected:
    void TypeDate(TEfPictureField* field, const QString& digits, QWidget* next)
    {
        Type(field, digits);
        Focus(next);
    }
};

TEST_F(HistoryDateRules, APrescriptionsDatesAgainstALeapDayBirthdayAndToday)
{
    TMemberRow row;
    row.dob = LeapBirth();
    const qint32 ann = AddMember(row);
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& prescriptions = Tab(dialog, 3);
    Type(prescriptions.EditName, QStringLiteral("Aspirin 'low dose'"));
    TEfPictureField* begin = prescriptions.Dates[0];
    TEfPictureField* end = prescriptions.Dates[1];
    TypeDate(begin, QStringLiteral("02282000"), prescriptions.MemoNote);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("It is impossible your entering date is earlier than your birthday.")});
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), begin) << "the focus stayed on the tab: the field gets it back";
    EXPECT_FALSE(begin->IsFieldBlank());

    boxes_.shown.clear();
    begin->ClearText();
    TypeDate(begin, QStringLiteral("02292000"), prescriptions.MemoNote);
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(Stored(ann, QStringLiteral("Aspirin 'low dose'"), 3)->bdate, LeapBirth());

    TypeDate(end, QStringLiteral("01012025"), prescriptions.MemoNote);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("It can' be the future date, please enter again.")});
    EXPECT_TRUE(end->IsFieldBlank());

    boxes_.shown.clear();
    Focus(prescriptions.MemoNote);
    TypeDate(end, QStringLiteral("02282000"), prescriptions.MemoNote);
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("It is impossible your entering date is earlier than your birthday.")});

    boxes_.shown.clear();
    end->ClearText();
    TypeDate(end, QStringLiteral("12312024"), prescriptions.MemoNote);
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(Stored(ann, QStringLiteral("Aspirin 'low dose'"), 3)->edate, Today());
}

TEST_F(HistoryDateRules, AnEndBeforeTheBeginIsRefusedAndEmptiedWhenTheTabIsLeft)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& childhood = Tab(dialog, 1);
    CopySuggestion(childhood, QStringLiteral("Measles"));
    TypeDate(childhood.Dates[0], QStringLiteral("04012024"), childhood.MemoNote);
    TypeDate(childhood.Dates[1], QStringLiteral("03312024"), dialog.BtnClose);
    EXPECT_EQ(boxes_.Texts(),
              QStringList{QStringLiteral("The end-date can not be earlier then begin-date. Please re-enter again.")});
    EXPECT_TRUE(childhood.Dates[1]->IsFieldBlank()) << "the focus left the tab: the field is emptied";
    const std::optional<THistoryRecord> stored = Stored(ann, QStringLiteral("Measles"), 1);
    EXPECT_EQ(stored->bdate, EncodeDate(2024, 4, 1));
    EXPECT_EQ(stored->edate, 0.0);
}

// Putting the tab away hides the begin date before the focus leaves it: an
// impossible date is still refused in the field's words, and its tab brought
// back as it was left.
TEST_F(HistoryDateRules, AnImpossibleDateIsRefusedWhenItsTabIsPutAway)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& adult = Tab(dialog, 2);
    TEfPictureField* begin = TypeAnImpossibleBeginDate(adult, QStringLiteral("Asthma"));
    QTabBar* tabs = dialog.PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(kPageProfile).center());
    Settle();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Value is not a valid date")});
    EXPECT_EQ(QApplication::focusWidget(), begin);
    EXPECT_EQ(begin->Core().Text(), QStringLiteral("02/30/2004"));
}

// A date picked in the calendar goes through the same rules as one typed.
// Boxes that take the focus into a window of their own while they are up, as
// a real message box does.
class FocusTakingBoxes : public MessageBoxes {
public:
    FocusTakingBoxes() { InstallMessageBoxes(this); }
    ~FocusTakingBoxes() override { InstallMessageBoxes(nullptr); }
    MsgResult Show(const MessageRequest& request) override
    {
        texts.append(request.text);
        box = std::make_unique<QLineEdit>();
        box->show();
        QApplication::setActiveWindow(box.get());
        box->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box.get()));
        return MsgResult::Ok;
    }
    void Beep() override {}
    // `back` is active again only after what the box's answer queued has run.
    void GiveBack()
    {
        QApplication::processEvents();
        box.reset();
        if (back)
            QApplication::setActiveWindow(back);
        QApplication::processEvents();
    }
    QStringList texts;
    QPointer<QWidget> back;
    std::unique_ptr<QLineEdit> box;
};

// The calendar button takes no focus, so the caret is still in the hospital
// box when the picked date is refused; the focus goes to the box's window
// and comes back to the date field: the hospital box has been left.
TEST_F(HistoryDateRules, AHospitalTypedBeforeARefusedPickedDateIsStillWritten)
{
    QWidget owner;
    InstallDatePicker(&owner);
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& surgeries = Tab(dialog, 4);
    CopySuggestion(surgeries, QStringLiteral("Hernia"));
    Type(surgeries.Boxes[1], QStringLiteral("St. Mary's"));
    {
        FocusTakingBoxes boxes;
        boxes.back = &dialog;
        surgeries.DatePickerClick(0);
        ASSERT_NE(DateForm, nullptr);
        // Clicked, the picker is the active window.
        QApplication::setActiveWindow(DateForm);
        EXPECT_TRUE(QTest::qWaitForWindowActive(DateForm));
        DateForm->SpinButton1UpClick();
        boxes.GiveBack();
        Settle();
        EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("It can't be the future date, please enter again.")});
    }
    InstallMessageBoxes(&boxes_);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), surgeries.Dates[0]);
    const std::optional<THistoryRecord> stored = Stored(ann, QStringLiteral("Hernia"), 4);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->fields[2], QStringLiteral("St. Mary's"));
    EXPECT_GT(stored->hospitalId, 0) << "the hospital typed in became a business";
    EXPECT_EQ(stored->edate, 0.0) << "the refused date is not kept";
    DateForm->hide();
    dialog_.reset();
}

TEST_F(HistoryDateRules, APickedDateIsCheckedAndWritten)
{
    QWidget owner;
    InstallDatePicker(&owner);
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    THistoryTab& surgeries = Tab(dialog, 4);
    CopySuggestion(surgeries, QStringLiteral("Hernia"));
    surgeries.DatePickerClick(0);
    ASSERT_NE(DateForm, nullptr);
    EXPECT_EQ(DateForm->SelCalend->selectedDate(), QDate(2024, 12, 31)) << "an empty field opens on today";
    DateForm->ComboBoxMonth->setCurrentIndex(10);
    DateForm->ComboBoxMonthChange();
    EXPECT_EQ(surgeries.Dates[0]->DateTimeValue(), EncodeDate(2024, 11, 30));
    EXPECT_EQ(Stored(ann, QStringLiteral("Hernia"), 4)->edate, EncodeDate(2024, 11, 30));
    DateForm->SpinButton1UpClick();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("It can't be the future date, please enter again.")});
    EXPECT_TRUE(surgeries.Dates[0]->IsFieldBlank());
    DateForm->hide();
    dialog_.reset();
}

}  // namespace
