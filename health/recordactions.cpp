#include "recordactions.h"

#include "context/databasefault.h"
#include "controls/efpicture.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

std::optional<TFixedExpenseOutcome> OpenRecordExpense(QWidget* parent, TEfPictureField& date, qint32 expId,
                                                      qint32 memberId)
{
    const TDateTime expenseDate = date.DateTimeValue();
    if (expenseDate == 0.0) {
        ShowMessageBox(QStringLiteral("Please enter the checkup date before Click."), MsgIcon::Warning, MsgOk);
        date.setFocus();
        return std::nullopt;
    }
    return OpenFixedMemberExpense(parent, TFixedExpenseRequest{expId, memberId, expenseDate});
}

bool SavedOrTold(const std::function<void()>& save)
{
    try {
        save();
    } catch (const EDatabaseError& error) {
        ShowMessageBox(QStringLiteral("Database access error! Please exit the application now.\n\n") +
                           ErrorText(error),
                       MsgIcon::Warning, MsgOk);
        return false;
    }
    return true;
}

bool DroppedOrTold(const std::function<void()>& drop)
{
    bool dropped = false;
    RunGuarded([&] {
        drop();
        dropped = true;
    });
    return dropped;
}

bool SavedWhereItFits(TEfPictureField& date, const std::function<std::optional<QString>()>& save)
{
    std::optional<QString> misfit;
    if (!SavedOrTold([&] { misfit = save(); }))
        return false;
    if (!misfit)
        return true;
    date.setFocus();
    ShowMessageBox(*misfit, MsgIcon::Warning, MsgOk);
    return false;
}
