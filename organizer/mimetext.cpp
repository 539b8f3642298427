#include "mimetext.h"

#include <algorithm>

namespace {

constexpr qsizetype kQuotedLine = 76;
// 52 base64 characters between "=?UTF-8?B?" and "?=".
constexpr qsizetype kWordBytes = 39;

// The length of the character at `at`: a surrogate pair is one.
qsizetype CharacterLength(QStringView text, qsizetype at)
{
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

QString Quoted(QStringView character, bool endsLine)
{
    const char16_t c = character.size() == 1 ? character[0].unicode() : 0;
    const bool blank = c == u' ' || c == u'\t';
    if ((c > 32 && c < 127 && c != u'=') || (blank && !endsLine))
        return character.toString();
    QString quoted;
    for (const char byte : character.toUtf8())
        quoted += QStringLiteral("=%1").arg(static_cast<uchar>(byte), 2, 16, QLatin1Char('0')).toUpper();
    return quoted;
}

}  // namespace

bool IsAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

QStringList QuotedPrintableLines(QStringView line)
{
    QStringList lines{QString()};
    for (qsizetype at = 0; at < line.size();) {
        const qsizetype length = CharacterLength(line, at);
        const bool endsLine = at + length == line.size();
        const QString quoted = Quoted(line.mid(at, length), endsLine);
        // Room is kept for the soft break unless nothing follows.
        if (lines.last().size() + quoted.size() > kQuotedLine - (endsLine ? 0 : 1)) {
            lines.last() += QLatin1Char('=');
            lines << QString();
        }
        lines.last() += quoted;
        at += length;
    }
    return lines;
}

QStringList EncodedWords(QStringView text)
{
    QStringList words;
    QByteArray bytes;
    const auto addWord = [&] {
        words << QStringLiteral("=?UTF-8?B?") + QString::fromLatin1(bytes.toBase64()) + QStringLiteral("?=");
        bytes.clear();
    };
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = CharacterLength(text, at);
        const QByteArray character = text.mid(at, length).toUtf8();
        if (bytes.size() + character.size() > kWordBytes)
            addWord();
        bytes += character;
        at += length;
    }
    if (!bytes.isEmpty())
        addWord();
    return words;
}
