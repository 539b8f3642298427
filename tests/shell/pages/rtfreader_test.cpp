#include "shell/pages/rtfreader.h"
#include "qstringprint.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString PlainText(const QByteArray& rtf)
{
    QTextDocument document;
    ReadRichText(rtf, document);
    return document.toPlainText();
}

// The format of the first character of the text in the document.
QTextCharFormat FormatOf(const QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor at = found;
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

QByteArray HelpFile()
{
    QFile file(QStringLiteral(CP_HELP_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(RtfReaderTest, TheHelpFileReadsAsHeadedParagraphs)
{
    QTextDocument document;
    ReadRichText(HelpFile(), document);
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("CarePortfolio Help\nYour family's health records in one place.\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("Helvetica"))) << "the font table is no text";
    EXPECT_FALSE(text.contains(QLatin1Char('\\')));
    EXPECT_TRUE(text.endsWith(QStringLiteral("right for you and your family.")));
    EXPECT_EQ(document.blockCount(), HelpFile().count("\\par") - HelpFile().count("\\pard"));

    const QTextCharFormat title = FormatOf(document, QStringLiteral("CarePortfolio Help"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16.0);
    const QTextCharFormat heading = FormatOf(document, QStringLiteral("Getting started"));
    EXPECT_EQ(heading.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(heading.fontPointSize(), 13.0);
    const QTextCharFormat body = FormatOf(document, QStringLiteral("keeps the health records"));
    EXPECT_EQ(body.fontWeight(), QFont::Normal);
    EXPECT_FALSE(body.fontItalic());
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 10.0);
    EXPECT_TRUE(FormatOf(document, QStringLiteral("in one place")).fontItalic());

    // \sb200\sa80 before a heading: space in pixels of 15 twips.
    const QTextBlockFormat headingBlock = document.find(QStringLiteral("Getting started")).block().blockFormat();
    EXPECT_EQ(headingBlock.topMargin(), 13);
    EXPECT_EQ(headingBlock.bottomMargin(), 5);
}

TEST(RtfReaderTest, CharacterFormatsFollowTheGroups)
{
    QTextDocument document;
    ReadRichText("{\\rtf1 plain {\\b bold {\\i both}} \\ul under\\ul0  after \\i slant\\i0  \\b on\\plain  reset"
                 " \\ul x\\ulnone  y \\fs40 big}",
                 document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("plain bold both under after slant on reset x y big"));
    EXPECT_EQ(FormatOf(document, QStringLiteral("plain")).fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatOf(document, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    const QTextCharFormat both = FormatOf(document, QStringLiteral("both"));
    EXPECT_TRUE(both.fontItalic());
    EXPECT_EQ(both.fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatOf(document, QStringLiteral("under")).fontUnderline());
    EXPECT_FALSE(FormatOf(document, QStringLiteral("after")).fontUnderline());
    EXPECT_TRUE(FormatOf(document, QStringLiteral("slant")).fontItalic());
    EXPECT_EQ(FormatOf(document, QStringLiteral("on")).fontWeight(), QFont::Bold);
    const QTextCharFormat reset = FormatOf(document, QStringLiteral("reset"));
    EXPECT_EQ(reset.fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(reset.fontPointSize(), 12.0);
    EXPECT_TRUE(FormatOf(document, QStringLiteral("x")).fontUnderline());
    EXPECT_FALSE(FormatOf(document, QStringLiteral("y")).fontUnderline());
    EXPECT_DOUBLE_EQ(FormatOf(document, QStringLiteral("big")).fontPointSize(), 20.0);
}

TEST(RtfReaderTest, EscapedAndUnicodeCharacters)
{
    EXPECT_EQ(PlainText("{\\rtf1 a\\{b\\}c\\\\d}"), QStringLiteral("a{b}c\\d"));
    EXPECT_EQ(PlainText("{\\rtf1 caf\\'e9 \\'80 \\'93x\\'94}"), QString::fromUtf8("café € “x”"));
    EXPECT_EQ(PlainText("{\\rtf1 \\u8364?5 and \\u955\\'3f}"), QString::fromUtf8("€5 and λ"));
    EXPECT_EQ(PlainText("{\\rtf1 \\uc2\\u955 xyz}"), QString::fromUtf8("λz")) << "the blank ends the word";
    EXPECT_EQ(PlainText("{\\rtf1 \\uc0\\u955 x}"), QString::fromUtf8("λx"));
    EXPECT_EQ(PlainText("{\\rtf1 \\u-3913?}"), QString(QChar(0xF0B7)));
    QTextDocument special;
    ReadRichText("{\\rtf1 a\\~b\\tab c\\emdash d}", special);
    EXPECT_EQ(special.toRawText(), QString::fromUtf8("a\u00A0b\tc\u2014d"));
    EXPECT_EQ(PlainText("{\\rtf1 one\\par two\\par\\par four\\par}"), QStringLiteral("one\ntwo\n\nfour"));
    EXPECT_EQ(PlainText("{\\rtf1 line\r\nbroken}"), QStringLiteral("linebroken")) << "line ends in the file are no text";
}

TEST(RtfReaderTest, UnknownWordsAndGroupsAreSkipped)
{
    EXPECT_EQ(PlainText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255;}"
                        "{\\*\\generator Someone;}{\\info{\\title T}}\\foo12\\bar-3 text{\\*\\unknown secret} end}"),
              QStringLiteral("text end"));
    EXPECT_EQ(PlainText("{\\rtf1 {\\pict 0123abcd} {\\header page} shown}"), QStringLiteral("  shown"));
    EXPECT_EQ(PlainText("{\\rtf1 \\averyveryveryveryveryveryveryverylongcontrolword99999999999999 ok}"),
              QStringLiteral("ok"));
}

TEST(RtfReaderTest, MalformedTextShowsWhatCouldBeRead)
{
    EXPECT_EQ(PlainText("{\\rtf1 {\\b abc"), QStringLiteral("abc"));
    EXPECT_EQ(PlainText("{\\rtf1 a}} b}}}"), QStringLiteral("a b"));
    EXPECT_EQ(PlainText("}}}{\\rtf1 a"), QStringLiteral("a"));
    EXPECT_EQ(PlainText("{\\rtf1 abc\\"), QStringLiteral("abc"));
    EXPECT_EQ(PlainText("{\\rtf1 abc\\'4"), QStringLiteral("abc"));
    EXPECT_EQ(PlainText("{\\rtf1 abc\\'zz d"), QStringLiteral("abczz d"));
    EXPECT_EQ(PlainText("{\\rtf1 abc\\u"), QStringLiteral("abc"));
    EXPECT_EQ(PlainText("{\\rtf1 \\fs-5 \\fs0 \\uc99999999999 x\\u99999999999"), QStringLiteral("x") + QChar(0xFFFF));
    EXPECT_EQ(PlainText(""), QString());
    EXPECT_EQ(PlainText(QByteArray("a\0b", 3)), QStringLiteral("a") + QChar(0) + QStringLiteral("b"));

    QTextDocument deep;
    ReadRichText(QByteArray(100000, '{') + "deep" + QByteArray(3, '}') + " text", deep);
    EXPECT_EQ(deep.toPlainText(), QStringLiteral("deep text"));
}

// Processor time, not wall time: a busy machine does not make it fail.
double SecondsOfProcessorTime(const std::function<void()>& work)
{
    const std::clock_t start = std::clock();
    work();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Each switch used to cost more than the one before: 40,000 took minutes.
TEST(RtfReaderTest, ManyFormatChangesInOneParagraphReadInLinearTime)
{
    constexpr int kPairs = 20000;
    QByteArray rtf("{\\rtf1 ");
    for (int i = 0; i < kPairs; ++i)
        rtf += "\\b a\\b0 b";
    rtf += "\\par}";
    QTextDocument document;
    const double seconds = SecondsOfProcessorTime([&] { ReadRichText(rtf, document); });
    EXPECT_LT(seconds, 5.0);

    EXPECT_EQ(document.blockCount(), 1);
    EXPECT_EQ(document.toPlainText(), QString(QStringLiteral("ab")).repeated(kPairs));
    int fragments = 0;
    int alternating = 0;   // one letter each, bold and regular by turns
    for (auto it = document.firstBlock().begin(); !it.atEnd(); ++it, ++fragments) {
        const QTextFragment fragment = it.fragment();
        const int weight = fragments % 2 == 0 ? QFont::Bold : QFont::Normal;
        alternating += fragment.length() == 1 && fragment.charFormat().fontWeight() == weight ? 1 : 0;
    }
    EXPECT_EQ(fragments, 2 * kPairs);
    EXPECT_EQ(alternating, 2 * kPairs);
}

// A help file cut anywhere reads as the beginning of the whole text.
TEST(RtfReaderTest, EveryTruncationOfTheHelpFileReadsAsItsBeginning)
{
    const QByteArray help = HelpFile();
    const QString whole = PlainText(help);
    for (qsizetype cut = 0; cut < help.size(); ++cut) {
        const QString part = PlainText(help.left(cut));
        ASSERT_TRUE(whole.startsWith(part)) << "cut at " << cut;
    }
}

TEST(RtfReaderTest, LoadingAMissingFileLeavesTheDocument)
{
    QTextDocument document(QStringLiteral("designed text"));
    EXPECT_FALSE(LoadRichTextFile(QStringLiteral("/no/such/folder/cphelpt.rtf"), document));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("designed text"));
    EXPECT_TRUE(LoadRichTextFile(QStringLiteral(CP_HELP_FILE), document));
    EXPECT_TRUE(document.toPlainText().startsWith(QStringLiteral("CarePortfolio Help")));
}

// Read as rich text, any such file would show as a jumble of characters.
TEST(RtfReaderTest, LoadingAFileThatIsNotRichTextLeavesTheDocument)
{
    QRandomGenerator random(1999);
    QByteArray noise(4096, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random.bounded(256));
    noise[0] = '{';   // even beginning like a group
    const std::pair<const char*, QByteArray> others[] = {
        {"random bytes", noise},
        {"plain text", "Call Dr. O'Neil about Ann's refill of 19.99 mg\n"},
        {"empty", QByteArray()},
        {"only blanks", "  \r\n\t"},
        {"a web page", "<html><body><b>Help</b></body></html>"},
        {"the signature cut short", "{\\rt"},
        {"the signature after 64 blanks", QByteArray(64, ' ') + "{\\rtf1 late}"},
        {"the signature in capitals", "{\\RTF1 shouted}"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cphelpt.rtf"));
    for (const auto& [what, content] : others) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QTextDocument document(QStringLiteral("designed text"));
        EXPECT_FALSE(LoadRichTextFile(path, document)) << what;
        EXPECT_EQ(document.toPlainText(), QStringLiteral("designed text")) << what;
    }

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\r\n{\\rtf1 after a line end}");
    file.close();
    QTextDocument document(QStringLiteral("designed text"));
    EXPECT_TRUE(LoadRichTextFile(path, document));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("after a line end"));
}

}  // namespace
