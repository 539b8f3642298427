#pragma once
// "Check-up Schedule for <first name>": the member's check-up items with
// when each was last performed, when it is due and how often, and on a
// second page the log of check-ups and immunizations done. Closing brings
// the member's check-up reminders up to date.
#include "chkschedule.h"

#include <QDialog>
#include <QPixmap>
#include <optional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

// The picture of the dialog's pages, drawn on the key colour.
QPixmap CheckupPicture();

// Shows the schedule of CurMemberID modally and frees it.
void ShowCheckupScheduleDialog();

class TDlgChkSchedule : public QDialog {
    Q_OBJECT
public:
    explicit TDlgChkSchedule(QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QLabel* JzLbName;
    QLabel* ImageDest1;
    QLabel* ImageDest2;
    QTreeWidget* LVSchedule;
    QPushButton* Button5;   // Performed
    QPushButton* BtnAdd;
    QPushButton* BtnEdit;
    QPushButton* BtnDel;
    QPushButton* ButtonSReport;
    QLabel* LabelTitleLogPage;
    QTreeWidget* LVLog;
    QPushButton* BtnLogAdd;
    QPushButton* BtnLogEdit;
    QPushButton* BtnLogDelete;
    QPushButton* ButtonLReport;
    QPushButton* ButtonClose;

    // False when the schedule could not be made: the user was told, and the
    // program is to end.
    bool Loaded() const { return items_.has_value(); }
    const std::vector<TChkSchedRec>& Items() const { return *items_; }
    bool LogChanged() const { return logChanged_; }

    void Button5Click();
    void BtnAddClick();
    void BtnEditClick();
    void BtnDelClick();
    void LVScheduleClick();
    void LVScheduleColumnClick(int column);
    void ButtonSReportClick();
    void BtnLogAddClick();
    void BtnLogEditClick();
    void BtnLogDeleteClick();
    void LVLogClick();
    void LVLogColumnClick(int column);
    void ButtonLReportClick();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildSchedulePage();
    QWidget* BuildLogPage();
    // Reads the items in the order asked and shows the shown ones.
    void FillSchedule(TChkOrder order = TChkOrder::Name);
    void FillLog(TChkLogOrder order = TChkLogOrder::None);
    // After a change: both lists from the database, the schedule in name order.
    void RefreshBoth();
    void ApplyButtonRules();
    qint32 SelectedTemplId() const;
    qint32 SelectedCheckupId() const;
    void Reselect(QTreeWidget* list, int row);
    // The id of the line selected in the list once the user agreed to its
    // deletion; nothing when none is selected or the user declined.
    std::optional<qint32> ConfirmedDeletion(QTreeWidget* list);
    void WriteReminders();

    qint32 memberId_;
    TScheduleMember member_;
    int age_;
    std::optional<std::vector<TChkSchedRec>> items_;
    TChkSortClicks clicks_;
    bool logChanged_ = false;
    bool remindersWritten_ = false;
};
