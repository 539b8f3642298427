#pragma once
// The backup: every file of the data folder copied to a folder on a fixed
// disk, or spread over a set of removable disks, with "Backup.log", the list
// the restore reads back. The list is written to the target last, so a set
// without one is known to be incomplete.
#include "jobtalk.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

enum class TBackupPassword { None, Same, Different };

struct TBackupRequest {
    QString target;   // as typed
    TBackupPassword password = TBackupPassword::None;
    QString password1;
    QString password2;
};

// The lines of "Backup.log", or why the files cannot be laid out.
struct TBackupPlan {
    QStringList lines;   // "group 1", names, and "group N" before disk N's names
    int disks = 0;
    QString refusal;     // empty when the plan holds
};

using TSizedFiles = std::vector<std::pair<QString, qint64>>;

// The names are in copy order, the database first. The list itself is
// counted on disk 1, where it goes with the database; every disk must offer
// at least 20,000 bytes.
TBackupPlan PlanDiskSet(const TSizedFiles& files, qint64 capacity);
// One group; the list is counted in the free space.
TBackupPlan PlanFolder(const TSizedFiles& files, qint64 freeSpace);

// Runs the backup, telling the user every failure; true when it completed.
// The database's stored password is put back on every way out.
bool RunBackup(const TBackupRequest& request, TJobTalk& talk);
