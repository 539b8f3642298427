#include "health/dlgnewmedmember.h"
#include "health/radiogroup.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "controls/formdate.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace {

// Today in these tests: 15 June 2024.
const QDate kToday(2024, 6, 15);

struct MemberRow {
    qint32 memberID = 0;
    QString firstName, middleName, lastName;
    TDateTime dateOfBirth = 0.0;
    qint32 sex = 0, weight = 0, weightUnit = 0, height = 0, heightUnit = 0, display = -1;
};

class NewMemberTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFolder = folder_.Path();
        Clock::SetFixed(QDateTime(kToday, QTime(10, 0)));
        MemberAdded = false;
        CurMemberID = 0;
    }
    void TearDown() override
    {
        Clock::SetFixed(QDateTime());
        DataFolder.clear();
    }

    // The dialog shown and active, as the user meets it.
    std::unique_ptr<TDlgNewMedMember> Open()
    {
        auto dialog = std::make_unique<TDlgNewMedMember>();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    static void Fill(TDlgNewMedMember& dialog, const QString& first, const QString& last, TDateTime born, int sex)
    {
        dialog.Edit1->setText(first);
        dialog.Edit3->setText(last);
        dialog.EfPFDate->SetDateTimeValue(born);
        dialog.RadioGroup1->SetItemIndex(sex);
    }

    std::vector<MemberRow> Members() const
    {
        TQuery query(DataFolder);
        query.SQL() << QStringLiteral("SELECT * FROM MEDPROF ORDER BY MemberID");
        std::vector<MemberRow> rows;
        for (query.Open(); !query.Eof(); query.Next()) {
            const auto integer = [&](const char* name) { return query.FieldByName(QLatin1String(name)).AsInteger(); };
            const auto text = [&](const char* name) { return query.FieldByName(QLatin1String(name)).AsString(); };
            rows.push_back({integer("MemberID"), text("FirstName"), text("MiddleName"), text("LastName"),
                            query.FieldByName(QStringLiteral("DOB")).AsDateTime(), integer("Sex"), integer("Weight"),
                            integer("WeightUnit"), integer("Height"), integer("HeightUnit"), integer("Display")});
        }
        return rows;
    }

    FreshDataFolder folder_;
    ScriptedMessageBoxes boxes_;
};

TEST_F(NewMemberTest, RefusalsComeOneAtATimeInOrderWithTheFocusOnTheFieldAtFault)
{
    auto dialog = Open();
    MemberAdded = false;
    const auto clickOK = [&] {
        boxes_.shown.clear();
        dialog->OKBtn->click();
        Settle();
        return boxes_.Texts();
    };
    // Everything empty: only the first name is asked for.
    EXPECT_EQ(clickOK(), QStringList{QStringLiteral("Please enter the first name.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->Edit1);
    EXPECT_TRUE(MemberAdded) << "OK says a member was added before it checks";

    dialog->Edit1->setText(QStringLiteral("Ann"));
    EXPECT_EQ(clickOK(), QStringList{QStringLiteral("Please enter the last name.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->Edit3);

    dialog->Edit3->setText(QStringLiteral("Lee"));
    EXPECT_EQ(clickOK(), QStringList{QStringLiteral("Please enter the day of birth.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->EfPFDate);

    dialog->EfPFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    EXPECT_EQ(clickOK(), QStringList{QStringLiteral("Please specify gender.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->RadioGroup1->Item(0));
    EXPECT_EQ(boxes_.shown.first().icon, MsgIcon::Warning);

    EXPECT_TRUE(Members().empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Edit1->text(), QStringLiteral("Ann")) << "what was typed stays";
}

TEST_F(NewMemberTest, TheFocusStartsOnTheFirstNameAndTabWalksTheFormDownwards)
{
    auto dialog = Open();
    EXPECT_EQ(QApplication::focusWidget(), dialog->Edit1);
    const QList<QWidget*> order = {dialog->Edit2, dialog->Edit3, dialog->EfPFDate, dialog->RadioGroup1->Item(0)};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

TEST_F(NewMemberTest, ABirthDateAfterTodayIsRefusedWhenSavedThoughTheFieldWasNeverLeft)
{
    auto dialog = Open();
    // As the date picker or a typed date confirmed with Enter leaves it.
    Fill(*dialog, QStringLiteral("Ann"), QStringLiteral("Lee"), EncodeDate(2024, 6, 16), 1);
    dialog->OKBtn->click();
    Settle();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The Birthday can't be the future day.")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->EfPFDate);
    EXPECT_TRUE(dialog->EfPFDate->IsFieldBlank());
    EXPECT_TRUE(Members().empty());
    EXPECT_TRUE(dialog->isVisible());

    // Apply is held to the same rule; born today is not the future.
    boxes_.shown.clear();
    dialog->EfPFDate->SetDateTimeValue(EncodeDate(2025, 1, 1));
    dialog->Apply->click();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The Birthday can't be the future day.")});
    dialog->EfPFDate->SetDateTimeValue(EncodeDate(2024, 6, 15));
    dialog->OKBtn->click();
    ASSERT_EQ(Members().size(), 1u);
    EXPECT_EQ(Members()[0].dateOfBirth, EncodeDate(2024, 6, 15));
}

TEST_F(NewMemberTest, LeavingTheDateFieldWithTomorrowWarnsEmptiesItAndTakesTheFocusBack)
{
    auto dialog = Open();
    dialog->EfPFDate->setFocus(Qt::TabFocusReason);
    Settle();
    QTest::keyClicks(dialog->EfPFDate, QStringLiteral("06162024"));
    dialog->Edit1->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The Birthday can't be the future day.")});
    EXPECT_TRUE(dialog->EfPFDate->IsFieldBlank());
    EXPECT_EQ(QApplication::focusWidget(), dialog->EfPFDate);

    // Today's date leaves quietly, and so does leaving for Cancel.
    boxes_.shown.clear();
    QTest::keyClicks(dialog->EfPFDate, QStringLiteral("06152024"));
    dialog->Edit1->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_TRUE(boxes_.shown.isEmpty());
    EXPECT_EQ(dialog->EfPFDate->DateTimeValue(), EncodeDate(2024, 6, 15));

    dialog->EfPFDate->setFocus(Qt::TabFocusReason);
    Settle();
    QTest::keyClicks(dialog->EfPFDate, QStringLiteral("12312030"));
    dialog->CancelBtn->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

// Boxes that let the button's click land while the first box is up, as a
// mouse release does when the press has already moved the focus.
class ClickWhileBoxIsUp : public MessageBoxes {
public:
    explicit ClickWhileBoxIsUp(QPushButton* button) : button_(button) { InstallMessageBoxes(this); }
    ~ClickWhileBoxIsUp() override { InstallMessageBoxes(nullptr); }
    MsgResult Show(const MessageRequest& request) override
    {
        texts.append(request.text);
        ClickOnce();
        return MsgResult::Ok;
    }
    void Beep() override {}
    void ClickOnce()
    {
        if (std::exchange(clicked_, true))
            return;
        button_->click();
    }
    QStringList texts;

private:
    QPushButton* button_;
    bool clicked_ = false;
};

// Tomorrow typed, then OK or Apply clicked: the press takes the focus from the
// date field before the click saves. One warning, not one for the leaving
// and another for the save.
TEST_F(NewMemberTest, TomorrowTypedAndOKClickedWarnsOnce)
{
    for (QPushButton* TDlgNewMedMember::*button : {&TDlgNewMedMember::OKBtn, &TDlgNewMedMember::Apply}) {
        auto dialog = Open();
        Fill(*dialog, QStringLiteral("Ann"), QStringLiteral("O'Neil"), 0.0, 1);
        dialog->EfPFDate->setFocus(Qt::TabFocusReason);
        Settle();
        QTest::keyClicks(dialog->EfPFDate, QStringLiteral("06162024"));
        QPushButton* pressed = (*dialog).*button;
        {
            ClickWhileBoxIsUp boxes(pressed);
            pressed->setFocus(Qt::MouseFocusReason);
            Settle();
            boxes.ClickOnce();
            Settle();
            EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("The Birthday can't be the future day.")});
        }
        InstallMessageBoxes(&boxes_);
        EXPECT_TRUE(dialog->EfPFDate->IsFieldBlank());
        EXPECT_EQ(QApplication::focusWidget(), dialog->EfPFDate);
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_TRUE(Members().empty());
}

TEST_F(NewMemberTest, ApplyAddsSeveralMembersInOneOpeningEachBecomingTheCurrentMember)
{
    auto dialog = Open();
    // Two members with one first name, and names the database and the
    // pages must take as they are.
    Fill(*dialog, QStringLiteral("Ann"), QStringLiteral("O'Neil"), EncodeDate(1980, 2, 29), 1);
    dialog->Edit2->setText(QStringLiteral("\""));
    dialog->Apply->click();
    ASSERT_EQ(Members().size(), 1u);
    const qint32 first = CurMemberID;
    EXPECT_EQ(first, Members()[0].memberID);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->AppliedMember());

    // The form starts again.
    EXPECT_TRUE(dialog->Edit1->text().isEmpty());
    EXPECT_TRUE(dialog->Edit2->text().isEmpty());
    EXPECT_TRUE(dialog->Edit3->text().isEmpty());
    EXPECT_TRUE(dialog->EfPFDate->IsFieldBlank());
    EXPECT_EQ(dialog->RadioGroup1->ItemIndex(), -1);

    Fill(*dialog, QStringLiteral("Ann"), QStringLiteral("<b>Ann</b>"), EncodeDate(2023, 12, 31), 0);
    dialog->Apply->click();
    ASSERT_EQ(Members().size(), 2u);
    EXPECT_EQ(CurMemberID, Members()[1].memberID);
    EXPECT_NE(CurMemberID, first);

    // Cancel afterwards still reports the members added.
    MemberAdded = false;
    dialog->CancelBtn->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->Cancelled());
    EXPECT_TRUE(MemberAdded);

    const std::vector<MemberRow> rows = Members();
    EXPECT_EQ(rows[0].firstName, QStringLiteral("Ann"));
    EXPECT_EQ(rows[0].middleName, QStringLiteral("\""));
    EXPECT_EQ(rows[0].lastName, QStringLiteral("O'Neil"));
    EXPECT_EQ(rows[0].dateOfBirth, EncodeDate(1980, 2, 29));
    EXPECT_EQ(rows[0].sex, 1);
    EXPECT_EQ(rows[1].firstName, QStringLiteral("Ann"));
    EXPECT_EQ(rows[1].lastName, QStringLiteral("<b>Ann</b>"));
    EXPECT_EQ(rows[1].dateOfBirth, EncodeDate(2023, 12, 31));
    EXPECT_EQ(rows[1].sex, 0);
    for (const MemberRow& row : rows)
        EXPECT_EQ(row.display, 0) << "not yet placed in the folder tree";
}

TEST_F(NewMemberTest, CancelWithoutAnApplyReportsNoMemberAndTheCloseBoxLeavesAsCancelDoes)
{
    {
        auto dialog = Open();
        MemberAdded = true;  // left over from an earlier opening
        dialog->CancelBtn->click();
        EXPECT_FALSE(MemberAdded);
        EXPECT_TRUE(dialog->Cancelled());
        EXPECT_FALSE(dialog->AppliedMember());
    }
    {
        // An OK refused leaves MemberAdded set; closing the window then adds nothing.
        auto dialog = Open();
        dialog->OKBtn->click();
        EXPECT_TRUE(MemberAdded);
        dialog->close();
        EXPECT_FALSE(MemberAdded);
        EXPECT_TRUE(dialog->Cancelled());
    }
    EXPECT_TRUE(Members().empty());
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter the first name.")});
}

TEST_F(NewMemberTest, HeightIsStoredInInchesOrCentimetresAndEmptyNumbersAsZero)
{
    auto dialog = Open();
    EXPECT_TRUE(dialog->EfPFWeight->Core().DisplayText().trimmed().isEmpty()) << "blank until set";

    // Nothing but the four things asked for.
    Fill(*dialog, QStringLiteral("Cy"), QStringLiteral("Lee"), EncodeDate(2000, 1, 1), 0);
    dialog->Apply->click();

    Fill(*dialog, QStringLiteral("Di"), QStringLiteral("Lee"), EncodeDate(2000, 1, 1), 1);
    dialog->EfPFWeight->SetIntegerValue(150);
    dialog->EfPFHeight1->SetIntegerValue(5);
    dialog->EfPFHeight2->SetIntegerValue(7);
    dialog->Apply->click();
    EXPECT_FALSE(dialog->EfPFHeight2->isHidden());
    EXPECT_EQ(dialog->RadioGroup2->ItemIndex(), 0);
    EXPECT_EQ(dialog->EfPFWeight->IntegerValue(), 0) << "cleared after Apply";

    Fill(*dialog, QStringLiteral("Ed"), QStringLiteral("Lee"), EncodeDate(2000, 1, 1), 0);
    dialog->RadioGroup2->Item(1)->click();
    dialog->EfPFWeight->SetIntegerValue(68);
    dialog->EfPFHeight2->SetIntegerValue(9);
    dialog->RadioGroup3->Item(kHeightCentimetres)->click();
    EXPECT_TRUE(dialog->EfPFHeight2->isHidden());
    EXPECT_TRUE(dialog->EfSpinner3->isHidden());
    dialog->EfPFHeight1->SetIntegerValue(170);
    dialog->Apply->click();
    EXPECT_EQ(dialog->RadioGroup3->ItemIndex(), kHeightFeetInches) << "the units start again";
    EXPECT_FALSE(dialog->EfPFHeight2->isHidden());

    const std::vector<MemberRow> rows = Members();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].weight, 0);
    EXPECT_EQ(rows[0].height, 0);
    EXPECT_EQ(rows[0].weightUnit, 0);
    EXPECT_EQ(rows[0].heightUnit, 0);
    EXPECT_EQ(rows[1].weight, 150);
    EXPECT_EQ(rows[1].weightUnit, 0);
    EXPECT_EQ(rows[1].height, 67);
    EXPECT_EQ(rows[1].heightUnit, 0);
    EXPECT_EQ(rows[2].weight, 68);
    EXPECT_EQ(rows[2].weightUnit, 1);
    EXPECT_EQ(rows[2].height, 170) << "the inches are ignored";
    EXPECT_EQ(rows[2].heightUnit, 1);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(NewMemberTest, ANumberOutOfRangeConfirmedWithEnterIsNotSaved)
{
    auto dialog = Open();
    Fill(*dialog, QStringLiteral("Fay"), QStringLiteral("Lee"), EncodeDate(1999, 12, 31), 1);
    dialog->EfPFHeight1->SetIntegerValue(5);
    dialog->EfPFHeight2->setFocus(Qt::TabFocusReason);
    Settle();
    QTest::keyClicks(dialog->EfPFHeight2, QStringLiteral("14"));
    QTest::keyClick(dialog->EfPFHeight2, Qt::Key_Return);
    Settle();
    EXPECT_TRUE(Members().empty());
    EXPECT_EQ(boxes_.shown.size(), 1);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NewMemberTest, AFailedInsertKeepsTheDialogOpenWithWhatWasTyped)
{
    {
        TQuery trigger(DataFolder);
        trigger.SQL() << QStringLiteral(
            "CREATE TRIGGER NoMembers BEFORE INSERT ON MEDPROF BEGIN SELECT RAISE(ABORT, 'refused'); END");
        trigger.ExecSQL();
    }
    auto dialog = Open();
    Fill(*dialog, QStringLiteral("Gus"), QStringLiteral("Lee"), EncodeDate(1950, 7, 4), 0);
    CurMemberID = 7;
    dialog->OKBtn->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Edit1->text(), QStringLiteral("Gus"));
    EXPECT_EQ(dialog->EfPFDate->DateTimeValue(), EncodeDate(1950, 7, 4));
    EXPECT_EQ(CurMemberID, 7);
    ASSERT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(boxes_.shown[0].icon, MsgIcon::Error);
    EXPECT_TRUE(Members().empty());
}

TEST_F(NewMemberTest, TheCalendarButtonOpensThePickerOnTheFieldsDateAndThePickedDateComesBack)
{
    auto dialog = Open();
    dialog->EfPFDate->SetDateTimeValue(EncodeDate(2001, 3, 15));
    dialog->SBDate->click();
    TFormDate& picker = SharedDatePicker();
    ASSERT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.SelCalend->selectedDate(), QDate(2001, 3, 15));
    const QRect button(dialog->SBDate->mapToGlobal(QPoint(0, 0)), dialog->SBDate->size());
    EXPECT_EQ(picker.pos(), DatePickerPlace(button, picker.size(), dialog->SBDate->screen()->geometry()));

    picker.SelCalend->setSelectedDate(QDate(2001, 3, 28));
    picker.SelCalendClick();
    picker.HandleHideRequest();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(dialog->EfPFDate->DateTimeValue(), EncodeDate(2001, 3, 28));

    // From an empty field it opens on today.
    dialog->EfPFDate->ClearText();
    dialog->SBDate->click();
    EXPECT_EQ(picker.SelCalend->selectedDate(), kToday);
    picker.HandleHideRequest();
    EXPECT_TRUE(dialog->EfPFDate->IsFieldBlank()) << "hidden without a pick";
}

TEST_F(NewMemberTest, APickerLeftUpWhenTheDialogIsCancelledWritesToNoFreedDialog)
{
    auto dialog = Open();
    dialog->SBDate->click();
    TFormDate& picker = SharedDatePicker();
    ASSERT_TRUE(picker.isVisible());
    dialog->CancelBtn->click();
    EXPECT_TRUE(dialog->Cancelled());
    dialog.reset();
    // The picker still holds the callback it was given; the next month and a
    // day picked reach nothing.
    picker.SpinButton2UpClick();
    picker.SelCalend->setSelectedDate(QDate(2024, 7, 3));
    picker.SelCalendClick();
    picker.HandleHideRequest();
    Settle();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(NewMemberTest, Picture)
{
    auto dialog = Open();
    Fill(*dialog, QStringLiteral("Mary"), QStringLiteral("O'Neil"), EncodeDate(1972, 8, 19), 1);
    dialog->Edit2->setText(QStringLiteral("J"));
    dialog->EfPFWeight->SetIntegerValue(128);
    dialog->EfPFHeight1->SetIntegerValue(5);
    dialog->EfPFHeight2->SetIntegerValue(6);
    Settle();
    SavePicture(*dialog, QStringLiteral("dlg_newmember"));
    const QSize size = dialog->size();
    dialog->RadioGroup3->Item(kHeightCentimetres)->click();
    dialog->EfPFHeight1->SetIntegerValue(168);
    Settle();
    SavePicture(*dialog, QStringLiteral("dlg_newmember_cm"));
    EXPECT_EQ(dialog->size(), size) << "the inches leave their place empty";
}

}  // namespace
