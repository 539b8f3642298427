#include "dlgnpbackup.h"

#include "backupjob.h"

#include "platform/ui/cursor.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

TBackupPassword Choice(const TDlgNPBackup& dialog)
{
    if (dialog.RBSamePasswd->isChecked())
        return TBackupPassword::Same;
    if (dialog.RBDiffPasswd->isChecked())
        return TBackupPassword::Different;
    return TBackupPassword::None;
}

}  // namespace

void ShowBackupDialog()
{
    MakeUnderHourglass<TDlgNPBackup>()->exec();
}

TDlgNPBackup::TDlgNPBackup(QWidget* parent)
    : TDlgFolderJob(parent, {QStringLiteral("DlgNPBackup"), QStringLiteral("Back Up Database"),
                             QStringLiteral("Directory to store database backup :"), QStringLiteral("&OK"),
                             QStringLiteral("&Cancel"), QStringLiteral("Password protection for the backup")})
{
    RBNoPasswd = new QRadioButton(QStringLiteral("  Don't need password"));
    RBNoPasswd->setChecked(true);
    RBSamePasswd = new QRadioButton(QStringLiteral("  Use the current password"));
    RBDiffPasswd = new QRadioButton(QStringLiteral("  Use a different password :"));
    auto* choices = new QButtonGroup(this);
    for (QRadioButton* button : {RBNoPasswd, RBSamePasswd, RBDiffPasswd})
        choices->addButton(button);
    auto* passwords = new QGridLayout(GroupBox1);
    passwords->addWidget(RBNoPasswd, 0, 0, 1, 2);
    passwords->addWidget(RBSamePasswd, 1, 0, 1, 2);
    passwords->addWidget(RBDiffPasswd, 2, 0);
    passwords->addWidget(EditPassword1, 2, 1);
    passwords->addWidget(EditPassword2, 3, 1);
    int row = 4;
    for (const char* note : {"You must remember the password in case you", "need to restore the backup.",
                             "For security reason, please keep the password", "and the backup disk in different places."})
        passwords->addWidget(new QLabel(QString::fromLatin1(note)), row++, 0, 1, 2);
}

bool TDlgNPBackup::RunJob(TJobTalk& talk)
{
    TBackupRequest request;
    request.target = EditStore->text();
    request.password = Choice(*this);
    request.password1 = EditPassword1->text();
    request.password2 = EditPassword2->text();
    return RunBackup(request, talk);
}
