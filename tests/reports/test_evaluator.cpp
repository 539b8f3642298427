// The expression evaluator: operators and their grouping, names and fields,
// every library function, aggregates, and errors that never raise.
#include "memorydataset.h"

#include "reports/rpevaluator.h"
#include "reports/rpformat.h"

#include "platform/formatsettings.h"

#include <gtest/gtest.h>

namespace {

class EvaluatorTest : public ::testing::Test {
protected:
    EvaluatorTest()
        : claims_(QStringLiteral("Claims"),
                  {{QStringLiteral("Amount"), TFieldType::Float},
                   {QStringLiteral("Visits"), TFieldType::Integer},
                   {QStringLiteral("Co-pay"), TFieldType::SmallInt},
                   {QStringLiteral("Notes"), TFieldType::String},
                   {QStringLiteral("Paid"), TFieldType::Boolean},
                   {QStringLiteral("Seen"), TFieldType::Date},
                   {QStringLiteral("Letter"), TFieldType::Memo}},
                  {{150.5, 3, 20, QStringLiteral("knee"), true, 45000.0, QStringLiteral("long text")},
                   {80.0, 1, 10, QStringLiteral("eye"), false, 45001.0, QString()},
                   {20.25, 2, 15, QStringLiteral("ear"), true, 45002.0, QString()}}),
          members_(QStringLiteral("Members"),
                   {{QStringLiteral("Notes"), TFieldType::String}, {QStringLiteral("Donor"), TFieldType::Integer}},
                   {{QStringLiteral("member note"), 7}})
    {
    }

    void SetUp() override
    {
        saved_ = ProcessFormats();
        ProcessFormats().decimalSeparator = QLatin1Char('.');
        ProcessFormats().thousandSeparator = QLatin1Char(',');
        Clock::SetFixed(QDateTime(QDate(2024, 7, 4), QTime(9, 30)));
    }
    void TearDown() override
    {
        ProcessFormats() = saved_;
        Clock::SetFixed(QDateTime());
    }

    TRpEvResult Eval(const QString& text)
    {
        TRpEvaluator evaluator;
        evaluator.SetDataSets({&claims_, &members_});
        evaluator.Prepare(text);
        return evaluator.Value();
    }

    void ExpectInteger(const QString& text, qint32 value)
    {
        const TRpEvResult r = Eval(text);
        EXPECT_EQ(r.kind, TRpEvKind::Integer) << text.toStdString();
        EXPECT_EQ(r.integer, value) << text.toStdString();
    }
    void ExpectFloat(const QString& text, double value)
    {
        const TRpEvResult r = Eval(text);
        EXPECT_EQ(r.kind, TRpEvKind::Float) << text.toStdString();
        EXPECT_DOUBLE_EQ(r.number, value) << text.toStdString();
    }
    void ExpectString(const QString& text, const QString& value)
    {
        const TRpEvResult r = Eval(text);
        EXPECT_EQ(r.kind, TRpEvKind::String) << text.toStdString();
        EXPECT_EQ(r.text, value) << text.toStdString();
    }
    void ExpectBoolean(const QString& text, bool value)
    {
        const TRpEvResult r = Eval(text);
        EXPECT_EQ(r.kind, TRpEvKind::Boolean) << text.toStdString();
        EXPECT_EQ(r.boolean, value) << text.toStdString();
    }
    void ExpectError(const QString& text) { EXPECT_TRUE(Eval(text).IsError()) << text.toStdString(); }

    MemoryDataSet claims_;
    MemoryDataSet members_;
    FormatSettings saved_;
};

TEST_F(EvaluatorTest, Arithmetic)
{
    ExpectInteger("1+2*3", 7);
    ExpectInteger("(1+2)*3", 9);
    ExpectInteger("7/2", 3);
    ExpectInteger("-7/2", -3);
    ExpectFloat("7.0/2", 3.5);
    ExpectFloat("1 + 0.5", 1.5);
    ExpectError("1/0");
    ExpectError("1.0/0");
    ExpectInteger("-5", -5);
    ExpectInteger("+5", 5);
    ExpectInteger("10 - -2", 12);
    ExpectInteger("2 * -3", -6);
    ExpectInteger("2147483647 + 1", INT32_MIN);   // 32-bit registers wrap
    ExpectError("99999999999");
    ExpectError("12abc");
    ExpectError("1.2.3");
    ExpectInteger("6 and 3", 2);
    ExpectInteger("6 or 3", 7);
    ExpectError("1.5 or 2");
}

// After a word operator, as after a symbol, a sign belongs to the operand.
TEST_F(EvaluatorTest, TakesASignAfterAWordOperatorAsTheOperands)
{
    ExpectInteger("5 or -2", -1);
    ExpectInteger("6 and -3", 4);
    ExpectInteger("6 AND +3", 2);
    ExpectInteger("12 or - 3", -3);
    ExpectInteger("not -1", 1);           // an integer changes sign
    ExpectInteger("NOT +6", -6);
    ExpectInteger("(not -8) * 2", 16);
    ExpectBoolean("not -(1 > 2)", false);
    ExpectInteger("7 - 6 or -8", -7);     // (7 - 6) or -8
    ExpectInteger("-5 and -3 - 1", -8);   // (-5 and -3) - 1
    // A name that merely ends in a word operator's letters is an operand.
    ExpectInteger("Donor -2", 5);
    ExpectInteger("Members.Donor - -2", 9);
    ExpectInteger("Donor or -2", -1);
}

// A word operator binds as its level's symbols: and as *, or as +.
TEST_F(EvaluatorTest, BindsAndTighterThanOr)
{
    ExpectInteger("1 or 2 and 4", 1);     // 1 or (2 and 4)
    ExpectInteger("6 and 3 or 8", 10);    // (6 and 3) or 8
    ExpectInteger("12 and 10 or 5 and 3", 9);
    ExpectBoolean("TRUE or FALSE and FALSE", true);
    ExpectBoolean("FALSE and FALSE or TRUE", true);
    ExpectInteger("1 + 2 and 4", 1);      // 1 + (2 and 4)
    ExpectInteger("3 or 4 * 2", 11);      // 3 or (4 * 2)
}

TEST_F(EvaluatorTest, GroupsOperatorsOfOneLevelFromTheLeft)
{
    ExpectInteger("10-2-3", 5);
    ExpectInteger("8/4/2", 1);
    ExpectInteger("2*3/4", 1);
    ExpectInteger("10-2+3", 11);
    ExpectInteger("100/10*2", 20);
}

TEST_F(EvaluatorTest, GivesAnErrorForTheSmallestIntegerDividedByMinusOne)
{
    ExpectInteger("(-2147483647-1)", INT32_MIN);
    ExpectError("(-2147483647-1)/-1");
    ExpectError("(-2147483647-1)/(0-1)");
    ExpectInteger("(-2147483647-1)/1", INT32_MIN);
}

TEST_F(EvaluatorTest, StringsBooleansAndComparisons)
{
    ExpectString("'ab'+'cd'", "abcd");
    ExpectString("'a, b' + ' (c)'", "a, b (c)");
    ExpectBoolean("'a' < 'b'", true);
    ExpectBoolean("'B' < 'a'", true);   // ordinal
    ExpectBoolean("'x' = 'x'", true);
    ExpectBoolean("'x' <> 'X'", true);
    ExpectBoolean("TRUE = FALSE", false);
    ExpectError("TRUE < FALSE");
    ExpectBoolean("not TRUE", false);
    ExpectBoolean("NOT (1 > 2)", true);
    ExpectBoolean("TRUE and FALSE", false);
    ExpectBoolean("TRUE or FALSE", true);
    ExpectBoolean("2 >= 2.0", true);
    ExpectBoolean("1 <= 0", false);
    ExpectBoolean("3 > 2", true);
    ExpectBoolean("1 <> 1", false);
    ExpectError("'a' - 'b'");
    ExpectError("'a' + 1");
    ExpectError("1 = 1 = 1");
    ExpectString("'" + QString(200, 'x') + "' + '" + QString(100, 'y') + "'", QString(200, 'x') + QString(55, 'y'));
    ExpectString("", " ");
}

TEST_F(EvaluatorTest, ReadsFieldsAsTheirKinds)
{
    ExpectFloat("Amount", 150.5);
    ExpectFloat("claims.amount * 2", 301);
    ExpectInteger("Visits + 1", 4);
    ExpectString("Claims.Notes", "knee");
    ExpectString("Members.Notes", "member note");
    ExpectString("Notes", "knee");   // the first data set that has it
    ExpectBoolean("Paid", true);
    ExpectString("Seen", DateToStr(45000.0));
    ExpectError("Letter");           // memos have no value kind
    ExpectError("Nowhere");
    ExpectError("Other.Notes");
    ExpectError("Members.Amount");

    claims_.Next();
    ExpectString("UPPER(Notes)", "EYE");
}

TEST_F(EvaluatorTest, TakesNotAsAnOperatorOnlyBeforeANonNameCharacter)
{
    ExpectString("Notes", "knee");
    ExpectString("notes + '!'", "knee!");
    ExpectBoolean("not Paid", false);
    ExpectBoolean("not(Paid)", false);
    ExpectError("nothing");
}

TEST_F(EvaluatorTest, ReadsABracketedNameAsOneField)
{
    ExpectInteger("[Co-pay]", 20);
    ExpectInteger("[Co-pay] * 2 - [Co-pay]", 20);
    ExpectString("STR([Co-pay])", "20");
    ExpectString("[Claims.Notes]", "knee");
    ExpectError("[Co-pay");
    ExpectError("Co-pay");   // without brackets: Co minus pay
}

TEST_F(EvaluatorTest, NeedsBlanksAroundWordOperatorsAndParenthesesAroundComparisons)
{
    ExpectError("Amount > 100 and Amount < 200");
    ExpectBoolean("(Amount > 100) and (Amount < 200)", true);
    ExpectError("TRUEorFALSE");
    ExpectBoolean("TRUE OR FALSE", true);
}

TEST_F(EvaluatorTest, Functions)
{
    ExpectInteger("IF(1 < 2, 10, 20)", 10);
    ExpectString("IF(Paid, 'yes', 'no')", "yes");
    ExpectError("IF(1, 2, 3)");
    ExpectError("IF(TRUE, 2)");

    ExpectString("STR(42)", "42");
    ExpectString("STR(3.5)", "3.5");
    ExpectString("STR(1E20)", "1E20");
    ExpectString("STR(TRUE)", "True");
    ExpectError("STR('x')");

    ExpectString("UPPER('Mixed Case')", "MIXED CASE");
    ExpectString("LOWER('Mixed Case')", "mixed case");
    ExpectString("PRETTY('mIXED cASE')", "Mixed case");
    ExpectString("PRETTY('')", "");
    ExpectError("UPPER(1)");

    ExpectString("TIME", TimeToStr(Time()));
    ExpectString("DATE", DateToStr(Date()));
    ExpectError("DATE(1)");

    ExpectString("COPY('abcdef', 2, 3)", "bcd");
    ExpectString("COPY('abcdef', 0, 2)", "ab");
    ExpectString("COPY('abcdef', 5, 10)", "ef");
    ExpectString("COPY('abcdef', 9, 2)", "");
    ExpectString("COPY('abcdef', 2, -1)", "");
    ExpectError("COPY('abcdef', 2)");
    ExpectError("COPY('a,b', 1.5, 2)");

    ExpectBoolean("TRUE", true);
    ExpectBoolean("false", false);

    ExpectInteger("INT(7.9)", 7);
    ExpectInteger("INT(-7.9)", -7);
    ExpectInteger("INT(5)", 5);
    ExpectError("INT(3000000000.0)");
    ExpectError("INT(-2147483649.0)");
    ExpectError("INT('5')");

    ExpectFloat("FRAC(7.25)", 0.25);
    ExpectFloat("FRAC(7)", 0.0);

    ExpectFloat("SQRT(16)", 4.0);
    ExpectFloat("SQRT(2.25)", 1.5);
    ExpectError("SQRT(-1)");
    ExpectError("SQRT(0-0.5)");

    ExpectString("TYPEOF(1)", "INTEGER");
    ExpectString("TYPEOF(1.5)", "FLOAT");
    ExpectString("TYPEOF('a')", "STRING");
    ExpectString("TYPEOF(TRUE)", "BOOLEAN");
    ExpectString("TYPEOF(1/0)", "ERROR");

    ExpectString("FORMATNUMERIC('#,##0.00', 1234.5)", "1,234.50");
    ExpectString("FORMATNUMERIC('0.0', 7)", "7.0");
    ExpectError("FORMATNUMERIC('0.0')");
    ExpectError("FORMATNUMERIC('0.0', 'x')");

    ExpectError("NOSUCH(1)");
    ExpectError("UPPER('x'");
    ExpectString("upper('x')", "X");
}

TEST_F(EvaluatorTest, ErrorsPropagateAndMalformedTextsAreErrors)
{
    for (const char* text : {"1 + (2", "'open", "[open", "(", ")", "*", "1 +", "+", "#", "1 2", "()",
                             "UPPER(1/0)", "(1/0) = (1/0)", "not 'x'", "-'x'", "IF(1/0 > 1, 1, 2)"})
        ExpectError(QString::fromLatin1(text));
    ExpectError(QString(5000, '(') + "1" + QString(5000, ')'));
    QString longSum = "1";
    for (int i = 0; i < 20000; ++i)
        longSum += "+1";
    ExpectError(longSum);   // deeper than the compiler goes, yet no crash
    TRpEvaluator unprepared;
    EXPECT_TRUE(unprepared.Value().IsError());
}

TEST_F(EvaluatorTest, AggregatesAccumulateRecordByRecord)
{
    TRpEvaluator sum, count, high, low, average, names;
    for (TRpEvaluator* e : {&sum, &count, &high, &low, &average, &names})
        e->SetDataSets({&claims_});
    sum.Prepare("SUM(Amount)");
    count.Prepare("COUNT");
    high.Prepare("MAX(Visits)");
    low.Prepare("MIN(Notes)");
    average.Prepare("AVERAGE(Visits)");
    names.Prepare("UPPER(Notes)");
    EXPECT_TRUE(sum.IsAggreg());
    EXPECT_TRUE(count.IsAggreg());
    EXPECT_FALSE(names.IsAggreg());

    EXPECT_TRUE(sum.Value().IsError());   // nothing taken in yet
    EXPECT_EQ(count.Value().integer, 0);
    EXPECT_DOUBLE_EQ(average.Value().number, 0.0);

    for (claims_.First(); !claims_.Eof(); claims_.Next())
        for (TRpEvaluator* e : {&sum, &count, &high, &low, &average}) {
            e->SetAggregate(true);
            e->Value();
            e->SetAggregate(false);
        }
    EXPECT_DOUBLE_EQ(sum.Value().number, 250.75);
    EXPECT_EQ(count.Value().integer, 3);
    EXPECT_EQ(high.Value().integer, 3);
    EXPECT_EQ(low.Value().text, QStringLiteral("ear"));
    EXPECT_DOUBLE_EQ(average.Value().number, 2.0);
    EXPECT_EQ(average.Value().kind, TRpEvKind::Float);

    count.Reset();
    sum.Reset();
    EXPECT_EQ(count.Value().integer, 0);
    EXPECT_TRUE(sum.Value().IsError());
}

TEST_F(EvaluatorTest, AggregatesMixKindsSoundly)
{
    TRpEvaluator sum;
    sum.Prepare("SUM(IF(COUNT = 1, 1, 0.5))");
    for (int i = 0; i < 3; ++i) {
        sum.SetAggregate(true);
        sum.Value();
    }
    sum.SetAggregate(false);
    EXPECT_DOUBLE_EQ(sum.Value().number, 2.0);   // 1 + 0.5 + 0.5, as floats
    EXPECT_EQ(sum.Value().kind, TRpEvKind::Float);

    TRpEvaluator texts;
    texts.Prepare("SUM('x')");
    texts.SetAggregate(true);
    texts.Value();
    texts.SetAggregate(false);
    EXPECT_TRUE(texts.Value().IsError());

    TRpEvaluator booleans;
    booleans.Prepare("MAX(IF(COUNT = 2, TRUE, FALSE))");
    booleans.SetAggregate(true);
    for (int i = 0; i < 3; ++i)
        booleans.Value();
    booleans.SetAggregate(false);
    EXPECT_TRUE(booleans.Value().boolean);

    TRpEvaluator counted;
    counted.Prepare("COUNT(1)");
    EXPECT_TRUE(counted.Value().IsError());
}

TEST(NumberText, FormatsByMask)
{
    const FormatSettings saved = ProcessFormats();
    ProcessFormats().decimalSeparator = QLatin1Char(',');
    ProcessFormats().thousandSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00"), 1234567.891), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(FloatToStr(2.5), QStringLiteral("2,5"));
    ProcessFormats() = saved;
    ProcessFormats().decimalSeparator = QLatin1Char('.');
    ProcessFormats().thousandSeparator = QLatin1Char(',');

    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), 3.14159), QStringLiteral("3.14"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), -0.001), QStringLiteral("0.00"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.##"), 1), QStringLiteral("1"));
    EXPECT_EQ(FormatFloat(QStringLiteral("#.##"), 0.5), QStringLiteral(".5"));
    EXPECT_EQ(FormatFloat(QStringLiteral("000"), 7), QStringLiteral("007"));
    EXPECT_EQ(FormatFloat(QStringLiteral("$#,##0.00"), -1234.5), QStringLiteral("-$1,234.50"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00;(0.00);'nil'"), -2.5), QStringLiteral("(2.50)"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00;(0.00);'nil'"), 0), QStringLiteral("nil"));
    EXPECT_EQ(FormatFloat(QStringLiteral("000-00"), 12345), QStringLiteral("123-45"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00E+00"), 12345), QStringLiteral("1.23E+04"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.0E-0"), 0.00012), QStringLiteral("1.2E-4"));
    EXPECT_EQ(FormatFloat(QStringLiteral("#"), 0), QStringLiteral(""));
    EXPECT_EQ(FormatFloat(QStringLiteral("0E+0 00"), -1e300), QStringLiteral("-1E+300 00"));
    EXPECT_EQ(FormatFloat(QString(), 0.1), QStringLiteral("0.1"));
    EXPECT_EQ(FloatToStr(1e-7), QStringLiteral("1E-7"));
    EXPECT_EQ(FloatToStr(-123456.75), QStringLiteral("-123456.75"));
    ProcessFormats() = saved;
}

}  // namespace
