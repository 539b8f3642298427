// Opening the folder tree page (creation and first showing: the tree, the
// help text and the message text) on a household of 12 members, 30 accounts
// (6 of them FSAs), 20,000 expenses split over 40,000 rows and 5,000 to-dos
// spread over five years.
#include "benchfolder.h"
#include "platform/dataset.h"
#include "tests/support/scriptedmessageboxes.h"
#include <QSettings>
#include "context/context.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/messagepage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

constexpr int kMembers = 12;
constexpr int kAccounts = 30;
constexpr int kFSAs = 6;
constexpr int kExpenses = 20000;
constexpr int kToDos = 5000;
constexpr int kDaysSpanned = 5 * 365;

class Household {
public:
    Household()
    {
        const QString help = QStringLiteral("cphelpt.rtf");
        if (!QFile::copy(QStringLiteral(CP_DELIVERED_DB "/") + help, Path() + help))
            qFatal("cannot copy the help file");
        TTransaction transaction(Path());
        AddMembers();
        AddAccounts();
        AddExpenses();
        AddToDos();
        transaction.Commit();
    }
    const QString& Path() const { return folder_.Path(); }

private:
    void AddMembers()
    {
        for (int n = 0; n < kMembers; ++n)
            folder_.Run({QStringLiteral("INSERT INTO MEDPROF (FirstName, LastName, Sex, DOB, Display)"),
                         QStringLiteral("VALUES (:FirstName, 'Lee', :Sex, :DOB, 1)")},
                        {{QStringLiteral("FirstName"), QStringLiteral("Member%1").arg(n)},
                         {QStringLiteral("Sex"), n % 2},
                         {QStringLiteral("DOB"), Date() - 365.25 * (3 + 6 * n)}});
    }

    void AddAccounts()
    {
        const int year = DecodeDate(Date()).year;
        for (int n = 1; n <= kAccounts; ++n) {
            const bool fsa = n <= kFSAs;
            folder_.Run({QStringLiteral("INSERT INTO MEDINS (AccountType, AccountName, Display)"),
                         QStringLiteral("VALUES (:AccountType, :AccountName, 1)")},
                        {{QStringLiteral("AccountType"), fsa ? 5 : 1 + n % 4}, {QStringLiteral("AccountName"), QStringLiteral("Plan %1").arg(n)}});
            if (fsa)
                for (int y = year - 4; y <= year; ++y)
                    folder_.Run({QStringLiteral("INSERT INTO MEDYEAR (AccountID, ForYear, Amount) VALUES (:AccountID, :ForYear, 5000000)")},
                                {{QStringLiteral("AccountID"), n}, {QStringLiteral("ForYear"), y}});
        }
    }

    void AddExpenses()
    {
        for (int n = 1; n <= kExpenses; ++n) {
            folder_.Run({QStringLiteral("INSERT INTO MEDEXP (ExpType, ServiceDate, Description, MemberID, TotalExpense, OutofPocket)"),
                         QStringLiteral("VALUES (0, :ServiceDate, 'Office visit', :MemberID, 120.35, 20.10)")},
                        {{QStringLiteral("ServiceDate"), Date() - n % kDaysSpanned}, {QStringLiteral("MemberID"), 1 + n % kMembers}});
            for (int account : {1 + n % kFSAs, 1 + kFSAs + n % (kAccounts - kFSAs)})
                folder_.Run({QStringLiteral("INSERT INTO MEDEXPSP (ExpID, AccountID, Amount, Deductible) VALUES (:ExpID, :AccountID, 50.10, 0)")},
                            {{QStringLiteral("ExpID"), n}, {QStringLiteral("AccountID"), account}});
        }
    }

    void AddToDos()
    {
        for (int n = 0; n < kToDos; ++n)
            folder_.Run({QStringLiteral("INSERT INTO TODO01 (CategoryNo, Description, Due, ModType, Done, EditType, AlarmID)"),
                         QStringLiteral("VALUES (5, :Description, :Due, 132, :Done, 1, 0)")},
                        {{QStringLiteral("Description"), QStringLiteral("Member%1, please schedule your check-up %2.").arg(n % kMembers).arg(n)},
                         {QStringLiteral("Due"), Date() - 2 * 365 + n % kDaysSpanned},
                         {QStringLiteral("Done"), n % 3 == 0 ? 1 : 0}});
    }

    BenchFolder folder_;
};

// One household for every benchmark, its settings away from the user's.
class Fixture {
public:
    Fixture()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
        DataFolder = household_.Path();
    }
    ~Fixture()
    {
        DataFolder.clear();
    }
    // The FSAs' amounts are never exceeded: a warning would wait for the user.
    bool Warned() const { return !boxes_.shown.isEmpty(); }

private:
    Household household_;
    QTemporaryDir settings_;
    ScriptedMessageBoxes boxes_;
};

void OpenFolderPage(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        TFormMedFolder page(nullptr);
        page.resize(760, 520);
        page.show();
        benchmark::DoNotOptimize(page.RichEditToDo->document()->characterCount());
    }
    if (fixture.Warned())
        state.SkipWithError("the page showed a message box");
}
BENCHMARK(OpenFolderPage)->Unit(benchmark::kMillisecond);

// The part of it that reads the expenses and the to-dos.
void WriteTheMessageText(benchmark::State& state)
{
    Fixture fixture;
    QTextDocument document;
    for (auto _ : state) {
        WriteMessagePage(document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    if (fixture.Warned())
        state.SkipWithError("the message text showed a message box");
}
BENCHMARK(WriteTheMessageText)->Unit(benchmark::kMillisecond);

}  // namespace
