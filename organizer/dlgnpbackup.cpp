#include "dlgnpbackup.h"

#include "backupfiles.h"
#include "backupjob.h"
#include "dialogtalk.h"
#include "dlgdirectory.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxPassword = 10;
constexpr int kWidth = 440;

QLineEdit* PasswordBox()
{
    auto* box = new QLineEdit;
    box->setMaxLength(kMaxPassword);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

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

TDlgNPBackup::TDlgNPBackup(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgNPBackup"));
    setWindowTitle(QStringLiteral("Back Up Database"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("Directory to store database backup :"));
    EditStore = new QLineEdit(FirstRemovableFolder());
    Label1->setBuddy(EditStore);
    ButtonBrowse = new QPushButton(QStringLiteral("Browse ..."));
    ButtonBrowse->setAutoDefault(false);
    BtnOK = new QPushButton(QStringLiteral("&OK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("&Cancel"));
    BtnCancel->setAutoDefault(false);

    GroupBox1 = new QGroupBox(QStringLiteral("Password protection for the backup"));
    RBNoPasswd = new QRadioButton(QStringLiteral("  Don't need password"));
    RBNoPasswd->setChecked(true);
    RBSamePasswd = new QRadioButton(QStringLiteral("  Use the current password"));
    RBDiffPasswd = new QRadioButton(QStringLiteral("  Use a different password :"));
    auto* choices = new QButtonGroup(this);
    for (QRadioButton* button : {RBNoPasswd, RBSamePasswd, RBDiffPasswd})
        choices->addButton(button);
    EditPassword1 = PasswordBox();
    EditPassword2 = PasswordBox();
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
    GroupBox1->hide();

    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
    connect(ButtonBrowse, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonBrowseClick(); }); });

    auto* path = new QHBoxLayout;
    path->addWidget(EditStore, 1);
    path->addWidget(ButtonBrowse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addLayout(path);
    column->addWidget(GroupBox1);
    column->addSpacing(8);
    column->addLayout(buttons);
    setFixedSize(kWidth, sizeHint().height());
}

void TDlgNPBackup::BtnOKClick()
{
    OKPressed = true;
    accept();
}

void TDlgNPBackup::BtnCancelClick()
{
    OKPressed = false;
    reject();
}

void TDlgNPBackup::ButtonBrowseClick()
{
    if (const std::optional<QString> chosen = ChooseDirectory(this, EditStore->text().trimmed()))
        EditStore->setText(*chosen);
}

bool TDlgNPBackup::FormCloseQuery()
{
    if (!OKPressed)
        return true;
    TBackupRequest request;
    request.target = EditStore->text();
    request.password = Choice(*this);
    request.password1 = EditPassword1->text();
    request.password2 = EditPassword2->text();
    TDialogTalk talk(this, [this] { EditPassword1->setFocus(); });
    bool done = false;
    RunGuarded([&] { done = RunBackup(request, talk); });
    if (!done)
        OKPressed = false;
    return done;
}

void TDlgNPBackup::done(int result)
{
    if (FormCloseQuery())
        QDialog::done(result);
}
