// The page stream (memory, then a temporary file) and the splay-tree coder.
#include "reports/rpstream.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Encode(const QByteArray& plain)
{
    TRpStream out(INT_MAX);
    {
        TRpCompress encoder(true, out);
        for (char c : plain)
            encoder.Compress(static_cast<quint8>(c));
    }
    QByteArray coded(out.Size(), '\0');
    out.Seek(0, TRpSeekOrigin::Beginning);
    out.Read(coded.data(), coded.size());
    return coded;
}

QByteArray Decode(const QByteArray& coded, int length)
{
    TRpStream in(INT_MAX);
    in.Write(coded.constData(), coded.size());
    in.Seek(0, TRpSeekOrigin::Beginning);
    TRpCompress decoder(false, in);
    QByteArray plain;
    for (int i = 0; i < length; ++i)
        plain.append(static_cast<char>(decoder.Expand()));
    return plain;
}

QByteArray RandomBytes(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

QByteArray ReadAll(TRpStream& stream)
{
    QByteArray all(stream.Size(), '\0');
    stream.Seek(0, TRpSeekOrigin::Beginning);
    EXPECT_EQ(stream.Read(all.data(), all.size()), all.size());
    return all;
}

// Sets TMPDIR for the scope of a test.
class TempFolder {
public:
    explicit TempFolder(const QString& path) : old_(qgetenv("TMPDIR")) { qputenv("TMPDIR", path.toLocal8Bit()); }
    ~TempFolder() { qputenv("TMPDIR", old_); }

private:
    QByteArray old_;
};

TEST(Coder, CodesTheKnownExamples)
{
    EXPECT_EQ(Encode(QByteArray(1, '\0')), QByteArray::fromHex("80"));
    EXPECT_EQ(Encode(QByteArray(1, '\xff')), QByteArray::fromHex("0000"));
    EXPECT_EQ(Encode("abc"), QByteArray::fromHex("463d01"));

    EXPECT_EQ(Decode(QByteArray::fromHex("80"), 1), QByteArray(1, '\0'));
    EXPECT_EQ(Decode(QByteArray::fromHex("0000"), 1), QByteArray(1, '\xff'));
    EXPECT_EQ(Decode(QByteArray::fromHex("463d01"), 3), QByteArray("abc"));
}

TEST(Coder, RepeatedBytesGetShorterCodes)
{
    // Eight bits each without the splay would make eight bytes.
    EXPECT_LT(Encode(QByteArray(8, 'a')).size(), 8);
    EXPECT_LT(Encode(QByteArray(10000, 'x')).size(), 10000 / 4);
}

TEST(Coder, ExpandingPastTheEndReadsZeroBits)
{
    // Zero bits from the first tree lead to the leaf of 255, nine levels down.
    EXPECT_EQ(Decode(QByteArray(), 3).size(), 3);
    EXPECT_EQ(static_cast<quint8>(Decode(QByteArray(), 1)[0]), 255);
}

// A page record's back link follows its coded bytes: a decoder that read
// ahead must leave the stream just past what it used.
TEST(Coder, LeavesTheStreamJustPastTheBytesItDecoded)
{
    for (int length : {1, 3, 5000, 9000}) {
        const QByteArray plain = RandomBytes(length, static_cast<quint32>(length));
        const QByteArray coded = Encode(plain);
        const QByteArray trailer = QByteArray::fromHex("7c000000") + "back";
        for (qint32 limit : {INT_MAX, 16}) {
            TRpStream stream(limit);
            stream.Write("head", 4);
            stream.Write(coded.constData(), coded.size());
            stream.Write(trailer.constData(), trailer.size());
            stream.Seek(4, TRpSeekOrigin::Beginning);
            QByteArray decoded;
            {
                TRpCompress decoder(false, stream);
                for (int i = 0; i < length; ++i)
                    decoded.append(static_cast<char>(decoder.Expand()));
            }
            EXPECT_EQ(decoded, plain) << "length " << length;
            EXPECT_EQ(stream.Position(), 4 + coded.size()) << "length " << length << ", limit " << limit;
            char after[8] = {};
            EXPECT_EQ(stream.Read(after, 8), 8);
            EXPECT_EQ(QByteArray(after, 8), trailer) << "length " << length;
        }
    }
}

TEST(Coder, RoundTripsRandomAndSkewedDataOfManyLengths)
{
    for (int length : {0, 1, 2, 7, 8, 9, 255, 256, 257, 1000, 4095, 65537, 300000}) {
        const QByteArray random = RandomBytes(length, static_cast<quint32>(length) + 1);
        EXPECT_EQ(Decode(Encode(random), length), random) << "random, length " << length;

        QByteArray skewed(length, '\0');
        for (int i = 0; i < length; ++i)
            skewed[i] = static_cast<char>("aaaabbc\n"[i % 8] + (i % 97 == 0 ? 1 : 0));
        EXPECT_EQ(Decode(Encode(skewed), length), skewed) << "skewed, length " << length;
    }
}

TEST(PageStream, MovesToATemporaryFileAtOneByteOverTheLimit)
{
    const QByteArray data = RandomBytes(TRpStream::kDefaultMemoryLimit + 1, 7);
    QString fileName;
    {
        TRpStream stream(TRpStream::kDefaultMemoryLimit);
        stream.Write(data.constData(), TRpStream::kDefaultMemoryLimit);
        EXPECT_TRUE(stream.InMemory());
        EXPECT_TRUE(stream.FileName().isEmpty());

        stream.Write(data.constData() + TRpStream::kDefaultMemoryLimit, 1);
        EXPECT_FALSE(stream.InMemory());
        fileName = stream.FileName();
        EXPECT_TRUE(QFileInfo(fileName).fileName().startsWith(QStringLiteral("RPF")));
        EXPECT_EQ(QFileInfo(fileName).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_TRUE(QFileInfo::exists(fileName));
        EXPECT_EQ(stream.Position(), data.size());
        EXPECT_EQ(ReadAll(stream), data);
    }
    EXPECT_FALSE(QFileInfo::exists(fileName));
}

TEST(PageStream, UsesATemporaryFolderOfAnyLength)
{
    QTemporaryDir base;
    const QString longFolder = base.path() + QStringLiteral("/a-temporary-folder-whose-path-is-far-longer-than-thirty-"
                                                            "characters/and-deeper-still");
    ASSERT_TRUE(QDir().mkpath(longFolder));
    TempFolder temp(longFolder);
    QString fileName;
    {
        TRpStream stream(10);
        stream.Write("0123456789ab", 12);
        ASSERT_FALSE(stream.InMemory());
        fileName = stream.FileName();
        EXPECT_EQ(QFileInfo(fileName).absolutePath(), longFolder);
        EXPECT_EQ(ReadAll(stream), QByteArray("0123456789ab"));
    }
    EXPECT_FALSE(QFileInfo::exists(fileName));
}

TEST(PageStream, ReadsWritesAndSeeksAlike_InMemoryAndOnDisk)
{
    for (qint32 limit : {INT_MAX, 4}) {
        TRpStream stream(limit);
        stream.Write("hello world", 11);
        EXPECT_EQ(stream.Seek(6, TRpSeekOrigin::Beginning), 6);
        stream.Write("W", 1);
        EXPECT_EQ(stream.Seek(-5, TRpSeekOrigin::End), 6);
        char word[16] = {};
        EXPECT_EQ(stream.Read(word, sizeof word), 5);
        EXPECT_STREQ(word, "World");
        EXPECT_EQ(stream.Read(word, 1), 0);
        EXPECT_EQ(stream.Seek(-1, TRpSeekOrigin::Beginning), -1);
        EXPECT_EQ(stream.Position(), 11);
        EXPECT_EQ(stream.Seek(-3, TRpSeekOrigin::Current), 8);

        QBuffer copy;
        copy.open(QIODevice::WriteOnly);
        EXPECT_TRUE(stream.SaveToStream(copy));
        EXPECT_EQ(copy.data(), QByteArray("hello World"));
    }
}

TEST(PageStream, OverASavedFileReadsItAndLeavesItInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.RPF"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("saved report");
    file.close();
    {
        auto stream = TRpStream::CreateFromFile(path);
        ASSERT_TRUE(stream);
        EXPECT_FALSE(stream->InMemory());
        EXPECT_TRUE(stream->FileName().isEmpty());
        EXPECT_EQ(stream->MemoryLimit(), 0);
        EXPECT_EQ(ReadAll(*stream), QByteArray("saved report"));
        EXPECT_EQ(stream->Write("x", 1), 0);
    }
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(TRpStream::CreateFromFile(dir.filePath(QStringLiteral("missing.RPF"))));
}

}  // namespace
