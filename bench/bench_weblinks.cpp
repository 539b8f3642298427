// The web-link dialog over 2,000 links in 200 folders: opening it (creation
// and first showing, the tree read) and closing it (the tree written back).
#include "benchfolder.h"
#include "context/context.h"
#include "organizer/dlgiir.h"
#include "organizer/linkstore.h"

#include "tests/organizer/fakedesktop.h"
#include "tests/support/scriptedmessageboxes.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kFolders = 200;
constexpr int kLinksPerFolder = 10;
const QString kRoot = QStringLiteral("Internet Health Info Resources");

class Household {
public:
    Household()
    {
        // The dialog keeps its size in the settings: not in the user's.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_.path()));
        DataFolder = folder_.Path();
        TLinkTree tree(kRoot);
        for (int f = 0; f < kFolders; ++f) {
            TLinkData folder;
            folder.text = QStringLiteral("Folder %1").arg(f, 3, 10, QLatin1Char('0'));
            folder.folder = true;
            folder.expanded = f % 4 == 0;
            folder.note = {QStringLiteral("What this folder holds")};
            TLinkNode& added = tree.Append(tree.Root(), folder);
            for (int l = 0; l < kLinksPerFolder; ++l) {
                TLinkData link;
                link.text = QStringLiteral("Health site %1.%2").arg(f).arg(l);
                link.url = QStringLiteral("https://health.example/topic/%1/%2").arg(f).arg(l);
                link.note = {QStringLiteral("Recommended by Dr. O'Neil"), QStringLiteral("Check yearly")};
                tree.Append(added, link);
            }
        }
        SaveLinkTree(QStringLiteral("hiir"), tree);
    }
    ~Household() { DataFolder.clear(); }
    bool Warned() const { return !boxes_.shown.isEmpty(); }

private:
    QTemporaryDir settings_;
    BenchFolder folder_;
    ScriptedMessageBoxes boxes_;
};

std::unique_ptr<TDlgIIR> OpenDialog()
{
    auto dialog = std::make_unique<TDlgIIR>();
    dialog->Init(QStringLiteral("hiir"), kRoot, kRoot);
    dialog->show();
    return dialog;
}

void OpenWebLinkDialog(benchmark::State& state)
{
    Household household;
    for (auto _ : state) {
        auto dialog = OpenDialog();
        benchmark::DoNotOptimize(dialog->Tree());
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    if (household.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(OpenWebLinkDialog)->Unit(benchmark::kMillisecond);

// A user closes the dialog long after the desktop named its browser; here
// the question would still be running beside the save, so it is answered at once.
void CloseWebLinkDialogSavingTheTree(benchmark::State& state)
{
    Household household;
    FakeDesktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = OpenDialog();
        state.ResumeTiming();
        dialog->accept();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    if (household.Warned())
        state.SkipWithError("the dialog showed a message box");
}
BENCHMARK(CloseWebLinkDialogSavingTheTree)->Unit(benchmark::kMillisecond);

// The share of closing that is the writing of the tree.
void SaveLinkTreeAlone(benchmark::State& state)
{
    Household household;
    const TLinkTree tree = LoadLinkTree(QStringLiteral("hiir"), kRoot);
    for (auto _ : state)
        SaveLinkTree(QStringLiteral("hiir"), tree);
}
BENCHMARK(SaveLinkTreeAlone)->Unit(benchmark::kMillisecond);

}  // namespace
