#pragma once
// What the check-up and vaccine record dialogs do alike on their buttons: the
// expense report for the date entered, and the save that tells a database
// failure so the dialog stays open with what the user typed.
#include "expenseopener.h"

#include <functional>
#include <optional>

class TEfPictureField;

// The expense dialog for the member on the record's date. With no date the
// user is asked for one first, and nothing opens.
std::optional<TFixedExpenseOutcome> OpenRecordExpense(QWidget* parent, TEfPictureField& date, qint32 expId,
                                                      qint32 memberId);

// Runs `save`; a database failure is told with the advice to exit, and gives
// false.
bool SavedOrTold(const std::function<void()>& save);
// Runs `drop`, the removal of what an unsaved record leaves, as the record
// is left; a failure is told as any other, and gives false: the dialog stays
// open so that the user can try again.
bool DroppedOrTold(const std::function<void()>& drop);
// The same for a save that refuses to move the record's expense where its
// payments no longer fit: the refusal is told, with the caret in the date,
// and gives false too.
bool SavedWhereItFits(TEfPictureField& date, const std::function<std::optional<QString>()>& save);
