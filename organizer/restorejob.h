#pragma once
// The restore: a backup set replaces the whole database. The set is copied
// beside the data folder and checked (list, version, soundness, password)
// before anything of the data folder changes; the current files are kept
// aside until the restored ones stand in their place, so the data folder
// always holds either the old database or the restored one.
#include "jobtalk.h"

#include <QString>
#include <QStringList>

struct TRestoreRequest {
    QString source;   // as typed
    QString password1;
    QString password2;
};

// Runs the restore, telling the user every failure; true when the dialog
// may close (also when the user would not replace the database).
bool RunRestore(const TRestoreRequest& request, TJobTalk& talk);

// Copies the set's list from the source folder into the program folder,
// then every file it names from the source into `into`; on a disk set a
// further group line asks for the next disk. Tells the user why it stops.
bool CopyListedFiles(const QString& source, bool diskSet, const QString& into, TJobTalk& talk);

// The version check of a set's database: true for this version; an older
// or newer one is told. A folder without a readable database is false,
// untold.
bool CheckBackupVersion(const QString& sourceFolder, TJobTalk& talk);

// The folders "TmpDB1" to "TmpDB10" beside the data folder.
QString TemporaryFolder(int tryNumber);
// The temporary folders a restore left behind that still hold something.
QStringList LeftOverFolders();
// Offers each left-over folder that holds a database back to the user;
// nothing is deleted that the user did not agree to put back.
void OfferLeftOverDatabases(TJobTalk& talk);
