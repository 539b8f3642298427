#pragma once
// The to-do rows the schedules and the to-do list write. Each routine raises
// EDatabaseError when the database fails: the caller tells the user, and one
// that changes several rows in a transaction has them all rolled back.
#include "platform/datetime.h"

#include <QString>

// Rewrites the row of TodoId, or appends one when TodoId is 0 or its row is
// gone; TodoId receives the row's key (unchanged when the write fails). Every
// write marks the row not done.
void WriteToDo(qint32& todoId, qint32 categoryNo, bool hasDue, const QString& description, TDateTime due);
void SaveToDo(qint32& todoId, qint32 categoryNo, const QString& description, TDateTime due);
// Nothing for 0.
void DeleteToDo(qint32 todoId);
