#include "recordtext.h"

#include "context/context.h"
#include "controls/moneyedit.h"
#include "platform/formatsettings.h"
#include "platform/ui/messagebox.h"

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
    // Not bound by the money box's range: any amount with its cents in 64 bits.
    const QString grouped =
        CentsToText(AmountToCents(value).value_or(kTooBigToShowCents), QLatin1Char('.'), QLatin1Char(','));
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

namespace {
struct TWrapped {
    QString line1;
    QString line2;
    bool splitAtBlank = false;
};

TWrapped Wrap(const QStringList& lines, int width)
{
    if (lines.isEmpty())
        return {};
    QString text = lines.first();
    for (qsizetype i = 1; i < lines.size() && text.size() <= kMostJoinedLength; ++i)
        text += kBlank + lines[i];
    if (text.size() <= width)
        return {text, {}, false};
    const qsizetype blank = text.lastIndexOf(kBlank, width);
    if (blank < 0) {
        // One word longer than a line: cut it and carry on with the rest.
        return {text.left(width), text.mid(width, width), false};
    }
    return {text.left(blank), text.mid(blank + 1, width), true};
}
}  // namespace

void WrapWords(const QStringList& lines, int width, QString& line1, QString& line2)
{
    TWrapped wrapped = Wrap(lines, width);
    line1 = std::move(wrapped.line1);
    line2 = std::move(wrapped.line2);
}

QString WrapWordsOnOneLine(const QStringList& lines, int width)
{
    const TWrapped wrapped = Wrap(lines, width);
    return wrapped.splitAtBlank ? wrapped.line1 + kBlank + wrapped.line2 : wrapped.line1 + wrapped.line2;
}
