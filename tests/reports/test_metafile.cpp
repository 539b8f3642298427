// The recorded page format: recording, replay on a painter, and readers that
// skip what later versions add.
#include "pagesupport.h"

#include "reports/rpbytes.h"

#include <gtest/gtest.h>

namespace {

QByteArray Rerecorded(const TRpMetafile& page)
{
    TRpMetafile copy(page.Width(), page.Height(), page.UnitsPerInchX(), page.UnitsPerInchY());
    TRpMetafileCanvas canvas(copy);
    page.Play(canvas);
    return copy.Bytes();
}

QByteArray Record(quint16 kind, const QByteArray& payload)
{
    QByteArray bytes;
    TRpByteWriter out(bytes);
    out.U16(kind);
    out.U32(static_cast<quint32>(payload.size()));
    bytes.append(payload);
    return bytes;
}

// Header of a page with the given records, its total size set to match.
QByteArray WithRecords(const TRpMetafile& page, const QByteArray& records)
{
    QByteArray bytes = page.Bytes().left(TRpMetafile::kHeaderSize) + records;
    QByteArray size;
    TRpByteWriter(size).U32(static_cast<quint32>(bytes.size()));
    bytes.replace(8, 4, size);
    return bytes;
}

int RightmostDarkColumn(const QImage& image, int top, int bottom)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

TEST(RecordedPage, ReplaysStretchedOverAnyTarget)
{
    TRpMetafile page(100, 50, 96, 96);
    TRpMetafileCanvas canvas(page);
    canvas.SetBrush(Qt::red, Qt::SolidPattern);
    canvas.FillRect(QRect(10, 10, 20, 10));
    canvas.SetPen(Qt::blue, Qt::SolidLine, 1);
    canvas.Line(QPoint(0, 40), QPoint(99, 40));

    const QImage twice = Render(page, 200, 100);
    EXPECT_EQ(twice.pixelColor(25, 25), QColor(Qt::red));
    EXPECT_EQ(twice.pixelColor(55, 35), QColor(Qt::red));
    EXPECT_EQ(twice.pixelColor(65, 25), QColor(Qt::white));
    EXPECT_EQ(twice.pixelColor(100, 81), QColor(Qt::blue));
}

TEST(RecordedPage, PlacesTextByItsAlignmentAndClip)
{
    TRpMetafile page(400, 100, 96, 96);
    TRpMetafileCanvas canvas(page);
    canvas.SetFont(QFont(QStringLiteral("DejaVu Sans"), 12), Qt::black);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("Total")), 20);
    EXPECT_GT(canvas.TextHeight(QStringLiteral("Total")), 10);
    canvas.TextOut(300, 5, QStringLiteral("Total"), TRpAlignment::Right);
    canvas.TextRect(QRect(0, 50, 40, 30), 10, 55, QStringLiteral("Clipped text that runs on"));

    const QImage image = Render(page, 400, 100);
    const int right = RightmostDarkColumn(image, 0, 45);
    EXPECT_LE(right, 300);
    EXPECT_GE(right, 295);
    EXPECT_LT(RightmostDarkColumn(image, 50, 80), 40);
    EXPECT_GT(RightmostDarkColumn(image, 50, 80), 10);
}

TEST(RecordedPage, ReadsBackWhatItWrote)
{
    const TRpMetafile page = MakePage(3);
    const auto read = TRpMetafile::FromBytes(page.Bytes());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Width(), 816);
    EXPECT_EQ(read->Height(), 1056);
    EXPECT_EQ(read->Bytes(), page.Bytes());
    EXPECT_EQ(Rerecorded(*read), page.Bytes());
}

TEST(RecordedPage, SkipsRecordsAndFieldsOfLaterVersions)
{
    TRpMetafile page(100, 100, 96, 96);
    {
        TRpMetafileCanvas canvas(page);
        canvas.Rectangle(QRect(1, 2, 3, 4));
    }
    const QByteArray known = page.Bytes().mid(TRpMetafile::kHeaderSize);
    const QByteArray rectanglePayload = known.mid(6);
    const QByteArray later = WithRecords(page, Record(999, "future") + Record(4, rectanglePayload + "more") +
                                                   Record(1000, QByteArray()));
    const auto read = TRpMetafile::FromBytes(later);
    ASSERT_TRUE(read);
    EXPECT_EQ(Rerecorded(*read), page.Bytes());
}

TEST(RecordedPage, RefusesBytesThatAreNotAWholePage)
{
    const QByteArray good = MakePage(1).Bytes();
    EXPECT_FALSE(TRpMetafile::FromBytes(QByteArray()));
    EXPECT_FALSE(TRpMetafile::FromBytes(good.left(good.size() - 1)));
    EXPECT_FALSE(TRpMetafile::FromBytes(good + 'x'));
    QByteArray badMagic = good;
    badMagic[0] = 'X';
    EXPECT_FALSE(TRpMetafile::FromBytes(badMagic));

    TRpMetafile empty(100, 100, 96, 96);
    EXPECT_TRUE(TRpMetafile::FromBytes(WithRecords(empty, QByteArray())));
    // A record claiming more than there is, and a known record too short for its fields.
    EXPECT_FALSE(TRpMetafile::FromBytes(WithRecords(empty, Record(4, "abcd").left(8))));
    EXPECT_FALSE(TRpMetafile::FromBytes(WithRecords(empty, Record(4, "abcd"))));
    QByteArray hugeText;
    TRpByteWriter out(hugeText);
    out.Zeros(26);
    out.U32(0x7fffffff);
    EXPECT_FALSE(TRpMetafile::FromBytes(WithRecords(empty, Record(8, hugeText))));
}

}  // namespace
