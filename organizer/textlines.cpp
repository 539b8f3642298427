#include "textlines.h"

#include "records/common/recordtext.h"

#include <QTextBoundaryFinder>

namespace {

constexpr qsizetype JoinedLimit = 248;
const QString Ellipsis = QStringLiteral(" ...");

qsizetype FirstLineWithText(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        TrimLeadingBlanks(line);
        if (!line.isEmpty())
            return i;
    }
    return lines.size();
}

}  // namespace

void CopyTextLines(QStringList& destination, const QStringList& source)
{
    destination = source.mid(FirstLineWithText(source));
}

QString JoinTextLines(const QStringList& source)
{
    QString joined;
    const qsizetype first = FirstLineWithText(source);
    for (qsizetype i = first; i < source.size(); ++i) {
        const QString& line = source[i];
        const qsizetype room = JoinedLimit - joined.size();
        if (room <= 0)
            break;
        if (line.size() <= room) {
            joined += i == first ? line : QLatin1Char(' ') + line;
            continue;
        }
        if (room > Ellipsis.size())
            joined += QLatin1Char(' ') + LeftWhole(line, room - Ellipsis.size()).toString() + Ellipsis;
        break;
    }
    return joined;
}

QStringView LeftWhole(QStringView text, qsizetype count)
{
    if (count <= 0 || count >= text.size())
        return text.left(count);
    // Whether the cut parts a character depends on what stands before it and
    // on the code point after it, never on the rest: reading the rest would
    // make a long line cost its length again for every piece.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.left(count + 2));
    characters.setPosition(count);
    if (!characters.isAtBoundary()) {
        const qsizetype start = characters.toPreviousBoundary();
        if (start > 0)
            return text.left(start);
        // One character longer than the room: its code points at least stay whole.
        if (text.at(count - 1).isHighSurrogate() && text.at(count).isLowSurrogate())
            --count;
    }
    return text.left(count);
}
