#include "dlgnprestore.h"

#include "backupfiles.h"
#include "dialogtalk.h"
#include "dlgdirectory.h"
#include "restorejob.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

}  // namespace

void ShowRestoreDialog()
{
    MakeUnderHourglass<TDlgNPRestore>()->exec();
}

TDlgNPRestore::TDlgNPRestore(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgNPRestore"));
    setWindowTitle(QStringLiteral("Restore Database"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("Restore database from :"));
    EditStore = new QLineEdit(FirstRemovableFolder());
    Label1->setBuddy(EditStore);
    ButtonBrowse = new QPushButton(QStringLiteral("Browse ..."));
    ButtonBrowse->setAutoDefault(false);
    BtnOK = new QPushButton(QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"));
    BtnCancel->setAutoDefault(false);

    GroupBox1 = new QGroupBox(QStringLiteral("Please enter the password for the above data set"));
    EditPassword1 = PasswordBox();
    EditPassword2 = PasswordBox();
    auto* passwords = new QFormLayout(GroupBox1);
    passwords->addRow(QStringLiteral("Enter password :"), EditPassword1);
    passwords->addRow(QStringLiteral("Retype password :"), EditPassword2);
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

void TDlgNPRestore::BtnOKClick()
{
    OKPressed = true;
    accept();
}

void TDlgNPRestore::BtnCancelClick()
{
    OKPressed = false;
    reject();
}

void TDlgNPRestore::ButtonBrowseClick()
{
    if (const std::optional<QString> chosen = ChooseDirectory(this, EditStore->text().trimmed()))
        EditStore->setText(*chosen);
}

bool TDlgNPRestore::FormCloseQuery()
{
    if (!OKPressed)
        return true;
    TDialogTalk talk(this, [this] { EditPassword1->setFocus(); });
    bool done = false;
    RunGuarded([&] { done = RunRestore({EditStore->text(), EditPassword1->text(), EditPassword2->text()}, talk); });
    if (!done)
        OKPressed = false;
    return done;
}

void TDlgNPRestore::done(int result)
{
    if (FormCloseQuery())
        QDialog::done(result);
}
