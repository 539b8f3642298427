#pragma once
// Deleting a member or an account, the same from the folder tree and from
// the deletion window. Both raise EDatabaseError when the database fails, and
// then nothing is deleted.
#include <QtGlobal>

// The member's row, and the reminders its check-up and immunization rows
// keep in the to-do list (they would otherwise stay there for ever), in one
// transaction.
void DeleteMember(qint32 memberID);
// The account's row only.
void DeleteAccount(qint32 accountID);
