#include "rppaper.h"

#include <cmath>

namespace {
const TRpPaperInfo kPapers[kPaperSizeCount] = {
    {0, 0, 0, "Default size"},
    {1, 215.9, 279.4, "Letter 8 1/2 x 11 in"},
    {2, 215.9, 279.4, "Letter Small 8 1/2 x 11 in"},
    {3, 279.4, 431.8, "Tabloid 11 x 17 in"},
    {4, 431.8, 279.4, "Ledger 17 x 11 in"},
    {5, 215.9, 355.6, "Legal 8 1/2 x 14 in"},
    {6, 139.7, 215.9, "Statement 5 1/2 x 8 1/2 in"},
    {7, 190.5, 254, "Executive7 1/2 x 10 in"},
    {8, 297, 420, "A3 297 x 420 mm"},
    {9, 210, 297, "A4 210 x 297 mm"},
    {10, 210, 297, "A4 Small 210 x 297 mm"},
    {11, 148, 210, "A5 148 x 210 mm"},
    {12, 250, 354, "B4 250 x 354 mm"},
    {13, 182, 257, "B5 182 x 257 mm"},
    {14, 215.9, 330.2, "Folio 8 1/2 x 13 in"},
    {15, 215, 275, "Quarto 215 x 275 mm"},
    {16, 254, 355.6, "10x14 in"},
    {17, 279.4, 431.8, "11x17 in"},
    {18, 215.9, 279, "Note 8 1/2 x 11 in"},
    {19, 98.43, 225.4, "Envelope #9 3 7/8 x 8 7/8"},
    {20, 104.8, 241.3, "Envelope #10 4 1/8 x 9 1/2"},
    {21, 114.3, 263.5, "Envelope #11 4 1/2 x 10 3/8"},
    {22, 101.6, 279.4, "Envelope #12 4 \u00be x 11"},
    {23, 127, 292.1, "Envelope #12 4 \u00be x 11"},
    {24, 100, 100, "C size sheet"},
    {25, 100, 100, "D size sheet"},
    {26, 100, 100, "E size sheet"},
    {256, 0, 0, "Custom Size"},
};

const int kBinCodes[] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};
}  // namespace

const TRpPaperInfo& PaperInfo(TRpPaperSize size)
{
    return kPapers[static_cast<int>(size)];
}

QString PaperSizeName(TRpPaperSize size)
{
    return QString::fromUtf8(PaperInfo(size).name);
}

bool IsStandardPaper(TRpPaperSize size)
{
    return size != TRpPaperSize::Default && size != TRpPaperSize::Custom;
}

std::optional<TRpPaperSize> PaperSizeByCode(int code)
{
    for (int i = 0; i < kPaperSizeCount; ++i)
        if (kPapers[i].code == code)
            return static_cast<TRpPaperSize>(i);
    return std::nullopt;
}

std::optional<TRpPaperSize> PaperSizeByMillimetres(double widthMM, double lengthMM)
{
    for (int i = 0; i < kPaperSizeCount; ++i) {
        const auto size = static_cast<TRpPaperSize>(i);
        if (IsStandardPaper(size) && std::abs(kPapers[i].widthMM - widthMM) < 0.5 &&
            std::abs(kPapers[i].lengthMM - lengthMM) < 0.5)
            return size;
    }
    return std::nullopt;
}

int BinCode(TRpBin bin)
{
    return kBinCodes[static_cast<int>(bin)];
}

TRpBin BinByCode(int code)
{
    for (int i = 0; i <= static_cast<int>(TRpBin::Last); ++i)
        if (kBinCodes[i] == code)
            return static_cast<TRpBin>(i);
    return TRpBin::First;
}
