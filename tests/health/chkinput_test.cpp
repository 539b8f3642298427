// The check-up windows under awkward use: items that share a name, members
// whose record lacks a birth date, dates at the ends of months and years.
#include "chkenv.h"

#include "health/chkitem.h"
#include "health/chkrecord.h"
#include "health/chkschedule.h"
#include "health/dlgaddck.h"
#include "health/dlgcheckupdata.h"
#include "health/dlgchkschedule.h"
#include "health/dlgchkupperform.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

class CheckupInput : public CheckupEnv {
protected:
    static int RowWith(const QTreeWidget& list, const QString& name, const QString& frequency)
    {
        for (int n = 0; n < list.topLevelItemCount(); ++n)
            if (list.topLevelItem(n)->text(0) == name && list.topLevelItem(n)->text(3) == frequency)
                return n;
        return -1;
    }
    static qint32 IntervalOf(qint32 templId)
    {
        return Count(QStringLiteral("SELECT Interval FROM MEDTEMPL WHERE TemplID = %1").arg(templId));
    }
};

TEST_F(CheckupInput, OfTwoItemsWithOneNameTheOneSelectedIsEdited)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    CurMemberID = ann;
    ASSERT_TRUE(LoadChkSchedule(ann, 1, TChkOrder::Name));
    const qint32 master = ItemOf(ann, QStringLiteral("Blood Pressure"));
    TChkItemForm twin;
    twin.name = QStringLiteral("Blood Pressure");
    twin.interval = 6;
    twin.unit = TIntervalUnit::Months;
    twin.startAge = 18;
    const qint32 added = AddChkItem(ann, 1, twin);
    TDlgChkSchedule dialog;
    const int row = RowWith(*dialog.LVSchedule, QStringLiteral("Blood Pressure"), QStringLiteral("6 month(s)"));
    ASSERT_GE(row, 0);
    dialog.LVSchedule->setCurrentItem(dialog.LVSchedule->topLevelItem(row));

    ScriptedMessageBoxes boxes;
    WhenShown<TDlgAddCk>([](TDlgAddCk& edit) {
        EXPECT_EQ(edit.SFInterval->value(), 6);
        EXPECT_EQ(edit.CBInterval->currentText(), QStringLiteral("Month(s)"));
        edit.SFInterval->setValue(3);
        edit.BtnOK->click();
    });
    dialog.BtnEditClick();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << "the name is unchanged";
    EXPECT_EQ(IntervalOf(added), 3);
    EXPECT_EQ(IntervalOf(master), 24);
    EXPECT_GE(RowWith(*dialog.LVSchedule, QStringLiteral("Blood Pressure"), QStringLiteral("3 month(s)")), 0);
    EXPECT_GE(RowWith(*dialog.LVSchedule, QStringLiteral("Blood Pressure"), QStringLiteral("2 year(s)")), 0);
    dialog.done(QDialog::Rejected);
}

// A keyboard is enough: Tab walks down each form in the order it reads and
// leaves the notes, so a tab never ends up in what is stored.
TEST_F(CheckupInput, TabWalksDownTheRecordAndItemFormsAndOutOfTheNotes)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    ASSERT_TRUE(LoadChkSchedule(ann, 1, TChkOrder::Name));
    const auto shown = [](QDialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    };
    TDlgChkupPerform perform(nullptr, *LoadChkRecord(ann, ItemOf(ann, QStringLiteral("Flu")), 0, NeverDoneDate()));
    shown(perform);
    EXPECT_EQ(TabChain(perform.PFDate, 5), (std::vector<QWidget*>{perform.PFDate, perform.CBDoc, perform.Button1,
                                                                   perform.MemoNote, perform.BtnOK}));
    EXPECT_EQ(perform.MemoNote->toPlainText(), QString());

    TDlgCheckupData record(nullptr, *LoadChkRecord(ann, 0, 0, NeverDoneDate()), true);
    shown(record);
    EXPECT_EQ(TabChain(record.ComboBox1, 6), (std::vector<QWidget*>{record.ComboBox1, record.PFDate, record.CBDoc,
                                                                     record.Button1, record.MemoNote, record.BtnOK}));

    TDlgAddCk item(nullptr, true, ann, 1, 40, 0);
    shown(item);
    EXPECT_EQ(TabChain(item.EditCheckup, 6), (std::vector<QWidget*>{item.EditCheckup, item.SFInterval, item.CBInterval,
                                                                     item.SFStartAge, item.MemoCheckup, item.BtnOK}));
    EXPECT_EQ(item.MemoCheckup->toPlainText(), QString());
}

// Made as small as the window lets it be, the schedule still shows its
// instructions line by line rather than one over the other.
TEST_F(CheckupInput, TheScheduleMadeSmallKeepsItsInstructionsReadable)
{
    CurMemberID = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    TDlgChkSchedule dialog;
    dialog.show();
    dialog.resize(200, 200);
    QApplication::processEvents();
    for (QWidget* page : {dialog.TabSheet1, dialog.TabSheet2}) {
        dialog.PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
        EXPECT_EQ(CrampedWidgets(*page), QStringList());
    }
    SavePicture(dialog, QStringLiteral("checkup_schedule_small"));
    dialog.done(QDialog::Rejected);
}

}  // namespace
