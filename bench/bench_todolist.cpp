// The to-do list of 5,000 rows: opening its window with every row in the
// grid, and e-mailing the whole list to an SMTP server on a loopback port.
#include "benchfolder.h"

#include "context/context.h"
#include "organizer/dlgemailtodolist.h"
#include "organizer/todolistform.h"
#include "tests/organizer/smtppeers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 5000;

class ToDoFolder {
public:
    ToDoFolder()
    {
        DataFolder = folder_.Path();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
        Clock::SetFixed(QDateTime(QDate(2024, 1, 31), QTime(9, 0)));
        TTransaction transaction(DataFolder);
        TQuery q(DataFolder);
        q.SetRequestLive(true);
        q.SQL() << QStringLiteral("SELECT * FROM TODO01");
        q.Open();
        for (int n = 0; n < kRows; ++n) {
            q.Append();
            q.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(1 + n % 9);
            q.FieldByName(QStringLiteral("Description"))
                .SetAsString(QStringLiteral("Ann, please schedule your dental cleaning checkup number %1.").arg(n));
            q.FieldByName(QStringLiteral("Due")).SetAsDateTime(EncodeDate(2024, 1, 31) + n % 29);
            q.FieldByName(QStringLiteral("Done")).SetAsBoolean(n % 3 == 0);
            q.Post();
        }
        transaction.Commit();
    }
    ~ToDoFolder()
    {
        Clock::SetFixed({});
        DataFolder.clear();
    }

private:
    BenchFolder folder_;
    QTemporaryDir settings_;
};

void OpenTheListOf5000Rows(benchmark::State& state)
{
    ToDoFolder folder;
    for (auto _ : state) {
        TTodoListForm form(nullptr, -1);
        if (form.TodoIds().size() != kRows)
            state.SkipWithError("not every row in the grid");
    }
}
BENCHMARK(OpenTheListOf5000Rows)->Unit(benchmark::kMillisecond);

void EMailTheListOf5000Rows(benchmark::State& state)
{
    ToDoFolder folder;
    RealSmtpPeer peer;
    if (!peer.Started()) {
        state.SkipWithError("the SMTP server did not start");
        return;
    }
    for (auto _ : state) {
        TDlgEMailTodoList dialog(nullptr);
        dialog.sleHost->setText(QStringLiteral("127.0.0.1"));
        dialog.sleLogin->setText(QStringLiteral("ann@example.test"));
        dialog.sleTo->setText(QStringLiteral("bob@example.test"));
        dialog.SmtpPort = peer.Port();
        QString outcome;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            TDlgEMProg* progress = dialog.Progress();
            if (progress && progress->isVisible() && progress->ButtonOK->isEnabled()) {
                outcome = progress->LabelMsg->text();
                progress->ButtonOK->click();
            }
        });
        poll.start(1);
        dialog.cbSendClick();
        if (outcome != QStringLiteral("Your to-do list has been sent."))
            state.SkipWithError("the list was not sent");
    }
}
BENCHMARK(EMailTheListOf5000Rows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
