#include "controls/efnumeric.h"
#include "effixture.h"

namespace {

class NumericField : public EntryFieldTest {
protected:
    TEfNumericFieldCore& Field(TNumericDataType type, const char* mask)
    {
        core.SetDataType(type);
        core.SetPictureMask(QString::fromLatin1(mask));
        core.FocusGained();
        return core;
    }

    TEfNumericFieldCore core{&controller};
};

TEST_F(NumericField, DigitsComeInAtTheRight)
{
    auto& f = Field(nftDouble, "###,###.##");
    EXPECT_EQ(f.TypeCode(), 128 + dtDouble) << "the numeric family";
    Type(f, "1234");
    EXPECT_EQ(f.Text(), QStringLiteral("  1,234.  "));
    EXPECT_EQ(f.DisplayText(), QStringLiteral("1,234."));
    Type(f, ".5");
    EXPECT_DOUBLE_EQ(f.FloatValue(), 1234.5);
    EXPECT_EQ(f.Validate(), 0);
}

TEST_F(NumericField, SecondPointAndSignToggle)
{
    auto& f = Field(nftDouble, "###,###.##");
    Type(f, "1.2");
    Type(f, ".");
    EXPECT_EQ(boxes.beeps, 1) << "a second point is refused";
    Type(f, "--");
    EXPECT_DOUBLE_EQ(f.FloatValue(), 1.2) << "minus twice leaves it positive";
    Type(f, "-");
    EXPECT_DOUBLE_EQ(f.FloatValue(), -1.2);
}

TEST_F(NumericField, CapacityOfTheWholeAndFractionParts)
{
    auto& f = Field(nftDouble, "##.#");
    Type(f, "123");
    EXPECT_EQ(boxes.beeps, 1);
    Type(f, ".45");
    EXPECT_EQ(boxes.beeps, 2);
    EXPECT_DOUBLE_EQ(f.FloatValue(), 12.4);
    Type(f, "0");
    EXPECT_EQ(boxes.beeps, 3);
}

TEST_F(NumericField, BackspaceTakesTheLastCharacter)
{
    auto& f = Field(nftLongInt, "iiiiii");
    Type(f, "0");
    EXPECT_TRUE(f.IsFieldBlank()) << "a leading 0 is ignored";
    Type(f, "-305");
    f.Command(ccBack);
    EXPECT_EQ(f.IntegerValue(), -30);
    f.Command(ccBack);
    f.Command(ccBack);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("-"));
    f.Command(ccBack);
    EXPECT_EQ(f.DisplayText(), QString()) << "the sign goes last";
    Type(f, "77");
    f.SelectAll();
    f.Command(ccDel);
    EXPECT_TRUE(f.IsFieldBlank());
}

TEST_F(NumericField, ZeroAmountClickedIntoTakesTheTypedDigits)
{
    core.SetDataType(nftDouble);
    core.SetPictureMask(QStringLiteral("###,###.##"));
    core.SetFloatValue(0.0);
    core.FocusGained(false);  // entered by a click: nothing selected
    ASSERT_EQ(core.DisplayText(), QStringLiteral("0.00"));
    Type(core, "125");
    EXPECT_EQ(boxes.beeps, 0);
    EXPECT_DOUBLE_EQ(core.FloatValue(), 125.0);
    core.SetFloatValue(-0.0);
    Type(core, "7");
    EXPECT_DOUBLE_EQ(core.FloatValue(), 7.0) << "no sign is left over from a negative zero";
}

TEST_F(NumericField, ReadOnlyTotalsShowTheirFormatting)
{
    auto& f = Field(nftDouble, "$#,###,###.##");
    f.ReadOnly = true;
    f.SetFloatValue(1234567.8);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("$1,234,567.80"));
    Type(f, "5");
    EXPECT_EQ(boxes.beeps, 1);
    EXPECT_DOUBLE_EQ(f.FloatValue(), 1234567.8);
    f.SetFloatValue(45.0);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("$45.00")) << "the currency stands before the amount";
    EXPECT_DOUBLE_EQ(f.FloatValue(), 45.0);
    f.SetFloatValue(-1234.0);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("$-1,234.00"));
    EXPECT_DOUBLE_EQ(f.FloatValue(), -1234.0);
}

// With three whole digits the sign comes before an unused separator: it
// must still stand against the digits, or the text no longer reads as the
// number it shows.
TEST_F(NumericField, ANegativeNumberReadsBackAsShownWhereverTheSignWasTyped)
{
    struct Case {
        const char* typed;
        double value;
        const char* shown;
    };
    for (const Case& c : {Case{"-100", -100.0, "-100."}, Case{"100-", -100.0, "-100."},
                          Case{"-100.5", -100.5, "-100.5"}, Case{"999.99-", -999.99, "-999.99"},
                          Case{"-12345", -12345.0, "-12,345."}}) {
        auto& f = Field(nftDouble, "###,###.##");
        f.SetRange(-999999.99, 999999.99);
        Type(f, c.typed);
        EXPECT_EQ(f.DisplayText(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_DOUBLE_EQ(f.FloatValue(), c.value) << c.typed;
        EXPECT_EQ(f.Validate(), 0) << c.typed;
        EXPECT_DOUBLE_EQ(f.FloatValue(), c.value) << c.typed << ", laid out again by the validation";
    }
    auto& f = Field(nftDouble, "###,###.##");
    f.SetFloatValue(-100.0);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("-100.00"));
    EXPECT_DOUBLE_EQ(f.FloatValue(), -100.0);
    auto& whole = Field(nftLongInt, "#,###");
    whole.SetIntegerValue(-100);
    EXPECT_EQ(whole.IntegerValue(), -100);
    auto& totals = Field(nftDouble, "$#,###,###.##");
    totals.SetFloatValue(-100.0);
    EXPECT_EQ(totals.DisplayText(), QStringLiteral("$-100.00"));
    EXPECT_DOUBLE_EQ(totals.FloatValue(), -100.0);
}

TEST_F(NumericField, ParenthesesAndTrailingSign)
{
    auto& f = Field(nftLongInt, "####p");
    f.SetIntegerValue(-12);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("(12)"));
    f.SetIntegerValue(12);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("12"));
    auto& g = Field(nftLongInt, "####g");
    g.SetIntegerValue(-7);
    EXPECT_EQ(g.DisplayText(), QStringLiteral("7-"));
}

TEST_F(NumericField, StepsAndRestore)
{
    auto& f = Field(nftWord, "99999");
    f.SetIntegerValue(65534);
    f.FocusGained();
    f.Command(ccInc);
    f.Command(ccInc);
    EXPECT_EQ(f.IntegerValue(), 65535);
    f.IncreaseValue(true, 1.0);
    EXPECT_EQ(f.IntegerValue(), 0);
    Type(f, "9");
    EXPECT_EQ(f.IntegerValue(), 9) << "the entry buffer follows a stepped value";
    f.Command(ccRestore);
    EXPECT_EQ(f.IntegerValue(), 65534);
    f.Command(ccBack);
    EXPECT_EQ(f.IntegerValue(), 6553) << "the buffer holds the restored digits";
}

TEST_F(NumericField, FloatingMaskWithDigitCharactersIsRefused)
{
    auto& f = Field(nftDouble, "###.##");
    EXPECT_THROW(f.SetPictureMask(QStringLiteral("999.99")), EInvalidPictureMask);
    EXPECT_NO_THROW(f.SetPictureMask(QStringLiteral("#,###.##")));
}

TEST_F(NumericField, CaretStaysAtTheEnd)
{
    auto& f = Field(nftLongInt, "iiii");
    Type(f, "12");
    f.Command(ccLeft);
    f.Command(ccHome);
    Type(f, "3");
    EXPECT_EQ(f.IntegerValue(), 123);
    EXPECT_EQ(f.DisplayCaret(), 3);
}

TEST_F(NumericField, RestoreFollowsANewMask)
{
    auto& f = Field(nftDouble, "###.##");
    f.SetFloatValue(0.29);
    f.FocusGained();
    Type(f, "5");
    f.SetPictureMask(QStringLiteral("#,###,###.##"));
    f.Command(ccRestore);
    EXPECT_EQ(f.Text(), QStringLiteral("        0.29"));
    f.Command(ccBack);
    EXPECT_DOUBLE_EQ(f.FloatValue(), 0.2) << "the entry buffer holds the restored digits";
}

}  // namespace
