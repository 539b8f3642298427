#include "controls/efnumeric.h"
#include "controls/efpicture.h"
#include "controls/efsimple.h"
#include "controls/efspinner.h"
#include "effixture.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

namespace {

// A data-entry dialog as the program builds them: one controller, fields,
// a spinner beside the year, OK and Cancel.
struct EntryDialog {
    EntryDialog()
    {
        dialog = new QDialog;
        dialog->setWindowTitle(QStringLiteral("Check-up"));
        controller = new TEfController(dialog);
        auto* form = new QFormLayout;
        name = new TEfPictureField(dialog, pftString);
        date = new TEfPictureField(dialog, pftDate, QStringLiteral("MM/DD/yyyy"));
        date->Core().SetTrimBlanks(false);
        year = new TEfPictureField(dialog, pftInteger, QStringLiteral("iiii"));
        year->Core().SetMaxLength(4);
        year->Core().SetRange(1990, 2030);
        spinner = new TEfSpinner(dialog);
        spinner->FocusedControl = year;
        amount = new TEfNumericField(dialog, nftDouble, QStringLiteral("###,###.##"));
        visits = new TEfSimpleField(dialog, sftInteger, QLatin1Char('9'));
        visits->Core().SetMaxLength(2);
        auto* yearRow = new QHBoxLayout;
        yearRow->addWidget(year);
        yearRow->addWidget(spinner);
        form->addRow(QStringLiteral("Name:"), name);
        form->addRow(QStringLiteral("Date:"), date);
        form->addRow(QStringLiteral("Year:"), yearRow);
        form->addRow(QStringLiteral("Amount:"), amount);
        form->addRow(QStringLiteral("Visits:"), visits);
        ok = new QPushButton(QStringLiteral("OK"), dialog);
        ok->setDefault(true);
        cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
        controller->BtnCancel = cancel;
        QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(dialog);
        layout->addLayout(form);
        layout->addLayout(buttons);
    }
    ~EntryDialog() { delete dialog; }

    bool Show()
    {
        dialog->show();
        QApplication::setActiveWindow(dialog);
        return QTest::qWaitForWindowActive(dialog);
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        Settle();
    }

    QDialog* dialog;
    TEfController* controller;
    TEfPictureField* name;
    TEfPictureField* date;
    TEfPictureField* year;
    TEfSpinner* spinner;
    TEfNumericField* amount;
    TEfSimpleField* visits;
    QPushButton* ok;
    QPushButton* cancel;
};

class Form : public EntryFieldTest {
protected:
    void SetUp() override { ASSERT_TRUE(form.Show()); }

    EntryDialog form;
};

TEST_F(Form, TypingAndTabbingThroughTheFields)
{
    form.Focus(form.name);
    QTest::keyClicks(form.name, QStringLiteral("ann lee"));
    QTest::keyClick(form.name, Qt::Key_Tab);
    EntryDialog::Settle();
    ASSERT_EQ(QApplication::focusWidget(), form.date);
    QTest::keyClicks(form.date, QStringLiteral("02291996"));
    QTest::keyClick(form.date, Qt::Key_Tab);
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.year);
    EXPECT_EQ(form.name->TextValue(), QStringLiteral("ann lee"));
    EXPECT_DOUBLE_EQ(form.date->DateTimeValue(), EncodeDate(1996, 2, 29));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form, DateWithoutAYearIsLeftQuietly)
{
    form.date->SetPictureMask(QStringLiteral("MM/dd"));
    form.Focus(form.date);
    QTest::keyClicks(form.date, QStringLiteral("1231"));
    QTest::keyClick(form.date, Qt::Key_Tab);
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.year);
    EXPECT_DOUBLE_EQ(form.date->DateTimeValue(), EncodeDate(2024, 12, 31));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// A dialog's handler that fails (a database write, say) is told to the user;
// the failure never crosses the event loop.
TEST_F(Form, FailuresInAFieldsHandlersStayInsideTheEvent)
{
    form.name->Core().OnChange = [] { throw std::runtime_error("The disk is full."); };
    form.Focus(form.name);
    EXPECT_NO_THROW(QTest::keyClicks(form.name, QStringLiteral("A")));
    form.visits->Core().OnUserValidation = [](QObject*, quint16&) { throw std::runtime_error("Locked."); };
    form.Focus(form.visits);
    EXPECT_NO_THROW(form.Focus(form.name));
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("B"));
    EXPECT_NO_THROW(QApplication::sendEvent(form.name, &typed));
    form.spinner->OnClick = [](TEfSpinner*, TSpinState, double) { throw std::runtime_error("No step."); };
    form.Focus(form.year);
    EXPECT_NO_THROW(QTest::mouseClick(form.spinner, Qt::LeftButton, {}, QPoint(4, 2)));
    EXPECT_EQ(boxes.Texts(), (QStringList{QStringLiteral("The disk is full."), QStringLiteral("Locked."),
                                          QStringLiteral("The disk is full."), QStringLiteral("No step.")}));
}

TEST_F(Form, EditEventsNameTheOtherControl)
{
    QList<QPair<QObject*, QWidget*>> pre, post;
    form.controller->OnPreEdit = [&](QObject* field, QWidget* losing) { pre.append({field, losing}); };
    form.controller->OnPostEdit = [&](QObject* field, QWidget* gaining) { post.append({field, gaining}); };
    form.Focus(form.name);
    pre.clear();
    form.Focus(form.date);
    EXPECT_EQ(post, (QList<QPair<QObject*, QWidget*>>{{form.name, form.date}}));
    EXPECT_EQ(pre, (QList<QPair<QObject*, QWidget*>>{{form.date, form.name}}));
}

TEST_F(Form, KeysBecomeTableCommands)
{
    form.Focus(form.name);
    QTest::keyClicks(form.name, QStringLiteral("abcd"));
    QTest::keyClick(form.name, Qt::Key_Home);
    QTest::keyClick(form.name, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(form.name, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(form.name, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ab"));
    EXPECT_FALSE(form.name->Core().HasSelection()) << "copying ends the selection";
    QTest::keyClick(form.name, Qt::Key_Delete);
    EXPECT_EQ(form.name->TextValue(), QStringLiteral("abd"));
    QTest::keyClick(form.name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.name->TextValue(), QString()) << "Ctrl+Z restores the text on entry";
    QGuiApplication::clipboard()->setText(QStringLiteral("12x3"));
    form.Focus(form.visits);
    QTest::keyClick(form.visits, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.visits->IntegerValue(), 12) << "pasted through the mask, two digits";
}

TEST_F(Form, ReturnAndEscapeReachTheDialog)
{
    form.Focus(form.visits);
    QTest::keyClick(form.visits, Qt::Key_Return);
    EXPECT_EQ(form.dialog->result(), QDialog::Accepted);
    ASSERT_TRUE(form.Show());
    form.Focus(form.visits);
    QTest::keyClick(form.visits, Qt::Key_Escape);
    EXPECT_EQ(form.dialog->result(), QDialog::Rejected);
}

TEST_F(Form, InputMethodTextArrivesAsTyping)
{
    form.Focus(form.visits);
    QInputMethodEvent event;
    event.setCommitString(QStringLiteral("7a3"));
    QApplication::sendEvent(form.visits, &event);
    EXPECT_EQ(form.visits->IntegerValue(), 73);
}

TEST_F(Form, AnErrorTakesTheFocusBack)
{
    form.name->Core().InputRequired = true;
    form.Focus(form.name);
    form.Focus(form.date);
    EXPECT_EQ(QApplication::focusWidget(), form.name);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("A value is required in this field")});
    EXPECT_TRUE(form.name->Core().IsInvalid());
    QTest::keyClicks(form.name, QStringLiteral("Bo"));
    form.Focus(form.date);
    EXPECT_EQ(QApplication::focusWidget(), form.date);
    EXPECT_FALSE(form.name->Core().IsInvalid());
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(Form, TheErrorHandlerOfTheControllerGetsTheField)
{
    QObject* sender = nullptr;
    form.controller->OnError = [&](QObject* from, quint16, const QString&) { sender = from; };
    form.Focus(form.year);
    QTest::keyClicks(form.year, QStringLiteral("1800"));
    form.Focus(form.amount);
    EXPECT_EQ(sender, form.year);
    EXPECT_EQ(QApplication::focusWidget(), form.year);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form, LeavingForCancelReportsNothing)
{
    form.name->Core().InputRequired = true;
    form.Focus(form.name);
    QTest::mouseClick(form.cancel, Qt::LeftButton);
    EntryDialog::Settle();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(form.dialog->result(), QDialog::Rejected);
}

TEST_F(Form, OkPressedOnAFieldInErrorDoesNotClick)
{
    form.name->Core().InputRequired = true;
    form.Focus(form.name);
    QTest::mousePress(form.ok, Qt::LeftButton);
    EntryDialog::Settle();
    QTest::mouseRelease(form.ok, Qt::LeftButton);
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.name);
    EXPECT_TRUE(form.dialog->isVisible()) << "the dialog was not accepted";
}

TEST_F(Form, FocusRequestForAFieldThatIsGoneDoesNothing)
{
    form.name->Core().InputRequired = true;
    form.Focus(form.name);
    form.date->setFocus();
    delete form.name;  // the field in error is gone before the request arrives
    form.name = nullptr;
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.date);
    EXPECT_TRUE(boxes.shown.isEmpty()) << "nobody reports for a freed field";
}

TEST(FormClosing, DialogClosedBeforeTheFocusComesBack)
{
    ScriptedMessageBoxes boxes;
    auto* entry = new EntryDialog;
    ASSERT_TRUE(entry->Show());
    entry->name->Core().InputRequired = true;
    entry->Focus(entry->name);
    entry->date->setFocus();
    delete entry;  // closed and freed with the focus request still queued
    EntryDialog::Settle();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form, SpinnerWaitsForTheFieldBeingLeft)
{
    form.name->Core().InputRequired = true;
    form.Focus(form.name);
    form.year->SetIntegerValue(2000);
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, QPoint(4, 2));
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.name) << "the field in error keeps the focus";
    EXPECT_EQ(form.year->IntegerValue(), 2000);
}

TEST_F(Form, SpinnerStepsTheYearAndWraps)
{
    form.Focus(form.date);
    form.year->SetIntegerValue(2029);
    const QPoint up(form.spinner->width() / 2, 2);
    const QPoint down(form.spinner->width() / 2, form.spinner->height() - 2);
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, up);
    EntryDialog::Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.year) << "the spinner hands the focus to its field";
    EXPECT_EQ(form.year->IntegerValue(), 2030);
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, up);
    EXPECT_EQ(form.year->IntegerValue(), 1990) << "wrapped to the low end";
    form.spinner->WrapMode = false;
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, down);
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, down);
    EXPECT_EQ(form.year->IntegerValue(), 1990);
    QList<TSpinState> clicks;
    form.spinner->OnClick = [&](TEfSpinner*, TSpinState state, double) { clicks << state; };
    QTest::mouseClick(form.spinner, Qt::LeftButton, {}, up);
    EXPECT_EQ(clicks, QList<TSpinState>{spUp});
    EXPECT_EQ(form.year->IntegerValue(), 1991);
}

TEST_F(Form, HeldSpinnerFollowsTheMouseBetweenHalves)
{
    form.Focus(form.year);
    form.year->SetIntegerValue(2000);
    QTest::mousePress(form.spinner, Qt::LeftButton, {}, QPoint(4, 2));
    EXPECT_EQ(form.spinner->State(), spUp);
    QMouseEvent move(QEvent::MouseMove, QPointF(4, form.spinner->height() - 2),
                     form.spinner->mapToGlobal(QPointF(4, form.spinner->height() - 2)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.spinner, &move);
    EXPECT_EQ(form.spinner->State(), spDown);
    EXPECT_TRUE(form.spinner->Pressed());
    QTest::mouseRelease(form.spinner, Qt::LeftButton, {}, QPoint(4, 2));
    EXPECT_FALSE(form.spinner->Pressed());
}

TEST_F(Form, PicturesOfNormalAndErrorStates)
{
    form.name->SetTextValue(QStringLiteral("Ann Lee"));
    form.date->SetDateTimeValue(EncodeDate(2024, 3, 15));
    form.year->SetIntegerValue(2024);
    form.amount->SetFloatValue(1234.5);
    form.Focus(form.name);
    QTest::keyClick(form.name, Qt::Key_End);
    QTest::keyClick(form.name, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    SavePicture(*form.dialog, QStringLiteral("entryfields_normal"));
    QTest::keyClick(form.name, Qt::Key_Left);
    SavePicture(*form.name, QStringLiteral("entryfields_caret"));
    form.Focus(form.date);
    QTest::keyClick(form.date, Qt::Key_Home);
    QTest::keyClick(form.date, Qt::Key_Insert);
    QTest::keyClicks(form.date, QStringLiteral("13"));
    form.Focus(form.amount);
    ASSERT_EQ(QApplication::focusWidget(), form.date);
    ASSERT_TRUE(form.date->Core().IsInvalid());
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Value is not a valid date")});
    SavePicture(*form.dialog, QStringLiteral("entryfields_error"));
}

}  // namespace
