#pragma once
// The process-wide variables every page and dialog reads: the folders, the
// member and account being worked on, and the results dialogs leave behind.
#include <QChar>
#include <QString>

class TFormHealthMain;

extern QString ProgramDir;   // with the trailing slash
extern QString DataFolder;   // with the trailing slash
extern qint32 CurMemberID;
extern qint32 CurAccountID;
extern bool MainFormReady;
extern TFormHealthMain* FormHealthMain;

// The user's own date and time formats, put aside while the main window
// forces the program's; the date-entry warning names the user's separator.
extern QString SavedShortDateFormat;
extern QChar SavedDateSeparator;
extern QString SavedShortTimeFormat;
extern QChar SavedTimeSeparator;
extern QString SavedTimeAMString;
extern QString SavedTimePMString;

// Results of dialogs, read by the pages after the dialog has closed.
extern bool MemberAdded;
extern QString MemberFirstName;
extern bool InsuranceSaved;
extern QString LastInsuranceName;
extern bool FSASaved;
extern QString LastFSAName;
