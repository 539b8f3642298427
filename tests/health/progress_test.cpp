#include "health/dlgprogress.h"

#include "context/context.h"
#include "controls/meter.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);

TEST(ProgressWindowPlace, DesignPlaceBeforeTheMainWindowCentredAfter)
{
    const QSize window(463, 126);
    EXPECT_EQ(ProgressWindowPlace(false, window, QRect(0, 0, 1024, 768)), QPoint(137, 267));
    EXPECT_EQ(ProgressWindowPlace(true, window, QRect(0, 0, 1024, 768)), QPoint(280, 321));
    // A screen of odd size beside another: centred on its own area, halves dropped.
    EXPECT_EQ(ProgressWindowPlace(true, window, QRect(1920, 0, 1281, 1025)), QPoint(1920 + 409, 449));
}

class ProgressWindow : public ::testing::Test {
protected:
    void TearDown() override { MainFormReady = false; }

    // The colour at a point of the meter, as the window is drawn.
    static QColor MeterPixel(TDlgProgress& window, int x)
    {
        const QImage picture = window.grab().toImage();
        const QPoint inMeter = window.Meter->mapTo(&window, QPoint(x, window.Meter->height() / 2));
        return picture.pixelColor(inMeter * picture.devicePixelRatio());
    }
};

TEST_F(ProgressWindow, PlacedByWhetherTheMainWindowIsReady)
{
    MainFormReady = false;
    TDlgProgress early;
    EXPECT_EQ(early.pos(), QPoint(137, 267));
    EXPECT_EQ(early.windowTitle(), QStringLiteral("Progress"));
    EXPECT_FALSE(early.isModal());

    MainFormReady = true;
    TDlgProgress later;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(later.pos(), ProgressWindowPlace(true, later.size(), screen));
    EXPECT_NE(later.pos(), QPoint(137, 267));
}

TEST_F(ProgressWindow, TheMeterShowsThePercentSetAndTheMessageIsBold)
{
    TDlgProgress window;
    window.Lb->setText(QStringLiteral("Saving data to To-Do List. Please wait."));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.Lb->font().bold());

    window.SetPercent(40);
    EXPECT_EQ(window.Meter->Caption(), QStringLiteral("40%"));
    const int length = window.Meter->contentsRect().width();
    const int used = SplitMeter(40, length).used;
    const int left = window.Meter->contentsRect().left();
    EXPECT_EQ(MeterPixel(window, left + 5), kNavy);
    EXPECT_EQ(MeterPixel(window, left + used - 3), kNavy);
    EXPECT_EQ(MeterPixel(window, left + used + 3), kSilver);
    EXPECT_EQ(MeterPixel(window, left + length - 5), kSilver);
    SavePicture(window, QStringLiteral("dlg_progress_40"));

    // The last stage fills the meter.
    window.SetPercent(100);
    EXPECT_EQ(MeterPixel(window, left + length - 5), kNavy);
    window.SetPercent(10);
    EXPECT_EQ(MeterPixel(window, left + length / 2 + 60), kSilver);
    SavePicture(window, QStringLiteral("dlg_progress_10"));
}

}  // namespace
