#pragma once
// A member's medical record: profile, vision and the five history lists.
// Opened for CurMemberID. History entries are written as their fields are
// left; the profile and vision once, when the dialog closes, whatever closes
// it. A close that cannot save (a name missing, a database failure) is
// refused, and the dialog keeps what the user typed.
#include "doctorboxes.h"
#include "medhistdata.h"
#include "medhistprint.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QToolButton;
class TEfController;
class TEfPictureField;
class TEfSimpleField;
class TEfSpinner;
class THistoryTab;
class TRadioGroup;

// The pages of the dialog, in order.
enum TMedHistPage { kPageProfile, kPageVision, kPageAllergy, kPageChildhood, kPageAdult, kPagePrescription, kPageSurgery };

// Shows the dialog for CurMemberID modally; true when the profile was saved.
bool ShowMedHistDialog();

class TDlgMedHist : public QDialog {
    Q_OBJECT
public:
    // Reads the member's record; EDatabaseError when the database fails.
    explicit TDlgMedHist(QWidget* parent = nullptr);
    ~TDlgMedHist() override;

    QWidget* Panel1;
    QLabel* Label7;
    QLabel* LabelDesc;
    QLabel* Image1;
    QTabWidget* PageControl1;
    QWidget* TSProfile;
    QWidget* TSVision;
    std::array<THistoryTab*, 5> HistoryTabs{};
    QPushButton* BtnClose;
    QPushButton* BtnPrint;
    TEfController* EfController1;

    // Profile
    QLabel* Label46;
    QLineEdit* EditFirst;
    QLineEdit* EditMI;
    QLineEdit* EditLast;
    QLabel* LabelDOB;
    QLabel* LabelSex;
    TRadioGroup* RGWeight;
    TEfSimpleField* PFWeight;
    TEfSpinner* EfSpinner1;
    TRadioGroup* RGHeight;
    TEfPictureField* PFHeight1;
    TEfSpinner* EfSpinner2;
    TEfPictureField* PFHeight2;
    TEfSpinner* EfSpinner3;
    QLabel* LabelInches;
    QComboBox* CBBlood;
    QComboBox* CBRH;

    // Vision
    TEfPictureField* PFDate;
    QToolButton* SBDate;
    QComboBox* CBDoc;
    QToolButton* PSBDoc;
    QTableWidget* SGVision;
    QPlainTextEdit* VisionNote;

    THistoryTab& HistoryTab(qint32 recordType) { return *HistoryTabs.at(size_t(recordType)); }
    qint32 MemberId() const { return memberId_; }
    bool ProfileSaved() const { return profileSaved_; }

    // What the controls show, unsaved edits included.
    TMedProfile ProfileShown() const;
    TMedVision VisionShown() const;
    // What the printout takes from the dialog, unsaved edits included.
    TMedHistPrintValues PrintValues() const;

    void PageControl1Change(int index);
    void RGHeightClick();
    void SBDateClick();
    void PSBDocClick();
    void BtnPrintClick();
    // The checks and writes of closing; false keeps the dialog open.
    bool FormClose();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildHeader();
    QWidget* BuildProfile();
    QWidget* BuildVision();
    void ShowProfile();
    void LoadVision();
    bool RefuseClose(QLineEdit* edit, const QString& text);
    // Leaving a control of the dialog runs its handler.
    void FocusMoved(QWidget* old, QWidget* now);
    // False when the control refused to be left (a date refused, an entry
    // without its name).
    bool LeaveControl(QWidget* old, QWidget* now);
    // The control holding the caret is left as a click on `button` leaves
    // it, for a button that acts without taking the caret.
    bool LeaveForButton(QWidget* focused, QWidget* button);
    // An entry field's own check of its text, as leaving it runs it; a
    // refusal is told. True for any other control.
    bool EntryFieldTakes(QWidget* control);
    // Brings the field's tab forward and the caret back into the field.
    void ReturnToField(QWidget* field);
    THistoryTab* TabHolding(const QWidget* widget) const;

    qint32 memberId_;
    TDateTime birth_ = kNoBirthDate;
    std::optional<TMedProfile> profile_;
    TDoctorBoxes doctorBoxes_;
    QMetaObject::Connection focusWatch_;
    bool closing_ = false;
    bool leavingForButton_ = false;
    bool returningToField_ = false;
    bool profileSaved_ = false;
};
