#include "addrstyledlgs.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "platform/ui/messagebox.h"
#include "records/common/lookuplists.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kCarePortfolio = 5;
constexpr int kVehicleBook = 0;

QString FontText(const QFont& font)
{
    return font.family() + QLatin1Char(' ') + QString::number(font.pointSize()) + QStringLiteral(" pt.");
}

QLabel* FontPanel()
{
    auto* panel = new QLabel;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(170);
    return panel;
}

QString ProductName(int productCode)
{
    if (productCode == kVehicleBook)
        return QStringLiteral("VehicleBook");
    if (productCode == kCarePortfolio)
        return QStringLiteral("CarePortfolio");
    return {};
}

template <typename Dialog>
void ShowStyleDialog(QWidget* parent, int productCode, qint32 categoryId, qint32 bizId,
                     const std::function<QString(const QString&)>& title)
{
    std::unique_ptr<Dialog> dialog = MakeUnderHourglass<Dialog>(parent);
    const QString product = ProductName(productCode);
    if (!product.isEmpty())
        dialog->LabelTitle->setText(title(product));
    dialog->Start(categoryId, bizId);
    dialog->exec();
}

}  // namespace

void ShowReportStyleDialog(QWidget* parent, bool, int productCode, qint32 categoryId, qint32 bizId)
{
    ShowStyleDialog<TAddrRptStyleDlg>(parent, productCode, categoryId, bizId,
                                      [](const QString& product) { return product; });
}

void ShowCardStyleDialog(QWidget* parent, bool, int productCode, qint32 categoryId, qint32 bizId)
{
    ShowStyleDialog<TAddrCardStyleDlg>(parent, productCode, categoryId, bizId, [](const QString& product) {
        return QStringLiteral("Print ") + product + QStringLiteral(" Address Book");
    });
}

// ---- What both dialogs share ------------------------------------------------

TAddrStyleDlg::TAddrStyleDlg(QWidget* parent, TAddrStyle style, TAddrPrintSettings& settings)
    : QDialog(parent), style_(style), settings_(settings)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    LabelTitle = new QLabel;
    QFont big = LabelTitle->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    LabelTitle->setFont(big);
    RBCurrent = new QRadioButton(QStringLiteral("Current Name"));
    RBAll = new QRadioButton(QStringLiteral("All Names"));
    RBCategory = new QRadioButton(QStringLiteral("Select Category"));
    ComboBoxSelCat = new QComboBox;
    PanelHeadingFont = FontPanel();
    PanelBodyFont = FontPanel();
    BtnHeadingFont = new QPushButton(QStringLiteral("Font ..."));
    BtnBodyFont = new QPushButton(QStringLiteral("Font ..."));
    for (QLineEdit*& edit : EditMargins) {
        edit = new QLineEdit;
        edit->setMaxLength(10);
        edit->setMaximumWidth(70);
    }
    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    PreviewBtn = new QPushButton(QStringLiteral("Pre&view"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    SetupBtn = new QPushButton(QStringLiteral("Setup ..."));

    connect(OKBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { Print(false); }); });
    connect(PreviewBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { Print(true); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(SetupBtn, &QPushButton::clicked, this, [this] {
        QPageSetupDialog setup(&AddressPrinter(), this);
        setup.exec();
    });
    connect(BtnHeadingFont, &QPushButton::clicked, this,
            [this] { ChooseFont(settings_.headingFont, *PanelHeadingFont); });
    connect(BtnBodyFont, &QPushButton::clicked, this, [this] { ChooseFont(settings_.bodyFont, *PanelBodyFont); });
    connect(ComboBoxSelCat, &QComboBox::activated, this, [this] { RBCategory->setChecked(true); });
}

QWidget* TAddrStyleDlg::SharedControls()
{
    auto* panel = new QWidget;
    auto* range = new QGroupBox(QStringLiteral("Print Range"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(RBCurrent, 0, 0);
    rangeGrid->addWidget(RBAll, 1, 0);
    rangeGrid->addWidget(RBCategory, 2, 0);
    rangeGrid->addWidget(ComboBoxSelCat, 2, 1);
    auto* fonts = new QGroupBox(QStringLiteral("Fonts"));
    auto* fontGrid = new QGridLayout(fonts);
    fontGrid->addWidget(new QLabel(QStringLiteral("Heading:")), 0, 0);
    fontGrid->addWidget(PanelHeadingFont, 0, 1);
    fontGrid->addWidget(BtnHeadingFont, 0, 2);
    fontGrid->addWidget(new QLabel(QStringLiteral("Body:")), 1, 0);
    fontGrid->addWidget(PanelBodyFont, 1, 1);
    fontGrid->addWidget(BtnBodyFont, 1, 2);
    auto* margins = new QGroupBox(QStringLiteral("Margins (inches)"));
    auto* marginGrid = new QGridLayout(margins);
    marginGrid->addWidget(new QLabel(QStringLiteral("Top:")), 0, 0);
    marginGrid->addWidget(EditMargins[kTopMargin], 0, 1);
    marginGrid->addWidget(new QLabel(QStringLiteral("Bottom:")), 0, 2);
    marginGrid->addWidget(EditMargins[kBottomMargin], 0, 3);
    marginGrid->addWidget(new QLabel(QStringLiteral("Left:")), 1, 0);
    marginGrid->addWidget(EditMargins[kLeftMargin], 1, 1);
    marginGrid->addWidget(new QLabel(QStringLiteral("Right:")), 1, 2);
    marginGrid->addWidget(EditMargins[kRightMargin], 1, 3);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(range);
    column->addWidget(fonts);
    column->addWidget(margins);
    return panel;
}

void TAddrStyleDlg::LayOut(std::initializer_list<QWidget*> ownBoxes)
{
    auto* left = new QVBoxLayout;
    left->addWidget(SharedControls());
    for (QWidget* box : ownBoxes)
        left->addWidget(box);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(LabelTitle);
    column->addLayout(body);
    body->addWidget(ButtonColumn());
}

QWidget* TAddrStyleDlg::ButtonColumn()
{
    // Made in the dialog, so that OK, put in it, becomes the dialog's default
    // button rather than the first button the caret passes; and made once
    // the rest is in the dialog, so that the caret starts in the range and
    // reaches the buttons last.
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(OKBtn);
    column->addWidget(PreviewBtn);
    column->addWidget(CancelBtn);
    column->addSpacing(12);
    column->addWidget(SetupBtn);
    column->addStretch();
    return panel;
}

void TAddrStyleDlg::Start(qint32 categoryId, qint32 bizId)
{
    settings_.bizId = bizId;
    if (categoryId != -1)
        settings_.categoryId = categoryId;
    FillChoiceCombo(*ComboBoxSelCat, CategoryListId);
    ComboBoxSelCat->insertItem(0, QStringLiteral("All Categorys"), -1);
    snapshot_ = settings_;
    TakeSnapshot();
    ShowSettings();
}

void TAddrStyleDlg::ShowSettings()
{
    RBCurrent->setChecked(settings_.range == TAddrRange::CurrentName);
    RBAll->setChecked(settings_.range == TAddrRange::AllNames);
    RBCategory->setChecked(settings_.range == TAddrRange::Category);
    ComboBoxSelCat->setCurrentIndex(settings_.categoryId == -1 ? 0 : IndexOfComboId(*ComboBoxSelCat, settings_.categoryId));
    PanelHeadingFont->setText(FontText(settings_.headingFont));
    PanelBodyFont->setText(FontText(settings_.bodyFont));
    for (size_t side = 0; side < EditMargins.size(); ++side)
        EditMargins[side]->setText(settings_.margins[side]);
}

void TAddrStyleDlg::ReadSettings()
{
    settings_.range = RBCurrent->isChecked()    ? TAddrRange::CurrentName
                      : RBCategory->isChecked() ? TAddrRange::Category
                                                : TAddrRange::AllNames;
    settings_.categoryId = ComboBoxSelCat->currentIndex() > 0 ? ComboBoxSelCat->currentData().toInt() : -1;
    for (size_t side = 0; side < EditMargins.size(); ++side)
        settings_.margins[side] = EditMargins[side]->text().left(10);
}

void TAddrStyleDlg::ChooseFont(QFont& font, QLabel& panel)
{
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, font, this);
    if (!chosen)
        return;
    font = picked;
    panel.setText(FontText(font));
}

void TAddrStyleDlg::Print(bool preview)
{
    const QString own = CheckOwn(preview);
    if (!own.isEmpty()) {
        ShowMessageBox(own, MsgIcon::Warning, MsgOk);
        return;
    }
    ReadSettings();
    const TMarginCheck margins = CheckMargins(settings_.margins);
    if (!margins.error.isEmpty()) {
        ShowMessageBox(margins.error, MsgIcon::Warning, MsgOk);
        return;
    }
    const TPrinterPage page = PrinterPageOf(AddressPrinter());
    const QString fit = MarginFit(margins.inches, page);
    if (!fit.isEmpty()) {
        ShowMessageBox(fit, MsgIcon::Warning, MsgOk);
        return;
    }
    TAddrPrintRequest request;
    request.style = style_;
    request.preview = preview;
    request.range = settings_.range;
    request.bizId = settings_.bizId;
    request.categoryId = settings_.categoryId;
    request.headingFont = settings_.headingFont;
    request.bodyFont = settings_.bodyFont;
    request.content = ContentBox(margins.inches, page);
    FillOwn(request);

    bool printed = false;
    {
        std::unique_ptr<TPrintAddressForm> form = MakeUnderHourglass<TPrintAddressForm>(this);
        form->PrintAddresses(request);
        printed = form->Printed();
    }
    printed_ = printed;
    if (printed && !preview)
        accept();
}

void TAddrStyleDlg::CancelBtnClick()
{
    reject();
}

void TAddrStyleDlg::reject()
{
    settings_ = snapshot_;
    PutSnapshotBack(printed_);
    QDialog::reject();
}

// ---- Report style -------------------------------------------------------------

TAddrRptStyleDlg::TAddrRptStyleDlg(QWidget* parent)
    : TAddrStyleDlg(parent, TAddrStyle::Report, ReportStyleSettings())
{
    setObjectName(QStringLiteral("AddrRptStyleDlg"));
    setWindowTitle(QStringLiteral("Print Address - Report Style"));
    LabelTitle->setText(QStringLiteral("Address Book"));
    ListSrc = new QListWidget;
    ListDst = new QListWidget;
    for (QListWidget* list : {ListSrc, ListDst})
        list->setMinimumSize(150, 120);
    BtnAdd = new QPushButton(QStringLiteral(">>"));
    BtnRemove = new QPushButton(QStringLiteral("<<"));
    BtnAddAll = new QPushButton(QStringLiteral("All -->"));
    BtnRemoveAll = new QPushButton(QStringLiteral("<-- All"));
    BtnUp = new QPushButton(QStringLiteral("Up"));
    BtnDown = new QPushButton(QStringLiteral("Down"));
    connect(BtnAdd, &QPushButton::clicked, this, [this] { BtnAddClick(); });
    connect(BtnRemove, &QPushButton::clicked, this, [this] { BtnRemoveClick(); });
    connect(BtnAddAll, &QPushButton::clicked, this, [this] { BtnAddAllClick(); });
    connect(BtnRemoveAll, &QPushButton::clicked, this, [this] { BtnRemoveAllClick(); });
    connect(BtnUp, &QPushButton::clicked, this, [this] { BtnUpClick(); });
    connect(BtnDown, &QPushButton::clicked, this, [this] { BtnDownClick(); });
    connect(ListSrc, &QListWidget::currentRowChanged, this, [this] { UpdateFieldButtons(); });
    connect(ListDst, &QListWidget::currentRowChanged, this, [this] { UpdateFieldButtons(); });

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {BtnAdd, BtnRemove, BtnAddAll, BtnRemoveAll})
        moves->addWidget(button);
    moves->addStretch();
    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(BtnUp);
    order->addWidget(BtnDown);
    order->addStretch();
    auto* chooser = new QGridLayout;
    chooser->addWidget(new QLabel(QStringLiteral("Address book fields")), 0, 0);
    chooser->addWidget(new QLabel(QStringLiteral("Select Fields to print")), 0, 2);
    chooser->addWidget(ListSrc, 1, 0);
    chooser->addLayout(moves, 1, 1);
    chooser->addWidget(ListDst, 1, 2);
    chooser->addLayout(order, 1, 3);
    chooser->addWidget(new QLabel(QStringLiteral("Use \"Up\" and \"Down\" to adjust field sequence")), 2, 0, 1, 4);
    auto* fields = new QGroupBox(QStringLiteral("Fields"));
    fields->setLayout(chooser);

    LayOut({fields});
}

void TAddrRptStyleDlg::ShowFields()
{
    const QStringList& chosen = ReportChosenFields();
    ListSrc->clear();
    for (const QString& caption : ReportFieldCaptions()) {
        if (!chosen.contains(caption))
            ListSrc->addItem(caption);
    }
    ListDst->clear();
    ListDst->addItems(chosen);
    UpdateFieldButtons();
}

void TAddrRptStyleDlg::UpdateFieldButtons()
{
    const int dst = ListDst->currentRow();
    BtnAdd->setEnabled(ListSrc->count() > 0 && ListSrc->currentRow() >= 0);
    BtnAddAll->setEnabled(ListSrc->count() > 0);
    BtnRemove->setEnabled(ListDst->count() > 0 && dst >= 0);
    BtnRemoveAll->setEnabled(ListDst->count() > 0);
    BtnUp->setEnabled(dst > 0);
    BtnDown->setEnabled(dst >= 0 && dst < ListDst->count() - 1);
}

void TAddrRptStyleDlg::BtnAddClick()
{
    const QListWidgetItem* item = ListSrc->currentItem();
    if (!item)
        return;
    ReportChosenFields() << item->text();
    ShowFields();
}

void TAddrRptStyleDlg::BtnRemoveClick()
{
    const int row = ListDst->currentRow();
    if (row < 0)
        return;
    ReportChosenFields().removeAt(row);
    ShowFields();
}

void TAddrRptStyleDlg::BtnAddAllClick()
{
    QStringList& chosen = ReportChosenFields();
    for (const QString& caption : ReportFieldCaptions()) {
        if (!chosen.contains(caption))
            chosen << caption;
    }
    ShowFields();
}

void TAddrRptStyleDlg::BtnRemoveAllClick()
{
    ReportChosenFields().clear();
    ShowFields();
}

void TAddrRptStyleDlg::BtnUpClick()
{
    const int row = ListDst->currentRow();
    if (row <= 0)
        return;
    ReportChosenFields().swapItemsAt(row, row - 1);
    ShowFields();
    ListDst->setCurrentRow(row - 1);
}

void TAddrRptStyleDlg::BtnDownClick()
{
    const int row = ListDst->currentRow();
    if (row < 0 || row >= ListDst->count() - 1)
        return;
    ReportChosenFields().swapItemsAt(row, row + 1);
    ShowFields();
    ListDst->setCurrentRow(row + 1);
}

void TAddrRptStyleDlg::TakeSnapshot()
{
    chosenSnapshot_ = ReportChosenFields();
    ShowFields();
}

void TAddrRptStyleDlg::PutSnapshotBack(bool keepFields)
{
    if (!keepFields)
        ReportChosenFields() = chosenSnapshot_;
}

QString TAddrRptStyleDlg::CheckOwn(bool preview)
{
    if (!ReportChosenFields().isEmpty())
        return {};
    return preview ? QStringLiteral("Please select the fields to preview.")
                   : QStringLiteral("Please select the fields to print.");
}

QString TAddrRptStyleDlg::MarginFit(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    return ReportMarginFit(inches, page);
}

QRect TAddrRptStyleDlg::ContentBox(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    return ReportContentBox(inches, page);
}

void TAddrRptStyleDlg::FillOwn(TAddrPrintRequest& request)
{
    request.fields = ReportChosenFields();
}

// ---- Card style ---------------------------------------------------------------

TAddrCardStyleDlg::TAddrCardStyleDlg(QWidget* parent) : TAddrStyleDlg(parent, TAddrStyle::Card, CardStyleSettings())
{
    setObjectName(QStringLiteral("AddrCardStyleDlg"));
    setWindowTitle(QStringLiteral("Print Address - Card Style"));
    LabelTitle->setText(QStringLiteral("Print Address Book"));
    ListPaperSize = new QComboBox;
    for (const TPrintoutSize& size : PrintoutSizes())
        ListPaperSize->addItem(size.name);
    RBContinuous = new QRadioButton(QStringLiteral("Continuous"));
    RBNewPage = new QRadioButton(QStringLiteral("Start on a new page"));
    auto* sections = new QButtonGroup(this);
    sections->addButton(RBContinuous);
    sections->addButton(RBNewPage);

    auto* size = new QGroupBox(QStringLiteral("Printout Size"));
    auto* sizeColumn = new QVBoxLayout(size);
    sizeColumn->addWidget(ListPaperSize);
    auto* section = new QGroupBox(QStringLiteral("Section"));
    auto* sectionColumn = new QVBoxLayout(section);
    sectionColumn->addWidget(RBContinuous);
    sectionColumn->addWidget(RBNewPage);
    LayOut({size, section});
}

void TAddrCardStyleDlg::TakeSnapshot()
{
    optionsSnapshot_ = CardStyleOptions();
    ListPaperSize->setCurrentIndex(CardStyleOptions().sizeIndex);
    RBNewPage->setChecked(CardStyleOptions().newPagePerBusiness);
    RBContinuous->setChecked(!CardStyleOptions().newPagePerBusiness);
}

void TAddrCardStyleDlg::PutSnapshotBack(bool)
{
    CardStyleOptions() = optionsSnapshot_;
}

QString TAddrCardStyleDlg::CheckOwn(bool)
{
    CardStyleOptions().sizeIndex = std::max(0, ListPaperSize->currentIndex());
    CardStyleOptions().newPagePerBusiness = RBNewPage->isChecked();
    return {};
}

QString TAddrCardStyleDlg::MarginFit(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    return CardMarginFit(inches, PrintoutSizes()[size_t(CardStyleOptions().sizeIndex)], page);
}

QRect TAddrCardStyleDlg::ContentBox(const std::array<double, 4>& inches, const TPrinterPage& page)
{
    return CardContentBox(inches, PrintoutSizes()[size_t(CardStyleOptions().sizeIndex)], page);
}

void TAddrCardStyleDlg::FillOwn(TAddrPrintRequest& request)
{
    request.newPagePerBusiness = CardStyleOptions().newPagePerBusiness;
}
