#pragma once
// The lines of a memo box as the records keep them: an empty box holds no
// line at all, not one empty line.
#include <QStringList>

class QPlainTextEdit;

QStringList MemoLines(const QPlainTextEdit& memo);
