#include "dlgnprestore.h"

#include "restorejob.h"

#include "platform/ui/cursor.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

void ShowRestoreDialog()
{
    MakeUnderHourglass<TDlgNPRestore>()->exec();
}

TDlgNPRestore::TDlgNPRestore(QWidget* parent)
    : TDlgFolderJob(parent, {QStringLiteral("DlgNPRestore"), QStringLiteral("Restore Database"),
                             QStringLiteral("Restore database from :"), QStringLiteral("OK"), QStringLiteral("Cancel"),
                             QStringLiteral("Please enter the password for the above data set")})
{
    auto* passwords = new QFormLayout(GroupBox1);
    passwords->addRow(QStringLiteral("Enter password :"), EditPassword1);
    passwords->addRow(QStringLiteral("Retype password :"), EditPassword2);
}

bool TDlgNPRestore::RunJob(TJobTalk& talk)
{
    return RunRestore({EditStore->text(), EditPassword1->text(), EditPassword2->text()}, talk);
}
