#include "sqltext.h"

#include <algorithm>
#include <vector>

namespace {

enum class Kind { Word, String, QuotedName, Param, Symbol };

struct Token {
    Kind kind;
    qsizetype start;
    qsizetype end;
    int depth;   // parentheses around the token
};

bool IsNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The position after a quoted piece that starts at i; a doubled quote stays inside.
qsizetype SkipQuoted(const QString& sql, qsizetype i, QChar quote)
{
    const qsizetype n = sql.size();
    for (qsizetype j = i + 1; j < n; ++j) {
        if (sql[j] != quote)
            continue;
        if (j + 1 < n && sql[j + 1] == quote) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return n;
}

qsizetype SkipComment(const QString& sql, qsizetype i)
{
    if (sql[i + 1] == QLatin1Char('-')) {
        const qsizetype eol = sql.indexOf(QLatin1Char('\n'), i);
        return eol < 0 ? sql.size() : eol + 1;
    }
    const qsizetype close = sql.indexOf(QStringLiteral("*/"), i + 2);
    return close < 0 ? sql.size() : close + 2;
}

bool StartsComment(const QString& sql, qsizetype i)
{
    if (i + 1 >= sql.size())
        return false;
    return (sql[i] == QLatin1Char('-') && sql[i + 1] == QLatin1Char('-'))
        || (sql[i] == QLatin1Char('/') && sql[i + 1] == QLatin1Char('*'));
}

std::vector<Token> Tokenize(const QString& sql)
{
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    int depth = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (StartsComment(sql, i)) {
            i = SkipComment(sql, i);
            continue;
        }
        const qsizetype start = i;
        Kind kind = Kind::Symbol;
        if (c == QLatin1Char('\'')) {
            i = SkipQuoted(sql, i, c);
            kind = Kind::String;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`')) {
            i = SkipQuoted(sql, i, c);
            kind = Kind::QuotedName;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            i = close < 0 ? n : close + 1;
            kind = Kind::QuotedName;
        } else if (c == QLatin1Char(':') && i + 1 < n && IsNameStart(sql[i + 1])) {
            i += 2;
            while (i < n && IsNameChar(sql[i]))
                ++i;
            kind = Kind::Param;
        } else if (IsNameChar(c)) {
            while (i < n && (IsNameChar(sql[i]) || (c.isDigit() && sql[i] == QLatin1Char('.'))))
                ++i;
            kind = Kind::Word;
        } else {
            ++i;
            if (c == QLatin1Char(')'))
                --depth;
        }
        tokens.push_back({kind, start, i, depth});
        if (c == QLatin1Char('(') && kind == Kind::Symbol)
            ++depth;
    }
    return tokens;
}

QStringView Text(const QString& sql, const Token& t)
{
    return QStringView(sql).mid(t.start, t.end - t.start);
}

bool IsWord(const QString& sql, const Token& t, QLatin1String word)
{
    return t.kind == Kind::Word && Text(sql, t).compare(word, Qt::CaseInsensitive) == 0;
}

bool IsSymbol(const QString& sql, const Token& t, QChar symbol)
{
    return t.kind == Kind::Symbol && sql[t.start] == symbol;
}

// The bare name of a table token: a word, or a quoted name without its quotes.
QString TableName(const QString& sql, const Token& t)
{
    if (t.kind == Kind::Word)
        return Text(sql, t).toString();
    if (t.kind == Kind::QuotedName && t.end - t.start >= 2) {
        QString name = Text(sql, t).mid(1, t.end - t.start - 2).toString();
        const QChar quote = sql[t.start];
        if (quote != QLatin1Char('['))
            name.replace(QString(2, quote), QString(quote));
        return name;
    }
    return {};
}

// Words that make a statement more than one table's rows in order.
bool IsCompoundWord(const QString& sql, const Token& t)
{
    for (const char* word : {"GROUP", "HAVING", "LIMIT", "UNION", "INTERSECT", "EXCEPT", "JOIN", "WINDOW"})
        if (IsWord(sql, t, QLatin1String(word)))
            return true;
    return false;
}

}  // namespace

namespace SqlText {

Positional ToPositional(const QString& sql)
{
    Positional result;
    qsizetype copied = 0;
    for (const Token& t : Tokenize(sql)) {
        if (t.kind != Kind::Param)
            continue;
        result.text += QStringView(sql).mid(copied, t.start - copied);
        result.text += QLatin1Char('?');
        result.names.append(Text(sql, t).mid(1).toString());
        copied = t.end;
    }
    result.text += QStringView(sql).mid(copied);
    return result;
}

QStringList ParamNames(const QString& sql)
{
    QStringList unique;
    for (const QString& name : ToPositional(sql).names) {
        const bool seen = std::any_of(unique.cbegin(), unique.cend(), [&](const QString& known) {
            return known.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!seen)
            unique.append(name);
    }
    return unique;
}

std::optional<LiveSelect> ParseLiveSelect(const QString& sql)
{
    const std::vector<Token> t = Tokenize(sql);
    if (t.size() < 4 || !IsWord(sql, t[0], QLatin1String("SELECT")) || !IsSymbol(sql, t[1], QLatin1Char('*'))
        || !IsWord(sql, t[2], QLatin1String("FROM")))
        return std::nullopt;
    LiveSelect live;
    live.table = TableName(sql, t[3]);
    live.starAt = t[1].start;
    if (live.table.isEmpty())
        return std::nullopt;

    size_t orderAt = t.size();
    for (size_t i = 4; i < t.size(); ++i) {
        if (t[i].depth != 0)
            continue;
        if (IsCompoundWord(sql, t[i]))
            return std::nullopt;
        if (orderAt == t.size() && IsWord(sql, t[i], QLatin1String("ORDER")) && i + 1 < t.size()
            && IsWord(sql, t[i + 1], QLatin1String("BY")))
            orderAt = i;
    }
    if (t.size() == 4 || orderAt == 4)
        return live;
    if (!IsWord(sql, t[4], QLatin1String("WHERE")))
        return std::nullopt;
    const qsizetype whereEnd = orderAt < t.size() ? t[orderAt].start : sql.size();
    live.where = sql.mid(t[4].end, whereEnd - t[4].end).trimmed();
    if (live.where.isEmpty())
        return std::nullopt;
    return live;
}

QString FromTable(const QString& sql)
{
    const std::vector<Token> t = Tokenize(sql);
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i].depth == 0 && IsWord(sql, t[i], QLatin1String("FROM")))
            return TableName(sql, t[i + 1]);
    return {};
}

QString QuoteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace SqlText
