// Export filters: the library and the save dialog's filter text, the text
// filter's character grid and its lines, and a report exported to a file.
#include "reportforms.h"

#include "reports/rpfiledialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ExportFilters, TheSaveDialogOffersTheReportFileThenEachFilter)
{
    const TRpExportFilterLibrary& library = ExportFilterLibrary();
    EXPECT_EQ(library.SaveDialogFilterString(), "Report file(*.RPF)|*.RPF|Text file (*.TXT)|*.TXT");
    EXPECT_EQ(RpFileDialogs::QtFilter(library.SaveDialogFilterString()),
              "Report file (*.RPF *.rpf);;Text file (*.TXT *.txt)");

    EXPECT_EQ(library.CreateFilter(1, "x.RPF"), nullptr);
    EXPECT_EQ(library.CreateFilter(3, "x"), nullptr);
    const auto text = library.CreateFilter(2, "x.TXT");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->FileName(), "x.TXT");
    EXPECT_EQ(text->FilterName(), "Text file");
    EXPECT_EQ(text->Extension(), "TXT");
    EXPECT_EQ(text->Description(), "Text export (ASCII) filter");

    TRpExportFilterLibrary own;
    own.AddFilter([](const QString& name) { return std::make_unique<TRpExportFilter>(name); });
    EXPECT_EQ(own.SaveDialogFilterString(), "Report file(*.RPF)|*.RPF|Abstract filter (*.)|*.");
}

class TextGrid : public ::testing::Test {
protected:
    TextGrid() : file_(dir_.filePath("out.TXT")), filter_(file_) {}

    void Start() { filter_.Start(2159, 2794, QFont(QStringLiteral("DejaVu Sans"), 10)); }
    // Places text at a 1-based column of a row.
    void Put(double column, int row, const QString& text, TRpAlignment alignment = TRpAlignment::Left)
    {
        filter_.TextOut(column * filter_.XFactor() / 1.7, row * filter_.YFactor(), QFont(), Qt::white, alignment,
                        text);
    }
    QByteArray Written()
    {
        filter_.Finish();
        QFile file(file_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }

    QTemporaryDir dir_;
    QString file_;
    TRpAsciiExportFilter filter_;
};

TEST_F(TextGrid, CellsFollowTheFontSize)
{
    Start();
    EXPECT_NEAR(filter_.YFactor(), 35.2777, 0.0001);
    EXPECT_DOUBLE_EQ(filter_.XFactor(), filter_.YFactor());
    EXPECT_EQ(filter_.LineCount(), 79);   // a Letter page
}

TEST_F(TextGrid, TextsLandInPositionOrderAndLaterOnesOverwrite)
{
    Start();
    filter_.NewPage();
    Put(10, 0, "ab");
    Put(5, 0, "cd");
    Put(10, 1, "aaaa");
    Put(5, 1, "bbbbbbb");
    Put(40, 2, "right at", TRpAlignment::Right);
    Put(-3, 3, "start");
    Put(1, -1, "above the page");
    Put(1, 201, "below the grid");
    filter_.EndPage();
    EXPECT_EQ(Written(), QByteArray("    cd   ab\r\n"
                                    "    bbbbbbbaa\r\n" +
                                    QByteArray(31, ' ') + "right at\r\n"
                                    "start\r\n"));
}

TEST_F(TextGrid, PagesWithoutTextWriteNothingAndPagesFollowDirectly)
{
    Start();
    filter_.NewPage();
    filter_.EndPage();
    filter_.NewPage();
    Put(1, 5, "second");
    filter_.EndPage();
    filter_.NewPage();
    Put(1, 0, "third");
    filter_.EndPage();
    EXPECT_EQ(Written(), QByteArray("second\r\nthird\r\n"));
}

TEST_F(TextGrid, AFileThatCannotBeCreatedEndsTheExport)
{
    TRpAsciiExportFilter filter(dir_.filePath("missing/folder/out.TXT"));
    EXPECT_THROW(filter.Start(2159, 2794, QFont()), ERpExportError);

    ReportForm form;
    form.ListForm();
    EXPECT_THROW(form.report.ExportToFilter(filter), ERpExportError);
    EXPECT_TRUE(form.report.Available());
}

TEST(TextExport, AReportBecomesLinesOfText)
{
    QTemporaryDir dir;
    ReportForm form(ReportForm::NumberedRows(30));
    form.ListForm();
    TRpAsciiExportFilter filter(dir.filePath("list.TXT"));
    form.report.SetShowProgress(false);
    form.report.ExportToFilter(filter);

    QFile file(dir.filePath("list.TXT"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    ASSERT_EQ(lines.size(), 2 + 30 + 2);
    for (const QByteArray& line : lines)
        EXPECT_TRUE(line.endsWith('\r'));
    // 100 (0.1 mm) of margin is column 5 with a 10-point font.
    EXPECT_EQ(lines[0], "    Header\r");
    EXPECT_EQ(lines[1], "    Row 1\r");
    EXPECT_EQ(lines[25 + 1], "    Page 1\r");
    EXPECT_EQ(lines[25 + 2], "    Header\r");
    EXPECT_EQ(lines.last(), "    Page 2\r");
}

// Cancel is the user's no: the file that was there stays, and no part of the
// export takes its place.
TEST(TextExport, ACancelledExportLeavesTheFileThatWasThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.TXT");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the list of May\r\n");
    file.close();
    ReportForm form(ReportForm::NumberedRows(60));
    form.ListForm();
    form.report.BandByType(TRpBandType::rbDetail)->AfterPrint = [&form](TRpCustomBand&, bool) {
        if (form.report.Controller().DetailNumber() == 40)
            form.report.RpPrinter()->Cancel();   // the progress window's Cancel, on page 2
    };
    {
        TRpAsciiExportFilter filter(path);
        form.report.SetShowProgress(false);
        form.report.ExportToFilter(filter);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the list of May\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.TXT"});
}

}  // namespace
