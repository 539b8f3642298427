#pragma once
// What the entry fields of a form share: the controller (key commands, epoch,
// error and edit events, the focus coming back after an error), the caret
// descriptions, the colour pairs, the user mask characters and the input
// error codes with their texts.
#include "efexceptions.h"
#include "keycommands.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <bitset>
#include <functional>
#include <memory>

// Input errors of the fields; user validation may add codes from 0x8000 up.
constexpr quint16 efeRange = 0x100;
constexpr quint16 efeInvalidForType = 0x101;
constexpr quint16 efeRequired = 0x102;
constexpr quint16 efeInvalidDate = 0x103;
constexpr quint16 efeInvalidTime = 0x104;
constexpr quint16 efeNoBlanks = 0x105;
constexpr quint16 efePartial = 0x106;
constexpr quint16 efeFirstUserCode = 0x8000;

// The fixed text of a code; user codes take the text the controller holds.
QString EntryErrorText(quint16 code, const QString& userText);

enum class TEfCaretAlign { caLeft, caTop, caRight, caBottom, caCenter };
enum class TEfCaretShape { csBlock, csHalfBlock, csVertLine, csHorzLine, csCustom, csBitmap };

// How a caret looks; fields may share one description.
class TEfCaret {
public:
    TEfCaretAlign Align() const { return align_; }
    void SetAlign(TEfCaretAlign value);
    TEfCaretShape Shape() const { return shape_; }
    // Also sets the alignment and size that go with the shape.
    void SetShape(TEfCaretShape value);
    int CaretWidth() const { return width_; }
    void SetCaretWidth(int value);  // below 1: ignored
    int CaretHeight() const { return height_; }
    void SetCaretHeight(int value);  // below 1: ignored
    bool IsGray() const { return gray_; }
    void SetIsGray(bool value);
    // Milliseconds; 0 = the desktop's.
    quint16 BlinkTime() const { return blinkTime_; }
    void SetBlinkTime(quint16 value);
    const QImage& Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage& value);
    QPoint BitmapHotSpot() const { return hotSpot_; }
    void SetBitmapHotSpot(const QPoint& value);

    // Where the caret stands in a character cell.
    QRect RectIn(const QRect& cell) const;

    std::function<void()> OnChange;

private:
    void Changed();

    TEfCaretAlign align_ = TEfCaretAlign::caLeft;
    TEfCaretShape shape_ = TEfCaretShape::csVertLine;
    int width_ = 2;
    int height_ = 10;
    bool gray_ = false;
    quint16 blinkTime_ = 0;
    QImage bitmap_;
    QPoint hotSpot_;
};

// The insert-mode and overtype-mode carets of one field; the mode picks one.
class TEfCaretPair {
public:
    TEfCaretPair();
    TEfCaretPair(const TEfCaretPair&) = delete;
    TEfCaretPair& operator=(const TEfCaretPair&) = delete;

    const std::shared_ptr<TEfCaret>& CaretIns() const { return ins_; }
    void SetCaretIns(std::shared_ptr<TEfCaret> caret);
    const std::shared_ptr<TEfCaret>& CaretOvr() const { return ovr_; }
    void SetCaretOvr(std::shared_ptr<TEfCaret> caret);
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool value);
    const TEfCaret& Current() const { return insertMode_ ? *ins_ : *ovr_; }

private:
    std::shared_ptr<TEfCaret> ins_;
    std::shared_ptr<TEfCaret> ovr_;
    bool insertMode_ = true;
};

// A background and text colour with defaults of the owner's.
class TEfColors {
public:
    TEfColors(const QColor& defaultBack, const QColor& defaultText);

    QColor BackColor() const { return back_; }
    void SetBackColor(const QColor& value);
    QColor TextColor() const { return text_; }
    void SetTextColor(const QColor& value);
    bool UseDefault() const { return useDefault_; }
    // True brings the defaults back.
    void SetUseDefault(bool value);

    std::function<void()> OnChange;

private:
    void Changed();

    QColor defaultBack_;
    QColor defaultText_;
    QColor back_;
    QColor text_;
    bool useDefault_ = true;
};

// The user mask characters "1".."8": the characters each accepts and the case
// it forces; and the characters that literal mask characters 241..248 show.
class TEfUserData {
public:
    using CharSet = std::bitset<256>;
    enum ForceCase : quint8 { fcNone, fcUpper, fcLower, fcWordUpper };

    TEfUserData();

    // False for a mask character that is no user character.
    bool Accepts(QChar maskChar, QChar c) const;
    void SetCharSet(QChar maskChar, const CharSet& set);
    quint8 ForceCaseOf(QChar maskChar) const;
    void SetForceCase(QChar maskChar, quint8 value);
    // The mask character itself when it is no substitution character.
    QChar Substitute(QChar maskChar) const;
    void SetSubstitute(QChar maskChar, QChar shown);

    static bool IsUserChar(QChar maskChar) { return maskChar >= QLatin1Char('1') && maskChar <= QLatin1Char('8'); }
    static bool IsSubstitutionChar(QChar maskChar) { return maskChar.unicode() >= 241 && maskChar.unicode() <= 248; }

private:
    CharSet sets_[8];
    quint8 forceCase_[8] = {};
    QChar substitutes_[8];
};

// The process-wide user mask characters.
TEfUserData& UserData();

// One per form: every entry field of the form finds it when it is created.
class TEfController : public QObject {
    Q_OBJECT
public:
    using ErrorEvent = std::function<void(QObject* sender, quint16 code, const QString& text)>;
    // The field and the control that lost (pre-edit) or gains (post-edit) the focus.
    using EditEvent = std::function<void(QObject* sender, QWidget* other)>;

    explicit TEfController(QObject* parent = nullptr);

    // Leaving a field for one of these runs no validation.
    QPointer<QWidget> BtnCancel;
    QPointer<QWidget> BtnHelp;
    QPointer<QWidget> BtnRestore;
    bool IsExemptButton(const QWidget* widget) const;

    TEfCommandProcessor& EntryCommands() { return commands_; }
    int Epoch() const { return epoch_; }
    // Only 1600..3999 are taken.
    void SetEpoch(int value);
    int Tag = 0;

    ErrorEvent OnError;
    EditEvent OnPreEdit;
    EditEvent OnPostEdit;

    // An error was reported and its field has not had the focus since.
    bool ErrorInProgress = false;
    // The mode the next field starts editing in.
    bool InsertMode = true;
    // The text of the last error; user validation puts its own here.
    QString ErrorText;

    // OnError when assigned, else an error box.
    void ReportError(QObject* sender, quint16 code, const QString& text);
    void FirePreEdit(QObject* sender, QWidget* losing);
    void FirePostEdit(QObject* sender, QWidget* gaining);

    // Gives the control the focus once the current focus change is over:
    // brings forward the page that holds it, then focuses it. Nothing happens
    // when the control is gone by then.
    void RequestFocus(QWidget* control);
    // The control a requested focus is still on its way to.
    QWidget* PendingFocus() const { return pendingFocus_.data(); }

    // The first controller of the window that holds the widget; nullptr when none.
    static TEfController* FindOnForm(const QWidget* widget);

private:
    void GiveFocus();

    TEfCommandProcessor commands_;
    int epoch_ = 1900;
    QPointer<QWidget> pendingFocus_;
};
