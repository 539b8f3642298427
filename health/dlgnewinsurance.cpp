#include "dlgnewinsurance.h"

#include "accountspending.h"
#include "controls/memolines.h"
#include "datefield.h"
#include "insurancedata.h"
#include "headerpanel.h"
#include "keyedglyph.h"
#include "radiogroup.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/formdate.h"
#include "controls/moneyedit.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/bizaddr.h"
#include "records/common/dlgbusinessaddr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <array>

namespace {

constexpr int kMemberKey = Qt::UserRole;
// The choice groups are one width, so the status memos beside them line up.
constexpr int kChoiceWidth = 250;

// A policy document with a green shield.
QPixmap HeaderSource()
{
    QPixmap picture(40, 40);
    picture.fill(kGlyphKeyColor);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(5, 3, 24, 32);
    for (int y = 9; y <= 27; y += 6)
        painter.drawLine(9, y, 25, y);
    QPainterPath shield;
    shield.moveTo(27, 16);
    shield.lineTo(37, 19);
    shield.cubicTo(37, 29, 32, 34, 27, 37);
    shield.cubicTo(22, 34, 17, 29, 17, 19);
    shield.closeSubpath();
    painter.setBrush(QColor(0x20, 0x90, 0x40));
    painter.drawPath(shield);
    return picture;
}

QPlainTextEdit* StatusMemo()
{
    auto* memo = new QPlainTextEdit;
    memo->setReadOnly(true);
    memo->setTabStopDistance(40);
    return memo;
}

QListWidget* MemberList()
{
    auto* list = new QListWidget;
    list->setSortingEnabled(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

// A box that holds what the user typed, cents and all; nothing when empty.
std::optional<qint64> BoxCents(const TMoneyEdit* box)
{
    if (box->text().isEmpty())
        return std::nullopt;
    return AmountToCents(box->Value());
}

}  // namespace

TAccountOutcome ShowInsuranceDialog(bool isNewAccount)
{
    return ShowAccountDialog<TDlgNewInsurance>(isNewAccount);
}

TDlgNewInsurance::TDlgNewInsurance(bool isNewAccount, QWidget* parent)
    : TAccountDialog(isNewAccount, InsuranceSaved, LastInsuranceName, parent)
{
    setObjectName(QStringLiteral("DlgNewInsurance"));
    EfController1 = new TEfController(this);
    PageControl1 = new QTabWidget;
    PageControl1->addTab(BuildAccountInfo(), QStringLiteral("Account Info"));
    PageControl1->addTab(BuildCopayDeduct(), QStringLiteral("Copay/Deduct."));
    PageControl1->addTab(BuildBenefitLimit(), QStringLiteral("Benefit Limit"));
    PageControl1->addTab(BuildCoverage(), QStringLiteral("Coverage"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildHeader());
    layout->addWidget(PageControl1, 1);
    layout->addLayout(BuildButtons());
    resize(580, 540);
    // Down each page, then the buttons, whatever order the controls were made in.
    std::vector<QWidget*> order = {CBInsType,    EditInsName, PSBIns, PFDate,       SBDate,
                                   EditSubNum,   EditGroNum,  MEditPrem, EfPFPrem,  ComboBox2,
                                   LBAllMembers, BtnFW,       BtnBW,  LBCoveredMembers};
    for (const int choice : {kNoCopay, kFixedCopay, kPercentCopay})
        order.push_back(RGCopay->Item(choice));
    order.insert(order.end(), {MEditCopay, EfPictureField1});
    for (const TAmountBox& amount : amounts_)
        order.insert(order.end(), {amount.group->Item(0), amount.group->Item(1), amount.box});
    order.insert(order.end(), {MemoCoverage, OKBtn, CancelBtn, Apply});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    memberCount_ = CountMembers();
    ShowAccount();
    PageControl1->setCurrentIndex(kPageAccountInfo);
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { RunGuarded([this, index] { PageChanged(index); }); });
}

QLayout* TDlgNewInsurance::BuildButtons()
{
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    OKBtn->setToolTip(QStringLiteral("Save data and close"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    CancelBtn->setToolTip(QStringLiteral("don't save data"));
    Apply = new QPushButton(QStringLiteral("Apply"));
    Apply->setToolTip(QStringLiteral("Save data"));
    EfController1->BtnCancel = CancelBtn;
    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { CancelBtnClick(); }); });
    connect(Apply, &QPushButton::clicked, this, [this] { RunGuarded([this] { ApplyClick(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(Apply);
    return buttons;
}

void TDlgNewInsurance::ShowAccount()
{
    Apply->setEnabled(isNewAccount_);
    if (isNewAccount_) {
        setWindowTitle(QStringLiteral("Add Insurance"));
        ShowStatus(CoverageLimitTexts(Entry(), true));
        FillMemberLists({});
    } else {
        setWindowTitle(QStringLiteral("Edit Insurance"));
        if (const std::optional<TInsurancePlan> entry = LoadInsuranceAccount(CurAccountID)) {
            ShowEntry(*entry);
            savedAccountName_ = entry->companyName;
        }
        ShowStatus(CoverageLimitTexts(Entry(), false));
        warningsAtShow_ = ShowRemainingAmounts();
        FillMemberLists(ReadCoveredMembers(CurAccountID));
        Label7->setText(EditInsName->text());
    }
}

QWidget* TDlgNewInsurance::BuildHeader()
{
    const THeaderPanel header = NewHeaderPanel(QStringLiteral("Insurance Policy"), HeaderSource());
    Panel1 = header.panel;
    Label7 = header.caption;
    Image1 = header.picture;
    return Panel1;
}

QWidget* TDlgNewInsurance::BuildAccountInfo()
{
    auto* page = new QWidget(this);
    CBInsType = new QComboBox;
    CBInsType->addItems({QStringLiteral("Medical Plan"), QStringLiteral("Dental Plan"), QStringLiteral("Vision Plan"),
                         QStringLiteral("Drug Prescription Plan"), QStringLiteral("Others")});
    CBInsType->setCurrentIndex(-1);
    EditInsName = new QLineEdit;
    EditInsName->setMaxLength(100);
    PSBIns = new QToolButton;
    PSBIns->setText(QStringLiteral("..."));
    PSBIns->setToolTip(QStringLiteral("Address of the insurance company"));
    PFDate = NewDateField(page, EfController1);
    SBDate = NewCalendarButton();
    EditSubNum = new QLineEdit;
    EditGroNum = new QLineEdit;
    for (QLineEdit* edit : {EditSubNum, EditGroNum})
        edit->setMaxLength(50);
    MEditPrem = new TMoneyEdit;
    EfPFPrem = new TEfPictureField(page, pftLongInt, QStringLiteral("iiiiii"), EfController1);
    EfPFPrem->Core().SetMaxLength(6);
    EfPFPrem->Core().ZeroDisplay = TZeroDisplay::zdHide;
    EfPFPrem->setFixedWidth(56);
    ComboBox2 = new QComboBox;
    ComboBox2->addItems({QStringLiteral("year(s)"), QStringLiteral("month(s)"), QStringLiteral("week(s)"),
                         QStringLiteral("day(s)")});
    ComboBox2->setCurrentIndex(-1);
    LBCoveredMembers = MemberList();
    LBAllMembers = MemberList();
    BtnFW = new QPushButton(QStringLiteral("-->"));
    BtnBW = new QPushButton(QStringLiteral("<--"));
    connect(PSBIns, &QToolButton::clicked, this, [this] { RunGuarded([this] { PSBInsClick(); }); });
    connect(SBDate, &QToolButton::clicked, this, [this] { RunGuarded([this] { SBDateClick(); }); });
    connect(BtnFW, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnFWClick(); }); });
    connect(BtnBW, &QPushButton::clicked, this, [this] { RunGuarded([this] { BtnBWClick(); }); });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Insurance Type:")), 0, 0);
    grid->addWidget(CBInsType, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Insurance Company:")), 1, 0);
    grid->addWidget(EditInsName, 1, 1, 1, 2);
    grid->addWidget(PSBIns, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Effective Date:")), 2, 0);
    auto* dateRow = new QHBoxLayout;
    PFDate->setFixedWidth(100);
    dateRow->addWidget(PFDate);
    dateRow->addWidget(SBDate);
    dateRow->addStretch();
    grid->addLayout(dateRow, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Subscriber Number:")), 3, 0);
    grid->addWidget(EditSubNum, 3, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Group Number:")), 4, 0);
    grid->addWidget(EditGroNum, 4, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Premium:")), 5, 0);
    auto* premium = new QHBoxLayout;
    premium->addWidget(MEditPrem, 1);
    premium->addWidget(EfPFPrem);
    premium->addWidget(new QLabel(QStringLiteral("per")));
    premium->addWidget(ComboBox2, 1);
    grid->addLayout(premium, 5, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    // The choices on the left, so the arrows point where the members go.
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(BtnFW);
    moves->addWidget(BtnBW);
    moves->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Family Member Choices:")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Covered Family Members:")), 0, 2);
    lists->addWidget(LBAllMembers, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(LBCoveredMembers, 1, 2);

    auto* column = new QVBoxLayout(page);
    column->addLayout(grid);
    column->addLayout(lists, 1);
    return page;
}

QWidget* TDlgNewInsurance::AmountGroup(TRadioGroup*& group, const QString& caption, const QString& amountCaption,
                                       TMoneyEdit*& box, QPlainTextEdit*& memo,
                                       TAmountChoice TInsurancePlan::*field)
{
    const QString none = amountCaption == QStringLiteral("deductible amount :") ? QStringLiteral("no deductible")
                                                                              : QStringLiteral("no limit");
    group = new TRadioGroup(caption, {none, amountCaption}, 1);
    group->setFixedWidth(kChoiceWidth);
    group->SetItemIndex(0);
    box = new TMoneyEdit;
    box->hide();
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    box->setFixedWidth(110);
    memo = StatusMemo();
    amounts_.push_back({group, box, field});
    TRadioGroup* const radios = group;
    TMoneyEdit* const amount = box;
    connect(group, &TRadioGroup::Clicked, this, [radios, amount] { amount->setVisible(radios->ItemIndex() == 1); });
    connect(box, &QLineEdit::editingFinished, this, [this] { RunGuarded([this] { MEditIndDeductExit(); }); });

    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* choice = new QVBoxLayout;
    choice->addWidget(group);
    choice->addWidget(box, 0, Qt::AlignRight);
    choice->addStretch();
    row->addLayout(choice);
    row->addWidget(memo, 1);
    return holder;
}

QWidget* TDlgNewInsurance::BuildCopayDeduct()
{
    auto* page = new QWidget(this);
    RGCopay = new TRadioGroup(QStringLiteral(" Co-payment "),
                              {QStringLiteral("no co-payment"), QStringLiteral("fixed amount :"),
                               QStringLiteral("percentage (%) :")},
                              1);
    RGCopay->setFixedWidth(kChoiceWidth);
    RGCopay->SetItemIndex(kNoCopay);
    MEditCopay = new TMoneyEdit;
    EfPictureField1 = new TEfPictureField(page, pftDouble, QStringLiteral("##########"), EfController1);
    EfPictureField1->Core().SetMaxLength(10);
    // A percentage typed with a fraction comes back with it, as far as the
    // box can show one after "0.".
    EfPictureField1->Core().DecimalPlaces = 8;
    for (QWidget* box : {static_cast<QWidget*>(MEditCopay), static_cast<QWidget*>(EfPictureField1)}) {
        box->setFixedWidth(110);
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
        box->hide();
    }
    connect(RGCopay, &TRadioGroup::Clicked, this, [this] { RunGuarded([this] { RGCopayClick(); }); });
    auto* copayBoxes = new QVBoxLayout;
    copayBoxes->addStretch();
    copayBoxes->addWidget(MEditCopay);
    copayBoxes->addWidget(EfPictureField1);
    auto* copay = new QHBoxLayout;
    copay->addWidget(RGCopay);
    copay->addLayout(copayBoxes);
    copay->addStretch();

    auto* column = new QVBoxLayout(page);
    column->addLayout(copay);
    const QString amount = QStringLiteral("deductible amount :");
    column->addWidget(AmountGroup(RGIndDeduct, QStringLiteral(" Annual Deductible Per Individual "), amount,
                                  MEditIndDeduct, MemoIndDeduct, &TInsurancePlan::indDeduct),
                      1);
    column->addWidget(AmountGroup(RGFamDeduct, QStringLiteral(" Annual Deductible Per Family "), amount,
                                  MEditFamDeduct, MemoFamDeduct, &TInsurancePlan::famDeduct),
                      1);
    return page;
}

QWidget* TDlgNewInsurance::BuildBenefitLimit()
{
    auto* page = new QWidget(this);
    const QString amount = QStringLiteral("maximum amount :");
    auto* grid = new QGridLayout(page);
    grid->addWidget(AmountGroup(RGAnnualInd, QStringLiteral(" Maximum Annual Benefit Per Individual "), amount,
                                MEditAnnualInd, MemoAnnualInd, &TInsurancePlan::indAnnual),
                    0, 0);
    grid->addWidget(AmountGroup(RGLifeInd, QStringLiteral(" Maximum Lifetime Benefit Per Individual "), amount,
                                MEditLifeInd, MemoLifeInd, &TInsurancePlan::indLife),
                    1, 0);
    grid->addWidget(AmountGroup(RGAnnualFam, QStringLiteral(" Maximum Annual Benefit Per Family"), amount,
                                MEditAnnualFam, MemoAnnualFam, &TInsurancePlan::famAnnual),
                    2, 0);
    grid->addWidget(AmountGroup(RGLifeFam, QStringLiteral(" Maximum Lifetime Benefit Per Family "), amount,
                                MEditLifeFam, MemoLifeFam, &TInsurancePlan::famLife),
                    3, 0);
    return page;
}

QWidget* TDlgNewInsurance::BuildCoverage()
{
    auto* page = new QWidget(this);
    MemoCoverage = new QPlainTextEdit;
    MemoCoverage->setTabChangesFocus(true);
    auto* column = new QVBoxLayout(page);
    column->addWidget(new QLabel(QStringLiteral("Please write down detail coverage information here. ")));
    column->addWidget(MemoCoverage, 1);
    return page;
}

TInsurancePlan TDlgNewInsurance::Entry()
{
    TInsurancePlan entry;
    entry.typeIndex = CBInsType->currentIndex();
    entry.companyName = EditInsName->text();
    if (!PFDate->IsFieldBlank())
        entry.effDate = PFDate->DateTimeValue();
    entry.subscriberNum = EditSubNum->text();
    entry.groupNumber = EditGroNum->text();
    entry.premiumCents = BoxCents(MEditPrem);
    entry.premiumTime = EfPFPrem->IntegerValue();
    entry.premiumUnit = ComboBox2->currentIndex();
    entry.copayChoice = std::max(RGCopay->ItemIndex(), 0);
    entry.copayCents = BoxCents(MEditCopay);
    if (!EfPictureField1->IsFieldBlank())
        entry.copayPercent = EfPictureField1->FloatValue();
    for (const TAmountBox& amount : amounts_)
        entry.*amount.field = TAmountChoice{amount.group->ItemIndex() == 1 ? 1 : 0, BoxCents(amount.box)};
    entry.addrId = addrId_;
    entry.note = MemoLines(*MemoCoverage);
    return entry;
}

void TDlgNewInsurance::ShowAmount(TMoneyEdit* box, std::optional<qint64> cents)
{
    if (cents)
        box->SetValue(static_cast<double>(*cents) / 100.0);
    else
        box->clear();
}

void TDlgNewInsurance::ShowEntry(const TInsurancePlan& entry)
{
    CBInsType->setCurrentIndex(entry.typeIndex);
    EditInsName->setText(entry.companyName);
    if (entry.effDate)
        PFDate->SetDateTimeValue(*entry.effDate);
    else
        PFDate->ClearText();
    EditSubNum->setText(entry.subscriberNum);
    EditGroNum->setText(entry.groupNumber);
    ShowAmount(MEditPrem, entry.premiumCents);
    EfPFPrem->SetIntegerValue(entry.premiumTime);
    ComboBox2->setCurrentIndex(entry.premiumUnit);
    RGCopay->SetItemIndex(entry.copayChoice);
    ShowAmount(MEditCopay, entry.copayCents);
    if (entry.copayPercent)
        EfPictureField1->SetFloatValue(*entry.copayPercent);
    else
        EfPictureField1->ClearText();
    RGCopayClick();
    for (const TAmountBox& amount : amounts_) {
        const TAmountChoice& choice = entry.*amount.field;
        amount.group->SetItemIndex(choice.choice);
        ShowAmount(amount.box, choice.cents);
        amount.box->setVisible(choice.choice == 1);
    }
    addrId_ = entry.addrId;
    MemoCoverage->setPlainText(entry.note.join(QLatin1Char('\n')));
}

void TDlgNewInsurance::ShowStatus(const TStatusTexts& texts)
{
    const std::array<QPlainTextEdit*, 6> memos = {MemoIndDeduct, MemoFamDeduct, MemoAnnualInd,
                                                  MemoAnnualFam, MemoLifeInd,   MemoLifeFam};
    for (size_t n = 0; n < memos.size(); ++n)
        memos[n]->setPlainText(texts[n].join(QLatin1Char('\n')));
}

QStringList TDlgNewInsurance::ShowRemainingAmounts()
{
    const std::optional<TRemainingTexts> texts =
        RemainingAmountTexts(Entry(), SumAccountSpending(CurAccountID, DecodeDate(Date()).year));
    if (!texts)
        return {};
    ShowStatus(texts->memos);
    return texts->warnings;
}

void TDlgNewInsurance::ShowWarnings(const QStringList& warnings)
{
    for (const QString& warning : warnings)
        ShowMessageBox(warning, MsgIcon::Warning);
}

void TDlgNewInsurance::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (warningsAtShow_.isEmpty())
        return;
    QMetaObject::invokeMethod(this, [this, warnings = std::exchange(warningsAtShow_, {})] {
        RunGuarded([&] { ShowWarnings(warnings); });
    }, Qt::QueuedConnection);
}

void TDlgNewInsurance::FillMemberLists(const std::vector<TKeyedItem>& covered)
{
    LBCoveredMembers->clear();
    LBAllMembers->clear();
    std::vector<qint32> coveredIds;
    for (const TKeyedItem& member : covered) {
        auto* item = new QListWidgetItem(member.text, LBCoveredMembers);
        item->setData(kMemberKey, member.key);
        coveredIds.push_back(member.key);
    }
    for (const TKeyedItem& member : ReadMemberChoices(coveredIds)) {
        auto* item = new QListWidgetItem(member.text, LBAllMembers);
        item->setData(kMemberKey, member.key);
    }
}

std::vector<qint32> TDlgNewInsurance::CoveredKeys() const
{
    std::vector<qint32> keys;
    for (int row = 0; row < LBCoveredMembers->count(); ++row)
        keys.push_back(LBCoveredMembers->item(row)->data(kMemberKey).toInt());
    return keys;
}

void TDlgNewInsurance::MoveSelected(QListWidget* from, QListWidget* to)
{
    for (QListWidgetItem* item : from->selectedItems()) {
        from->takeItem(from->row(item));
        item->setSelected(false);
        to->addItem(item);
    }
}

void TDlgNewInsurance::RGCopayClick()
{
    MEditCopay->setVisible(RGCopay->ItemIndex() == kFixedCopay);
    EfPictureField1->setVisible(RGCopay->ItemIndex() == kPercentCopay);
}

void TDlgNewInsurance::MEditIndDeductExit()
{
    if (!isNewAccount_)
        ShowWarnings(ShowRemainingAmounts());
}

// The cover is written with the account, on OK or Apply.
void TDlgNewInsurance::BtnFWClick()
{
    MoveSelected(LBAllMembers, LBCoveredMembers);
}

void TDlgNewInsurance::BtnBWClick()
{
    MoveSelected(LBCoveredMembers, LBAllMembers);
}

void TDlgNewInsurance::PSBInsClick()
{
    const QString name = EditInsName->text();
    if (name.isEmpty()) {
        ShowMessageBox(QStringLiteral("Please enter the name of insurance company first."), MsgIcon::Warning);
        EditInsName->setFocus();
        return;
    }
    addrId_ = FindBizAddrId(name, kInsurerCategory);
    EditBusinessAddr(name, kInsurerCategory, addrId_);
}

void TDlgNewInsurance::SBDateClick()
{
    // The picker outlives the dialog and keeps its callback until the next one.
    OpenDatePickerBeside(*SBDate, PFDate->DateTimeValue(), [this] { PFDate->SetDateTimeValue(PickedDate); });
}

QWidget* TDlgNewInsurance::ControlOf(TInsuranceRefusal refusal) const
{
    using R = TInsuranceRefusal;
    switch (refusal) {
    case R::Type: return CBInsType;
    case R::Company: return EditInsName;
    case R::EffDate: return PFDate;
    case R::CoveredMembers: return LBCoveredMembers;
    case R::PremiumTime: return EfPFPrem->IsFieldBlank() ? static_cast<QWidget*>(EfPFPrem) : ComboBox2;
    case R::PremiumAmount: return MEditPrem;
    case R::CopayPercent: return EfPictureField1;
    case R::CopayAmount: return MEditCopay;
    case R::IndDeductEmpty:
    case R::IndDeductZero: return MEditIndDeduct;
    case R::FamDeductEmpty:
    case R::FamDeductZero: return MEditFamDeduct;
    case R::IndAnnual: return MEditAnnualInd;
    case R::FamAnnual: return MEditAnnualFam;
    case R::IndLife: return MEditLifeInd;
    case R::FamLife: break;
    }
    return MEditLifeFam;
}

void TDlgNewInsurance::ShowPage(int page)
{
    turningBack_ = true;
    PageControl1->setCurrentIndex(page);
    turningBack_ = false;
    shownPage_ = PageControl1->currentIndex();
}

void TDlgNewInsurance::Refuse(TInsuranceRefusal refusal)
{
    ShowMessageBox(InsuranceRefusalText(refusal), MsgIcon::Warning);
    ShowPage(InsuranceRefusalPage(refusal));
    ControlOf(refusal)->setFocus();
}

bool TDlgNewInsurance::EntryFieldsTake()
{
    // A text a field refuses reads as 0 or as no date: it must not be saved so.
    TEfBaseEntryField* refused = FirstRefusedField({PFDate, EfPFPrem, EfPictureField1});
    if (!refused)
        return true;
    ShowPage(refused == EfPictureField1 ? kPageCopayDeduct : kPageAccountInfo);
    refused->setFocus();
    return false;
}

std::optional<QString> TDlgNewInsurance::SaveAccount(bool insert)
{
    if (!EntryFieldsTake())
        return std::nullopt;
    const TInsurancePlan entry = Entry();
    if (const std::optional<TInsuranceRefusal> refusal = CheckInsuranceSave(entry, LBCoveredMembers->count())) {
        Refuse(*refusal);
        return std::nullopt;
    }
    if (insert)
        CurAccountID = InsertInsuranceAccount(entry, CoveredKeys());
    else
        UpdateInsuranceAccount(CurAccountID, entry, CoveredKeys());
    return entry.companyName;
}

QString TDlgNewInsurance::TypedName() const
{
    return EditInsName->text();
}

// Leaving a page with incomplete entries is refused.
void TDlgNewInsurance::PageChanged(int index)
{
    if (turningBack_)
        return;
    const auto left = static_cast<TInsurancePage>(shownPage_);
    if (const std::optional<TInsuranceRefusal> refusal = CheckInsurancePageLeave(Entry(), left)) {
        turningBack_ = true;
        PageControl1->setCurrentIndex(shownPage_);
        turningBack_ = false;
        ShowMessageBox(InsuranceRefusalText(*refusal), MsgIcon::Warning);
        ControlOf(*refusal)->setFocus();
        return;
    }
    shownPage_ = index;
}

void TDlgNewInsurance::ClearForm()
{
    for (QLineEdit* edit : {EditInsName, EditSubNum, EditGroNum})
        edit->clear();
    PFDate->ClearText();
    MEditPrem->clear();
    EfPFPrem->ClearText();
    EfPictureField1->ClearText();
    MEditCopay->clear();
    CBInsType->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    RGCopay->setFixedWidth(kChoiceWidth);
    RGCopay->SetItemIndex(kNoCopay);
    RGCopayClick();
    for (const TAmountBox& amount : amounts_) {
        amount.group->SetItemIndex(0);
        amount.box->clear();
        amount.box->hide();
    }
    ShowStatus({});
    MemoCoverage->clear();
    LBCoveredMembers->clear();
    LBAllMembers->clear();
    addrId_ = 0;
    FillMemberLists({});
}
