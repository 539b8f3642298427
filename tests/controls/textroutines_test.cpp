#include "controls/textroutines.h"

#include <gtest/gtest.h>

namespace {

TEST(WordChars, BlankPunctuationAndLetters)
{
    for (char c : {' ', ',', '-', '.', 'A', 'z'})
        EXPECT_TRUE(IsWordChar(QLatin1Char(c))) << c;
    for (char c : {'0', '9', '/', '_', ';', '\t'})
        EXPECT_FALSE(IsWordChar(QLatin1Char(c))) << c;
    EXPECT_TRUE(IsWordChar(QChar(0xE9)));   // é
    EXPECT_FALSE(IsWordChar(QChar(0xD7)));  // ×
}

TEST(BaseTexts, FixedWidthDigits)
{
    EXPECT_EQ(BinaryText(5), QString(29, QLatin1Char('0')) + QStringLiteral("101"));
    EXPECT_EQ(BinaryText(0xFFFFFFFFu), QString(32, QLatin1Char('1')));
    EXPECT_EQ(OctalText(8), QStringLiteral("000000000010"));
    EXPECT_EQ(OctalText(0xFFFFFFFFu), QStringLiteral("037777777777"));
    EXPECT_EQ(HexWordText(0xBEEF), QStringLiteral("BEEF"));
    EXPECT_EQ(HexWordText(0x1F), QStringLiteral("001F"));
    EXPECT_EQ(HexLongText(0x12AB), QStringLiteral("000012AB"));
}

TEST(TrimRoutines, TrailingControlsZerosAndExponents)
{
    QString text = QStringLiteral("12 \t\r\n");
    TrimTrailingCtl(text);
    EXPECT_EQ(text, QStringLiteral("12"));

    text = QStringLiteral("1.500");
    TrimTrailingZeros(text);
    EXPECT_EQ(text, QStringLiteral("1.5"));
    text = QStringLiteral("  2.000");
    TrimTrailingZeros(text);
    EXPECT_EQ(text, QStringLiteral("  2"));
    text = QStringLiteral("1500");  // no point: the zeros are the number's
    TrimTrailingZeros(text);
    EXPECT_EQ(text, QStringLiteral("1500"));

    text = QStringLiteral("1.500000E+005");
    TrimExponentZeros(text);
    EXPECT_EQ(text, QStringLiteral("1.5E+5"));
    text = QStringLiteral("2.000E-000");
    TrimExponentZeros(text);
    EXPECT_EQ(text, QStringLiteral("2E-0"));
    text = QStringLiteral("100E+03");
    TrimExponentZeros(text);
    EXPECT_EQ(text, QStringLiteral("100E+3"));
}

struct LongCase {
    const char* text;
    bool ok;
    qint32 value;
    int errorPos;
};

TEST(TextToLong, DecimalHexadecimalAndBadCharacters)
{
    const LongCase cases[] = {
        {"0x1F", true, 31, -1},
        {"$ff", true, 255, -1},
        {"-0x10", true, -16, -1},
        {"  42  \r\n", true, 42, -1},
        {"+7", true, 7, -1},
        {"2147483647", true, 2147483647, -1},
        {"-2147483648", true, -2147483647 - 1, -1},
        {"$FFFFFFFF", true, -1, -1},
        {"2147483648", false, 0, 9},
        {"$100000000", false, 0, 9},
        {"12a4", false, 0, 2},
        {"1 2", false, 0, 1},
        {"", false, 0, 0},
        {"-", false, 0, 1},
        {"$", false, 0, 1},
        {"0xG", false, 0, 1},
    };
    for (const LongCase& c : cases) {
        qint32 value = 99;
        int pos = 99;
        EXPECT_EQ(TextToLong(QString::fromLatin1(c.text), value, pos), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(value, c.value) << c.text;
        else
            EXPECT_EQ(pos, c.errorPos) << c.text;
    }
    qint32 value = 0;
    int pos = 0;
    EXPECT_FALSE(TextToLong(QString(256, QLatin1Char('1')), value, pos));
    EXPECT_EQ(pos, -1);
}

TEST(FixRealText, SuppliesWhatAConversionNeeds)
{
    const QChar comma(QLatin1Char(','));
    const QChar point(QLatin1Char('.'));
    EXPECT_EQ(FixRealText(QStringLiteral("  12,5 "), comma), QStringLiteral("12.5"));
    EXPECT_EQ(FixRealText(QStringLiteral("12,"), comma), QStringLiteral("12"));
    EXPECT_EQ(FixRealText(QStringLiteral(".5"), point), QStringLiteral("0.5"));
    EXPECT_EQ(FixRealText(QStringLiteral("-.5"), point), QStringLiteral("-0.5"));
    EXPECT_EQ(FixRealText(QStringLiteral("1E5"), point), QStringLiteral("1.E5"));
    EXPECT_EQ(FixRealText(QStringLiteral("12 . 5"), point), QStringLiteral("12.5"));
    EXPECT_EQ(FixRealText(QStringLiteral("   "), point), QStringLiteral("0"));
    EXPECT_EQ(FixRealText(QStringLiteral("7."), comma), QStringLiteral("7.0"));
}

}  // namespace
