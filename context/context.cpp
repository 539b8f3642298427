#include "context.h"

QString ProgramDir;
QString DataFolder;
qint32 CurMemberID = 0;
qint32 CurAccountID = 0;
bool MainFormReady = false;
TFormHealthMain* FormHealthMain = nullptr;

QString SavedShortDateFormat;
QChar SavedDateSeparator;
QString SavedShortTimeFormat;
QChar SavedTimeSeparator;
QString SavedTimeAMString;
QString SavedTimePMString;

bool MemberAdded = false;
QString MemberFirstName;
bool InsuranceSaved = false;
QString LastInsuranceName;
bool FSASaved = false;
QString LastFSAName;
