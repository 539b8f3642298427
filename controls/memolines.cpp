#include "memolines.h"

#include <QPlainTextEdit>

QStringList MemoLines(const QPlainTextEdit& memo)
{
    const QString text = memo.toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
