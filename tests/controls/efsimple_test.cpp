#include "controls/efsimple.h"
#include "effixture.h"

namespace {

class SimpleField : public EntryFieldTest {
protected:
    TEfSimpleFieldCore& Field(TSimpleDataType type, char mask = 0, int maxLength = 0)
    {
        core.SetDataType(type);
        if (mask)
            core.SetPictureMask(QLatin1Char(mask));
        if (maxLength)
            core.SetMaxLength(maxLength);
        core.OnAdvance = [this](bool next) { advances << next; };
        core.FocusGained();
        return core;
    }

    TEfSimpleFieldCore core{&controller};
    QList<bool> advances;
};

TEST_F(SimpleField, TwoDigitFieldTakesTwoDigitsAndNoMinus)
{
    auto& f = Field(sftInteger, '9', 2);
    f.SetRange(1, 99);
    f.ClearText();
    Type(f, "-");
    EXPECT_EQ(boxes.beeps, 1);
    Type(f, "12");
    Type(f, "3");
    EXPECT_EQ(f.Text(), QStringLiteral("12"));
    EXPECT_EQ(boxes.beeps, 2);
    f.AutoAdvanceChar = true;
    f.SelectAll();
    Type(f, "45");
    EXPECT_EQ(advances, QList<bool>{true}) << "moves on when the last position is typed";
}

TEST_F(SimpleField, RangeWithoutZeroStartsAtItsLowEnd)
{
    core.SetDataType(sftInteger);
    core.SetPictureMask(QLatin1Char('9'));
    core.SetMaxLength(2);
    EXPECT_EQ(core.Text(), QStringLiteral("0"));
    core.SetRange(1, 99);
    EXPECT_EQ(core.Text(), QStringLiteral("1")) << "not a 0 the range refuses";
    EXPECT_EQ(core.Validate(), 0);
    core.SetIntegerValue(40);
    core.SetRange(2, 50);
    EXPECT_EQ(core.IntegerValue(), 40) << "a value put in stays";
}

TEST_F(SimpleField, LeadingMinusUnderI)
{
    auto& f = Field(sftInteger);
    Type(f, "-42");
    EXPECT_EQ(f.IntegerValue(), -42);
    EXPECT_EQ(f.Validate(), 0);
}

TEST_F(SimpleField, InsertPushesOutTheLastCharacter)
{
    auto& f = Field(sftString, 'X', 4);
    Type(f, "abcd");
    f.Command(ccHome);
    Type(f, "z");
    EXPECT_EQ(f.Text(), QStringLiteral("zabc"));
    f.SetInsertPushes(false);
    Type(f, "y");
    EXPECT_EQ(f.Text(), QStringLiteral("zabc"));
    EXPECT_EQ(boxes.beeps, 1);
    f.Command(ccIns);
    Type(f, "y");
    EXPECT_EQ(f.Text(), QStringLiteral("zybc")) << "overtype";
}

TEST_F(SimpleField, PasteSkipsRefusedCharactersSilently)
{
    auto& f = Field(sftInteger, '9', 5);
    f.Paste(QStringLiteral("12ab34"));
    EXPECT_EQ(f.Text(), QStringLiteral("1234"));
    EXPECT_EQ(boxes.beeps, 0);
    f.SelectAll();
    f.Paste(QStringLiteral("9876543"));
    EXPECT_EQ(f.Text(), QStringLiteral("98765")) << "at most MaxLength";
}

TEST_F(SimpleField, RightAtTheEndAdvancesWithAutoAdvance)
{
    auto& f = Field(sftString, 'X', 10);
    Type(f, "ab");
    f.Command(ccRight);
    EXPECT_TRUE(advances.isEmpty());
    f.AutoAdvanceLeftRight = true;
    f.Command(ccRight);
    f.Command(ccHome);
    f.Command(ccLeft);
    EXPECT_EQ(advances, (QList<bool>{true, false}));
}

TEST_F(SimpleField, DoubleClickSelectsTheWord)
{
    auto& f = Field(sftString, 'X', 20);
    Type(f, "one two");
    f.Command(TEfEditInput{ccDblClick, {}, {}, 5, false});
    EXPECT_EQ(f.SelectedText(), QStringLiteral("two"));
    f.Command(TEfEditInput{ccDblClick, {}, {}, 1, false});
    EXPECT_EQ(f.SelectedText(), QStringLiteral("one ")) << "up to the start of the next word";
}

TEST_F(SimpleField, WordsDeletionAndSelection)
{
    auto& f = Field(sftString, 'X', 30);
    Type(f, "alpha beta gamma");
    f.Command(ccWordLeft);
    EXPECT_EQ(f.Caret(), 11);
    f.Command(ccWordLeft);
    EXPECT_EQ(f.Caret(), 6);
    f.Command(ccDelWord);
    EXPECT_EQ(f.Text(), QStringLiteral("alpha gamma"));
    f.Command(ccExtendEnd);
    EXPECT_EQ(f.SelectedText(), QStringLiteral("gamma"));
    f.Command(ccBack);
    EXPECT_EQ(f.Text(), QStringLiteral("alpha "));
    f.Command(ccHome);
    f.Command(ccExtWordRight);
    f.Command(ccCut);
    EXPECT_EQ(f.Text(), QString());
}

TEST_F(SimpleField, CharacterWithoutAKeyIsIgnored)
{
    auto& f = Field(sftString);
    f.Command(TEfEditInput{ccChar, QLatin1Char('a'), {}, -1, false});
    EXPECT_EQ(f.Text(), QString());
    EXPECT_EQ(boxes.beeps, 0);
}

TEST_F(SimpleField, ControlCharactersOnlyAfterCtrlChar)
{
    auto& f = Field(sftString);
    Type(f, "\x01");
    EXPECT_EQ(f.Text(), QString());
    f.Command(ccCtrlChar);
    Type(f, "\x01");
    EXPECT_EQ(f.Text(), QString(QChar(1)));
    EXPECT_EQ(f.DisplayText(), QStringLiteral("A"));
}

TEST_F(SimpleField, PictureOnlyMaskIsRefused)
{
    auto& f = Field(sftString);
    EXPECT_THROW(f.SetPictureMask(QLatin1Char('M')), EInvalidPictureMask);
    // One past the last type: still within the enum's range, so the cast is defined.
    EXPECT_THROW(f.SetDataType(static_cast<TSimpleDataType>(sftComp + 1)), EEfException);
}

TEST_F(SimpleField, DecimalCommaLocale)
{
    IntlSup().DecimalChar = QLatin1Char(',');
    auto& f = Field(sftDouble);
    Type(f, "3.5");
    EXPECT_EQ(f.Text(), QStringLiteral("35"));
    EXPECT_EQ(boxes.beeps, 1);
    Type(f, ",25");
    EXPECT_EQ(f.Text(), QStringLiteral("35,25"));
    EXPECT_DOUBLE_EQ(f.FloatValue(), 35.25);
    f.SetFloatValue(0.5);
    EXPECT_EQ(f.Text(), QStringLiteral("0,5"));
}

TEST_F(SimpleField, CharacterFieldBeepsOnlyOnRefusal)
{
    auto& f = Field(sftChar, 'A');
    Type(f, "1");
    EXPECT_EQ(boxes.beeps, 1);
    Type(f, "q");
    EXPECT_EQ(f.Text(), QStringLiteral("Q"));
    EXPECT_EQ(boxes.beeps, 1);
}

TEST_F(SimpleField, NumbersValidateByTypeAndRange)
{
    auto& f = Field(sftByte);
    Type(f, "300");
    EXPECT_EQ(f.Validate(), efeRange);
    f.SelectAll();
    Type(f, "25");
    EXPECT_EQ(f.Validate(), 0);
    auto& d = Field(sftDouble, 'E');
    Type(d, "1e999");
    EXPECT_EQ(d.Validate(), efeInvalidForType) << "beyond a double: no number";
    EXPECT_DOUBLE_EQ(d.FloatValue(), 0.0);
}

TEST_F(SimpleField, HexadecimalMaskWritesByBase)
{
    auto& f = Field(sftWord, 'K', 4);
    f.SetIntegerValue(0xBEEF);
    EXPECT_EQ(f.Text(), QStringLiteral("BEEF"));
    auto& b = Field(sftByte, 'b', 8);
    b.SetIntegerValue(5);
    EXPECT_EQ(b.Text(), QStringLiteral("00000101"));
}

// Each number-base mask at the edges of its digits: the last digit it takes
// and the first it refuses.
TEST_F(SimpleField, BaseMasksRefuseTheFirstDigitBeyondTheirBase)
{
    auto& octal = Field(sftWord, 'O', 6);
    Type(octal, "0178");
    EXPECT_EQ(octal.Text(), QStringLiteral("017"));
    EXPECT_EQ(boxes.beeps, 1) << "8 is no octal digit";
    Type(octal, "9");
    EXPECT_EQ(boxes.beeps, 2);
    Type(octal, "7");
    EXPECT_EQ(octal.Text(), QStringLiteral("0177"));

    auto& binary = Field(sftByte, 'b', 8);
    binary.ClearText();
    Type(binary, "1012");
    EXPECT_EQ(binary.Text(), QStringLiteral("101"));
    EXPECT_EQ(boxes.beeps, 3);

    auto& hex = Field(sftWord, 'K', 4);
    hex.ClearText();
    Type(hex, "f9g");
    EXPECT_EQ(hex.Text(), QStringLiteral("F9")) << "upper-cased, and G is past F";
    EXPECT_EQ(boxes.beeps, 4);
}

TEST_F(SimpleField, RestoreKeepsWithinAShorterLength)
{
    auto& f = Field(sftString, 'X', 30);
    f.SetTextValue(QStringLiteral("Mary-Ann O'Neil"));
    f.FocusGained();
    Type(f, "x");
    f.SetMaxLength(8);
    f.Command(ccRestore);
    EXPECT_EQ(f.Text(), QStringLiteral("Mary-Ann"));
}

TEST_F(SimpleField, TrimmingOnLeavingKeepsTheSelectionInTheText)
{
    auto& f = Field(sftString);
    Type(f, "Ann   ");
    f.SetSelection(4, 6);
    EXPECT_EQ(f.Validate(), 0);
    EXPECT_EQ(f.Text(), QStringLiteral("Ann"));
    EXPECT_EQ(f.Caret(), 3);
    EXPECT_EQ(f.SelEnd(), 3);
}

TEST_F(SimpleField, StepsWrapOnlyWithTheFlag)
{
    auto& f = Field(sftInteger, 'i', 5);
    f.SetRange(0, 10);
    f.SetIntegerValue(10);
    f.FocusGained();
    f.IncreaseValue(false, 1.0);
    EXPECT_EQ(f.IntegerValue(), 10);
    f.IncreaseValue(true, 1.0);
    EXPECT_EQ(f.IntegerValue(), 0);
    f.DecreaseValue(true, 1.0);
    EXPECT_EQ(f.IntegerValue(), 10);
    f.SelectAll();
    Type(f, "x");
    auto& flag = Field(sftYesNo);
    Type(flag, "y");
    flag.Command(ccInc);
    EXPECT_EQ(flag.Text(), QStringLiteral("N"));
}

TEST_F(SimpleField, PasswordAndPadDisplay)
{
    auto& f = Field(sftString, 'X', 6);
    Type(f, "abc");
    f.PasswordMode = true;
    f.PadChar = QLatin1Char('.');
    EXPECT_EQ(f.DisplayText(), QStringLiteral("***..."));
}

}  // namespace
