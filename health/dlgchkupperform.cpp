#include "dlgchkupperform.h"

#include "chkschedule.h"

#include "controls/efpicture.h"
#include "platform/ui/cursor.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TChkPerformOutcome ShowCheckupPerformedDialog(QWidget* parent, qint32 memberId, qint32 templId)
{
    auto form = LoadChkRecord(memberId, templId, 0, NeverDoneDate());
    if (!form) {
        ShowMessageBox(QStringLiteral("Database error! Please exit the application now."), MsgIcon::Warning, MsgOk);
        return {};
    }
    // Only a real item gets the never-done record.
    form->lastPerformed = LastPerformed(memberId, templId);
    const auto dialog = MakeUnderHourglass<TDlgChkupPerform>(parent, *form);
    dialog->exec();
    return {dialog->Cancelled(), dialog->Form().row.checkupId};
}

TDlgChkupPerform::TDlgChkupPerform(QWidget* parent, TChkRecordForm form)
    : TChkRecordDialog(parent, TChkRecordKind::Performed, std::move(form))
{
    setObjectName(QStringLiteral("DlgChkupPerform"));
    setWindowTitle(QStringLiteral("Checkup Performed"));
    JzLbCheckup = new QLabel(form_.item);
    JzLbCheckup->setTextFormat(Qt::PlainText);
    QFont bold = JzLbCheckup->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    JzLbCheckup->setFont(bold);
    MemoMsg = new QPlainTextEdit(form_.about.join(QLatin1Char('\n')));
    MemoMsg->setReadOnly(true);
    MemoMsg->setFrameShape(QFrame::NoFrame);
    MemoMsg->setFocusPolicy(Qt::NoFocus);
    MemoMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette quiet = MemoMsg->palette();
    quiet.setColor(QPalette::Base, palette().color(QPalette::Window));
    MemoMsg->setPalette(quiet);
    BuildLayout();
    ShowRecord();
}

void TDlgChkupPerform::BuildLayout()
{
    auto* form = new QGridLayout;
    PlaceRecordRows(*form, 0, QStringLiteral("Perform Date:"));

    auto* column = new QVBoxLayout(this);
    column->addWidget(JzLbCheckup);
    MemoMsg->setFixedHeight(60);
    column->addWidget(MemoMsg);
    column->addLayout(form);
    column->addLayout(ButtonRow());
    resize(480, sizeHint().height());
    SetTabOrder({PFDate, CBDoc, Button1, MemoNote, BtnOK, BtnCancel});
}
