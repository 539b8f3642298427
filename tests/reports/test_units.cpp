// Report units and sizes, paper and bin tables, frames and band types.
#include "pagesupport.h"

#include "reports/rpunits.h"

#include <gtest/gtest.h>

namespace {

TEST(Rounding, TakesHalvesToEven)
{
    EXPECT_EQ(RpRound(2.5), 2);
    EXPECT_EQ(RpRound(3.5), 4);
    EXPECT_EQ(RpRound(-2.5), -2);
    EXPECT_EQ(RpRound(2.6), 3);
    EXPECT_EQ(RpRound(1e300), INT_MAX);
    EXPECT_EQ(RpRound(std::nan("")), 0);
}

TEST(Units, ConvertBetweenNativeAndEveryUnit)
{
    TRpBandSize size;
    size.SetUnits(TRpUnit::MM);
    size.SetHeight(25.4);
    size.SetUnits(TRpUnit::Native);
    EXPECT_DOUBLE_EQ(size.Height(), 254);
    size.SetUnits(TRpUnit::Inches);
    EXPECT_DOUBLE_EQ(size.Height(), 1.0);

    size.SetUnits(TRpUnit::Pixels);
    EXPECT_DOUBLE_EQ(size.Height(), size.ScreenPixels());
    size.SetZoom(50);
    EXPECT_DOUBLE_EQ(size.Height(), size.ScreenPixels() / 2.0);
    size.SetWidth(48);
    size.SetUnits(TRpUnit::Native);
    EXPECT_DOUBLE_EQ(size.Width(), 48 * 254.0 / size.ScreenPixels() * 2);
}

TEST(Units, CountCharactersByTheReportFont)
{
    const QFont font(QStringLiteral("DejaVu Sans"), 10);
    TRpPrintableSize size(&font);
    size.SetUnits(TRpUnit::Native);
    size.SetWidth(254);
    size.SetHeight(254);
    size.SetUnits(TRpUnit::Characters);
    EXPECT_NEAR(size.Width(), 254 / (80.0 / 10 / 2.54) * 0.1, 1e-9);
    EXPECT_NEAR(size.Height(), 254 / (145.3 / 10 / 2.54) * 0.1, 1e-9);
    size.SetLeft(3);
    size.SetUnits(TRpUnit::Native);
    EXPECT_NEAR(size.Left(), 3 * (80.0 / 10 / 2.54) * 10, 1e-9);
}

TEST(Units, SetsPageLengthsOnlyOnCustomPaper)
{
    TRpPage page;
    page.SetUnits(TRpUnit::Native);
    page.SetPaperSize(TRpPaperSize::Letter);
    EXPECT_DOUBLE_EQ(page.Length(), 2794);
    page.SetLength(1000);
    EXPECT_DOUBLE_EQ(page.Length(), 2794);
    page.SetOrientation(QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(page.Width(), 2794);
    EXPECT_DOUBLE_EQ(page.Length(), 2159);

    page.SetPaperSize(TRpPaperSize::Custom);
    page.SetLength(1000);
    page.SetWidth(700);
    EXPECT_DOUBLE_EQ(page.Length(), 1000);
    EXPECT_DOUBLE_EQ(page.Width(), 700);

    int relaid = 0;
    page.OnMarginsChanged = [&relaid] { ++relaid; };
    page.SetTopMargin(100);
    page.SetLeftMargin(50);
    page.SetColumnSpace(10);
    EXPECT_EQ(relaid, 2);
    EXPECT_DOUBLE_EQ(page.TopMargin(), 100);
}

TEST(Units, TakesAReportZoomFromOneToThreeHundred)
{
    EXPECT_FALSE(IsReportZoom(0));
    EXPECT_TRUE(IsReportZoom(1));
    EXPECT_TRUE(IsReportZoom(300));
    EXPECT_FALSE(IsReportZoom(301));
}

TEST(Paper, KnowsCodesSizesAndNames)
{
    EXPECT_EQ(PaperInfo(TRpPaperSize::A4).code, 9);
    EXPECT_DOUBLE_EQ(PaperInfo(TRpPaperSize::Legal).lengthMM, 355.6);
    EXPECT_EQ(PaperInfo(TRpPaperSize::Custom).code, 256);
    EXPECT_EQ(PaperSizeByCode(20), TRpPaperSize::Env10);
    EXPECT_FALSE(PaperSizeByCode(27));
    EXPECT_EQ(PaperSizeByMillimetres(210, 297), TRpPaperSize::A4);
    EXPECT_EQ(PaperSizeByMillimetres(215.9, 279.4), TRpPaperSize::Letter);
    EXPECT_FALSE(PaperSizeByMillimetres(200, 200));
    EXPECT_EQ(PaperSizeName(TRpPaperSize::Executive), QStringLiteral("Executive7 1/2 x 10 in"));
    EXPECT_EQ(PaperSizeName(TRpPaperSize::Env14), QStringLiteral("Envelope #12 4 \u00be x 11"));

    EXPECT_EQ(BinCode(TRpBin::Cassette), 14);
    EXPECT_EQ(BinCode(TRpBin::Upper), 1);
    EXPECT_EQ(BinByCode(1), TRpBin::First);
    EXPECT_EQ(BinByCode(7), TRpBin::Auto);
    EXPECT_EQ(BinByCode(99), TRpBin::First);
}

TEST(BandTypes, HaveTitlesAndDesignerNames)
{
    EXPECT_EQ(BandTypeTitle(TRpBandType::rbPageHeader), QStringLiteral("Page Header"));
    EXPECT_EQ(BandTypeDesignerName(TRpBandType::rbChild), QStringLiteral("ChildBand"));
    EXPECT_EQ(BandTypeTitle(TRpBandType::rbColumnHeader), QStringLiteral("Column Header"));
}

int DarkRowsFromTop(const QImage& image, int x)
{
    int rows = 0;
    while (rows < image.height() && qGray(image.pixel(x, rows)) < 128)
        ++rows;
    return rows;
}

QImage FramedImage(const TRpFrame& frame, double factor)
{
    TRpMetafile page(40, 40, 96, 96);
    TRpMetafileCanvas canvas(page);
    frame.PaintIt(canvas, QRect(0, 0, 40, 40), factor, factor);
    return Render(page, 40, 40);
}

TEST(Frames, DrawEachSideAsOnePixelLinesByTheFactor)
{
    TRpFrame frame;
    frame.drawTop = true;
    frame.drawRight = true;
    frame.width = 2;
    const QImage thick = FramedImage(frame, 1.5);
    EXPECT_EQ(DarkRowsFromTop(thick, 10), 3);
    EXPECT_LT(qGray(thick.pixel(39, 20)), 128);
    EXPECT_LT(qGray(thick.pixel(37, 20)), 128);
    EXPECT_GT(qGray(thick.pixel(36, 20)), 128);
    EXPECT_GT(qGray(thick.pixel(0, 20)), 128);   // no left side

    frame.width = 1;
    EXPECT_EQ(DarkRowsFromTop(FramedImage(frame, 0.2), 10), 1);   // at least one
    frame.width = -1;
    EXPECT_EQ(DarkRowsFromTop(FramedImage(frame, 5), 10), 1);
    frame.width = 0;
    EXPECT_EQ(DarkRowsFromTop(FramedImage(frame, 5), 10), 0);
}

}  // namespace
