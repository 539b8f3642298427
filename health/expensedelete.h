#pragma once
// Deleting one medical expense with what depends on it, as one change.
#include <QtGlobal>

// Removes the expense's row and all its split rows and unlinks the check-up
// records that pointed at it, in one transaction: on a failure nothing has
// changed and EDatabaseError passes to the caller.
void DeleteExpense(qint32 expId);
