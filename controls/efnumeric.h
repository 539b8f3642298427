#pragma once
// The numeric field: numbers entered as on a calculator. Digits come in at
// the right end, the number stays right-aligned in its mask, and the caret
// does not wander through the text.
#include "efpicture.h"

enum TNumericDataType {
    nftLongInt, nftWord, nftInteger, nftByte, nftShortInt, nftReal, nftExtended, nftDouble, nftSingle, nftComp,
};

class TEfNumericFieldCore : public TEfPictureCore {
public:
    explicit TEfNumericFieldCore(TEfController* controller);

    TNumericDataType NumericDataType() const { return static_cast<TNumericDataType>(DataType() - dtLongInt); }
    void SetDataType(TNumericDataType type);
    // Keeps "p" and "g"; EInvalidPictureMask for a floating type's mask with
    // a point together with "9" or "i".
    void SetPictureMask(const QString& mask);

    bool AlignsRight() const override { return true; }
    int DisplayCaret() const override { return static_cast<int>(DisplayString().size()); }

protected:
    void EditStep(const TEfEditInput& input) override;
    QString DisplayString() const override;
    TEfValue TransferOut() const override { return NumberOut(); }
    void TransferIn(const TEfValue& value) override;
    quint16 TypeValidation() override { return UserValidation(NumberValidation()); }
    void StepValue(bool wrap, double delta) override;
    void CaretToEndPos() override;
    void CaretToStartPos() override { CaretToEndPos(); }
    void SetCaretPos(int position) override;
    void PrepareForEditing() override { SetPrepared(true); }
    void EditingStarts() override;

private:
    void TypeChar(QChar c);
    void Erase();
    void ClearBuffer();
    void ShowBuffer();
    // The entry buffer from the text: its sign and its digits.
    void RebuildBuffer();
    int DigitCapacity() const;
    int WholeCapacity() const;
    int WholeDigits() const;
    int FractionDigits() const;

    bool negative_ = false;
    QString digits_;  // digits and at most one "."
};

class TEfNumericField : public TEfBaseEntryField {
    Q_OBJECT
public:
    explicit TEfNumericField(QWidget* parent, TEfController* controller = nullptr);
    TEfNumericField(QWidget* parent, TNumericDataType type, const QString& mask = {},
                    TEfController* controller = nullptr);

    TEfNumericFieldCore& Core() { return static_cast<TEfNumericFieldCore&>(TEfBaseEntryField::Core()); }
    void SetDataType(TNumericDataType type) { Core().SetDataType(type); }
    void SetPictureMask(const QString& mask) { Core().SetPictureMask(mask); }
};
