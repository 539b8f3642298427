#include "dlgbusinessaddr.h"

#include "context/context.h"
#include "controls/memolines.h"
#include "controls/typinglimit.h"
#include "lookuplists.h"
#include "platform/dataset.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dialogbuttons.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

bool BizDlgSaved = false;
qint32 BizDlgBizId = 0;
qint32 BizDlgCategoryNo = -1;
QString BizDlgName;

namespace {
// The contact kinds in the order of their values and of every row's list.
const std::array<const char*, 7> kContactKinds = {"Phone ", "Phone 2", "Fax", "Mobile", "Pager", "Email", "Web Page"};
constexpr std::array<QString TBizAddr::*, 7> kContactMembers = {
    &TBizAddr::phone1, &TBizAddr::phone2, &TBizAddr::fax,   &TBizAddr::mobile,
    &TBizAddr::pager,  &TBizAddr::email,  &TBizAddr::webURL};
constexpr std::array<int, 4> kDefaultKinds = {0, 2, 5, 6};
constexpr int kFirstLongKind = 5;   // Email and Web Page take longer values than the phones

constexpr int kNameLimit = 50;
constexpr int kCategoryLimit = 100;
constexpr int kPhoneLimit = 30;
constexpr int kLongContactLimit = 50;
constexpr int kPlaceLimit = 30;
constexpr int kZipLimit = 20;

QLineEdit* NewEdit(int limit)
{
    auto* edit = new QLineEdit;
    LimitTyping(*edit, limit);
    return edit;
}

QPlainTextEdit* NewMemo()
{
    auto* memo = new QPlainTextEdit;
    // Tab walks on to the next box, as in every other memo, rather than
    // being written into the memo; Enter starts a new line.
    memo->setTabChangesFocus(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFixedHeight(60);
    return memo;
}

void SetMemoLines(QPlainTextEdit& memo, const QStringList& lines)
{
    memo.setPlainText(lines.join(QLatin1Char('\n')));
}

// An address card with a few lines of writing.
QPixmap AddressCardPicture()
{
    QPixmap picture(72, 96);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x50, 0x80), 2));
    painter.setBrush(QColor(0xFF, 0xF8, 0xDC));
    painter.drawRoundedRect(QRectF(6, 10, 60, 76), 6, 6);
    painter.setBrush(QColor(0x30, 0x50, 0x80));
    painter.drawEllipse(QRectF(24, 18, 24, 24));
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
    for (int y = 52; y <= 76; y += 8)
        painter.drawLine(16, y, 56, y);
    return picture;
}
}  // namespace

bool EditBusinessAddr(const QString& name, qint32 categoryNo, qint32& bizId)
{
    BizDlgSaved = false;
    BizDlgBizId = bizId;
    BizDlgName = name;
    BizDlgCategoryNo = categoryNo;
    std::unique_ptr<TDlgBusinessAddr> dialog;
    {
        HourglassCursor wait;
        dialog = std::make_unique<TDlgBusinessAddr>();
        if (!dialog->FormCreate())
            return false;
    }
    if (categoryNo >= 0)
        dialog->CBCategory->setEnabled(false);
    dialog->exec();
    dialog.reset();
    if (!BizDlgSaved)
        return false;
    bizId = BizDlgBizId;
    return true;
}

TDlgBusinessAddr::TDlgBusinessAddr(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Address Folder"));

    Image1 = new QLabel;
    Image1->setPixmap(AddressCardPicture());
    Image1->setAlignment(Qt::AlignTop);

    EditBizName = NewEdit(kNameLimit);
    CBCategory = new QComboBox;
    CBCategory->setEditable(true);
    CBCategory->setInsertPolicy(QComboBox::NoInsert);
    CBCategory->lineEdit()->setMaxLength(kCategoryLimit);

    PageControl1 = new QTabWidget;
    PageControl1->addTab(BuildContactPage(), QStringLiteral("Phone/Email/WWW"));
    PageControl1->addTab(BuildAddressPage(), QStringLiteral("Address"));
    PageControl1->addTab(BuildNotesPage(), QStringLiteral("Hours/Direction/Notes"));

    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    // Our own handlers decide whether and how the dialog closes.
    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { CancelBtnClick(); }); });

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Name:")), 0, 0);
    head->addWidget(EditBizName, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("Category:")), 1, 0);
    head->addWidget(CBCategory, 1, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(head);
    right->addWidget(PageControl1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Last, once the fields are in the dialog, so that the caret starts in the
    // name box and reaches OK and Cancel after the fields.
    right->addWidget(OkCancelBox(*this, OKBtn, CancelBtn));
}

QWidget* TDlgBusinessAddr::BuildContactPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    EditContact = NewEdit(kNameLimit);
    grid->addWidget(new QLabel(QStringLiteral("Contact Person:")), 0, 0);
    grid->addWidget(EditContact, 0, 1);

    CBOne = new QComboBox;
    CBTwo = new QComboBox;
    CBThree = new QComboBox;
    CBFour = new QComboBox;
    EditOne = new QLineEdit;
    EditTwo = new QLineEdit;
    EditThree = new QLineEdit;
    EditFour = new QLineEdit;
    contactCombos_ = {CBOne, CBTwo, CBThree, CBFour};
    contactEdits_ = {EditOne, EditTwo, EditThree, EditFour};
    for (int row = 0; row < 4; ++row) {
        QComboBox* combo = contactCombos_[row];
        for (const char* kind : kContactKinds)
            combo->addItem(QLatin1String(kind));
        combo->setCurrentIndex(-1);
        // Left out of the tab order: Tab walks the values.
        combo->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(combo, row + 1, 0);
        grid->addWidget(contactEdits_[row], row + 1, 1);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, row] { RunGuarded([this, row] { CBOneChange(row); }); });
        connect(contactEdits_[row], &QLineEdit::editingFinished, this,
                [this, row] { RunGuarded([this, row] { EditOneExit(row); }); });
    }
    grid->setColumnMinimumWidth(1, 260);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* TDlgBusinessAddr::BuildAddressPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    EditAddr = NewEdit(kNameLimit);
    EditAddr2 = NewEdit(kNameLimit);
    EditCity = NewEdit(kPlaceLimit);
    EditState = NewEdit(kPlaceLimit);
    EditZip = NewEdit(kZipLimit);
    EditCountry = NewEdit(kPlaceLimit);
    grid->addWidget(new QLabel(QStringLiteral("Address:")), 0, 0);
    grid->addWidget(EditAddr, 0, 1);
    grid->addWidget(EditAddr2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("City:")), 2, 0);
    grid->addWidget(EditCity, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("State:")), 3, 0);
    grid->addWidget(EditState, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Zip:")), 4, 0);
    grid->addWidget(EditZip, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Country:")), 5, 0);
    grid->addWidget(EditCountry, 5, 1);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* TDlgBusinessAddr::BuildNotesPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    MemoHours = NewMemo();
    MemoDirection = NewMemo();
    MemoNote = NewMemo();
    column->addWidget(new QLabel(QStringLiteral("Hours of Operation:")));
    column->addWidget(MemoHours);
    column->addWidget(new QLabel(QStringLiteral("Map Direction:")));
    column->addWidget(MemoDirection);
    column->addWidget(new QLabel(QStringLiteral("Notes:")));
    column->addWidget(MemoNote);
    return page;
}

bool TDlgBusinessAddr::FormCreate()
{
    try {
        FillChoiceCombo(*CBCategory, CategoryListId);
    } catch (const EDatabaseError&) {
        ShowMessageBox(QStringLiteral("Fail to get category list."), MsgIcon::Error, MsgOk);
        return false;
    }
    TBizAddr row;
    bool found = false;
    try {
        found = FindRow(row);
    } catch (const EDatabaseError&) {
        // Shown as a new address, it would be saved as a second one.
        ShowMessageBox(QStringLiteral("Cannot read the address record from the database."), MsgIcon::Error, MsgOk);
        return false;
    }
    if (found)
        ShowRow(row);
    else
        EditBizName->setText(BizDlgName);
    SelectComboById(*CBCategory, BizDlgCategoryNo);
    if (CBCategory->currentIndex() < 0)
        CBCategory->setEditText(EnterOrSelectText);
    for (int row = 0; row < 4; ++row)
        contactCombos_[row]->setCurrentIndex(kDefaultKinds[row]);
    return true;
}

// The row the dialog edits: the given key's, when it still bears the given
// name and category, else the first of the given name. Leaves BizDlgBizId 0
// for a new address.
bool TDlgBusinessAddr::FindRow(TBizAddr& row)
{
    if (BizDlgBizId != 0) {
        const bool kept = ReadBizAddr(BizDlgBizId, row)
                          && (BizDlgName.isEmpty() || BizDlgName == row.businessName)
                          && (BizDlgCategoryNo == -1 || BizDlgCategoryNo == row.categoryNo);
        if (!kept)
            BizDlgBizId = 0;
    }
    if (BizDlgBizId == 0 && !BizDlgName.isEmpty()) {
        BizDlgBizId = FindBizAddrId(BizDlgName, BizDlgCategoryNo);
        if (BizDlgBizId != 0 && !ReadBizAddr(BizDlgBizId, row))
            BizDlgBizId = 0;
    }
    if (BizDlgBizId == 0)
        return false;
    if (BizDlgCategoryNo == -1)
        BizDlgCategoryNo = row.categoryNo;
    return true;
}

void TDlgBusinessAddr::ShowRow(const TBizAddr& row)
{
    EditBizName->setText(row.businessName);
    EditContact->setText(row.contacts);
    EditAddr->setText(row.addr);
    EditAddr2->setText(row.addr2);
    EditCity->setText(row.city);
    EditState->setText(row.state);
    EditZip->setText(row.zip);
    EditCountry->setText(row.country);
    SetMemoLines(*MemoHours, row.opHours);
    SetMemoLines(*MemoDirection, row.mapDirection);
    SetMemoLines(*MemoNote, row.note);
    for (size_t kind = 0; kind < kContactMembers.size(); ++kind)
        contactValues_[kind] = row.*kContactMembers[kind];
}

TBizAddr TDlgBusinessAddr::RowShown() const
{
    TBizAddr row;
    row.businessName = EditBizName->text();
    row.contacts = EditContact->text();
    row.addr = EditAddr->text();
    row.addr2 = EditAddr2->text();
    row.city = EditCity->text();
    row.state = EditState->text();
    row.zip = EditZip->text();
    row.country = EditCountry->text();
    row.opHours = MemoLines(*MemoHours);
    row.mapDirection = MemoLines(*MemoDirection);
    row.note = MemoLines(*MemoNote);
    for (size_t kind = 0; kind < kContactMembers.size(); ++kind)
        row.*kContactMembers[kind] = contactValues_[kind];
    return row;
}

void TDlgBusinessAddr::StoreContactRow(int row)
{
    if (shownKinds_[row] >= 0)
        contactValues_[shownKinds_[row]] = contactEdits_[row]->text();
}

void TDlgBusinessAddr::RefreshContactEdits()
{
    for (int row = 0; row < 4; ++row) {
        if (shownKinds_[row] >= 0)
            contactEdits_[row]->setText(contactValues_[shownKinds_[row]]);
    }
}

void TDlgBusinessAddr::CBOneChange(int row)
{
    StoreContactRow(row);
    const int kind = contactCombos_[row]->currentIndex();
    QLineEdit* edit = contactEdits_[row];
    LimitTyping(*edit, kind >= kFirstLongKind ? kLongContactLimit : kPhoneLimit);
    shownKinds_[row] = kind;
    edit->setText(kind >= 0 ? contactValues_[kind] : QString());
}

void TDlgBusinessAddr::EditOneExit(int row)
{
    StoreContactRow(row);
    RefreshContactEdits();
}

void TDlgBusinessAddr::OKBtnClick()
{
    for (int row = 0; row < 4; ++row) {
        if (contactEdits_[row]->hasFocus())
            StoreContactRow(row);
    }
    if (EditBizName->text().isEmpty()) {
        ShowMessageBox(QStringLiteral("You must enter the business name or click Cancel."), MsgIcon::Warning, MsgOk);
        EditBizName->setFocus();
        return;
    }
    const bool isNew = BizDlgBizId == 0;
    const WriteFailure failure = WriteShown();
    BizDlgSaved = failure == WriteFailure::None;
    // After a failure the dialog stays open with what the user typed.
    if (failure == WriteFailure::Category)
        ShowMessageBox(QStringLiteral("Fail to add a user-defined item to the drop-down list"), MsgIcon::Warning,
                       MsgOk);
    else if (failure == WriteFailure::Address && isNew)
        ShowMessageBox(QStringLiteral("Fail to add address record."), MsgIcon::Error, MsgOk);
    else if (failure == WriteFailure::Address)
        ShowMessageBox(QStringLiteral("Fail to update address record."), MsgIcon::Error, MsgOk);
    else
        accept();
}

// A category typed anew and the address are written together: a failed save
// leaves no new category behind to be added a second time by the next OK.
TDlgBusinessAddr::WriteFailure TDlgBusinessAddr::WriteShown()
{
    TBizAddr row = RowShown();
    try {
        TTransaction transaction(DataFolder);
        try {
            row.categoryNo = GetChoiceComboId(*CBCategory);
        } catch (const EDatabaseError&) {
            return WriteFailure::Category;
        }
        qint32 bizId = BizDlgBizId;
        if (bizId == 0)
            bizId = AppendBizAddr(row);
        else if (!UpdateBizAddr(bizId, row))
            return WriteFailure::Address;
        transaction.Commit();
        BizDlgBizId = bizId;
        return WriteFailure::None;
    } catch (const EDatabaseError&) {
        return WriteFailure::Address;
    }
}

void TDlgBusinessAddr::CancelBtnClick()
{
    BizDlgSaved = false;
    reject();
}
