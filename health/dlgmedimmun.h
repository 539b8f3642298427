#pragma once
// "Immunization Schedule for <first name>": the member's vaccines by dose age
// as a grid with a clock in every cell where a dose is scheduled, one picture
// for a dose to do and another for a dose done. Clicking a dose opens its
// record; closing brings the member's reminders up to date.
#include "immundata.h"

#include <QDialog>
#include <QPixmap>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

// The two clock pictures, drawn on the key colour.
QPixmap ImmuClockPicture(bool done);

// Shows the schedule of CurMemberID modally and frees it.
void ShowImmunizationDialog();

class TDlgMedImmun : public QDialog {
    Q_OBJECT
public:
    explicit TDlgMedImmun(QWidget* parent = nullptr);

    QLabel* ImageDest;
    QLabel* JazLabel2;
    QTableWidget* DGImmu;
    QPushButton* BtnAdd;
    QPushButton* BtnEdit;
    QPushButton* BtnDel;
    QPushButton* ButRept;
    QPushButton* ButtonClose;

    const std::optional<TImmuGrid>& Grid() const { return grid_; }
    // False when the schedule could not be made: the user was told, and the
    // program is to end.
    bool Loaded() const { return grid_.has_value(); }

    void RefreshGrid();
    void DGImmuClick(int row, int column);
    void BtnAddClick();
    void BtnEditClick();
    void BtnDelClick();
    void ButReptClick();

    void done(int result) override;

private:
    void FillGrid();
    void WriteReminders();

    qint32 memberId_;
    std::optional<TImmuGrid> grid_;
    bool remindersWritten_ = false;
};
