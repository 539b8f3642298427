#include "dlgfolderjob.h"

#include "backupfiles.h"
#include "dialogtalk.h"
#include "dlgdirectory.h"

#include "platform/ui/guarded.h"

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

TDlgFolderJob::TDlgFolderJob(QWidget* parent, const TFolderJobTexts& texts) : QDialog(parent)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(texts.folderLabel);
    EditStore = new QLineEdit(FirstRemovableFolder());
    Label1->setBuddy(EditStore);
    ButtonBrowse = new QPushButton(QStringLiteral("Browse ..."));
    BtnOK = new QPushButton(texts.ok);
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(texts.cancel);

    GroupBox1 = new QGroupBox(texts.passwordTitle);
    EditPassword1 = PasswordBox();
    EditPassword2 = PasswordBox();
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
    // The hidden password box takes no room, whatever it holds.
    setFixedSize(kWidth, sizeHint().height());
}

void TDlgFolderJob::BtnOKClick()
{
    OKPressed = true;
    accept();
}

void TDlgFolderJob::BtnCancelClick()
{
    OKPressed = false;
    reject();
}

void TDlgFolderJob::ButtonBrowseClick()
{
    if (const std::optional<QString> chosen = ChooseDirectory(this, EditStore->text().trimmed()))
        EditStore->setText(*chosen);
}

bool TDlgFolderJob::FormCloseQuery()
{
    if (!OKPressed)
        return true;
    TDialogTalk talk(this, [this] { EditPassword1->setFocus(); });
    bool done = false;
    RunGuarded([&] { done = RunJob(talk); });
    if (!done)
        OKPressed = false;
    return done;
}

void TDlgFolderJob::done(int result)
{
    if (FormCloseQuery())
        QDialog::done(result);
}
