#include "recordtext.h"

#include "controls/moneyedit.h"
#include "platform/formatsettings.h"
#include "platform/messagebox.h"
#include "shell/context/context.h"

namespace {
const QChar kBlank(QLatin1Char(' '));
constexpr int kMostJoinedLength = 250;

void TrimTrailingBlanks(QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == kBlank)
        --end;
    text.truncate(end);
}
}  // namespace

void TrimLeadingBlanks(QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == kBlank)
        ++start;
    text.remove(0, start);
}

void TrimBlanks(QString& text)
{
    TrimLeadingBlanks(text);
    TrimTrailingBlanks(text);
}

void TrimLowerCase(QString& text)
{
    TrimBlanks(text);
    text = text.toLower();
}

QString FormatMoney(int width, double value)
{
    const QString grouped = MoneyToText(value, {QLatin1Char('$'), QLatin1Char('.'), QLatin1Char(',')});
    const QString text = QLatin1Char('$') + grouped;
    const qsizetype missing = qMax<qsizetype>(0, width - text.size());
    return QString(2 * missing + grouped.count(QLatin1Char(',')) + 1, kBlank) + text;
}

void ShowDateEntryError()
{
    // Until the main window has put the user's formats aside they are still in force.
    const QChar s = SavedDateSeparator.isNull() ? ProcessFormats().dateSeparator : SavedDateSeparator;
    ShowMessageBox(QStringLiteral("Date entry error. Legal format is mm") + s + QStringLiteral("dd") + s
                       + QStringLiteral("yyyy. For example, June 9, 1996 should be entered as 06") + s
                       + QStringLiteral("09") + s + QStringLiteral("1996."),
                   MsgIcon::Warning, MsgOk);
}

void WrapWords(const QStringList& lines, int width, QString& line1, QString& line2)
{
    line1.clear();
    line2.clear();
    if (lines.isEmpty())
        return;
    QString text = lines.first();
    for (qsizetype i = 1; i < lines.size() && text.size() <= kMostJoinedLength; ++i)
        text += kBlank + lines[i];
    if (text.size() <= width) {
        line1 = text;
        return;
    }
    const qsizetype blank = text.lastIndexOf(kBlank, width);
    if (blank < 0) {
        // One word longer than a line: cut it and carry on with the rest.
        line1 = text.left(width);
        line2 = text.mid(width, width);
        return;
    }
    line1 = text.left(blank);
    line2 = text.mid(blank + 1, width);
}
