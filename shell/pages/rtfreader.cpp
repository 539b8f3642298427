#include "rtfreader.h"

#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxNameLength = 32;
constexpr int kMaxDigits = 10;
// Deeper groups are read but share their parent's state, so a text of
// nothing but braces cannot eat the memory.
constexpr size_t kMaxGroupDepth = 256;

// The code page the help file declares: Latin-1 but for 0x80 to 0x9F.
QChar FromCodePage1252(unsigned char byte)
{
    static const std::array<char16_t, 32> kHigh = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(kHigh[byte - 0x80]);
    return QChar(byte);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Groups whose text is not part of the document.
bool IsSkippedDestination(const QByteArray& word)
{
    static const std::array<const char*, 22> kNames = {
        "fonttbl", "colortbl", "stylesheet", "info",     "pict",       "object",    "header",   "headerl",
        "headerr", "headerf",  "footer",     "footerl",  "footerr",    "footerf",   "footnote", "listtable",
        "listoverridetable", "rsidtbl", "generator", "fldinst", "themedata", "datastore"};
    return std::any_of(kNames.begin(), kNames.end(), [&](const char* name) { return word == name; });
}

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;
    int unicodeSkip = 1;
    bool skipped = false;
    int spaceBefore = 0;   // twips
    int spaceAfter = 0;
    int leftIndent = 0;
};

struct ControlWord {
    QByteArray name;
    bool hasParam = false;
    int param = 0;
};

class Reader {
public:
    Reader(const QByteArray& rtf, QTextDocument& document) : in_(rtf)
    {
        document.clear();
        cursor_ = QTextCursor(&document);
        groups_.push_back(GroupState{});
    }

    // One edit block: the document settles once, not after each run of
    // text, which made many format changes cost the square of their number.
    void Run()
    {
        cursor_.beginEditBlock();
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{')
                OpenGroup();
            else if (c == '}')
                CloseGroup();
            else if (c == '\\')
                ReadControl();
            else if (c != '\r' && c != '\n')
                Character(FromCodePage1252(static_cast<unsigned char>(c)), true);
        }
        FlushText();
        if (paragraphHasText_)
            ApplyParagraphFormat();
        cursor_.endEditBlock();
    }

private:
    GroupState& State() { return groups_.back(); }

    void OpenGroup()
    {
        FlushText();
        if (groups_.size() < kMaxGroupDepth)
            groups_.push_back(State());
        else
            ++overflowDepth_;
        groupStart_ = true;
        pendingSkip_ = 0;
    }

    void CloseGroup()
    {
        FlushText();
        if (overflowDepth_ > 0)
            --overflowDepth_;
        else if (groups_.size() > 1)
            groups_.pop_back();
        groupStart_ = false;
        pendingSkip_ = 0;
    }

    void ReadControl()
    {
        if (pos_ >= in_.size())
            return;
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ControlSymbol(c, atGroupStart);
            return;
        }
        const ControlWord word = ReadWord();
        if (atGroupStart && IsSkippedDestination(word.name))
            State().skipped = true;
        Apply(word);
    }

    ControlWord ReadWord()
    {
        ControlWord word;
        while (pos_ < in_.size() && IsLetter(in_[pos_]) && word.name.size() < kMaxNameLength)
            word.name.append(in_[pos_++]);
        while (pos_ < in_.size() && IsLetter(in_[pos_]))
            ++pos_;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        qint64 value = 0;
        int digits = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            if (digits++ < kMaxDigits)
                value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (digits > 0) {
            word.hasParam = true;
            value = std::min<qint64>(value, 0x7FFFFFFF);
            word.param = static_cast<int>(negative ? -value : value);
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        return word;
    }

    void ControlSymbol(char c, bool atGroupStart)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(QLatin1Char(c), true);
            break;
        case '\'':
            HexCharacter();
            break;
        case '~':
            Character(QChar(0x00A0), true);
            break;
        case '_':
            Character(QChar(0x2011), true);
            break;
        case '*':
            if (atGroupStart)
                State().skipped = true;
            break;
        case '\r':
        case '\n':
            Paragraph();
            break;
        default:
            break;
        }
    }

    void HexCharacter()
    {
        if (pos_ + 1 >= in_.size()) {
            pos_ = in_.size();
            return;
        }
        const int high = HexValue(in_[pos_]);
        const int low = HexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0)
            return;
        pos_ += 2;
        Character(FromCodePage1252(static_cast<unsigned char>(high * 16 + low)), true);
    }

    void Apply(const ControlWord& word)
    {
        GroupState& state = State();
        const bool on = !word.hasParam || word.param != 0;
        const QByteArray& name = word.name;
        if (name == "par")
            Paragraph();
        else if (name == "pard")
            ResetParagraph();
        else if (name == "plain")
            ResetCharacters();
        else if (name == "b")
            SetFormat(state.bold, on);
        else if (name == "i")
            SetFormat(state.italic, on);
        else if (name == "ul")
            SetFormat(state.underline, on);
        else if (name == "ulnone")
            SetFormat(state.underline, false);
        else if (name == "fs" && word.hasParam && word.param > 0) {
            FlushText();
            state.halfPoints = std::clamp(word.param, 2, 3276);
        } else if (name == "uc" && word.hasParam)
            state.unicodeSkip = std::clamp(word.param, 0, 16);
        else if (name == "u" && word.hasParam)
            UnicodeCharacter(word.param);
        else if (name == "sb" && word.hasParam)
            state.spaceBefore = std::max(word.param, 0);
        else if (name == "sa" && word.hasParam)
            state.spaceAfter = std::max(word.param, 0);
        else if (name == "li" && word.hasParam)
            state.leftIndent = std::max(word.param, 0);
        else
            SpecialCharacter(name);
    }

    void SpecialCharacter(const QByteArray& name)
    {
        static const std::array<std::pair<const char*, char16_t>, 9> kCharacters = {{
            {"line", 0x2028},
            {"tab", u'\t'},
            {"emdash", 0x2014},
            {"endash", 0x2013},
            {"bullet", 0x2022},
            {"lquote", 0x2018},
            {"rquote", 0x2019},
            {"ldblquote", 0x201C},
            {"rdblquote", 0x201D},
        }};
        for (const auto& [word, character] : kCharacters)
            if (name == word)
                Character(QChar(character), true);
    }

    void SetFormat(bool& flag, bool on)
    {
        FlushText();
        flag = on;
    }

    void ResetCharacters()
    {
        FlushText();
        GroupState& state = State();
        state.bold = state.italic = state.underline = false;
        state.halfPoints = kDefaultHalfPoints;
    }

    void ResetParagraph()
    {
        GroupState& state = State();
        state.spaceBefore = state.spaceAfter = state.leftIndent = 0;
    }

    void UnicodeCharacter(int code)
    {
        Character(QChar(static_cast<char16_t>(code < 0 ? code + 0x10000 : code)), false);
        pendingSkip_ = State().unicodeSkip;
    }

    // countsForSkip: the characters standing in for a Unicode escape are
    // plain or hex characters.
    void Character(QChar c, bool countsForSkip)
    {
        if (countsForSkip && pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (State().skipped)
            return;
        const QTextCharFormat format = CurrentCharFormat();
        if (!text_.isEmpty() && format != textFormat_)
            FlushText();
        if (text_.isEmpty())
            textFormat_ = format;
        text_.append(c);
    }

    QTextCharFormat CurrentCharFormat()
    {
        const GroupState& state = State();
        QTextCharFormat format;
        format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(state.italic);
        format.setFontUnderline(state.underline);
        format.setFontPointSize(state.halfPoints / 2.0);
        return format;
    }

    void FlushText()
    {
        if (text_.isEmpty())
            return;
        BreakPendingParagraph();
        cursor_.insertText(text_, textFormat_);
        text_.clear();
        paragraphHasText_ = true;
    }

    void BreakPendingParagraph()
    {
        if (!paragraphBreakPending_)
            return;
        cursor_.insertBlock();
        paragraphBreakPending_ = false;
    }

    // The last paragraph's break waits for more text, so the document does
    // not end in an empty paragraph.
    void Paragraph()
    {
        if (State().skipped)
            return;
        FlushText();
        BreakPendingParagraph();
        ApplyParagraphFormat();
        paragraphBreakPending_ = true;
        paragraphHasText_ = false;
    }

    void ApplyParagraphFormat()
    {
        const GroupState& state = State();
        QTextBlockFormat format;
        format.setTopMargin(state.spaceBefore / kTwipsPerPixel);
        format.setBottomMargin(state.spaceAfter / kTwipsPerPixel);
        format.setLeftMargin(state.leftIndent / kTwipsPerPixel);
        cursor_.setBlockFormat(format);
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<GroupState> groups_;
    size_t overflowDepth_ = 0;
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    QString text_;
    QTextCharFormat textFormat_;
    bool paragraphBreakPending_ = false;
    bool paragraphHasText_ = false;
};

// Blanks and line ends may come before the signature, no more than that.
constexpr qint64 kSignatureLookAhead = 64;

bool IsRichText(const QByteArray& start)
{
    return start.trimmed().startsWith("{\\rtf");
}

}  // namespace

void ReadRichText(const QByteArray& rtf, QTextDocument& document)
{
    Reader(rtf, document).Run();
}

bool LoadRichTextFile(const QString& path, QTextDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !IsRichText(file.peek(kSignatureLookAhead)))
        return false;
    ReadRichText(file.readAll(), document);
    return true;
}
