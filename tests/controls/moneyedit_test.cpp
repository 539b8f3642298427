#include "controls/intlsup.h"
#include "controls/moneyedit.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QRandomGenerator>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
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

TEST(MoneyToText, OutsideTheBoxRangeGivesNothingAndShowsNoBox)
{
    ScriptedMessageBoxes boxes;
    for (double amount : {1e13, -1e13, 9999999999999.998, 5e20, std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_FALSE(MoneyToText(amount, kUs)) << amount;
    EXPECT_EQ(MoneyToText(-9999999999999.99, kUs), QStringLiteral("-9,999,999,999,999.99"));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(AmountToCents, NearestCentWithinSixtyFourBits)
{
    EXPECT_EQ(AmountToCents(19.99), 1999);
    EXPECT_EQ(AmountToCents(0.29), 29);
    EXPECT_EQ(AmountToCents(-0.29), -29);
    EXPECT_EQ(*AmountToCents(50.10) + *AmountToCents(50.20), *AmountToCents(100.30));
    EXPECT_EQ(AmountToCents(0.125), 12) << "halves to the even cent";
    EXPECT_EQ(AmountToCents(9e16), 9'000'000'000'000'000'000);
    // The largest amounts whose cents still fit, either way.
    EXPECT_GT(AmountToCents(92233720368547744.0).value_or(0), 9'223'372'036'854'773'000);
    EXPECT_LT(AmountToCents(-92233720368547744.0).value_or(0), -9'223'372'036'854'773'000);
    for (double amount : {9.3e16, -9.3e16, 92233720368547758.08, -92233720368547758.08, 1e300, HUGE_VAL, -HUGE_VAL,
                          std::nan("")})
        EXPECT_FALSE(AmountToCents(amount)) << amount;
}

TEST(CentsToText, EverySixtyFourBitNumber)
{
    EXPECT_EQ(CentsToText(std::numeric_limits<qint64>::min(), QLatin1Char('.'), QLatin1Char(',')),
              QStringLiteral("-92,233,720,368,547,758.08"));
    EXPECT_EQ(CentsToText(std::numeric_limits<qint64>::max(), QLatin1Char(','), QLatin1Char('.')),
              QStringLiteral("92.233.720.368.547.758,07"));
    EXPECT_EQ(CentsToText(-5, QLatin1Char('.'), QLatin1Char(',')), QStringLiteral("-0.05"));
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
        EXPECT_EQ(TextToMoney(QString::fromLatin1(c.text), amount, kUs) == TMoneyRead::Amount, c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(amount, c.amount) << c.text;
        }
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    double amount = 0.0;
    ASSERT_EQ(TextToMoney(QStringLiteral("E1.234,5"), amount, kGerman), TMoneyRead::Amount);
    EXPECT_DOUBLE_EQ(amount, 1234.5);
}

TEST(TextToMoney, FifteenthDigitIsTooManyWithoutABox)
{
    ScriptedMessageBoxes boxes;
    double amount = -1.0;
    EXPECT_EQ(TextToMoney(QStringLiteral("123,456,789,012,345"), amount, kUs), TMoneyRead::TooManyDigits);
    EXPECT_EQ(amount, 0.0);
    EXPECT_EQ(TextToMoney(QStringLiteral("$-000000000000001.5"), amount, kUs), TMoneyRead::TooManyDigits);
    EXPECT_EQ(TextToMoney(QStringLiteral("12345678901234.5"), amount, kUs), TMoneyRead::Amount);
    EXPECT_DOUBLE_EQ(amount, 12345678901234.5);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(MoneyToText, EveryTextReadsBackToItsCents)
{
    for (qint64 cents = -300000; cents <= 300000; cents += 7) {
        const std::optional<QString> text = MoneyToText(cents / 100.0, kUs);
        ASSERT_TRUE(text);
        double amount = 0.0;
        ASSERT_EQ(TextToMoney(*text, amount, kUs), TMoneyRead::Amount) << text->toStdString();
        ASSERT_EQ(AmountToCents(amount), cents) << text->toStdString();
        ASSERT_TRUE(MoneyTextAccepted(kUs.currency + *text, kUs)) << text->toStdString();
    }
}

bool Accepts(char key, const char* text, int selStart, int selEnd = -1)
{
    return MoneyInsertAccepted(QString(QLatin1Char(key)), QString::fromLatin1(text), selStart,
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

TEST(MoneyKeyFilter, APointOrSeparatorNeverLeavesAnUnreadableText)
{
    EXPECT_FALSE(Accepts('.', "12,3", 2)) << "12.,3";
    EXPECT_FALSE(Accepts('.', "1,23", 1)) << "1.,23";
    EXPECT_FALSE(Accepts('.', ",5", 0)) << ".,5";
    EXPECT_TRUE(Accepts('.', "", 0));
    EXPECT_TRUE(Accepts('.', "$-5", 2)) << "$-.5";
    EXPECT_TRUE(Accepts('.', "1,234", 3)) << "1,2.34";
    EXPECT_FALSE(Accepts('.', "1.2", 0)) << "two points";
    EXPECT_FALSE(Accepts('-', "12", 1));
    EXPECT_FALSE(Accepts('+', "$12", 2));
    EXPECT_TRUE(Accepts(',', "1234", 2));
    EXPECT_TRUE(Accepts(',', "12", 0)) << "separators are skipped wherever they stand";
}

TEST(MoneyKeyFilter, ThirteenIntegerDigitsAtMost)
{
    EXPECT_TRUE(Accepts('9', "999999999999", 12));
    EXPECT_FALSE(Accepts('9', "9999999999999", 13));
    EXPECT_FALSE(Accepts('1', "$-1,000,000,000,000", 2)) << "-1e13 is out of range too";
    EXPECT_TRUE(Accepts('9', "-999,999,999,999.99", 1));
    EXPECT_TRUE(Accepts('1', "9999999999999", 0, 1)) << "replaces a digit";
    EXPECT_TRUE(Accepts('.', "9999999999999", 13));
    EXPECT_TRUE(Accepts('9', "9999999999999.9", 15));
    EXPECT_FALSE(Accepts('0', "0000000000000012", 0)) << "a fifteenth digit, even a leading zero";
}

TEST(MoneyKeyFilter, CommaAsTheDecimalPoint)
{
    const auto accepts = [](char key, const char* text, int caret) {
        return MoneyInsertAccepted(QString(QLatin1Char(key)), QString::fromLatin1(text), caret, caret, kGerman);
    };
    EXPECT_TRUE(accepts(',', "1.234", 5));
    EXPECT_FALSE(accepts(',', "12.3", 2)) << "12,.3";
    EXPECT_FALSE(accepts(',', "1.2", 2)) << "1.,2";
    EXPECT_FALSE(accepts('.', "1,23", 2)) << "1,.23";
    EXPECT_FALSE(accepts(',', "1,2", 3));
    EXPECT_TRUE(accepts('E', "-5", 0));
    EXPECT_FALSE(accepts('$', "5", 0));
}

TEST(MoneyKeyFilter, CharactersThatReadAsNothingAreRefused)
{
    for (char key : {'%', '\'', 'a', ' ', '*', '#'})
        EXPECT_FALSE(Accepts(key, "12", 2)) << key;
    const MoneyChars commaDecimal{QLatin1Char('$'), QLatin1Char(','), QChar(0x202F)};
    EXPECT_FALSE(MoneyInsertAccepted(QStringLiteral("."), QStringLiteral("12"), 2, 2, commaDecimal));
}

TEST(MoneyPaste, OnlyWhatLeavesAWholeAmountInRange)
{
    const auto pastes = [](const char* pasted, const char* text, int selStart, int selEnd) {
        return MoneyInsertAccepted(QString::fromLatin1(pasted), QString::fromLatin1(text), selStart, selEnd, kUs);
    };
    EXPECT_TRUE(pastes("$-1,234.56", "", 0, 0));
    EXPECT_TRUE(pastes("19.99", "12", 0, 2));
    EXPECT_FALSE(pastes("1.234", "", 0, 0)) << "a third decimal would be dropped";
    EXPECT_FALSE(pastes("12.,3", "", 0, 0));
    EXPECT_FALSE(pastes("1,.23", "", 0, 0));
    EXPECT_FALSE(pastes("1.2.3", "", 0, 0));
    EXPECT_FALSE(pastes("1-2", "", 0, 0));
    EXPECT_FALSE(pastes("12\n", "", 0, 0));
    EXPECT_FALSE(pastes("12 ", "", 0, 0));
    EXPECT_TRUE(pastes("0", "9999999999999", 0, 0)) << "a leading zero: fourteen digits read, in range";
    EXPECT_FALSE(pastes("00", "9999999999999", 0, 0)) << "fifteen digits are never read";
    EXPECT_FALSE(pastes("5", "$1.23", 0, 0)) << "before the currency";
    EXPECT_FALSE(pastes(",", "1.23", 1, 1));
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

namespace {

class MoneyBoxOnAForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        layout_ = new QVBoxLayout(&window_);
        other_ = new QLineEdit(&window_);
        layout_->addWidget(other_);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    TMoneyEdit* AddMoneyBox()
    {
        auto* money = new TMoneyEdit(&window_);
        layout_->addWidget(money);
        money->show();
        money->setFocus();
        return money;
    }

    void Leave(TMoneyEdit& money)
    {
        other_->setFocus();
        QApplication::processEvents();
        EXPECT_FALSE(money.hasFocus());
    }

    UsSettings us_;
    ScriptedMessageBoxes boxes_;
    QWidget window_;
    QVBoxLayout* layout_ = nullptr;
    QLineEdit* other_ = nullptr;
};

TEST_F(MoneyBoxOnAForm, DeletionsAndPastesThatLeaveNoAmountAreRefused)
{
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("99999999999999.99"));
    EXPECT_EQ(money->text(), QStringLiteral("9999999999999.99"));
    EXPECT_EQ(boxes_.beeps, 1) << "the fourteenth digit";

    // Taking the point out would leave fifteen digits.
    money->setCursorPosition(14);
    QTest::keyClick(money, Qt::Key_Backspace);
    money->setCursorPosition(13);
    QTest::keyClick(money, Qt::Key_Delete);
    EXPECT_EQ(money->text(), QStringLiteral("9999999999999.99"));
    EXPECT_EQ(boxes_.beeps, 3);
    money->setCursorPosition(16);
    QTest::keyClick(money, Qt::Key_Backspace);
    EXPECT_EQ(money->text(), QStringLiteral("9999999999999.9"));

    QApplication::clipboard()->setText(QStringLiteral("12.,3"));
    money->selectAll();
    money->paste();
    EXPECT_EQ(money->text(), QStringLiteral("9999999999999.9"));
    EXPECT_EQ(boxes_.beeps, 4);
    QApplication::clipboard()->setText(QStringLiteral("$-1,234.5"));
    money->selectAll();
    money->paste();
    EXPECT_EQ(money->text(), QStringLiteral("$-1,234.5"));
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("$-1,234.50"));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(MoneyBoxOnAForm, RedoLeavesTheCaretWithinTheText)
{
    // Found by fuzzing: redo put the caret past the end, and the next key was
    // inserted there after a padding blank, which stayed when it was refused.
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("90"));
    QApplication::clipboard()->setText(QStringLiteral("4"));
    QTest::keyClick(money, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(money->text(), QStringLiteral("904"));
    money->undo();
    money->undo();
    money->redo();
    EXPECT_EQ(money->text(), QStringLiteral("90"));
    EXPECT_LE(money->cursorPosition(), 2);
    QTest::keyClick(money, Qt::Key_0);
    EXPECT_EQ(money->text(), QStringLiteral("900"));
    money->undo();
    money->undo();
    money->redo();
    money->paste();
    EXPECT_TRUE(MoneyTextAccepted(money->text(), kUs)) << money->text().toStdString();
}

TEST_F(MoneyBoxOnAForm, TheBoxWarnsWhereTheTextRoutinesOnlyRefuse)
{
    TMoneyEdit* money = AddMoneyBox();
    money->setText(QStringLiteral("123,456,789,012,345"));
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("The money amount is too large to handle.")});

    money->setFocus();
    money->setText(QStringLiteral("10,000,000,000,000"));
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(boxes_.Texts().last(), QStringLiteral("Money amount too large to handle"));

    money->SetValue(9999999999999.998);  // rounds to 1e13
    EXPECT_EQ(money->text(), QStringLiteral("$0.00"));
    EXPECT_EQ(boxes_.shown.size(), 3);
}

TEST_F(MoneyBoxOnAForm, CommaAsTheDecimalPoint)
{
    IntlSup().DecimalChar = QLatin1Char(',');
    IntlSup().ThousandsChar = QLatin1Char('.');
    IntlSup().CurrencyLeft = QStringLiteral("kr");
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("k1.234,,5.6"));
    EXPECT_EQ(money->text(), QStringLiteral("k1.234,56"));
    EXPECT_EQ(boxes_.beeps, 2);
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("k1.234,56"));
    EXPECT_DOUBLE_EQ(money->Value(), 1234.56);
    money->SetValue(-0.29);
    EXPECT_EQ(money->text(), QStringLiteral("k-0,29"));
}

// Undo and redo went around the key filter: the line edit's history brought
// back texts the box refuses, and after a redo a refused key could undo the
// box to a text it never held.
class MoneyBoxHistory : public MoneyBoxOnAForm {
protected:
    QString Typed(TMoneyEdit& money, char key)
    {
        const int start = money.hasSelectedText() ? money.selectionStart() : money.cursorPosition();
        const int end = money.hasSelectedText() ? money.selectionEnd() : money.cursorPosition();
        const QString before = money.text();
        QTest::keyClick(&money, key);
        const QString typed{QLatin1Char(key)};
        return MoneyInsertAccepted(typed, before, start, end, kUs) ? before.left(start) + typed + before.mid(end)
                                                                  : before;
    }
};

TEST_F(MoneyBoxHistory, UndoAndRedoKeysLeaveTheAmountAsTyped)
{
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("5"));
    QTest::keyClick(money, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(money, QStringLiteral("$"));
    QTest::keyClick(money, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(money, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(money, QStringLiteral("0"));
    EXPECT_EQ(money->text(), QStringLiteral("$0"));

    money->clear();
    QTest::keyClicks(money, QStringLiteral("19.99"));
    QTest::keyClick(money, Qt::Key_Backspace);
    QTest::keyClick(money, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(money, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(money->text(), QStringLiteral("19.9"));
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("$19.90"));
}

TEST_F(MoneyBoxHistory, RandomKeysNeverLeaveATextTheFilterRefuses)
{
    const char typed[] = {'0', '2', '9', '$', '-', '+', '.', ',', '%'};
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {Qt::Key_Z, Qt::ControlModifier},     {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Y, Qt::ControlModifier},     {Qt::Key_Backspace, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier},     {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_Home, Qt::ShiftModifier},    {Qt::Key_Left, Qt::ShiftModifier},
        {Qt::Key_End, Qt::ShiftModifier},     {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_X, Qt::ControlModifier},     {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_A, Qt::ControlModifier},
    };
    QRandomGenerator random(26);
    TMoneyEdit* money = AddMoneyBox();
    for (int sequence = 0; sequence < 300; ++sequence) {
        money->clear();
        QString trail;
        for (int step = 0; step < 25; ++step) {
            if (random.bounded(2) == 0) {
                const char key = typed[random.bounded(static_cast<int>(sizeof typed))];
                trail += QLatin1Char(key);
                const QString expected = Typed(*money, key);
                ASSERT_EQ(money->text(), expected) << trail.toStdString();
            } else {
                const auto& [key, modifiers] = keys[random.bounded(static_cast<int>(keys.size()))];
                trail += QLatin1Char(' ') + QKeySequence(key | modifiers).toString() + QLatin1Char(' ');
                QTest::keyClick(money, key, modifiers);
            }
            ASSERT_TRUE(money->text().isEmpty() || MoneyTextAccepted(money->text(), kUs))
                << money->text().toStdString() << " after " << trail.toStdString();
        }
    }
}

TEST_F(MoneyBoxHistory, TheContextMenuOffersNoUndoOrRedo)
{
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("12"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), money->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(money, &event);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator())
            captions.append(action->text());
    }
    menu->close();
    const QString entries = captions.join(QLatin1Char('|'));
    EXPECT_TRUE(entries.contains(QStringLiteral("Paste"))) << entries.toStdString();
    EXPECT_FALSE(entries.contains(QStringLiteral("Undo"))) << entries.toStdString();
    EXPECT_FALSE(entries.contains(QStringLiteral("Redo"))) << entries.toStdString();
}

// The menu takes the focus while it is open; the amount is not the box's to
// tidy up until the user leaves the box itself.
TEST_F(MoneyBoxHistory, TheContextMenuPastesOverTheSelection)
{
    TMoneyEdit* money = AddMoneyBox();
    QTest::keyClicks(money, QStringLiteral("5"));
    money->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("0.29"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), money->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(money, &event);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(money->text(), QStringLiteral("5"));
    EXPECT_EQ(money->selectedText(), QStringLiteral("5"));
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().contains(QStringLiteral("Paste")))
            paste = action;
    }
    ASSERT_NE(paste, nullptr);
    menu->close();
    paste->trigger();
    QApplication::processEvents();
    EXPECT_EQ(money->text(), QStringLiteral("0.29"));
    EXPECT_EQ(boxes_.beeps, 0);
    Leave(*money);
    EXPECT_EQ(money->text(), QStringLiteral("$0.29"));
}

}  // namespace
