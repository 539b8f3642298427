#include "rpstream.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cstring>

TRpStream::TRpStream(qint32 memoryLimit) : memoryLimit_(memoryLimit) {}

TRpStream::TRpStream(FromFile, std::unique_ptr<QFile> file)
    : fileStream_(std::move(file)), inMemory_(false)
{
}

std::unique_ptr<TRpStream> TRpStream::CreateFromFile(const QString& fileName)
{
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return std::unique_ptr<TRpStream>(new TRpStream(FromFile{}, std::move(file)));
}

TRpStream::~TRpStream()
{
    std::lock_guard guard(lock_);
    if (fileStream_) {
        fileStream_->close();
        fileStream_.reset();
        if (!fileName_.isEmpty())
            QFile::remove(fileName_);
    }
}

qint64 TRpStream::Write(const void* buffer, qint64 count)
{
    std::lock_guard guard(lock_);
    if (count <= 0)
        return 0;
    if (!inMemory_) {
        const qint64 done = fileStream_->write(static_cast<const char*>(buffer), count);
        return std::max<qint64>(done, 0);
    }
    WriteToMemory(static_cast<const char*>(buffer), count);
    if (static_cast<qint64>(memory_.size()) > memoryLimit_)
        MoveToDisk();
    return count;
}

void TRpStream::WriteToMemory(const char* buffer, qint64 count)
{
    const size_t end = static_cast<size_t>(memoryPos_ + count);
    if (end > memory_.size())
        memory_.resize(end);
    std::memcpy(memory_.data() + memoryPos_, buffer, static_cast<size_t>(count));
    memoryPos_ += count;
}

void TRpStream::MoveToDisk()
{
    // The system's temporary folder, whatever the length of its path.
    auto file = std::make_unique<QTemporaryFile>(QDir(QDir::tempPath()).filePath(QStringLiteral("RPFXXXXXX.tmp")));
    file->setAutoRemove(false);
    if (!file->open())
        return;   // stays in memory: better than losing pages
    const qint64 size = static_cast<qint64>(memory_.size());
    if (file->write(memory_.data(), size) != size || !file->seek(memoryPos_)) {
        file->remove();
        return;
    }
    fileName_ = file->fileName();
    fileStream_ = std::move(file);
    std::vector<char>().swap(memory_);
    memoryPos_ = 0;
    inMemory_ = false;
}

qint64 TRpStream::Read(void* buffer, qint64 count)
{
    std::lock_guard guard(lock_);
    if (count <= 0)
        return 0;
    if (!inMemory_)
        return std::max<qint64>(fileStream_->read(static_cast<char*>(buffer), count), 0);
    const qint64 available = std::max<qint64>(static_cast<qint64>(memory_.size()) - memoryPos_, 0);
    const qint64 done = std::min(count, available);
    if (done > 0)
        std::memcpy(buffer, memory_.data() + memoryPos_, static_cast<size_t>(done));
    memoryPos_ += done;
    return done;
}

qint64 TRpStream::Seek(qint64 offset, TRpSeekOrigin origin)
{
    std::lock_guard guard(lock_);
    const qint64 current = inMemory_ ? memoryPos_ : fileStream_->pos();
    const qint64 size = inMemory_ ? static_cast<qint64>(memory_.size()) : fileStream_->size();
    qint64 target = offset;
    if (origin == TRpSeekOrigin::Current)
        target = current + offset;
    else if (origin == TRpSeekOrigin::End)
        target = size + offset;
    if (target < 0)
        return -1;
    if (inMemory_)
        memoryPos_ = target;
    else if (!fileStream_->seek(target))
        return -1;
    return target;
}

qint64 TRpStream::Position()
{
    return Seek(0, TRpSeekOrigin::Current);
}

qint64 TRpStream::Size()
{
    std::lock_guard guard(lock_);
    return inMemory_ ? static_cast<qint64>(memory_.size()) : fileStream_->size();
}

bool TRpStream::SaveToStream(QIODevice& target)
{
    std::lock_guard guard(lock_);
    Seek(0, TRpSeekOrigin::Beginning);
    char chunk[10240];
    for (;;) {
        const qint64 got = Read(chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (target.write(chunk, got) != got)
            return false;
    }
}

namespace {
constexpr quint8 kMask[8] = {1, 2, 4, 8, 16, 32, 64, 128};
constexpr int kLeafBase = 256;
}  // namespace

TRpCompress::TRpCompress(bool compressing, TRpStream& stream)
    : bitPos_(compressing ? 0 : 7), compressing_(compressing), stream_(stream)
{
    up_[0] = 0;
    for (int i = 1; i <= 512; ++i)
        up_[i] = static_cast<quint8>((i - 1) / 2);
    for (int k = 0; k < 256; ++k) {
        left_[k] = static_cast<quint16>(2 * k + 1);
        right_[k] = static_cast<quint16>(2 * k + 2);
    }
}

TRpCompress::~TRpCompress()
{
    if (compressing_ && bitPos_ != 0)
        stream_.Write(&outByte_, 1);
}

// Swaps the node with its uncle and moves two levels up: frequent bytes get
// short codes.
void TRpCompress::Splay(int leaf)
{
    int a = leaf;
    do {
        const int c = up_[a];
        if (c == 0)
            return;
        const int d = up_[c];
        int b = left_[d];
        if (b == c) {
            b = right_[d];
            right_[d] = static_cast<quint16>(a);
        } else {
            left_[d] = static_cast<quint16>(a);
        }
        if (a == left_[c])
            left_[c] = static_cast<quint16>(b);
        else
            right_[c] = static_cast<quint16>(b);
        up_[a] = static_cast<quint8>(d);
        up_[b] = static_cast<quint8>(c);
        a = d;
    } while (a != 0);
}

void TRpCompress::Compress(quint8 value)
{
    bool bits[512];
    int count = 0;
    int a = value + kLeafBase;
    do {
        const int c = up_[a];
        bits[count++] = right_[c] == a;
        a = c;
    } while (a != 0);
    while (count > 0) {
        if (bits[--count])
            outByte_ |= kMask[bitPos_];
        if (bitPos_ == 7) {
            stream_.Write(&outByte_, 1);
            bitPos_ = 0;
            outByte_ = 0;
        } else {
            ++bitPos_;
        }
    }
    Splay(value + kLeafBase);
}

quint8 TRpCompress::Expand()
{
    int a = 0;
    while (a < kLeafBase) {
        if (bitPos_ == 7) {
            if (stream_.Read(&inByte_, 1) != 1)
                inByte_ = 0;
            bitPos_ = 0;
        } else {
            ++bitPos_;
        }
        a = (inByte_ & kMask[bitPos_]) ? right_[a] : left_[a];
    }
    // Only corrupt input reaches the no-byte leaf; splaying the leaf actually
    // reached keeps the tree whole.
    Splay(a);
    return static_cast<quint8>(a - kLeafBase);
}
