#include "efcontroller.h"

#include "daynumbers.h"
#include "platform/ui/messagebox.h"

#include <QStackedWidget>
#include <QTabWidget>

QString EntryErrorText(quint16 code, const QString& userText)
{
    static const char* const kTexts[] = {
        "Value is not within required range",
        "Value is not valid for this field type",
        "A value is required in this field",
        "Value is not a valid date",
        "Value is not a valid time",
        "This field should contain no blanks",
        "This field should be either empty or completely full",
    };
    if (code >= efeRange && code <= efePartial)
        return QString::fromLatin1(kTexts[code - efeRange]);
    if (code >= efeFirstUserCode)
        return userText;
    return QStringLiteral("Entry Error");
}

void TEfCaret::Changed()
{
    if (OnChange)
        OnChange();
}

void TEfCaret::SetAlign(TEfCaretAlign value)
{
    align_ = value;
    Changed();
}

void TEfCaret::SetShape(TEfCaretShape value)
{
    shape_ = value;
    switch (value) {
    case TEfCaretShape::csBlock: align_ = TEfCaretAlign::caLeft; break;
    case TEfCaretShape::csHalfBlock: align_ = TEfCaretAlign::caBottom; break;
    case TEfCaretShape::csVertLine:
        align_ = TEfCaretAlign::caLeft;
        width_ = 2;
        break;
    case TEfCaretShape::csHorzLine:
        align_ = TEfCaretAlign::caBottom;
        height_ = 2;
        break;
    case TEfCaretShape::csCustom: break;
    case TEfCaretShape::csBitmap:
        if (!bitmap_.isNull()) {
            width_ = bitmap_.width();
            height_ = bitmap_.height();
        }
        break;
    }
    Changed();
}

void TEfCaret::SetCaretWidth(int value)
{
    if (value < 1)
        return;
    width_ = value;
    Changed();
}

void TEfCaret::SetCaretHeight(int value)
{
    if (value < 1)
        return;
    height_ = value;
    Changed();
}

void TEfCaret::SetIsGray(bool value)
{
    gray_ = value;
    Changed();
}

void TEfCaret::SetBlinkTime(quint16 value)
{
    blinkTime_ = value;
    Changed();
}

void TEfCaret::SetBitmap(const QImage& value)
{
    bitmap_ = value;
    if (shape_ == TEfCaretShape::csBitmap)
        SetShape(shape_);
    else
        Changed();
}

void TEfCaret::SetBitmapHotSpot(const QPoint& value)
{
    hotSpot_ = value;
    Changed();
}

QRect TEfCaret::RectIn(const QRect& cell) const
{
    // Block and line shapes follow the character cell; the others keep their size.
    QSize size(width_, height_);
    switch (shape_) {
    case TEfCaretShape::csBlock: size = cell.size(); break;
    case TEfCaretShape::csHalfBlock: size = QSize(cell.width(), std::max(1, cell.height() / 2)); break;
    case TEfCaretShape::csVertLine: size.setHeight(cell.height()); break;
    case TEfCaretShape::csHorzLine: size.setWidth(cell.width()); break;
    case TEfCaretShape::csCustom: break;
    case TEfCaretShape::csBitmap: break;
    }
    QRect rect(cell.topLeft(), size);
    switch (align_) {
    case TEfCaretAlign::caLeft: rect.moveTop(cell.top() + (cell.height() - size.height()) / 2); break;
    case TEfCaretAlign::caTop: break;
    case TEfCaretAlign::caRight: rect.moveRight(cell.right()); break;
    case TEfCaretAlign::caBottom: rect.moveBottom(cell.bottom()); break;
    case TEfCaretAlign::caCenter: rect.moveCenter(cell.center()); break;
    }
    if (shape_ == TEfCaretShape::csBitmap)
        rect.translate(-hotSpot_);
    return rect;
}

TEfCaretPair::TEfCaretPair() : ins_(std::make_shared<TEfCaret>()), ovr_(std::make_shared<TEfCaret>())
{
    ovr_->SetShape(TEfCaretShape::csBlock);
}

void TEfCaretPair::SetCaretIns(std::shared_ptr<TEfCaret> caret)
{
    if (!caret)
        return;
    ins_ = std::move(caret);
}

void TEfCaretPair::SetCaretOvr(std::shared_ptr<TEfCaret> caret)
{
    if (!caret)
        return;
    ovr_ = std::move(caret);
}

void TEfCaretPair::SetInsertMode(bool value)
{
    insertMode_ = value;
}

TEfColors::TEfColors(const QColor& defaultBack, const QColor& defaultText)
    : defaultBack_(defaultBack), defaultText_(defaultText), back_(defaultBack), text_(defaultText)
{
}

void TEfColors::Changed()
{
    if (OnChange)
        OnChange();
}

void TEfColors::SetBackColor(const QColor& value)
{
    back_ = value;
    if (value != defaultBack_)
        useDefault_ = false;
    Changed();
}

void TEfColors::SetTextColor(const QColor& value)
{
    text_ = value;
    if (value != defaultText_)
        useDefault_ = false;
    Changed();
}

void TEfColors::SetUseDefault(bool value)
{
    useDefault_ = value;
    if (value) {
        back_ = defaultBack_;
        text_ = defaultText_;
    }
    Changed();
}

TEfUserData::TEfUserData()
{
    for (int i = 0; i < 8; ++i) {
        sets_[i].set();
        sets_[i].reset(0);
        substitutes_[i] = QChar(241 + i);
    }
}

bool TEfUserData::Accepts(QChar maskChar, QChar c) const
{
    return IsUserChar(maskChar) && c.unicode() < 256 && sets_[maskChar.unicode() - '1'].test(c.unicode());
}

void TEfUserData::SetCharSet(QChar maskChar, const CharSet& set)
{
    if (IsUserChar(maskChar))
        sets_[maskChar.unicode() - '1'] = set;
}

quint8 TEfUserData::ForceCaseOf(QChar maskChar) const
{
    return IsUserChar(maskChar) ? forceCase_[maskChar.unicode() - '1'] : quint8(fcNone);
}

void TEfUserData::SetForceCase(QChar maskChar, quint8 value)
{
    if (IsUserChar(maskChar))
        forceCase_[maskChar.unicode() - '1'] = value;
}

QChar TEfUserData::Substitute(QChar maskChar) const
{
    return IsSubstitutionChar(maskChar) ? substitutes_[maskChar.unicode() - 241] : maskChar;
}

void TEfUserData::SetSubstitute(QChar maskChar, QChar shown)
{
    if (IsSubstitutionChar(maskChar))
        substitutes_[maskChar.unicode() - 241] = shown;
}

TEfUserData& UserData()
{
    static TEfUserData data;
    return data;
}

TEfController::TEfController(QObject* parent) : QObject(parent) {}

bool TEfController::IsExemptButton(const QWidget* widget) const
{
    return widget && (widget == BtnCancel || widget == BtnHelp || widget == BtnRestore);
}

void TEfController::SetEpoch(int value)
{
    if (value >= MinYear && value <= MaxYear)
        epoch_ = value;
}

void TEfController::ReportError(QObject* sender, quint16 code, const QString& text)
{
    if (OnError)
        OnError(sender, code, text);
    else
        ShowMessageBox(text, MsgIcon::Error, MsgOk);
}

void TEfController::FirePreEdit(QObject* sender, QWidget* losing)
{
    if (OnPreEdit)
        OnPreEdit(sender, losing);
}

void TEfController::FirePostEdit(QObject* sender, QWidget* gaining)
{
    if (OnPostEdit)
        OnPostEdit(sender, gaining);
}

void TEfController::RequestFocus(QWidget* control)
{
    pendingFocus_ = control;
    QMetaObject::invokeMethod(this, &TEfController::GiveFocus, Qt::QueuedConnection);
}

void TEfController::GiveFocus()
{
    const QPointer<QWidget> control = pendingFocus_;
    pendingFocus_.clear();
    if (!control)
        return;
    // A field on a hidden page: bring the page forward first.
    for (QWidget* child = control; child->parentWidget(); child = child->parentWidget()) {
        QWidget* parent = child->parentWidget();
        if (auto* tabs = qobject_cast<QTabWidget*>(parent->parentWidget());
            tabs && qobject_cast<QStackedWidget*>(parent) && tabs->indexOf(child) >= 0)
            tabs->setCurrentWidget(child);
        else if (auto* stack = qobject_cast<QStackedWidget*>(parent))
            stack->setCurrentWidget(child);
    }
    if (control->isEnabled() && control->isVisible())
        control->setFocus(Qt::OtherFocusReason);
}

TEfController* TEfController::FindOnForm(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    const QList<TEfController*> found = widget->window()->findChildren<TEfController*>();
    return found.isEmpty() ? nullptr : found.front();
}
