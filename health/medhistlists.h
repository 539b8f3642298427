#pragma once
// The five history-list tabs of the medical-history dialog: allergies,
// childhood diseases, adult diseases, prescriptions and surgeries. One tab
// class, told by a table what each record type names, holds and checks. An
// entry is written as each of its fields is left.
#include "medhistdata.h"

#include <QWidget>
#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TDoctorBoxes;
class TEfController;
class TEfPictureField;

enum class TDateRole { Begin, End, Single };

struct THistoryText {
    const char* label;
    int maxLength;
    int field;   // 1..4
};

struct THistoryBox {
    const char* label;
    int maxLength;
    int field;       // 1..4: the name is stored as text too
    bool hospital;   // its key is HospitalID, else DoctorID
};

struct THistoryDate {
    const char* label;
    TDateRole role;   // Begin: Bdate; End and Single: Edate
};

struct THistoryKind {
    qint32 recordType;
    const char* sheetName;
    const char* caption;
    std::vector<const char*> suggestions;
    const char* singular;   // the own list's caption for fewer than two entries
    const char* plural;
    THistoryText name;
    std::vector<THistoryText> texts;
    std::vector<THistoryBox> boxes;
    std::vector<THistoryDate> dates;
    const char* noteLabel;
    const char* nameMissing;
    const char* future;
};

// Allergies, childhood, adult, prescription, surgeries: record types 0 to 4.
const std::array<THistoryKind, 5>& HistoryKinds();

enum class TDateVerdict { Accepted, BeforeBirth, Future, BeginAfterEnd, EndBeforeBegin };

// A history date against the date of birth, today and its partner (the end
// date of a begin date and the reverse; 0 when empty or none).
TDateVerdict JudgeHistoryDate(TDateTime date, TDateRole role, TDateTime partner, TDateTime birth, TDateTime today);
QString DateVerdictText(TDateVerdict verdict, const THistoryKind& kind);

class THistoryTab : public QWidget {
    Q_OBJECT
public:
    THistoryTab(const THistoryKind& kind, qint32 memberId, TDateTime birth, TDoctorBoxes& doctorBoxes,
                TEfController* controller, QWidget* parent);

    const THistoryKind& Kind() const { return kind_; }
    qint32 CurrentId() const { return currentId_; }
    QString GroupCaption() const;

    QListWidget* ListSuggested;
    QPushButton* BtnCopy;
    QGroupBox* GroupOwn;
    QListWidget* ListOwn;
    QPushButton* BtnAddOther;
    QPushButton* BtnDelete;
    QLineEdit* EditName;
    std::vector<QLineEdit*> Texts;
    std::vector<QComboBox*> Boxes;
    std::vector<QToolButton*> AddressButtons;
    std::vector<TEfPictureField*> Dates;
    std::vector<QToolButton*> DateButtons;
    QPlainTextEdit* MemoNote;

    // The member's entries, each name once.
    void LoadList();
    // The tab was brought forward: its selected entry is the current record.
    void Activated();

    void SuggestionClick();
    void CopyClick();
    void OwnListClick();
    void AddOtherClick();
    void DeleteClick();
    void NameChange();
    // The handlers of leaving a control; false when the entry could not be
    // written for want of its name.
    bool NameExit();
    bool DetailExit(QWidget* control);
    // `focusInPage`: the focus stays on this tab, so the field gets it back
    // after a refusal; otherwise a refused date is emptied. False when the
    // date was refused or its entry could not be written (no name yet).
    bool DateExit(int index, bool focusInPage);
    void AddressClick(int index);
    void DatePickerClick(int index);

    // The control whose leaving this tab handles, for a widget that has the
    // focus (a box's line edit stands for its box); nullptr when none.
    QWidget* DetailControlOf(QWidget* widget) const;
    int DateIndexOf(const QWidget* widget) const;

private:
    void BuildLists();
    QWidget* BuildDescription(TEfController* controller);
    void ClearDescription();
    void LoadRecord();
    bool Write(bool insert);
    bool Save();
    // The date rules for a date the picker put in.
    void PickedDateExit(int index);
    THistoryRecord RecordShown();
    int OwnRow(const QString& text) const;
    // The own list holds the name for an entry other than the current one.
    bool ListedForAnother(const QString& name) const;
    void AddOwn(const QString& text, qint32 historyId);
    void UpdateCaption();
    QComboBox* DoctorBox(bool hospital) const;

    const THistoryKind& kind_;
    qint32 memberId_;
    TDateTime birth_;
    TDoctorBoxes& doctorBoxes_;
    qint32 currentId_ = 0;
};
