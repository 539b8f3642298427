#include "controls/meter.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(MeterLengths, UsedDividerAndUnused)
{
    const struct {
        int percent, length, used, unused;
    } cases[] = {
        {1, 200, 0, 200},   {2, 200, 4, 195},   {50, 200, 100, 99}, {99, 200, 197, 2},
        {100, 200, 200, 0}, {150, 200, 200, 0}, {-5, 200, 0, 200},  {100, 2, 0, 2},
        {50, 0, 0, 0},      {33, 419, 138, 280},
    };
    for (const auto& c : cases) {
        const MeterParts parts = SplitMeter(c.percent, c.length);
        EXPECT_EQ(parts.used, c.used) << c.percent << " of " << c.length;
        EXPECT_EQ(parts.unused, c.unused) << c.percent << " of " << c.length;
    }
}

TEST(MeterPercent, CappedAndCaptioned)
{
    TEfMeter meter;
    EXPECT_EQ(meter.Percent(), 33);
    EXPECT_EQ(meter.Caption(), QStringLiteral("33%"));
    EXPECT_EQ(meter.size(), QSize(200, 24));
    meter.SetPercent(150);
    EXPECT_EQ(meter.Percent(), 100);
    EXPECT_EQ(meter.Caption(), QStringLiteral("100%"));
}

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

TEST(MeterPercent, SettingTheSameValueDoesNotRepaint)
{
    TEfMeter meter;
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    PaintCounter counter;
    meter.installEventFilter(&counter);
    meter.SetPercent(50);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    meter.SetPercent(50);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

QImage Picture(TEfMeter& meter)
{
    return meter.grab().toImage();
}

TEST(MeterPainting, HorizontalParts)
{
    TEfMeter meter;
    meter.SetUnusedColor(Qt::white);
    meter.SetUnusedShadow(Qt::gray);
    meter.SetPercent(50);
    QImage image = Picture(meter);
    EXPECT_EQ(image.pixelColor(50, 12), meter.UsedColor());
    EXPECT_EQ(image.pixelColor(1, 12), meter.UsedShadow());
    EXPECT_EQ(image.pixelColor(50, 1), meter.UsedShadow());
    EXPECT_EQ(image.pixelColor(100, 12), meter.DividerColor());
    EXPECT_EQ(image.pixelColor(150, 12), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(150, 1), QColor(Qt::gray));

    meter.SetPercent(1);
    image = Picture(meter);
    EXPECT_EQ(image.pixelColor(3, 12), QColor(Qt::white));
    meter.SetPercent(100);
    image = Picture(meter);
    EXPECT_EQ(image.pixelColor(199, 12), meter.UsedColor());
    meter.SetPercent(99);
    image = Picture(meter);
    EXPECT_EQ(image.pixelColor(196, 12), meter.UsedColor());
    EXPECT_EQ(image.pixelColor(197, 12), meter.DividerColor());
    EXPECT_EQ(image.pixelColor(198, 12), QColor(Qt::white));
}

TEST(MeterPainting, VerticalHasTheUnusedPartOnTop)
{
    TEfMeter meter;
    meter.resize(24, 200);
    meter.SetOrientation(Qt::Vertical);
    meter.SetUnusedColor(Qt::white);
    meter.SetPercent(25);
    const QImage image = Picture(meter);
    EXPECT_EQ(image.pixelColor(12, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(12, 149), meter.DividerColor());
    EXPECT_EQ(image.pixelColor(12, 170), meter.UsedColor());
    EXPECT_EQ(image.pixelColor(0, 170), meter.UsedShadow());
}

TEST(MeterPainting, BorderNarrowsTheBar)
{
    TEfMeter meter;
    meter.SetBorderStyle(TEfMeter::Border::Single);
    meter.SetPercent(100);
    const QImage image = Picture(meter);
    EXPECT_EQ(meter.contentsRect().width(), 196);
    EXPECT_NE(image.pixelColor(0, 12), meter.UsedColor());
    EXPECT_EQ(image.pixelColor(197, 12), meter.UsedColor());
}

// The progress window's meter, for a person to look at.
TEST(MeterPainting, Picture)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new TEfMeter(&window);
    auto* progress = new TEfMeter(&window);
    plain->setFixedSize(200, 24);
    progress->setFixedSize(419, 24);
    progress->SetBorderStyle(TEfMeter::Border::Single);
    progress->SetShowPercent(true);
    progress->SetUsedColor(Qt::darkBlue);
    progress->SetUsedShadow(Qt::darkBlue);
    progress->SetUnusedColor(Qt::lightGray);
    progress->SetUnusedShadow(Qt::lightGray);
    progress->SetDividerColor(Qt::white);
    progress->SetPercent(62);
    QFont bold = progress->font();
    bold.setBold(true);
    progress->setFont(bold);
    QPalette grey = progress->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    progress->setPalette(grey);
    layout->addWidget(plain);
    layout->addWidget(progress);
    SavePicture(window, QStringLiteral("meter"));
    EXPECT_EQ(progress->Caption(), QStringLiteral("62%"));
}

}  // namespace
