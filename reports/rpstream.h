#pragma once
// The page stream: one growing byte stream that keeps small reports in memory
// and moves to a temporary file once it passes its memory limit; and the
// adaptive splay-tree coder that pages may be run through.
#include <QFile>
#include <QString>
#include <memory>
#include <mutex>
#include <vector>

enum class TRpSeekOrigin { Beginning, Current, End };

class TRpStream {
public:
    // The report printer's limit: above it the pages live on disk.
    static constexpr qint32 kDefaultMemoryLimit = 100000;

    explicit TRpStream(qint32 memoryLimit);
    // A stream over an existing file, read only; the file is never deleted
    // by the stream. Null when the file cannot be opened.
    static std::unique_ptr<TRpStream> CreateFromFile(const QString& fileName);
    ~TRpStream();
    TRpStream(const TRpStream&) = delete;
    TRpStream& operator=(const TRpStream&) = delete;

    // The stream contract: byte counts done, the new position (-1 when the
    // target would lie before the start).
    qint64 Write(const void* buffer, qint64 count);
    qint64 Read(void* buffer, qint64 count);
    qint64 Seek(qint64 offset, TRpSeekOrigin origin);
    qint64 Position();
    qint64 Size();

    // Held by the page list around its multi-step sequences; recursive.
    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }
    // std::lock_guard works on the stream itself.
    void lock() { Lock(); }
    void unlock() { Unlock(); }

    // Copies everything from the start; false when the target refuses bytes.
    bool SaveToStream(QIODevice& target);

    bool InMemory() const { return inMemory_; }
    // The temporary file once the data moved to disk; empty otherwise.
    const QString& FileName() const { return fileName_; }
    qint32 MemoryLimit() const { return memoryLimit_; }

private:
    struct FromFile {};
    TRpStream(FromFile, std::unique_ptr<QFile> file);
    void WriteToMemory(const char* buffer, qint64 count);
    void MoveToDisk();

    std::recursive_mutex lock_;
    std::vector<char> memory_;
    qint64 memoryPos_ = 0;
    QString fileName_;
    std::unique_ptr<QFile> fileStream_;
    bool inMemory_ = true;
    qint32 memoryLimit_ = 0;
};

// One instance per page and direction. The coded form carries no length and
// no end marker: the reader must know how many bytes to expand. Coded bytes
// pass through a small buffer; once the coder is gone the stream stands just
// past the last coded byte written or read.
class TRpCompress {
public:
    TRpCompress(bool compressing, TRpStream& stream);
    // An encoder writes its partly filled last byte; a decoder gives back
    // the bytes it read ahead.
    ~TRpCompress();
    TRpCompress(const TRpCompress&) = delete;
    TRpCompress& operator=(const TRpCompress&) = delete;

    void Compress(quint8 value);
    // Reading past the end of the stream gives zero bits.
    quint8 Expand();

private:
    static constexpr int kBufferSize = 4096;
    static constexpr int kMaxPath = 520;
    // path[0] is the root and path[depth] the leaf just coded; sides[i] tells
    // which child of path[i] path[i + 1] is.
    void Splay(const quint16* path, const quint8* sides, int depth);
    void EmitBits(quint64 bits, int count);
    void Flush();
    quint8 NextCodedByte();

    bool compressing_;
    // child_[k][0] and child_[k][1]: the left and right child of internal
    // node k; leaves are 256 + the byte value, 512 stands for no byte.
    quint16 child_[256][2];
    quint8 up_[513];
    TRpStream& stream_;
    // Bits not yet written or not yet used, the first in the lowest bit.
    quint64 bits_ = 0;
    int bitCount_ = 0;
    quint8 buffer_[kBufferSize];
    int bufferUsed_ = 0;
    int bufferFill_ = 0;
};
