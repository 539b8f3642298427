#pragma once
// "Add New Member": the one place a family member is created. One opening may
// add several members (Apply); each becomes the current member in turn.
#include "medhistdata.h"
#include "platform/datetime.h"

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TEfController;
class TEfPictureField;
class TEfSpinner;
class TRadioGroup;

// What the user entered for a new member, as the row is to hold it.
struct TNewMemberEntry {
    QString firstName;
    QString middleName;
    QString lastName;
    std::optional<TDateTime> dateOfBirth;  // none: the field is empty
    int sex = -1;                          // 0 male, 1 female, -1 not chosen
    qint32 weight = 0;
    int weightUnit = 0;                    // 0 lbs, 1 kgs
    qint32 height = 0;                     // inches, or centimetres
    int heightUnit = kHeightFeetInches;
};

// Why an entry cannot be saved, in the order the user is told.
enum class TNewMemberRefusal { FirstName, LastName, DateOfBirth, FutureBirthDate, Gender };

// The first reason the entry cannot be saved; none when it can.
std::optional<TNewMemberRefusal> CheckNewMember(const TNewMemberEntry& entry, TDateTime today);
// What the user is told.
QString RefusalText(TNewMemberRefusal refusal);
// Nobody is born after today.
bool IsFutureBirthDate(TDateTime dateOfBirth, TDateTime today);
// Feet and inches are stored as inches; centimetres as they are, the
// second box ignored.
qint32 StoredHeight(int heightUnit, qint32 feetOrCentimetres, qint32 inches);
// Writes the member's row, not yet placed in the folder tree; its MemberID.
// Raises EDatabaseError.
qint32 AppendMember(const TNewMemberEntry& entry);

// How the dialog was left; MemberAdded tells whether to look for new rows.
struct TNewMemberOutcome {
    bool cancelled = false;  // left with Cancel (or closed)
    bool applied = false;    // an Apply added a member first
};

// Creates the dialog under the hourglass, shows it modally and frees it.
TNewMemberOutcome ShowNewMemberDialog();

class TDlgNewMedMember : public QDialog {
    Q_OBJECT
public:
    explicit TDlgNewMedMember(QWidget* parent = nullptr);

    TEfController* EfController1;
    QLineEdit* Edit1;  // first name
    QLineEdit* Edit2;  // middle initial
    QLineEdit* Edit3;  // last name
    TEfPictureField* EfPFDate;
    QToolButton* SBDate;
    TRadioGroup* RadioGroup1;  // gender
    TRadioGroup* RadioGroup2;  // weight unit
    TEfPictureField* EfPFWeight;
    TEfSpinner* EfSpinner1;
    TRadioGroup* RadioGroup3;  // height unit
    TEfPictureField* EfPFHeight1;
    TEfSpinner* EfSpinner2;
    TEfPictureField* EfPFHeight2;
    TEfSpinner* EfSpinner3;
    QLabel* Label5;
    QPushButton* OKBtn;
    QPushButton* Apply;
    QPushButton* CancelBtn;

    bool Cancelled() const { return cancelled_; }
    bool AppliedMember() const { return appliedMember_; }

    void OKBtnClick();
    void ApplyClick();
    void CancelBtnClick();
    void RadioGroup3Click();
    void SBDateClick();
    void EfPFDateExit();
    // Checks and writes the member; false, with the user told and the focus
    // on the field at fault, when it is not written.
    bool SaveNewMember();

    // Escape and the close box leave as Cancel does.
    void reject() override;

private:
    TEfPictureField* NewNumberField();
    TEfSpinner* NewSpinner(TEfPictureField* field);
    void BuildLayout();
    TNewMemberEntry Entry();
    QWidget* FieldOf(TNewMemberRefusal refusal) const;
    bool NumberFieldsValid();
    void RefuseFutureBirthDate();
    void ClearForm();

    bool appliedMember_ = false;
    bool cancelled_ = false;
};
