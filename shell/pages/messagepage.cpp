#include "messagepage.h"

#include "context/context.h"
#include "context/product.h"
#include "context/registry.h"
#include "controls/moneyedit.h"
#include "pagecommon.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "platform/ui/messagebox.h"
#include "records/common/currencytext.h"
#include "records/common/datemath.h"
#include "records/common/recordtext.h"

#include <QTextCursor>
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

// Money is summed in whole cents, so 50.10 + 50.20 is 100.30 exactly; each
// stored amount goes through the cents check, so a garbage amount shows as
// too big to show rather than wrapping around.
TCentsSum Reimbursed(qint32 accountID, const TYear& year)
{
    TQuery reimbursed(DataFolder);
    reimbursed.SQL() << QStringLiteral("SELECT s.Amount")
                     << QStringLiteral("FROM MEDEXPSP s JOIN MEDEXP e ON e.ExpID = s.ExpID")
                     << QStringLiteral("WHERE s.AccountID = :AccountID") << QStringLiteral("AND e.ServiceDate >= :BDate")
                     << QStringLiteral("AND e.ServiceDate <= :EDate");
    reimbursed.ParamByName(QStringLiteral("AccountID")).SetAsInteger(accountID);
    BindYear(reimbursed, year);
    TCentsSum sum;
    for (reimbursed.Open(); !reimbursed.Eof(); reimbursed.Next())
        sum.Add(reimbursed.FieldByName(QStringLiteral("Amount")).AsFloat());
    return sum;
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
        const std::optional<qint64> electedCents = AmountToCents(amount);
        const TCentsSum reimbursed = Reimbursed(accountID, year);
        // An amount too big to show compares with nothing.
        if (electedCents && reimbursed.Cents() && *electedCents < *reimbursed.Cents())
            ShowMessageBox(QStringLiteral("Your reimbursement from ") + fsaName +
                               QStringLiteral(" is greater then then elected amount.") +
                               QStringLiteral("Please double check your latest medical expense record."),
                           MsgIcon::Warning);
        writer.Normal(QStringLiteral("    Already reimbursed: ") + reimbursed.Text());
    }
}

void AddYearToDateTotals(TMessageWriter& writer, const TYear& year)
{
    // One row per expense of the year, and one for a member without any; in
    // the members' table order.
    TQuery expenses(DataFolder);
    expenses.SQL() << QStringLiteral("SELECT p.MemberID, p.FirstName, e.TotalExpense, e.OutofPocket")
                   << QStringLiteral("FROM MEDPROF p LEFT JOIN MEDEXP e ON e.MemberID = p.MemberID")
                   << QStringLiteral("AND e.ServiceDate >= :BDate AND e.ServiceDate <= :EDate")
                   << QStringLiteral("ORDER BY p.MemberID");
    BindYear(expenses, year);
    TCentsSum familyTotal;
    TCentsSum familyOutOfPocket;
    expenses.Open();
    while (!expenses.Eof()) {
        const qint32 memberID = expenses.FieldByName(QStringLiteral("MemberID")).AsInteger();
        const QString firstName = expenses.FieldByName(QStringLiteral("FirstName")).AsString();
        TCentsSum total;
        TCentsSum outOfPocket;
        for (; !expenses.Eof() && expenses.FieldByName(QStringLiteral("MemberID")).AsInteger() == memberID;
             expenses.Next()) {
            total.Add(expenses.FieldByName(QStringLiteral("TotalExpense")).AsFloat());
            outOfPocket.Add(expenses.FieldByName(QStringLiteral("OutofPocket")).AsFloat());
        }
        writer.Normal(firstName + QStringLiteral("'s total expense: ") + total.Text());
        writer.Normal(firstName + QStringLiteral("'s out-of-pocket: ") + outOfPocket.Text());
        familyTotal.Add(total);
        familyOutOfPocket.Add(outOfPocket);
    }
    writer.Normal(QStringLiteral("Family total expense: ") + familyTotal.Text());
    writer.Normal(QStringLiteral("Family out-of-pocket total amount: ") + familyOutOfPocket.Text());
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
