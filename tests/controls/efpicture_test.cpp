#include "controls/efpicture.h"
#include "effixture.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class PictureField : public EntryFieldTest {
protected:
    // A field of the type and mask that has just got the focus.
    TEfPictureFieldCore& Field(TPictureDataType type, const char* mask = nullptr)
    {
        core.SetDataType(type);
        if (mask) {
            core.SetPictureMask(QString::fromLatin1(mask));
            core.SetMaxLength(static_cast<int>(std::strlen(mask)));
        }
        core.FocusGained();
        return core;
    }

    TEfPictureFieldCore core{&controller};
};

TEST_F(PictureField, DateDigitsFillMonthDayAndYearPastTheSlashes)
{
    auto& f = Field(pftDate, "MM/DD/yyyy");
    EXPECT_EQ(f.Text(), QStringLiteral("  /  /    "));
    EXPECT_EQ(f.Caret(), 0);
    Type(f, "0315");
    EXPECT_EQ(f.Caret(), 6) << "the caret never stops on a slash";
    Type(f, "2024");
    EXPECT_EQ(f.Text(), QStringLiteral("03/15/2024"));
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2024, 3, 15));
    f.Command(ccLeft);
    f.Command(ccLeft);
    f.Command(ccLeft);
    f.Command(ccLeft);
    f.Command(ccLeft);
    EXPECT_EQ(f.Caret(), 4) << "left from the year skips the slash";
}

TEST_F(PictureField, DateValuesInAndOut)
{
    auto& f = Field(pftDate, "MM/DD/yyyy");
    f.SetDateTimeValue(EncodeDate(1999, 12, 5));
    EXPECT_EQ(f.Text(), QStringLiteral("12/ 5/1999"));
    EXPECT_TRUE(f.WasEverModified() == false);
    f.ClearText();
    EXPECT_TRUE(f.IsFieldBlank());
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), 0.0);
    EXPECT_EQ(f.LastError(), 0);
    Type(f, "1345");
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), 0.0);
    EXPECT_EQ(f.LastError(), efeInvalidDate);
    EXPECT_EQ(f.Validate(), efeInvalidDate);
}

TEST_F(PictureField, TwoDigitYearsTakeTheEpoch)
{
    auto& f = Field(pftDate, "MM/dd/yy");
    Type(f, "010125");
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(1925, 1, 1)) << "the controller's epoch, 1900";
    controller.SetEpoch(1950);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2025, 1, 1));
    f.SetEpoch(1500);
    EXPECT_EQ(f.Epoch(), 0) << "an epoch outside 1600..3999 is ignored";
    f.SetEpoch(2000);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2025, 1, 1));
    f.SetEpoch(1900);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(1925, 1, 1));
}

TEST_F(PictureField, DateOutsideTheEpochCenturyOfATwoDigitMask)
{
    auto& f = Field(pftDate, "MM/dd/yy");
    f.SetEpoch(1900);
    EXPECT_THROW(f.SetDateTimeValue(EncodeDate(2050, 6, 1)), EInvalidDateForMask);
    f.SetDateTimeValue(0.0);
    EXPECT_TRUE(f.IsFieldBlank()) << "30 December 1899 is no date";
    f.SetDayNumber(0);
    EXPECT_TRUE(f.IsFieldBlank());
    f.SetDateTimeValue(EncodeDate(1950, 6, 1));
    EXPECT_EQ(f.Text(), QStringLiteral(" 6/01/50")) << "an upper-case run pads with blanks";
}

// A mask without a year reads the current year (2024 here) and writes any
// year: the epoch only gives a two-digit year its century.
TEST_F(PictureField, MaskWithoutAYearTakesAnyYear)
{
    auto& f = Field(pftDate, "MM/dd");
    Type(f, "0229");
    EXPECT_EQ(f.FocusLeaving(TEfLeaveTarget::FormControl, true).error, 0);
    EXPECT_EQ(f.Text(), QStringLiteral(" 2/29"));
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2024, 2, 29));
    f.SetDateTimeValue(EncodeDate(1815, 12, 31));
    EXPECT_EQ(f.Text(), QStringLiteral("12/31"));
    f.SetDateTimeValue(EncodeDate(3999, 1, 1));
    EXPECT_EQ(f.Text(), QStringLiteral(" 1/01"));
    f.FocusGained();
    f.PlaceCaret(0);
    f.DecreaseValue(false, 1.0);
    EXPECT_EQ(f.Text(), QStringLiteral("12/01")) << "stepping is not held to the epoch's century";
}

TEST_F(PictureField, CompleteDateFromToday)
{
    auto& f = Field(pftDate, "MM/DD/yyyy");
    f.Command(ccCompleteDate);
    EXPECT_EQ(f.Text(), QStringLiteral(" 3/15/2024"));
    f.ClearText();
    f.PlaceCaret(0);
    Type(f, "12");
    f.Command(ccCompleteDate);
    EXPECT_EQ(f.Text(), QStringLiteral("12/15/2024")) << "the rest of the date is today's";
}

TEST_F(PictureField, TimesReadAndValidate)
{
    IntlSup().AMText = QStringLiteral("AM");
    IntlSup().PMText = QStringLiteral("PM");
    auto& f = Field(pftTime, "hh:mm tt");
    f.SetSeconds(13 * 3600 + 5 * 60);
    EXPECT_EQ(f.Text(), QStringLiteral("01:05 PM"));
    EXPECT_EQ(f.Validate(), 0);
    f.ClearText();
    EXPECT_EQ(f.Validate(), 0) << "a blank time passes";
    f.SelectAll();
    Type(f, "1330PM");
    EXPECT_EQ(f.Validate(), efeInvalidTime);
}

TEST_F(PictureField, IntegerRangeAndTypeErrors)
{
    auto& f = Field(pftInteger);
    EXPECT_EQ(f.MaskText(), QStringLiteral("iiiiii"));
    Type(f, "40000");
    EXPECT_EQ(f.Validate(), efeRange);
    f.SelectAll();
    Type(f, "4-");
    EXPECT_EQ(f.Validate(), efeInvalidForType);
    f.SelectAll();
    Type(f, "-123");
    EXPECT_EQ(f.Validate(), 0);
    EXPECT_EQ(f.IntegerValue(), -123);
    f.ClearText();
    EXPECT_EQ(f.Validate(), 0) << "an empty number field reads as 0";
    EXPECT_EQ(f.IntegerValue(), 0);
}

TEST_F(PictureField, ErrorTextsReachTheUser)
{
    auto& f = Field(pftInteger);
    f.ReportError(efeRange);
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("Value is not within required range")});
    QStringList reported;
    f.OnError = [&](QObject*, quint16 code, const QString& text) {
        reported << QStringLiteral("%1 %2").arg(code, 0, 16).arg(text);
    };
    f.ReportError(efeInvalidForType);
    f.ReportError(0x200);
    EXPECT_EQ(boxes.shown.size(), 1) << "the field's handler takes the place of the box";
    controller.ErrorText = QStringLiteral("Must be even");
    f.ReportError(0x8002);
    EXPECT_EQ(reported, (QStringList{QStringLiteral("101 Value is not valid for this field type"),
                                     QStringLiteral("200 Entry Error"), QStringLiteral("8002 Must be even")}));
}

TEST_F(PictureField, UserValidationMayChangeTheCode)
{
    auto& f = Field(pftInteger);
    f.OnUserValidation = [](QObject*, quint16& code) {
        if (code == 0)
            code = 0x8000;
    };
    Type(f, "7");
    EXPECT_EQ(f.Validate(), 0x8000);
}

TEST_F(PictureField, DecimalSeparatorAlignsThePoint)
{
    auto& f = Field(pftDouble, "#####.##");
    EXPECT_EQ(f.Text(), QStringLiteral("    0.00")) << "a new number field holds 0";
    f.ClearText();
    EXPECT_EQ(f.Text(), QStringLiteral("     .  "));
    Type(f, "12.");
    EXPECT_EQ(f.Text(), QStringLiteral("   12.00"));
    EXPECT_EQ(f.Caret(), 6) << "after the point";
    Type(f, "5");
    EXPECT_DOUBLE_EQ(f.FloatValue(), 12.5);
    f.SetFloatValue(3.25);
    EXPECT_EQ(f.Text(), QStringLiteral("    3.25"));
}

TEST_F(PictureField, LeavingAlignsAnEditedNumber)
{
    auto& f = Field(pftDouble, "#####.##");
    Type(f, "7");
    const TEfLeaveOutcome left = f.FocusLeaving(TEfLeaveTarget::FormControl, true);
    EXPECT_EQ(left.error, 0);
    EXPECT_EQ(f.Text(), QStringLiteral("    7.00"));
}

TEST_F(PictureField, FormattedNumbersEditAsPlainDigits)
{
    auto& f = Field(pftDouble, "$#,###.##");
    f.SetFloatValue(1234.5);
    EXPECT_EQ(f.Text(), QStringLiteral("$1,234.50"));
    f.FocusGained();
    f.Command(ccEnd);
    f.Command(ccBack);
    EXPECT_EQ(f.Text(), QStringLiteral("  1234.5 ")) << "currency and separators out while editing";
    EXPECT_EQ(f.FocusLeaving(TEfLeaveTarget::FormControl, true).error, 0);
    EXPECT_EQ(f.Text(), QStringLiteral("$1,234.50")) << "and back when the field is left";
    f.SetFloatValue(7.25);
    EXPECT_EQ(f.Text(), QStringLiteral("    $7.25")) << "the currency stands before the amount";
    f.FocusGained();
    f.Command(ccEnd);
    f.Command(ccBack);
    EXPECT_EQ(f.FocusLeaving(TEfLeaveTarget::FormControl, true).error, 0);
    EXPECT_EQ(f.Text(), QStringLiteral("    $7.20"));
}

TEST_F(PictureField, NumberTooWideShowsStarsAndFailsValidation)
{
    auto& f = Field(pftDouble, "###.##");
    f.SetFloatValue(123456.0);
    EXPECT_EQ(f.Text(), QStringLiteral("***.**"));
    EXPECT_EQ(f.Validate(), efeInvalidForType);
}

TEST_F(PictureField, LiteralsAreShownAndSkipped)
{
    auto& f = Field(pftString, "(999) 999-9999");
    EXPECT_EQ(f.Caret(), 1);
    Type(f, "5551234567");
    EXPECT_EQ(f.Text(), QStringLiteral("(555) 123-4567"));
    EXPECT_EQ(f.TextValue(), QStringLiteral("(555) 123-4567"));
    f.SetStripLiterals(true);
    EXPECT_EQ(f.TextValue(), QStringLiteral("5551234567"));
    Type(f, "8");
    EXPECT_EQ(boxes.beeps, 1) << "past the last position";
    f.SetDataType(pftLongInt);
    EXPECT_FALSE(f.StripLiterals()) << "not for numbers";
}

TEST_F(PictureField, DoubleClickLeavesTheCaretOffTheLiterals)
{
    auto& f = Field(pftString, "(999) 999-9999");
    Type(f, "5551234567");
    f.Command(TEfEditInput{ccDblClick, {}, {}, 2, false});
    EXPECT_EQ(f.SelectedText(), QStringLiteral("555"));
    Type(f, "x");
    EXPECT_EQ(f.Text(), QStringLiteral("(555) 123-4567")) << "the parenthesis is no place to type";
    EXPECT_EQ(boxes.beeps, 1);
    f.Command(TEfEditInput{ccDblClick, {}, {}, 7, false});
    f.Command(ccIns);
    Type(f, "-");
    EXPECT_EQ(f.Text(), QStringLiteral("(555) 123-4567"));
}

TEST_F(PictureField, InsertPushesAndOvertypeReplaces)
{
    auto& f = Field(pftString, "XXXX");
    Type(f, "abc");
    f.Command(ccHome);
    Type(f, "X");
    EXPECT_EQ(f.Text(), QStringLiteral("Xabc"));
    f.Command(ccIns);
    EXPECT_FALSE(f.InsertMode());
    Type(f, "Y");
    EXPECT_EQ(f.Text(), QStringLiteral("XYbc"));
    f.Command(ccIns);
    f.SetInsertPushes(false);
    f.Command(ccHome);
    Type(f, "Z");
    EXPECT_EQ(f.Text(), QStringLiteral("XYbc")) << "a full run does not push without InsertPushes";
    EXPECT_EQ(boxes.beeps, 1);
    f.SetInsertPushes(true);
    Type(f, "Z");
    EXPECT_EQ(f.Text(), QStringLiteral("ZXYb"));
}

TEST_F(PictureField, ForcedModesIgnoreTheInsertKey)
{
    auto& f = Field(pftString);
    f.SetForceOvertype(true);
    f.Command(ccIns);
    EXPECT_FALSE(f.InsertMode());
    f.SetForceOvertype(false);
    f.SetForceInsert(true);
    f.Command(ccIns);
    EXPECT_TRUE(f.InsertMode());
}

TEST_F(PictureField, DeletingClosesTheRun)
{
    auto& f = Field(pftString, "XXXXXX");
    Type(f, "abcdef");
    f.PlaceCaret(3);
    f.Command(ccBack);
    EXPECT_EQ(f.Text(), QStringLiteral("abdef "));
    f.Command(ccDel);
    EXPECT_EQ(f.Text(), QStringLiteral("abef  "));
    f.Command(ccExtendRight);
    f.Command(ccExtendRight);
    EXPECT_EQ(f.SelStart(), 2);
    EXPECT_EQ(f.SelEnd(), 4);
    EXPECT_EQ(f.SelectedText(), QStringLiteral("ef"));
    f.Command(ccDel);
    EXPECT_EQ(f.Text(), QStringLiteral("ab    "));
    f.Command(ccDelLine);
    EXPECT_TRUE(f.IsFieldBlank());
}

TEST_F(PictureField, TypingReplacesTheSelection)
{
    auto& f = Field(pftString, "XXXXXX");
    Type(f, "hello");
    f.SelectAll();
    Type(f, "ok");
    EXPECT_EQ(f.TextValue(), QStringLiteral("ok"));
}

TEST_F(PictureField, PasteKeepsWhatTheMaskAccepts)
{
    auto& f = Field(pftLongInt, "99999");
    f.Paste(QStringLiteral("12ab34"));
    EXPECT_EQ(f.Text(), QStringLiteral("1234 "));
    EXPECT_EQ(boxes.beeps, 0);
    auto& date = Field(pftDate, "MM/DD/yyyy");
    date.Paste(QStringLiteral("07/04/1976"));
    EXPECT_DOUBLE_EQ(date.DateTimeValue(), EncodeDate(1976, 7, 4));
}

TEST_F(PictureField, CaseRulesOfTheMask)
{
    auto& f = Field(pftString, "!!!LLLxxxxx");
    Type(f, "abcDEFa b-c");
    EXPECT_EQ(f.Text(), QStringLiteral("ABCdefa B-C")) << "x capitalises after a blank or a minus";
}

TEST_F(PictureField, RequiredFieldLeftEmpty)
{
    auto& f = Field(pftString);
    f.InputRequired = true;
    const TEfLeaveOutcome out = f.FocusLeaving(TEfLeaveTarget::FormControl, true);
    EXPECT_EQ(out.error, efeRequired);
    EXPECT_TRUE(out.refocus);
    EXPECT_TRUE(out.report);
    EXPECT_TRUE(f.IsInvalid());
}

TEST_F(PictureField, LeavingForCancelChecksNothing)
{
    auto& f = Field(pftInteger);
    f.InputRequired = true;
    const TEfLeaveOutcome out = f.FocusLeaving(TEfLeaveTarget::ExemptButton, true);
    EXPECT_EQ(out.error, 0);
    EXPECT_FALSE(out.refocus);
    EXPECT_FALSE(f.IsInvalid());
}

TEST_F(PictureField, UninitializedFieldShowsBlanksUntilModified)
{
    auto& f = Field(pftInteger);
    f.SetIntegerValue(180);
    f.InputRequired = true;
    f.SetUninitialized(true);
    f.FocusLeaving(TEfLeaveTarget::OtherWindow, true);
    EXPECT_EQ(f.DisplayText(), QString(6, QLatin1Char(' ')));
    f.FocusGained();
    EXPECT_EQ(f.DisplayText(), QStringLiteral("180   "));
    EXPECT_EQ(f.FocusLeaving(TEfLeaveTarget::FormControl, true).error, efeRequired) << "never modified";
    f.FocusGained();
    Type(f, "5");
    EXPECT_EQ(f.FocusLeaving(TEfLeaveTarget::FormControl, true).error, 0);
    EXPECT_FALSE(f.Uninitialized());
    EXPECT_EQ(f.DisplayText(), QStringLiteral("5     "));
}

TEST_F(PictureField, SoftValidationReportsAndLetsGo)
{
    auto& f = Field(pftInteger);
    f.SoftValidation = true;
    Type(f, "99999");
    const TEfLeaveOutcome out = f.FocusLeaving(TEfLeaveTarget::FormControl, true);
    EXPECT_EQ(out.error, efeRange);
    EXPECT_TRUE(out.report);
    EXPECT_FALSE(out.refocus);
}

TEST_F(PictureField, OnlyTheFirstOfTwoErrorsIsReported)
{
    TEfPictureFieldCore other(&controller);
    auto& f = Field(pftInteger);
    f.SoftValidation = true;
    other.SetDataType(pftInteger);
    other.SoftValidation = true;
    Type(f, "99999");
    EXPECT_TRUE(f.FocusLeaving(TEfLeaveTarget::FormControl, true).report);
    other.FocusGained();
    EXPECT_FALSE(controller.ErrorInProgress) << "a field got the focus";
    Type(other, "99999");
    EXPECT_TRUE(other.FocusLeaving(TEfLeaveTarget::FormControl, true).report);
    f.FocusGained();
    controller.ErrorInProgress = true;
    Type(f, "88888");
    EXPECT_FALSE(f.FocusLeaving(TEfLeaveTarget::FormControl, true).report);
}

TEST_F(PictureField, WrongAccessorsRaise)
{
    auto& f = Field(pftString);
    EXPECT_THROW(f.DateTimeValue(), EInvalidDataType);
    EXPECT_THROW(f.SetDateTimeValue(1.0), EInvalidDataType);
    EXPECT_THROW(f.IntegerValue(), EInvalidDataType);
    EXPECT_THROW(f.SetFloatValue(1.0), EInvalidDataType);
    EXPECT_THROW(f.SetDayNumber(5), EInvalidDataType);
    EXPECT_THROW(f.SetPictureMask(QStringLiteral("999.99")), EInvalidPictureMask);
    f.SetDataType(pftDouble);
    EXPECT_NO_THROW(f.SetPictureMask(QStringLiteral("999.99")));
    EXPECT_THROW(f.SetPictureMask(QString(256, QLatin1Char('X'))), EInvalidPictureMask);
}

TEST_F(PictureField, RangeWithoutZeroStartsAtItsLowEnd)
{
    core.SetDataType(pftInteger);
    core.SetPictureMask(QStringLiteral("iiii"));
    core.SetRangeLo(QStringLiteral("1990"));
    core.SetRangeHi(QStringLiteral("2030"));
    EXPECT_EQ(core.IntegerValue(), 1990);
    EXPECT_EQ(core.Validate(), 0);
    core.FocusGained();
    Type(core, "0");
    core.SetRange(2000, 2030);
    EXPECT_EQ(core.IntegerValue(), 0) << "typing is never overwritten";
    TEfPictureFieldCore amount(&controller);
    amount.SetDataType(pftDouble);
    amount.SetRange(-5.0, 5.0);
    EXPECT_DOUBLE_EQ(amount.FloatValue(), 0.0) << "0 lies in this range";
}

TEST_F(PictureField, RangesMustSuitTheType)
{
    auto& f = Field(pftWord);
    EXPECT_EQ(f.RangeLo(), 0);
    EXPECT_EQ(f.RangeHi(), 65535);
    try {
        f.SetRangeHi(QStringLiteral("70000"));
        FAIL() << "no exception";
    } catch (const EInvalidRangeValue& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid range. Enter a value between (0) and (65535)"));
    }
    EXPECT_THROW(f.SetRangeLo(QStringLiteral("abc")), EInvalidRangeValue);
    EXPECT_THROW(f.SetRange(0, std::numeric_limits<double>::quiet_NaN()), EInvalidRangeValue);
    f.SetRangeLo(QStringLiteral("10"));
    f.SetRangeHi(QStringLiteral("20"));
    EXPECT_EQ(f.RangeHi(), 20);
    f.SetDataType(pftDate);
    f.SetPictureMask(QStringLiteral("MM/DD/yyyy"));
    f.SetRangeLo(QStringLiteral("01/01/2000"));
    EXPECT_EQ(f.RangeLo(), DMYToDayNumber(1, 1, 2000, 0));
    try {
        f.SetRangeHi(QStringLiteral("13/45/2000"));
        FAIL() << "no exception";
    } catch (const EInvalidRangeValue& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid date range. Enter a value using 'MM/DD/yyyy' as the format"));
    }
}

TEST_F(PictureField, ValuesTheTypeCannotHoldAreNotStored)
{
    auto& f = Field(pftWord);
    f.SetIntegerValue(300);
    f.SetIntegerValue(70000);
    EXPECT_EQ(f.LastError(), efeRange);
    EXPECT_EQ(f.IntegerValue(), 300);
    f.SetFloatValue(-1.0);
    EXPECT_EQ(f.LastError(), efeRange);
    f.SetFloatValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(f.LastError(), efeInvalidForType);
    f.SetFloatValue(std::nan(""));
    EXPECT_EQ(f.IntegerValue(), 300);
    auto& g = Field(pftLongInt);
    g.SetFloatValue(1e300);
    EXPECT_EQ(g.LastError(), efeRange);
    Type(g, "99999999999");
    EXPECT_EQ(g.Validate(), efeInvalidForType) << "past 32 bits";
}

TEST_F(PictureField, MaxLengthBeyondTheMask)
{
    auto& f = Field(pftLongInt, "99");
    f.SetMaxLength(5);
    EXPECT_EQ(f.Text().size(), 5);
    f.FocusGained();
    Type(f, "12345");
    EXPECT_EQ(f.Text(), QStringLiteral("12   "));
    EXPECT_EQ(f.IntegerValue(), 12);
}

TEST_F(PictureField, IntegerStepsWrapAtTheBounds)
{
    auto& f = Field(pftShortInt);
    f.SetIntegerValue(126);
    f.FocusGained();
    f.IncreaseValue(false, 1.0);
    EXPECT_EQ(f.IntegerValue(), 127);
    f.IncreaseValue(false, 1.0);
    EXPECT_EQ(f.IntegerValue(), 127) << "no wrap";
    f.IncreaseValue(true, 1.0);
    EXPECT_EQ(f.IntegerValue(), -128);
    f.DecreaseValue(true, 1.0);
    EXPECT_EQ(f.IntegerValue(), 127);
    f.DecreaseValue(false, 1000.0);
    EXPECT_EQ(f.IntegerValue(), 127) << "a result outside the range is not stored";
    f.Command(ccDec);
    EXPECT_EQ(f.IntegerValue(), 126);
    EXPECT_TRUE(f.WasEverModified());
}

TEST_F(PictureField, StepsOfAnySizeStayDefined)
{
    auto& f = Field(pftLongInt);
    f.SetIntegerValue(5);
    f.FocusGained();
    for (double delta : {1e300, -1e300, std::numeric_limits<double>::infinity(), std::nan("")})
        f.IncreaseValue(true, delta);
    EXPECT_EQ(f.IntegerValue(), 5);
    auto& date = Field(pftDate, "MM/DD/yyyy");
    date.SetDateTimeValue(EncodeDate(2024, 1, 31));
    date.FocusGained();
    date.PlaceCaret(8);
    date.IncreaseValue(false, 1e12);
    date.DecreaseValue(false, 2147483648.0);
    EXPECT_DOUBLE_EQ(date.DateTimeValue(), EncodeDate(2024, 1, 31));
    date.IncreaseValue(true, 1e12);
    EXPECT_DOUBLE_EQ(date.DateTimeValue(), EncodeDate(1600, 1, 1)) << "wrapped to the first day";
}

TEST_F(PictureField, ZeroDisplayHidesAZeroValue)
{
    auto& f = Field(pftInteger, "iiii");
    f.ZeroDisplay = TZeroDisplay::zdHideUntilModified;
    f.SetIntegerValue(0);
    EXPECT_EQ(f.DisplayText(), QStringLiteral("    "));
    Type(f, "0");
    EXPECT_EQ(f.DisplayText(), QStringLiteral("0   ")) << "shown once modified";
    f.ZeroDisplay = TZeroDisplay::zdHide;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("    "));
    f.ZeroDisplayValue = 7;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("0   "));
}

TEST_F(PictureField, DateStepsThePartUnderTheCaret)
{
    auto& f = Field(pftDate, "MM/DD/yyyy");
    f.SetDateTimeValue(EncodeDate(2024, 1, 31));
    f.FocusGained();
    f.PlaceCaret(0);
    f.IncreaseValue(false, 1.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2024, 2, 29)) << "months clamp the day";
    f.PlaceCaret(4);
    f.IncreaseValue(false, 1.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2024, 3, 1));
    f.PlaceCaret(8);
    f.DecreaseValue(false, 4.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2020, 3, 1));
    f.SetRangeLo(QStringLiteral("01/01/2020"));
    f.SetRangeHi(QStringLiteral("12/31/2020"));
    f.FocusGained();
    f.PlaceCaret(8);
    f.IncreaseValue(true, 1.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2020, 1, 1)) << "wrapped to the low end";
}

TEST_F(PictureField, TwoDigitYearStepsStayInTheEpochCentury)
{
    auto& f = Field(pftDate, "MM/dd/yy");
    f.SetDateTimeValue(EncodeDate(1999, 12, 31));
    f.FocusGained();
    f.PlaceCaret(3);
    f.IncreaseValue(false, 1.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(1999, 12, 31));
    f.IncreaseValue(true, 1.0);
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(1900, 1, 1));
}

TEST_F(PictureField, TwoDigitYearRangeOutsideTheEpochLeavesNothingToStep)
{
    auto& f = Field(pftDate, "MM/dd/yy");
    f.SetRange(DMYToDayNumber(1, 1, 2020, 0), DMYToDayNumber(31, 12, 2020, 0));
    f.FocusGained();
    Type(f, "7");
    EXPECT_NO_THROW(f.DecreaseValue(true, 1.0));
    EXPECT_NO_THROW(f.IncreaseValue(true, 1.0));
    EXPECT_EQ(f.Text(), QStringLiteral("7 /  /  "));
}

TEST_F(PictureField, BooleanAndCharacterFields)
{
    auto& flag = Field(pftBoolean);
    flag.SetInsertPushes(true);
    EXPECT_FALSE(flag.InsertPushes()) << "options of longer texts do not apply";
    Type(flag, "t");
    EXPECT_EQ(flag.Text(), QStringLiteral("T"));
    Type(flag, "x");
    EXPECT_EQ(boxes.beeps, 1);
    flag.Command(ccInc);
    EXPECT_EQ(flag.Text(), QStringLiteral("F"));
    auto& letter = Field(pftChar, "A");
    letter.SetRange(QLatin1Char('A').unicode(), QLatin1Char('C').unicode());
    Type(letter, "c");
    EXPECT_EQ(letter.Text(), QStringLiteral("C"));
    letter.IncreaseValue(false, 1.0);
    EXPECT_EQ(letter.Text(), QStringLiteral("C"));
    letter.IncreaseValue(true, 1.0);
    EXPECT_EQ(letter.Text(), QStringLiteral("A"));
}

TEST_F(PictureField, RestoreBringsBackTheTextOnEntry)
{
    auto& f = Field(pftString);
    f.SetTextValue(QStringLiteral("Jones"));
    f.FocusGained();
    Type(f, "Smith");
    f.Command(ccUndo);
    EXPECT_EQ(f.TextValue(), QStringLiteral("Smith")) << "undo is the widget's to map";
    f.Command(ccRestore);
    EXPECT_EQ(f.TextValue(), QStringLiteral("Jones"));
}

// The program changes the layout while the user edits: the text restored is
// the one on entry, laid out as the field is now.
TEST_F(PictureField, RestoreFollowsANewLength)
{
    auto& f = Field(pftString);
    f.SetTextValue(QStringLiteral("O'Brien"));
    f.FocusGained();
    Type(f, "x");
    f.SetMaxLength(30);
    f.Command(ccRestore);
    EXPECT_EQ(f.Text(), QStringLiteral("O'Brien").leftJustified(30));
    f.PlaceCaret(29);
    Type(f, "!");
    EXPECT_EQ(f.Text(), QStringLiteral("O'Brien").leftJustified(30)) << "past the mask nothing is typed";
    EXPECT_EQ(boxes.beeps, 1);
    f.SetMaxLength(4);
    f.Command(ccRestore);
    EXPECT_EQ(f.Text(), QStringLiteral("O'Br"));
}

TEST_F(PictureField, RestoreFollowsANewMask)
{
    auto& f = Field(pftDate, "MM/dd/yyyy");
    f.SetDateTimeValue(EncodeDate(2024, 2, 29));
    f.FocusGained();
    Type(f, "12");
    f.SetPictureMask(QStringLiteral("yyyy-mm-dd"));
    f.Command(ccRestore);
    EXPECT_EQ(f.Text(), QStringLiteral("2024-02-29"));
    EXPECT_DOUBLE_EQ(f.DateTimeValue(), EncodeDate(2024, 2, 29));

    auto& amount = Field(pftDouble, "####.##");
    amount.SetFloatValue(19.99);
    amount.FocusGained();
    Type(amount, "7");
    amount.SetPictureMask(QStringLiteral("$#,###,###.##"));
    amount.Command(ccRestore);
    EXPECT_EQ(amount.Text(), QStringLiteral("       $19.99"));
    EXPECT_DOUBLE_EQ(amount.FloatValue(), 19.99);
}

TEST_F(PictureField, RestoreBeforeAnyEditingChangesNothing)
{
    TEfPictureFieldCore fresh{&controller};
    fresh.SetTextValue(QStringLiteral("Ann"));
    fresh.RestoreText();
    EXPECT_EQ(fresh.Text(), QStringLiteral("Ann").leftJustified(15));
}

TEST_F(PictureField, ReadOnlyRefusesEditingButMovesAndCopies)
{
    auto& f = Field(pftString);
    f.SetTextValue(QStringLiteral("Locked"));
    f.ReadOnly = true;
    f.FocusGained();
    f.Command(ccBack);
    EXPECT_EQ(boxes.beeps, 1);
    EXPECT_EQ(f.TextValue(), QStringLiteral("Locked"));
    f.Command(ccHome);
    f.Command(ccExtendRight);
    EXPECT_EQ(f.SelectedText(), QStringLiteral("L"));
    f.ClearText();
    EXPECT_TRUE(f.IsFieldBlank());
    EXPECT_TRUE(f.ReadOnly);
}

TEST_F(PictureField, PasswordAndPadCharacters)
{
    auto& f = Field(pftString, "XXXXX");
    Type(f, "abc");
    f.PadChar = QLatin1Char('_');
    EXPECT_EQ(f.DisplayText(), QStringLiteral("abc__"));
    f.PasswordMode = true;
    EXPECT_EQ(f.DisplayText(), QStringLiteral("***__"));
    EXPECT_EQ(f.TextValue(), QStringLiteral("abc"));
}

}  // namespace
