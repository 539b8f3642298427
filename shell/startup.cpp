#include "startup.h"

#include "context/context.h"
#include "context/databasefault.h"
#include "context/product.h"
#include "formhealthmain.h"
#include "formsplash.h"
#include "modulepages.h"
#include "organizer/dialogtalk.h"
#include "organizer/restorejob.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <memory>

namespace {

constexpr int kMinProgramDirLength = 7;
constexpr int kDataFolderTrim = 4;
// The uninstall program takes its command line in a buffer of this size.
constexpr int kMaxUninstallCommandLine = 255;

const QString kUninstallProgram = QStringLiteral("unwise.exe");
const QString kInstallLog = QStringLiteral("install.log");

bool UninstallConfirmed()
{
    const QString text = QStringLiteral(
        "If you would like to save your data for future use, please click \"Cancel\" to abort uninstallation, run "
        "CarePortfolio, and then select Backup from the File menu. Otherwise, click \"OK\" to uninstall "
        "CarePortfolio.");
    return ShowMessageBox(text, MsgIcon::Question, MsgOk | MsgCancel) == MsgResult::Ok;
}

}  // namespace

QString ProgramDirOf(const QString& programFile)
{
    return programFile.left(programFile.lastIndexOf(QLatin1Char('/')) + 1);
}

bool IsProgramDirTooShort(const QString& programDir)
{
    return programDir.size() < kMinProgramDirLength;
}

QString DataFolderOf(const QString& programDir)
{
    return programDir.left(programDir.size() - kDataFolderTrim) + QStringLiteral("db/");
}

bool IsUninstallRequest(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first().toLower() == QStringLiteral("-uninstall");
}

QString DataFolderProblem(const QString& dataFolder)
{
    const QFileInfo folder(dataFolder);
    const QFileInfo database(Database::PathIn(dataFolder));
    if (!folder.isDir() || !folder.isWritable() || (database.exists() && !database.isWritable()))
        return QStringLiteral("CarePortfolio keeps your records in the folder %1, but it cannot write there.\n\n"
                              "Please make sure that the folder and the files in it exist and that you are allowed "
                              "to change them, then start CarePortfolio again.")
            .arg(dataFolder);
    // Before anything reads the database (its version first), so that a
    // missing, damaged or busy file is told as what it is.
    try {
        Database::Check(dataFolder);
    } catch (const EDatabaseError& error) {
        return DatabaseFaultText(error, dataFolder);
    }
    return {};
}

void RunUninstall(const QString& programDir)
{
    if (!UninstallConfirmed())
        return;
    const QString program = programDir + kUninstallProgram;
    const QString log = programDir + kInstallLog;
    const QString commandLine = program + QLatin1Char(' ') + log;
    const bool startable = QFileInfo::exists(log) && commandLine.size() <= kMaxUninstallCommandLine;
    // A missing uninstall program is told as a missing log is: both leave
    // the user to uninstall by hand.
    if (!startable || !QProcess::startDetached(program, {log}))
        ShowMessageBox(QStringLiteral("Unable to find the installation log.  Please uninstall manually by invoking the "
                                      "following executable file: ") +
                           program + QLatin1Char('.'),
                       MsgIcon::Error);
}

int RunCarePortfolio()
{
    // Before the first box, which would otherwise be captioned with the
    // name of the program's file.
    QApplication::setApplicationName(ProductName);
    ProgramDir = ProgramDirOf(QCoreApplication::applicationFilePath());
    if (IsProgramDirTooShort(ProgramDir)) {
        ShowMessageBox(QStringLiteral("Cannot find the directory for the executable files."), MsgIcon::Error);
        return 1;
    }
    DataFolder = DataFolderOf(ProgramDir);
    WordErrorsPlainly();
    if (IsUninstallRequest(QCoreApplication::arguments().mid(1))) {
        RunUninstall(ProgramDir);
        return 0;
    }
    if (const QString problem = DataFolderProblem(DataFolder); !problem.isEmpty()) {
        ShowMessageBox(problem, MsgIcon::Error);
        return 1;
    }

    MainFormReady = false;
    std::unique_ptr<TFormHealthMain> mainWindow;
    try {
        TFormSplash splash;
        splash.ShowAndPaint();
        mainWindow = std::make_unique<TFormHealthMain>(ProgramPages());
        MainFormReady = true;
    } catch (const std::exception& error) {
        HandleException(error);
        return 1;
    }
    if (mainWindow->SingleInstance1.Stopped())
        return 0;
    // Only the one running copy may take back a database that a restore
    // stopped half-way put aside.
    RunGuarded([&] {
        TDialogTalk talk(mainWindow.get());
        OfferLeftOverDatabases(talk);
    });

    mainWindow->show();
    // Leaves the loop without closing the window, so nothing is written.
    if (qEnvironmentVariableIsSet(kQuitWhenIdleVariable))
        QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
