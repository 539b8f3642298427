#pragma once
// Paper sizes and paper bins with their device codes.
#include <QString>
#include <optional>

enum class TRpPaperSize {
    Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5, B4, B5,
    Folio, Quarto, rp10X14, rp11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, Custom,
};
constexpr int kPaperSizeCount = 28;

struct TRpPaperInfo {
    int code;
    // Portrait; 0 for Default (the device's) and Custom (given).
    double widthMM;
    double lengthMM;
    const char* name;
};

const TRpPaperInfo& PaperInfo(TRpPaperSize size);
QString PaperSizeName(TRpPaperSize size);
bool IsStandardPaper(TRpPaperSize size);
std::optional<TRpPaperSize> PaperSizeByCode(int code);
// The first standard size within half a millimetre of a portrait size.
std::optional<TRpPaperSize> PaperSizeByMillimetres(double widthMM, double lengthMM);

enum class TRpBin {
    First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat, LargeFormat,
    LargeCapacity, Cassette, Last,
};

int BinCode(TRpBin bin);
// The first bin with the code; First when none has it.
TRpBin BinByCode(int code);
