#include "dlgcheckupdata.h"

#include "chkschedule.h"

#include "controls/efpicture.h"
#include "platform/ui/cursor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCheckupDataOutcome ShowCheckupDataDialog(QWidget* parent, qint32 memberId, qint32 checkupId)
{
    // A record of no item yet: the item is picked in the dialog.
    const auto form = LoadChkRecord(memberId, 0, checkupId, NeverDoneDate());
    if (!form)
        return {};   // the log lists no record whose item is gone
    const bool adding = form->row.checkupId == 0;
    const auto dialog = MakeUnderHourglass<TDlgCheckupData>(parent, *form, adding);
    dialog->exec();
    return {dialog->Cancelled(), dialog->Form().row.checkupId, dialog->Form().item};
}

TDlgCheckupData::TDlgCheckupData(QWidget* parent, TChkRecordForm form, bool adding)
    : TChkRecordDialog(parent, TChkRecordKind::Log, std::move(form)), adding_(adding)
{
    setObjectName(QStringLiteral("DlgCheckupData"));
    setWindowTitle(adding ? QStringLiteral("Add a Checkup Record") : QStringLiteral("Edit a Checkup Record"));
    ComboBox1 = new QComboBox;
    ComboBox1->setEnabled(adding);
    ComboBox1->setVisible(adding);
    for (const auto& [templId, name] : ReadChkItemNames(form_.row.memberId))
        ComboBox1->addItem(name, templId);
    ComboBox1->setCurrentIndex(-1);
    Edit1 = new QLineEdit(form_.item);
    Edit1->setEnabled(false);
    Edit1->setVisible(!adding);
    if (form_.row.date == 0.0)
        form_.row.date = Date();
    BuildLayout();
    ShowRecord();
}

void TDlgCheckupData::BuildLayout()
{
    auto* item = new QHBoxLayout;
    item->addWidget(ComboBox1, 1);
    item->addWidget(Edit1, 1);
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Checkup Item:")), 0, 0);
    form->addLayout(item, 0, 1);
    PlaceRecordRows(*form, 1, QStringLiteral("Date Performed:"));

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(ButtonRow());
    resize(480, sizeHint().height());
    SetTabOrder({ComboBox1, PFDate, CBDoc, Button1, MemoNote, BtnOK, BtnCancel});
}

void TDlgCheckupData::TakeItem(TChkRecordForm& form)
{
    if (!adding_) {
        form.item = Edit1->text();
        return;
    }
    form.item = ComboBox1->currentText();
    form.row.templId = ComboBox1->currentIndex() < 0 ? 0 : ComboBox1->currentData().toInt();
}

void TDlgCheckupData::FocusItem()
{
    ComboBox1->setFocus();
}
