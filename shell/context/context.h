#pragma once
// The process-wide variables every page and dialog reads: the folders, the
// member and account being worked on, and the results dialogs leave behind.
#include <QString>

class TFormHealthMain;
class TFormDate;

extern QString ProgramDir;   // with the trailing slash
extern QString DataFolder;   // with the trailing slash
extern qint32 CurMemberID;
extern qint32 CurAccountID;
extern bool MainFormReady;
extern TFormHealthMain* FormHealthMain;
extern TFormDate* DateForm;

// Results of dialogs, read by the pages after the dialog has closed.
extern bool MemberAdded;
extern QString MemberFirstName;
extern bool InsuranceSaved;
extern QString LastInsuranceName;
extern bool FSASaved;
extern QString LastFSAName;
