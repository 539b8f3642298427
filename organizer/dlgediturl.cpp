#include "dlgediturl.h"

#include "linktree.h"

#include "controls/memolines.h"
#include "platform/ui/dialogbuttons.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxText = 200;

}  // namespace

TDlgEditURL::TDlgEditURL(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgEditURL"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("Editing Web Site Address/Folder"));

    EditDesc = new QLineEdit;
    EditDesc->setMaxLength(kMaxText);
    LabelDesc = new QLabel(QStringLiteral("&Description:"));
    LabelDesc->setBuddy(EditDesc);
    EditURL = new QLineEdit;
    EditURL->setMaxLength(kMaxText);
    LabelURL = new QLabel(QStringLiteral("&URL:"));
    LabelURL->setBuddy(EditURL);
    MemoNote = new QPlainTextEdit;
    MemoNote->setTabChangesFocus(true);
    LabelNote = new QLabel(QStringLiteral("&Note:"));
    LabelNote->setBuddy(MemoNote);

    ButtonOK = new QPushButton(QStringLiteral("OK"));
    ButtonOK->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"));
    connect(ButtonOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonOKClick(); }); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(LabelDesc, 0, 0);
    fields->addWidget(EditDesc, 0, 1);
    fields->addWidget(LabelURL, 1, 0);
    fields->addWidget(EditURL, 1, 1);
    fields->addWidget(LabelNote, 2, 0, Qt::AlignTop);
    fields->addWidget(MemoNote, 2, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(fields, 1);
    // Made last, so that the caret starts in the description and reaches the buttons last.
    column->addWidget(OkCancelBox(*this, ButtonOK, ButtonCancel));
    resize(440, 260);
}

void TDlgEditURL::Init(int kind, const QString& description, const QStringList& note, const QString& url)
{
    const bool webSite = kind == kWebSite;
    LabelURL->setEnabled(webSite);
    EditURL->setEnabled(webSite);
    setWindowTitle(webSite ? QStringLiteral("Editing Web Site Address") : QStringLiteral("Editing Folder Name"));
    if (!description.isEmpty())
        EditDesc->setText(description);
    if (!url.isEmpty())
        EditURL->setText(url);
    MemoNote->setPlainText(note.join(QLatin1Char('\n')));
}

QString TDlgEditURL::Description() const
{
    return EditDesc->text().trimmed();
}

QString TDlgEditURL::URL() const
{
    return EditURL->text().trimmed();
}

QStringList TDlgEditURL::NoteLines() const
{
    return MemoLines(*MemoNote);
}

void TDlgEditURL::ButtonOKClick()
{
    setResult(QDialog::Rejected);
    if (const auto refusal = CheckEditedLink(EditDesc->text(), EditURL->text(), EditURL->isEnabled())) {
        QLineEdit* field = refusal->focus == TLinkField::URL ? EditURL : EditDesc;
        field->clear();
        ShowMessageBox(refusal->message, MsgIcon::Warning, MsgOk);
        field->setFocus();
        return;
    }
    accept();
}
