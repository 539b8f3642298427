#pragma once
// The program's entry, and the decisions it takes on the way, each a plain
// function so it can be checked alone.
#include <QString>
#include <QStringList>

// The folder of the program file, with the trailing slash.
QString ProgramDirOf(const QString& programFile);
// A program folder this short cannot be the installed one.
bool IsProgramDirTooShort(const QString& programDir);
// The data folder beside the program folder: .../bin/ gives .../db/.
QString DataFolderOf(const QString& programDir);
// The arguments after the program name: the first one, in any case, is "-uninstall".
bool IsUninstallRequest(const QStringList& arguments);
// Empty when the program can keep its records in the folder and its database
// opens; else what to tell the user.
QString DataFolderProblem(const QString& dataFolder);

// Asks the user, then starts the installation's uninstall program on its log.
void RunUninstall(const QString& programDir);

// Set in the environment, the program quits as soon as its main window is up
// and the event loop idle (start-up timing, tests).
inline constexpr char kQuitWhenIdleVariable[] = "CP_QUIT_WHEN_IDLE";

// The whole start: folders, command line, splash, main window, event loop.
int RunCarePortfolio();
