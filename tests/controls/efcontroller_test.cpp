#include "controls/efpicture.h"
#include "controls/efspinner.h"
#include "effixture.h"

#include <QFrame>

namespace {

class Controller : public EntryFieldTest {};

TEST_F(Controller, EpochKeepsToTheValidYears)
{
    EXPECT_EQ(controller.Epoch(), 1900);
    controller.SetEpoch(1599);
    controller.SetEpoch(4000);
    EXPECT_EQ(controller.Epoch(), 1900);
    controller.SetEpoch(2000);
    EXPECT_EQ(controller.Epoch(), 2000);
}

TEST_F(Controller, ErrorsGoToTheHandlerElseToABox)
{
    controller.ReportError(nullptr, efeRequired, EntryErrorText(efeRequired, {}));
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("A value is required in this field")});
    EXPECT_EQ(boxes.shown.front().icon, MsgIcon::Error);
    quint16 handled = 0;
    controller.OnError = [&](QObject*, quint16 code, const QString&) { handled = code; };
    controller.ReportError(nullptr, efeNoBlanks, EntryErrorText(efeNoBlanks, {}));
    EXPECT_EQ(handled, efeNoBlanks);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(Controller, FixedErrorTexts)
{
    EXPECT_EQ(EntryErrorText(efeInvalidDate, {}), QStringLiteral("Value is not a valid date"));
    EXPECT_EQ(EntryErrorText(efeInvalidTime, {}), QStringLiteral("Value is not a valid time"));
    EXPECT_EQ(EntryErrorText(efePartial, {}), QStringLiteral("This field should be either empty or completely full"));
    EXPECT_EQ(EntryErrorText(0x107, {}), QStringLiteral("Entry Error"));
    EXPECT_EQ(EntryErrorText(0x9000, QStringLiteral("Too early")), QStringLiteral("Too early"));
}

TEST_F(Controller, FieldFindsTheControllerOfItsForm)
{
    QWidget form;
    TEfController formController(&form);
    QFrame panel(&form);
    TEfPictureField field(&panel);
    EXPECT_EQ(field.Controller(), &formController);
    QWidget bare;
    EXPECT_THROW(TEfPictureField{&bare}, ENoControllerAssigned);
    EXPECT_THROW(TEfPictureField{nullptr}, ENoControllerAssigned);
    TEfPictureField given(nullptr, &controller);
    EXPECT_EQ(given.Controller(), &controller);
}

TEST_F(Controller, ColoursComeBackToTheirDefaults)
{
    TEfColors colors(Qt::red, Qt::black);
    EXPECT_TRUE(colors.UseDefault());
    colors.SetTextColor(Qt::blue);
    EXPECT_FALSE(colors.UseDefault());
    colors.SetBackColor(Qt::white);
    colors.SetUseDefault(true);
    EXPECT_EQ(colors.BackColor(), QColor(Qt::red));
    EXPECT_EQ(colors.TextColor(), QColor(Qt::black));
    colors.SetTextColor(Qt::black);
    EXPECT_TRUE(colors.UseDefault()) << "the default colour again";
}

TEST_F(Controller, CaretShapesAndSizes)
{
    TEfCaret caret;
    caret.SetCaretWidth(0);
    EXPECT_EQ(caret.CaretWidth(), 2);
    caret.SetShape(TEfCaretShape::csHorzLine);
    EXPECT_EQ(caret.Align(), TEfCaretAlign::caBottom);
    EXPECT_EQ(caret.CaretHeight(), 2);
    EXPECT_EQ(caret.RectIn(QRect(10, 0, 8, 16)), QRect(10, 14, 8, 2));
    caret.SetShape(TEfCaretShape::csVertLine);
    EXPECT_EQ(caret.RectIn(QRect(10, 0, 8, 16)), QRect(10, 0, 2, 16));
    TEfCaretPair pair;
    EXPECT_EQ(pair.Current().Shape(), TEfCaretShape::csVertLine);
    pair.SetInsertMode(false);
    EXPECT_EQ(pair.Current().Shape(), TEfCaretShape::csBlock);
    EXPECT_EQ(pair.Current().RectIn(QRect(10, 0, 8, 16)), QRect(10, 0, 8, 16));
}

TEST_F(Controller, UserMaskCharacters)
{
    TEfUserData data;
    EXPECT_TRUE(data.Accepts(QLatin1Char('3'), QLatin1Char('x')));
    EXPECT_FALSE(data.Accepts(QLatin1Char('9'), QLatin1Char('x'))) << "no user character";
    TEfUserData::CharSet vowels;
    for (char c : {'a', 'e', 'i', 'o', 'u'})
        vowels.set(static_cast<size_t>(c));
    data.SetCharSet(QLatin1Char('3'), vowels);
    EXPECT_TRUE(data.Accepts(QLatin1Char('3'), QLatin1Char('e')));
    EXPECT_FALSE(data.Accepts(QLatin1Char('3'), QLatin1Char('x')));
    EXPECT_EQ(data.Substitute(QChar(242)), QChar(242));
    data.SetSubstitute(QChar(242), QLatin1Char('-'));
    EXPECT_EQ(data.Substitute(QChar(242)), QLatin1Char('-'));
    EXPECT_EQ(data.Substitute(QLatin1Char('X')), QLatin1Char('X'));
}

TEST(Spinner, StepsComeFasterTheLongerAButtonIsHeld)
{
    QList<int> delays;
    for (int count = 0; count < 12; ++count)
        delays << SpinRepeatDelay(5, count);
    EXPECT_EQ(delays, (QList<int>{500, 450, 400, 350, 300, 250, 200, 150, 100, 50, 0, 0}));
    EXPECT_EQ(SpinRepeatDelay(0, 1000000), 500);
    EXPECT_EQ(SpinRepeatDelay(10, std::numeric_limits<int>::max()), 0);
}

TEST(Spinner, HalvesOfTheControl)
{
    const QSize size(16, 24);
    EXPECT_EQ(SpinStateAt(size, TSpinOrientation::soVertical, QPoint(5, 3)), spUp);
    EXPECT_EQ(SpinStateAt(size, TSpinOrientation::soVertical, QPoint(5, 12)), spDown);
    EXPECT_EQ(SpinStateAt(size, TSpinOrientation::soVertical, QPoint(5, 30)), spOutside);
    EXPECT_EQ(SpinStateAt(size, TSpinOrientation::soHorizontal, QPoint(3, 5)), spLeft);
    EXPECT_EQ(SpinStateAt(size, TSpinOrientation::soHorizontal, QPoint(8, 5)), spRight);
}

TEST(Spinner, PropertiesKeepTheirLimits)
{
    TEfSpinner spinner;
    spinner.SetAcceleration(11);
    EXPECT_EQ(spinner.Acceleration(), 5);
    spinner.resize(16, 30);
    spinner.SetOrientation(TSpinOrientation::soHorizontal);
    EXPECT_EQ(spinner.size(), QSize(30, 16));
    spinner.SetForceOddSize(true);
    EXPECT_EQ(spinner.width(), 31);
    spinner.resize(2, 2);
    EXPECT_EQ(spinner.size(), QSize(9, 9)) << "the minimum size";
}

}  // namespace
