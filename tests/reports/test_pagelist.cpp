// The page list and the saved-report file: header and records byte for byte,
// pages found again in any order, and damaged files refused quickly.
#include "pagesupport.h"

#include "reports/rpbytes.h"
#include "reports/rppagelist.h"
#include "tests/support/testsupport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kMoment(QDate(2024, 3, 1), QTime(12, 0));

class PageListTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::SetFixed(kMoment); }
    void TearDown() override { Clock::SetFixed(QDateTime()); }

    void Fill(TRpPageList& list, int pages, bool compressed, qint32 memoryLimit = TRpStream::kDefaultMemoryLimit)
    {
        list.SetStream(std::make_unique<TRpStream>(memoryLimit));
        list.SetCompression(compressed);
        for (int n = 1; n <= pages; ++n)
            list.AddPage(MakePage(n));
        list.WriteFileHeader();
    }

    QString Save(TRpPageList& list, const QString& name = QStringLiteral("report.RPF"))
    {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(list.SaveToFile(path));
        return path;
    }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QString WriteFile(const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("damaged.RPF"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    static void ExpectPages(TRpPageList& list, std::initializer_list<int> order)
    {
        for (int n : order) {
            const auto page = list.GetPage(n);
            ASSERT_TRUE(page) << "page " << n;
            EXPECT_EQ(page->Bytes(), MakePage(n).Bytes()) << "page " << n;
        }
    }

    QTemporaryDir dir_;
};

qint32 I32At(const QByteArray& bytes, qint64 offset)
{
    return TRpByteReader(bytes.constData() + offset, 4).I32();
}

void SetI32At(QByteArray& bytes, qint64 offset, qint32 value)
{
    QByteArray field;
    TRpByteWriter(field).I32(value);
    bytes.replace(offset, 4, field);
}

TEST_F(PageListTest, WritesTheHeaderByteForByte)
{
    TRpPageList list;
    Fill(list, 2, true);
    const QByteArray file = FileBytes(Save(list));

    QByteArray expected;
    TRpByteWriter out(expected);
    out.U16(3);
    out.U16(207);
    out.Zeros(4);
    out.I32(2);
    out.F64(Now());
    out.Zeros(1);
    out.U8(1);
    out.Zeros(102);
    ASSERT_EQ(expected.size(), 124);
    EXPECT_EQ(file.left(124), expected);
    EXPECT_EQ(list.CreationTime(), FromQDateTime(kMoment));
}

TEST_F(PageListTest, LaysAOnePageFileOutAsRecords)
{
    TRpPageList list;
    Fill(list, 1, false);
    const QByteArray page = MakePage(1).Bytes();
    const QByteArray file = FileBytes(Save(list));

    ASSERT_EQ(file.size(), 124 + 12 + page.size());
    EXPECT_EQ(I32At(file, 124), 1);
    EXPECT_EQ(I32At(file, 128), file.size());
    EXPECT_EQ(file.mid(132, page.size()), page);
    EXPECT_EQ(I32At(file, file.size() - 4), 124);
}

TEST_F(PageListTest, CompressedRecordsCarryTheLengthAndEndOnAWholeByte)
{
    TRpPageList list;
    Fill(list, 3, true);
    const QByteArray file = FileBytes(Save(list));

    qint64 start = 124;
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(I32At(file, start), n);
        const qint32 next = I32At(file, start + 4);
        EXPECT_EQ(I32At(file, start + 8), MakePage(n).Bytes().size());
        EXPECT_EQ(I32At(file, next - 4), start);
        EXPECT_LT(next - start - 16, MakePage(n).Bytes().size());
        start = next;
    }
    EXPECT_EQ(start, file.size());
}

TEST_F(PageListTest, FindsPagesInAnyOrder)
{
    for (bool compressed : {false, true}) {
        TRpPageList list;
        Fill(list, 5, compressed);
        ExpectPages(list, {1, 2, 3, 1, 5, 4, 2, 5, 3, 3});
        EXPECT_FALSE(list.GetPage(6));
        EXPECT_FALSE(list.GetPage(0));
    }
}

TEST_F(PageListTest, SavesAndLoadsTheSameReport)
{
    for (bool compressed : {false, true}) {
        TRpPageList list;
        // A tiny memory limit puts the stream on disk: saving copies it all the same.
        Fill(list, 6, compressed, 200);
        ASSERT_FALSE(list.Stream()->InMemory());
        const QString path = Save(list);

        QBuffer stream;
        stream.open(QIODevice::WriteOnly);
        list.Stream()->SaveToStream(stream);
        EXPECT_EQ(FileBytes(path), stream.data());

        TRpPageList loaded;
        QString error;
        ASSERT_TRUE(loaded.LoadFromFile(path, error)) << error.toStdString();
        EXPECT_EQ(loaded.PageCount(), 6);
        EXPECT_EQ(loaded.Compression(), compressed);
        ExpectPages(loaded, {4, 1, 6, 2, 3, 5, 1});
    }
}

// The pages of a loaded report are read from its file while it is saved
// again under the same name.
TEST_F(PageListTest, SavingALoadedReportOntoItsOwnFileKeepsItWhole)
{
    TRpPageList list;
    Fill(list, 3, true);
    const QString path = Save(list);
    const QByteArray saved = FileBytes(path);

    TRpPageList loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadFromFile(path, error)) << error.toStdString();
    EXPECT_TRUE(loaded.SaveToFile(path));
    EXPECT_EQ(FileBytes(path), saved);
    ExpectPages(loaded, {3, 1, 2});
}

// Pages that a full disk cut short in the temporary file make no report:
// the save says so rather than leave a file that no load accepts.
TEST_F(PageListTest, PagesCutShortByAFullDiskAreNotSavedAsAReport)
{
    TRpPageList list;
    {
        const FileSizeLimit room(3000);
        Fill(list, 40, false, 1000);   // some 6000 bytes
    }
    const QString path = dir_.filePath(QStringLiteral("report.RPF"));
    EXPECT_FALSE(list.SaveToFile(path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PageListTest, LoadsAReportWithoutPages)
{
    TRpPageList list;
    Fill(list, 0, false);
    TRpPageList loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadFromFile(Save(list), error));
    EXPECT_EQ(loaded.PageCount(), 0);
    EXPECT_FALSE(loaded.GetPage(1));
}

TEST_F(PageListTest, RefusesDamagedFilesQuicklyAndKeepsWhatItHad)
{
    TRpPageList list;
    Fill(list, 4, true);
    const QByteArray good = FileBytes(Save(list));
    const qint32 second = I32At(good, 128);
    const qint32 third = I32At(good, second + 4);

    std::vector<std::pair<const char*, QByteArray>> damaged;
    for (qint64 cut : {0LL, 50LL, 123LL, 124LL, 130LL, static_cast<qint64>(second), good.size() - 1LL})
        damaged.emplace_back("truncated", good.left(cut));
    QByteArray loop = good;
    SetI32At(loop, second + 4, 124);   // page 2 links back to page 1
    damaged.emplace_back("looping link", loop);
    QByteArray self = good;
    SetI32At(self, 128, 124);
    damaged.emplace_back("link to itself", self);
    QByteArray beyond = good;
    SetI32At(beyond, 128, 0x7fffffff);
    damaged.emplace_back("link beyond the file", beyond);
    QByteArray backToFirst = good;
    SetI32At(backToFirst, third - 4, 124);   // page 2's back link names page 1
    damaged.emplace_back("back link to another page", backToFirst);
    QByteArray lastBack = good;
    SetI32At(lastBack, good.size() - 4, I32At(good, good.size() - 4) + 1);
    damaged.emplace_back("last back link off by one", lastBack);
    QByteArray hugeLength = good;
    SetI32At(hugeLength, third + 8, 0x7fffffff);
    damaged.emplace_back("huge page length", hugeLength);
    QByteArray negativeLength = good;
    SetI32At(negativeLength, third + 8, -5);
    damaged.emplace_back("negative page length", negativeLength);
    QByteArray hugeCount = good;
    SetI32At(hugeCount, 8, 0x7fffffff);
    damaged.emplace_back("huge page count", hugeCount);
    QByteArray negativeCount = good;
    SetI32At(negativeCount, 8, -1);
    damaged.emplace_back("negative page count", negativeCount);
    QByteArray renumbered = good;
    SetI32At(renumbered, second, 3);
    damaged.emplace_back("page numbers out of order", renumbered);
    QByteArray version = good;
    version[0] = 2;
    damaged.emplace_back("another version", version);
    damaged.emplace_back("trailing bytes", good + "junk");

    TRpPageList loaded;
    Fill(loaded, 2, false);
    for (const auto& [what, bytes] : damaged) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        EXPECT_FALSE(loaded.LoadFromFile(WriteFile(bytes), error)) << what;
        EXPECT_TRUE(error.contains(QStringLiteral("damaged"))) << what;
        EXPECT_LT(timer.elapsed(), 1000) << what;
    }
    QString error;
    EXPECT_FALSE(loaded.LoadFromFile(dir_.filePath(QStringLiteral("missing.RPF")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open")));
    EXPECT_EQ(loaded.PageCount(), 2);
    ExpectPages(loaded, {2, 1});
}

TEST_F(PageListTest, GivesNoPageWhereLinksOrPagesAreDamagedAfterLoading)
{
    TRpPageList list;
    Fill(list, 5, false);
    const QString path = Save(list);
    QByteArray bytes = FileBytes(path);
    const qint32 second = I32At(bytes, 128);
    bytes[second + 8 + 2] = 'X';   // page 2's own header is no longer a page
    TRpPageList loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadFromFile(WriteFile(bytes), error));
    EXPECT_FALSE(loaded.GetPage(2));
    ExpectPages(loaded, {3, 1, 5});

    // Links broken in a live stream: the walk stops instead of looping.
    TRpStream& stream = *list.Stream();
    stream.Seek(second + 4, TRpSeekOrigin::Beginning);
    const qint32 toItself = second;
    stream.Write(&toItself, 4);
    ExpectPages(list, {1});
    EXPECT_FALSE(list.GetPage(3));   // forward from page 1 through the broken page 2
    EXPECT_FALSE(list.GetPage(2));
    ExpectPages(list, {5, 4, 3});    // backward from the last page the links still hold
}

}  // namespace
