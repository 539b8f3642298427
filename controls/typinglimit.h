#pragma once
// A box's limit on what the user types or pastes. A text the program puts in
// (a stored value, a name picked from a list) is shown and kept whole however
// long it is: the user may shorten it, and type over it up to its length, but
// not lengthen it past that. Once the user has emptied the box, the limit
// holds again.
class QLineEdit;
class QPlainTextEdit;

// Calling it again gives the box another limit.
void LimitTyping(QLineEdit& edit, int limit);
void LimitTyping(QPlainTextEdit& memo, int limit);
