#include "controls/intlsup.h"
#include "controls/moneyedit.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const MoneyChars kUs{QLatin1Char('$'), QLatin1Char('.'), QLatin1Char(',')};
const MoneyChars kGerman{QLatin1Char('E'), QLatin1Char(','), QLatin1Char('.')};

TEST(MoneyToText, TwoDecimalsAndThousands)
{
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(MoneyToText(1234567.5, kUs), QStringLiteral("1,234,567.50"));
    EXPECT_EQ(MoneyToText(-0.5, kUs), QStringLiteral("-0.50"));
    EXPECT_EQ(MoneyToText(12345678901.25, kUs), QStringLiteral("12,345,678,901.25"));
    EXPECT_EQ(MoneyToText(0.05, kUs), QStringLiteral("0.05"));
    EXPECT_EQ(MoneyToText(0.0, kUs), QStringLiteral("0.00"));
    EXPECT_EQ(MoneyToText(999.999, kUs), QStringLiteral("1,000.00"));
    EXPECT_EQ(MoneyToText(-123456.78, kUs), QStringLiteral("-123,456.78"));
    EXPECT_EQ(MoneyToText(9999999999999.99, kUs), QStringLiteral("9,999,999,999,999.99"));
    EXPECT_EQ(MoneyToText(1234.5, kGerman), QStringLiteral("1.234,50"));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(MoneyToText, SignOfTheRoundedCents)
{
    EXPECT_EQ(MoneyToText(-0.001, kUs), QStringLiteral("0.00"));
    EXPECT_EQ(MoneyToText(-0.004999, kUs), QStringLiteral("0.00"));
    EXPECT_EQ(MoneyToText(-0.006, kUs), QStringLiteral("-0.01"));
    // Halves go to the even cent.
    EXPECT_EQ(MoneyToText(0.125, kUs), QStringLiteral("0.12"));
    EXPECT_EQ(MoneyToText(0.375, kUs), QStringLiteral("0.38"));
    EXPECT_EQ(MoneyToText(-0.005, kUs), QStringLiteral("0.00"));
}

TEST(MoneyToText, TooLargeWarnsAndShowsZero)
{
    for (double amount : {1e13, -1e13, 5e20, std::nan("")}) {
        ScriptedMessageBoxes boxes;
        EXPECT_EQ(MoneyToText(amount, kUs), QStringLiteral("0.00")) << amount;
        EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Money amount too large to handle")});
    }
}

struct ReadCase {
    const char* text;
    bool ok;
    double amount;
};

TEST(TextToMoney, ReadsWhatTheBoxWrites)
{
    ScriptedMessageBoxes boxes;
    const ReadCase cases[] = {
        {"", true, 0.0},          {"$", true, 0.0},           {"$-", true, 0.0},
        {"$-12", true, -12.0},    {"12,34", true, 1234.0},    {"$1,234.50", true, 1234.5},
        {".07", true, 0.07},      {"+5", true, 5.0},          {"1.234", true, 1.23},
        {"1.2", true, 1.2},       {"7.", true, 7.0},          {"99999999999999", true, 99999999999999.0},
        {"-$12", false, 0.0},     {"12a", false, 0.0},        {"1.2x", false, 0.0},
        {"1.x5", false, 0.0},     {"%", false, 0.0},          {"'", false, 0.0},
        {"1-2", false, 0.0},      {"$$1", false, 0.0},
    };
    for (const ReadCase& c : cases) {
        double amount = -99.0;
        EXPECT_EQ(TextToMoney(QString::fromLatin1(c.text), amount, kUs), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(amount, c.amount) << c.text;
        }
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    double amount = 0.0;
    ASSERT_TRUE(TextToMoney(QStringLiteral("E1.234,5"), amount, kGerman));
    EXPECT_DOUBLE_EQ(amount, 1234.5);
}

TEST(TextToMoney, FifteenthDigitWarns)
{
    ScriptedMessageBoxes boxes;
    double amount = 0.0;
    EXPECT_FALSE(TextToMoney(QStringLiteral("123,456,789,012,345"), amount, kUs));
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("The money amount is too large to handle.")});
}

TEST(MoneyToText, EveryTextReadsBackToItsCents)
{
    for (qint64 cents = -300000; cents <= 300000; cents += 7) {
        const QString text = MoneyToText(cents / 100.0, kUs);
        double amount = 0.0;
        ASSERT_TRUE(TextToMoney(text, amount, kUs)) << text.toStdString();
        ASSERT_EQ(std::llrint(amount * 100.0), cents) << text.toStdString();
    }
}

bool Accepts(char key, const char* text, int selStart, int selEnd = -1)
{
    return MoneyKeyAccepted(QLatin1Char(key), QString::fromLatin1(text), selStart,
                            selEnd < 0 ? selStart : selEnd, kUs);
}

TEST(MoneyKeyFilter, CurrencyAndSignOnlyInFront)
{
    EXPECT_TRUE(Accepts('$', "", 0));
    EXPECT_TRUE(Accepts('$', "-12", 0));
    EXPECT_FALSE(Accepts('$', "-12", 1));
    EXPECT_FALSE(Accepts('$', "$12", 0));
    EXPECT_TRUE(Accepts('$', "$12", 0, 1));  // replaces the selected one
    EXPECT_TRUE(Accepts('-', "12", 0));
    EXPECT_TRUE(Accepts('-', "$12", 1));
    EXPECT_FALSE(Accepts('-', "$12", 0));
    EXPECT_FALSE(Accepts('-', "12", 1));
    EXPECT_FALSE(Accepts('+', "-12", 0));
    EXPECT_FALSE(Accepts('1', "$12", 0));
    EXPECT_FALSE(Accepts('1', "-12", 0));
    EXPECT_TRUE(Accepts('1', "-12", 1));
}

TEST(MoneyKeyFilter, DecimalsAndSeparators)
{
    EXPECT_TRUE(Accepts('.', "1234", 4));
    EXPECT_TRUE(Accepts('.', "1234", 2));
    EXPECT_FALSE(Accepts('.', "1234", 1));  // three digits would follow
    EXPECT_FALSE(Accepts('.', "12.3", 4));
    EXPECT_FALSE(Accepts('.', "1,", 2));
    EXPECT_FALSE(Accepts('.', "1,23", 2));
    EXPECT_TRUE(Accepts('.', "12.3", 0, 4));  // the whole text is replaced
    EXPECT_FALSE(Accepts('5', "1.23", 4));    // a third decimal
    EXPECT_TRUE(Accepts('5', "1.2", 3));
    EXPECT_TRUE(Accepts('5', "1.23", 3, 4));
    EXPECT_TRUE(Accepts('5', "1.23", 1));     // before the point
    EXPECT_FALSE(Accepts(',', "1.23", 2));
    EXPECT_FALSE(Accepts(',', "1.23", 1)) << "not at the point either: 1,.23";
    EXPECT_TRUE(Accepts(',', "12.3", 1));
}

TEST(MoneyKeyFilter, CharactersThatReadAsNothingAreRefused)
{
    for (char key : {'%', '\'', 'a', ' ', '*', '#'})
        EXPECT_FALSE(Accepts(key, "12", 2)) << key;
    const MoneyChars commaDecimal{QLatin1Char('$'), QLatin1Char(','), QChar(0x202F)};
    EXPECT_FALSE(MoneyKeyAccepted(QLatin1Char('.'), QStringLiteral("12"), 2, 2, commaDecimal));
    for (int control : {8, 12, 13})
        EXPECT_TRUE(MoneyKeyAccepted(QChar(control), QStringLiteral("12.34"), 5, 5, kUs));
}

class UsSettings {
public:
    UsSettings() : saved_(IntlSup()) { IntlSup() = TEfIntlSup(); }
    ~UsSettings() { IntlSup() = saved_; }

private:
    TEfIntlSup saved_;
};

TEST(MoneyEditWidget, TypingAndLeavingReformats)
{
    UsSettings us;
    ScriptedMessageBoxes boxes;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* money = new TMoneyEdit(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(money);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(money->CurrencyChar(), QLatin1Char('$'));

    money->setFocus();
    QTest::keyClicks(money, QStringLiteral("12%'34.567"));
    EXPECT_EQ(money->text(), QStringLiteral("1234.56"));
    EXPECT_EQ(boxes.beeps, 3);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(money->text(), QStringLiteral("$1,234.56"));
    EXPECT_DOUBLE_EQ(money->Value(), 1234.56);

    money->setFocus();
    money->selectAll();
    QTest::keyClicks(money, QStringLiteral("-$5"));
    EXPECT_EQ(money->text(), QStringLiteral("-5"));
    money->setText(QString());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(money->text(), QString());
    EXPECT_EQ(money->Value(), 0.0);

    money->SetValue(-0.001);
    EXPECT_EQ(money->text(), QStringLiteral("$0.00"));
    money->SetValue(98765.4);
    SavePicture(window, QStringLiteral("money_edit"));
    money->SetValue(1e13);
    EXPECT_EQ(money->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Money amount too large to handle")});
}

}  // namespace
