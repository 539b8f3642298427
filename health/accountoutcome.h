#pragma once
// How an insurance or FSA dialog was left, for the page that opened it.
#include "platform/ui/cursor.h"

#include <QDialog>
#include <QString>

#include <optional>

struct TAccountOutcome {
    // A new account needs a member to cover: the dialog was not shown.
    bool noMembers = false;
    bool cancelled = false;
    // An Apply saved an account before the dialog was left.
    bool applied = false;
    // The name the dialog saved last; empty when it saved none.
    QString savedAccountName;
};

// What the insurance and FSA dialogs share in being left. OK saves the
// account shown; Apply saves a new one and clears the form for the next.
// Leaving sets the opener's saved flag (cancelling keeps it only when an
// Apply saved) and remembers the name last typed.
class TAccountDialog : public QDialog {
public:
    bool Cancelled() const { return cancelled_; }
    bool AppliedOnce() const { return appliedOnce_; }
    const QString& SavedAccountName() const { return savedAccountName_; }

    void OKBtnClick()
    {
        savedFlag_ = true;
        if (Save(isNewAccount_))
            accept();
    }

    void ApplyClick()
    {
        savedFlag_ = true;
        if (!Save(true))
            return;
        appliedOnce_ = true;
        ClearForm();
    }

    void CancelBtnClick() { reject(); }

    void reject() override
    {
        savedFlag_ = appliedOnce_;
        cancelled_ = true;
        QDialog::reject();
    }

    void done(int result) override
    {
        const QString typed = TypedName();
        if (!typed.isEmpty())
            lastName_ = typed;
        QDialog::done(result);
    }

protected:
    TAccountDialog(bool isNewAccount, bool& savedFlag, QString& lastName, QWidget* parent)
        : QDialog(parent), isNewAccount_(isNewAccount), savedFlag_(savedFlag), lastName_(lastName)
    {
    }

    // Checks and writes the account; the name saved, or nullopt when the
    // entry was refused (the user was told).
    virtual std::optional<QString> SaveAccount(bool insert) = 0;
    virtual void ClearForm() = 0;
    virtual QString TypedName() const = 0;

    const bool isNewAccount_;
    // The name the dialog saved last, or the stored one of the account edited.
    QString savedAccountName_;

private:
    bool Save(bool insert)
    {
        std::optional<QString> saved = SaveAccount(insert);
        if (!saved)
            return false;
        savedAccountName_ = std::move(*saved);
        return true;
    }

    bool& savedFlag_;
    QString& lastName_;
    bool cancelled_ = false;
    bool appliedOnce_ = false;
};

// Creates an insurance or FSA dialog under the hourglass, for a new account
// or the one of CurAccountID, shows it modally and frees it. A new account
// is refused while the household has no member.
template <class TAccountDialog>
TAccountOutcome ShowAccountDialog(bool isNewAccount)
{
    const auto dialog = MakeUnderHourglass<TAccountDialog>(isNewAccount);
    if (isNewAccount && dialog->MemberCount() == 0)
        return TAccountOutcome{true, true, false, {}};
    dialog->exec();
    return TAccountOutcome{false, dialog->Cancelled(), dialog->AppliedOnce(), dialog->SavedAccountName()};
}
