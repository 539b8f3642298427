#pragma once
// The picture-mask engine: every position of the text is governed by one mask
// character; literals are shown and skipped; number masks get decimal-point
// alignment, currency and thousands separators. The picture field puts a data
// type on top of it.
#include "efbasefield.h"

#include <vector>

class TEfPictureCore : public TEfFieldCore {
public:
    QString MaskText() const override { return mask_; }
    void SetMaxLength(int value) override;

protected:
    // Position classes: literal, editable, formatting ("$" and ",").
    enum PositionClass : quint8 { pcLiteral = 0, pcEditable = 1, pcFormatting = 2 };

    explicit TEfPictureCore(TEfController* controller);

    // Keeps the value: written out before the change and in again after it.
    // MaxLength grows to the mask, or becomes its length when it follows it.
    // A new data type starts from its initial value instead.
    void SetMaskText(const QString& mask, bool lengthFollows = false, bool keepValue = true);
    // Changes the mask or the length: the value and the restore copy's are
    // written again under the new layout.
    void Relayout(const std::function<void()>& change, bool keepValue);
    // Positions past the mask are blank literals.
    QChar MaskAt(int i) const;
    quint8 ClassAt(int i) const;
    bool IsEditable(int i) const;
    bool NumericLayout() const;
    // The decimal point of a number mask; -1 when none.
    int PointPos() const;
    int LastEditable() const;
    int NextEditable(int from) const;  // from itself on; MaxLength when none
    int PrevEditable(int before) const; // -1 when none
    int RunEnd(int i) const;
    int RunStart(int i) const;
    // The mask character a typed character at i is tested by.
    QChar TestMaskAt(int i) const;
    int EditableCountAfterPoint() const;

    // The text under the mask, as dates and times are read: positions past
    // the mask are blank literals.
    QString MaskedText() const;
    // A year run shorter than four digits: its century comes from the epoch,
    // so only the epoch's hundred years can be written. A mask without a year
    // reads the current year and writes any.
    bool TwoDigitYear() const;
    // The raw text: formatting and literals out, "." as the decimal point.
    QString StripText() const;
    // The raw text into the positions of the mask.
    void MergeText(const QString& raw);
    void DecimalAlign();
    virtual void PrepareForEditing();
    void SetPrepared(bool value) { prepared_ = value; }

    quint16 ValidateOnLeaving(bool softAllowed) override;
    void CaretToEndPos() override;
    void CaretToStartPos() override;
    int FirstEditable() const override;
    bool IsEmpty() const override;
    QString DisplayString() const override;
    void SetCaretPos(int position) override;
    QChar NumberMaskChar() const override;

    // Editing of text, number, date and time fields.
    void PictureEditStep(const TEfEditInput& input);

    TEfValue NumberOut() const;
    void NumberIn(double value);
    quint16 NumberValidation();
    void NumberStep(bool wrap, double delta);

private:
    void RebuildClasses();
    void MergeNumber(const QString& raw);
    void MergePlain(const QString& raw);
    QChar LiteralShown(int i) const;
    bool TypeChar(QChar c, bool quiet);
    void DeleteAt(int i);
    bool InsertAt(int i, QChar c);
    void DeleteRange(int start, int end);
    void MoveCaret(int position);
    int WordLeftOf(int position) const;
    int WordRightOf(int position) const;
    void CompleteDateTime();
    bool CaretCommand(quint16 command, int& position, bool& advance, bool& next) const;

    QString mask_;
    std::vector<quint8> classes_;
    int formatCount_ = 0;
    bool prepared_ = false;
};

enum TPictureDataType {
    pftString, pftChar, pftBoolean, pftYesNo, pftLongInt, pftWord, pftInteger, pftByte, pftShortInt,
    pftReal, pftExtended, pftDouble, pftSingle, pftComp, pftDate, pftTime,
};

class TEfPictureFieldCore : public TEfPictureCore {
public:
    explicit TEfPictureFieldCore(TEfController* controller);

    TPictureDataType PictureDataType() const { return static_cast<TPictureDataType>(DataType()); }
    // The type's mask, length and range.
    void SetDataType(TPictureDataType type);
    // EInvalidPictureMask for a mask longer than 255 or with a point on a
    // type other than the floating ones.
    void SetPictureMask(const QString& mask);
    bool InitDateTime() const { return initDateTime_; }
    // Today (now), or a cleared field.
    void SetInitDateTime(bool value);

protected:
    void EditStep(const TEfEditInput& input) override;
    TEfValue TransferOut() const override;
    void TransferIn(const TEfValue& value) override;
    quint16 TypeValidation() override;
    bool IsBlankText() const override;
    void StepValue(bool wrap, double delta) override;

private:
    bool DayFitsMask(qint32 day) const;
    void StepDate(bool wrap, double delta);
    void StepTime(bool wrap, double delta);
    QChar StepMaskChar() const;

    bool initDateTime_ = false;
};

class TEfPictureField : public TEfBaseEntryField {
    Q_OBJECT
public:
    explicit TEfPictureField(QWidget* parent, TEfController* controller = nullptr);
    TEfPictureField(QWidget* parent, TPictureDataType type, const QString& mask = {},
                    TEfController* controller = nullptr);

    TEfPictureFieldCore& Core() { return static_cast<TEfPictureFieldCore&>(TEfBaseEntryField::Core()); }
    void SetDataType(TPictureDataType type) { Core().SetDataType(type); }
    void SetPictureMask(const QString& mask) { Core().SetPictureMask(mask); }
};
