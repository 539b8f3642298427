#include "messagepage.h"

#include "currencytext.h"
#include "pagecommon.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "platform/ui/messagebox.h"
#include "records/common/datemath.h"
#include "records/common/recordtext.h"
#include "context/context.h"
#include "context/product.h"
#include "context/registry.h"

#include <QTextCursor>
#include <cmath>
#include <QTextDocument>

namespace {

constexpr int kTasksShown = 7;
constexpr int kTaskTextWidth = 80;
constexpr quint16 kTaskMonths = 6;
constexpr int kNormalIndent = 20;
const QString kLineStart(8, QLatin1Char(' '));

// Writes lines in the page's two styles.
class TMessageWriter {
public:
    explicit TMessageWriter(QTextDocument& document) : cursor_(&document) { document.clear(); }

    void Heading(const QString& text) { Line(text, HeadingFormat(), 0); }
    // Lines of the normal style start with eight blanks.
    void Normal(const QString& text) { Line(kLineStart + text, NormalFormat(), kNormalIndent); }
    void Empty() { Line(QString(), NormalFormat(), kNormalIndent); }

private:
    static QTextCharFormat HeadingFormat()
    {
        QTextCharFormat format;
        format.setForeground(kNavy);
        format.setFontFamilies({QStringLiteral("Arial")});
        format.setFontWeight(QFont::Bold);
        format.setFontPointSize(13);
        return format;
    }

    static QTextCharFormat NormalFormat()
    {
        QTextCharFormat format;
        format.setForeground(QColor(Qt::black));
        format.setFontFamilies({QStringLiteral("Arial")});
        format.setFontWeight(QFont::Normal);
        format.setFontPointSize(8);
        return format;
    }

    void Line(const QString& text, const QTextCharFormat& format, int indent)
    {
        QTextBlockFormat block;
        block.setLeftMargin(indent);
        if (first_)
            cursor_.setBlockFormat(block);
        else
            cursor_.insertBlock(block, format);
        first_ = false;
        cursor_.setBlockCharFormat(format);
        cursor_.insertText(text, format);
    }

    QTextCursor cursor_;
    bool first_ = true;
};

void AddUpcomingTasks(TMessageWriter& writer)
{
    writer.Heading(QStringLiteral("Upcoming Tasks"));
    const TDateTime today = Date();
    const TDateTime until = IncMonths(kTaskMonths, today);
    TQuery tasks(DataFolder);
    tasks.SQL() << QStringLiteral("SELECT * FROM TODO01") << QStringLiteral("WHERE Due >= :BDate")
                << QStringLiteral("AND Due <= :EDate") << QStringLiteral("AND Done = False") << QStringLiteral("ORDER BY Due")
                << QStringLiteral("LIMIT %1").arg(kTasksShown);
    tasks.ParamByName(QStringLiteral("BDate")).SetAsDate(today);
    tasks.ParamByName(QStringLiteral("EDate")).SetAsDate(until);
    tasks.Open();
    if (tasks.Eof()) {
        writer.Normal(QStringLiteral("There are no upcoming tasks in the next six months"));
        return;
    }
    writer.Normal(QStringLiteral("Due before ") + DateToStr(until));
    int n = 0;
    for (; !tasks.Eof(); tasks.Next()) {
        const QStringList description = tasks.FieldByName(QStringLiteral("Description")).AsLines();
        writer.Normal(QStringLiteral("[%1] ").arg(++n) + WrapWordsOnOneLine(description, kTaskTextWidth));
    }
    // Seven tasks may be all of them, or the first of more.
    if (n == kTasksShown)
        writer.Normal(QStringLiteral("Please see To-Do List for more"));
}

// The span of this year, for the date conditions.
struct TYear {
    int year;
    TDateTime first;
    TDateTime last;
};

TYear ThisYear()
{
    const int year = DecodeDate(Date()).year;
    return {year, EncodeDate(year, 1, 1), EncodeDate(year, 12, 31)};
}

void BindYear(TQuery& query, const TYear& year)
{
    query.ParamByName(QStringLiteral("BDate")).SetAsDate(year.first);
    query.ParamByName(QStringLiteral("EDate")).SetAsDate(year.last);
}

// Money is summed in whole cents, so 50.10 + 50.20 is 100.30 exactly.
QString CentsSum(const QString& column)
{
    return QStringLiteral("SUM(CAST(ROUND(%1 * 100) AS INTEGER))").arg(column);
}

qint64 CentsField(TQuery& query, const QString& name)
{
    return std::llround(query.FieldByName(name).AsFloat());
}

qint64 ReimbursedCents(qint32 accountID, const TYear& year)
{
    TQuery reimbursed(DataFolder);
    reimbursed.SQL() << QStringLiteral("SELECT ") + CentsSum(QStringLiteral("s.Amount")) + QStringLiteral(" AS Cents")
                     << QStringLiteral("FROM MEDEXPSP s JOIN MEDEXP e ON e.ExpID = s.ExpID")
                     << QStringLiteral("WHERE s.AccountID = :AccountID") << QStringLiteral("AND e.ServiceDate >= :BDate")
                     << QStringLiteral("AND e.ServiceDate <= :EDate");
    reimbursed.ParamByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
    BindYear(reimbursed, year);
    reimbursed.Open();
    return CentsField(reimbursed, QStringLiteral("Cents"));
}

void AddFSACheck(TMessageWriter& writer, const TYear& year)
{
    TQuery fsas(DataFolder);
    fsas.SQL() << QStringLiteral("SELECT * FROM MEDINS") << QStringLiteral("WHERE AccountType = 5");
    for (fsas.Open(); !fsas.Eof(); fsas.Next()) {
        const qint32 accountID = fsas.FieldByName(QStringLiteral("AccountID")).AsInteger();
        TQuery elected(DataFolder);
        elected.SQL() << QStringLiteral("SELECT * FROM MEDYEAR") << QStringLiteral("WHERE AccountID = :AccountID")
                      << QStringLiteral("AND ForYear = :ForYear");
        elected.ParamByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
        elected.ParamByName(QStringLiteral("ForYear")).SetAsInteger(year.year);
        elected.Open();
        if (elected.Eof())
            continue;
        const QString fsaName = QStringLiteral("FSA with ") + fsas.FieldByName(QStringLiteral("AccountName")).AsString() +
                                QStringLiteral(":");
        const double amount = elected.FieldByName(QStringLiteral("Amount")).AsFloat();
        writer.Normal(fsaName);
        writer.Normal(QStringLiteral("    Elected amount: ") + CurrencyText(amount));
        const qint64 reimbursed = ReimbursedCents(accountID, year);
        if (ToCents(amount) < reimbursed)
            ShowMessageBox(QStringLiteral("Your reimbursement from ") + fsaName +
                               QStringLiteral(" is greater then then elected amount.") +
                               QStringLiteral("Please double check your latest medical expense record."),
                           MsgIcon::Warning);
        writer.Normal(QStringLiteral("    Already reimbursed: ") + CurrencyTextOfCents(reimbursed));
    }
}

void AddYearToDateTotals(TMessageWriter& writer, const TYear& year)
{
    const auto memberSum = [](const QString& column, const QString& name) {
        return QStringLiteral("(SELECT ") + CentsSum(QStringLiteral("e.") + column) +
               QStringLiteral(" FROM MEDEXP e WHERE e.MemberID = p.MemberID"
                              " AND e.ServiceDate >= :BDate AND e.ServiceDate <= :EDate) AS ") + name;
    };
    TQuery members(DataFolder);
    members.SQL() << QStringLiteral("SELECT p.FirstName,") << memberSum(QStringLiteral("TotalExpense"), QStringLiteral("Total")) + QLatin1Char(',')
                  << memberSum(QStringLiteral("OutofPocket"), QStringLiteral("OutOfPocket"))
                  << QStringLiteral("FROM MEDPROF p");
    BindYear(members, year);
    qint64 familyTotal = 0;
    qint64 familyOutOfPocket = 0;
    for (members.Open(); !members.Eof(); members.Next()) {
        const QString firstName = members.FieldByName(QStringLiteral("FirstName")).AsString();
        const qint64 total = CentsField(members, QStringLiteral("Total"));
        const qint64 outOfPocket = CentsField(members, QStringLiteral("OutOfPocket"));
        writer.Normal(firstName + QStringLiteral("'s total expense: ") + CurrencyTextOfCents(total));
        writer.Normal(firstName + QStringLiteral("'s out-of-pocket: ") + CurrencyTextOfCents(outOfPocket));
        familyTotal += total;
        familyOutOfPocket += outOfPocket;
    }
    writer.Normal(QStringLiteral("Family total expense: ") + CurrencyTextOfCents(familyTotal));
    writer.Normal(QStringLiteral("Family out-of-pocket total amount: ") + CurrencyTextOfCents(familyOutOfPocket));
}

void AddLastUsedLine(TMessageWriter& writer)
{
    const std::optional<TDateTime> lastUsed = ReadDateLastUsed();
    if (lastUsed && *lastUsed > 0)
        writer.Heading(ProductName + QStringLiteral(" was last used on ") + DateToStr(*lastUsed));
}

}  // namespace

void WriteMessagePage(QTextDocument& document)
{
    TMessageWriter writer(document);
    AddUpcomingTasks(writer);
    writer.Empty();
    writer.Heading(QStringLiteral("Year-to-Date Total Expenses"));
    const TYear year = ThisYear();
    AddFSACheck(writer, year);
    AddYearToDateTotals(writer, year);
    writer.Empty();
    AddLastUsedLine(writer);
}
