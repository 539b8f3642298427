#pragma once
// The backup password: at most 10 letters and digits, kept in the database
// only in scrambled form. Ten blanks, and so the empty password, mean none.
#include <QString>

// Pads to 10 characters with blanks (or cuts to 10) and gives 20 upper-case
// hexadecimal digits. Anything but letters, digits and the blank is refused
// with a warning box: false and no text.
bool ScramblePassword(const QString& password, QString& text);
// These two raise EDatabaseError when the database fails: a password that
// could not be checked is not a wrong one.
bool StoreBackupPassword(const QString& password);
// True when the password's scrambled text equals the stored one.
bool CheckBackupPassword(const QString& password);
