#pragma once
// "Select Category": the view of the payments page, by patient, insurance
// company and coverage type.
#include "medpaystatement.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QPushButton;
struct TNamedKey;

// The names as items, each with its key as item data.
void AddNamedKeys(QComboBox& combo, const std::vector<TNamedKey>& keys);

struct TPayFilterChoice {
    TPayFilter filter;
    QString text;  // the page's filter text for it
};

class TDlgMedCategory : public QDialog {
    Q_OBJECT
public:
    // Reads the patients and the insurance companies.
    TDlgMedCategory(QWidget* parent, const TPayFilter& current);

    // The selections: each item carries its key, so a name is never looked
    // up again (two patients may share one).
    TPayFilterChoice Choice() const;

    QComboBox* CBMember;
    QComboBox* CBInsurance;
    QComboBox* CBType;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
};

// None when the dialog was cancelled.
std::optional<TPayFilterChoice> ChooseStatementFilter(QWidget* parent, const TPayFilter& current);
