#include "dlgatodoform.h"

#include "controls/memolines.h"
#include "todolist.h"

#include "controls/efcontroller.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "health/datefield.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"
#include "records/common/todorows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr qint32 kNoCategory = -1;
constexpr int kCategoryLimit = 100;

}  // namespace

TDlgATodoForm::TDlgATodoForm(QWidget* parent, bool adding, qint32 todoId)
    : QDialog(parent), adding_(adding), todoId_(adding ? 0 : todoId)
{
    setObjectName(QStringLiteral("DlgATodoForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    EfController1 = new TEfController(this);
    CBCategory = new QComboBox;
    CBCategory->setEditable(true);
    CBCategory->setInsertPolicy(QComboBox::NoInsert);
    CBCategory->lineEdit()->setMaxLength(kCategoryLimit);
    Description_edit = new QPlainTextEdit;
    Description_edit->setTabChangesFocus(true);
    EfPFDate = NewDateField(this, EfController1);
    Date_SpeedButton = NewCalendarButton();
    Date_SpeedButton->setFocusPolicy(Qt::NoFocus);
    BtnOk = new QPushButton(QStringLiteral("&OK"));
    BtnOk->setToolTip(QStringLiteral("save data and close window"));
    BtnOk->setDefault(true);
    BtnCancel = new QPushButton(QStringLiteral("&Cancel"));
    EfController1->BtnCancel = BtnCancel;

    connect(BtnOk, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnOkClick(); }); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnCancelClick(); }); });
    connect(Date_SpeedButton, &QToolButton::clicked, this, [this] {
        RunGuarded([this] {
            OpenDatePickerBeside(*Date_SpeedButton, EfPFDate->DateTimeValue(),
                                 [this] { EfPFDate->SetDateTimeValue(PickedDate); });
        });
    });
    EfController1->OnError = [this](QObject*, quint16, const QString&) {
        ShowDateEntryError();
        EfPFDate->ClearText();
    };

    BuildLayout();
    FormShow();
}

void TDlgATodoForm::BuildLayout()
{
    auto* date = new QHBoxLayout;
    EfPFDate->setFixedWidth(100);
    date->addWidget(EfPFDate);
    date->addWidget(Date_SpeedButton);
    date->addStretch();

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Category:")), 0, 0);
    form->addWidget(CBCategory, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Description:")), 1, 0, Qt::AlignTop);
    form->addWidget(Description_edit, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Due date:")), 2, 0);
    form->addLayout(date, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addLayout(buttons);
    // The date field joined the dialog before the others: Tab walks the form
    // downwards all the same.
    const QList<QWidget*> order = {CBCategory, Description_edit, EfPFDate, BtnOk, BtnCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(440, 300);
}

void TDlgATodoForm::FormShow()
{
    ClearIdCombo(*CBCategory);
    FillChoiceCombo(*CBCategory, CategoryListId);
    CBCategory->insertItem(0, QStringLiteral("<none>"), kNoCategory);
    EfPFDate->SetDateTimeValue(Date());
    if (adding_) {
        setWindowTitle(QStringLiteral("Add To-Do Item"));
        CBCategory->setCurrentIndex(0);
    } else {
        setWindowTitle(QStringLiteral("Edit To-Do Item"));
        LoadToDoItem();
    }
}

void TDlgATodoForm::LoadToDoItem()
{
    const std::optional<TToDoRow> item = ::LoadToDoItem(todoId_);
    if (!item)
        return;
    const int index = item->categoryNo != kNoCategory ? IndexOfComboId(*CBCategory, item->categoryNo) : 0;
    CBCategory->setCurrentIndex(index);
    Description_edit->setPlainText(item->description.join(QLatin1Char('\n')));
    // An undated item shows an empty field, not the zero day's date.
    if (item->due == 0.0)
        EfPFDate->ClearText();
    else
        EfPFDate->SetDateTimeValue(item->due);
}

bool TDlgATodoForm::DueDate(double& due)
{
    // A date confirmed with Enter never left its field: an impossible one
    // reads as blank and must not become today.
    if (const quint16 code = EfPFDate->Core().Validate()) {
        EfPFDate->Core().ReportError(code);
        EfPFDate->setFocus();
        return false;
    }
    if (EfPFDate->IsFieldBlank()) {
        due = Date();
        return true;
    }
    due = EfPFDate->DateTimeValue();
    if (due != 0.0)
        return true;
    ShowDateEntryError();
    EfPFDate->setFocus();
    return false;
}

void TDlgATodoForm::BtnOkClick()
{
    const QStringList lines = MemoLines(*Description_edit);
    if (lines.isEmpty()) {
        ShowMessageBox(QStringLiteral("Please enter the description."), MsgIcon::Warning, MsgOk);
        Description_edit->setFocus();
        return;
    }
    TDateTime due = 0.0;
    if (!DueDate(due))
        return;
    if (Date() > due && ShowMessageBox(QStringLiteral("The due date is past date, record it anyway?"), MsgIcon::Warning,
                                       MsgYes | MsgNo) != MsgResult::Yes)
        return;
    const qint32 category = CBCategory->currentText().isEmpty() ? kNoCategory : GetChoiceComboId(*CBCategory);
    qint32 todoId = todoId_;
    SaveToDo(todoId, category, JoinMemoLines(lines), due);
    todoId_ = todoId;
    accept();
}

void TDlgATodoForm::BtnCancelClick()
{
    cancelled_ = true;
    reject();
}
