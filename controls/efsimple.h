#pragma once
// The simple field: a plain line of up to MaxLength characters in which every
// position obeys one mask character, with a data type (no dates or times).
#include "efbasefield.h"

enum TSimpleDataType {
    sftString, sftChar, sftBoolean, sftYesNo, sftLongInt, sftWord, sftInteger, sftByte, sftShortInt,
    sftReal, sftExtended, sftDouble, sftSingle, sftComp,
};

class TEfSimpleFieldCore : public TEfFieldCore {
public:
    explicit TEfSimpleFieldCore(TEfController* controller);

    TSimpleDataType SimpleDataType() const { return static_cast<TSimpleDataType>(DataType()); }
    // The type's mask, length and range; EEfException for a value outside the types.
    void SetDataType(TSimpleDataType type);
    QChar PictureMask() const { return mask_; }
    // EInvalidPictureMask for a character the simple field does not know.
    void SetPictureMask(QChar mask);
    QString MaskText() const override { return QString(mask_); }

protected:
    void EditStep(const TEfEditInput& input) override;
    QString DisplayString() const override;
    TEfValue TransferOut() const override;
    void TransferIn(const TEfValue& value) override;
    quint16 TypeValidation() override;
    void StepValue(bool wrap, double delta) override;
    QChar NumberMaskChar() const override { return mask_; }

private:
    bool Accepts(QChar& c, QChar prev) const;
    void LineStep(const TEfEditInput& input);
    bool TypeChar(QChar c);
    void PasteText(const QString& text);
    void AdvanceOn(int position, bool afterChar) const;
    void DeleteSelection();
    bool ReadNumber(double& value) const;
    QString RealText(double value) const;

    QChar mask_ = QLatin1Char('X');
    bool charMayFollow_ = false;
};

class TEfSimpleField : public TEfBaseEntryField {
    Q_OBJECT
public:
    explicit TEfSimpleField(QWidget* parent, TEfController* controller = nullptr);
    TEfSimpleField(QWidget* parent, TSimpleDataType type, QChar mask = {}, TEfController* controller = nullptr);

    TEfSimpleFieldCore& Core() { return static_cast<TEfSimpleFieldCore&>(TEfBaseEntryField::Core()); }
    void SetDataType(TSimpleDataType type) { Core().SetDataType(type); }
    void SetPictureMask(QChar mask) { Core().SetPictureMask(mask); }
};
