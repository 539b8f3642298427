#include "rpstream.h"

#include <QDir>
#include <QTemporaryFile>
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
constexpr int kLeafBase = 256;
// Bits emitted at a time; with fewer than 8 waiting they fit 64 bits.
constexpr int kFastDepth = 56;
}  // namespace

TRpCompress::TRpCompress(bool compressing, TRpStream& stream) : compressing_(compressing), stream_(stream)
{
    up_[0] = 0;
    for (int i = 1; i <= 512; ++i)
        up_[i] = static_cast<quint8>((i - 1) / 2);
    for (int k = 0; k < 256; ++k) {
        child_[k][0] = static_cast<quint16>(2 * k + 1);
        child_[k][1] = static_cast<quint16>(2 * k + 2);
    }
}

TRpCompress::~TRpCompress()
{
    if (!compressing_) {
        stream_.Seek(bufferUsed_ - bufferFill_, TRpSeekOrigin::Current);
        return;
    }
    if (bitCount_ > 0)
        buffer_[bufferUsed_++] = static_cast<quint8>(bits_);   // unused high bits are 0
    Flush();
}

void TRpCompress::Flush()
{
    stream_.Write(buffer_, bufferUsed_);
    bufferUsed_ = 0;
}

// Past the end of the stream: zero bits.
quint8 TRpCompress::NextCodedByte()
{
    if (bufferUsed_ == bufferFill_) {
        bufferFill_ = static_cast<int>(stream_.Read(buffer_, kBufferSize));
        bufferUsed_ = 0;
        if (bufferFill_ == 0)
            return 0;
    }
    return buffer_[bufferUsed_++];
}

// Swaps each node on the path with its uncle and moves two levels up: a
// semi-splay that shortens the codes of frequent bytes. The nodes above a
// swap stay where they were, so the path walked for the byte serves it all.
void TRpCompress::Splay(const quint16* path, const quint8* sides, int depth)
{
    for (int i = depth; i >= 2; i -= 2) {
        const int a = path[i];
        const int c = path[i - 1];
        const int d = path[i - 2];
        const int uncleSide = 1 - sides[i - 2];
        const int b = child_[d][uncleSide];
        child_[d][uncleSide] = static_cast<quint16>(a);
        child_[c][sides[i - 1]] = static_cast<quint16>(b);
        up_[a] = static_cast<quint8>(d);
        up_[b] = static_cast<quint8>(c);
    }
}

void TRpCompress::EmitBits(quint64 bits, int count)
{
    bits_ |= bits << bitCount_;
    bitCount_ += count;
    while (bitCount_ >= 8) {
        buffer_[bufferUsed_++] = static_cast<quint8>(bits_);
        if (bufferUsed_ == kBufferSize)
            Flush();
        bits_ >>= 8;
        bitCount_ -= 8;
    }
}

// The path from the root to the value's leaf, 1 for a right child; bytes
// fill from their lowest bit.
void TRpCompress::Compress(quint8 value)
{
    quint16 path[kMaxPath];
    quint8 sides[kMaxPath];
    int top = kMaxPath - 1;
    int a = value + kLeafBase;
    path[top] = static_cast<quint16>(a);
    // Walking up meets the root's side last: it lands in the lowest bit,
    // the first one written.
    quint64 reversed = 0;
    while (a != 0) {
        const int c = up_[a];
        const quint8 side = child_[c][1] == a ? 1 : 0;
        reversed = (reversed << 1) | side;
        sides[--top] = side;
        path[top] = static_cast<quint16>(c);
        a = c;
    }
    const int depth = kMaxPath - 1 - top;
    const quint8* code = sides + top;
    if (depth <= kFastDepth) {
        EmitBits(reversed, depth);
    } else {
        for (int i = 0; i < depth; ++i)
            EmitBits(code[i], 1);
    }
    Splay(path + top, code, depth);
}

quint8 TRpCompress::Expand()
{
    quint16 path[kMaxPath];
    quint8 sides[kMaxPath];
    int depth = 0;
    path[0] = 0;
    // The bits in locals: the walk is the hot loop of reading a saved report.
    quint64 bits = bits_;
    int bitCount = bitCount_;
    int node = 0;
    while (node < kLeafBase) {
        if (bitCount == 0) {
            bits = NextCodedByte();
            bitCount = 8;
        }
        const quint8 side = bits & 1;
        bits >>= 1;
        --bitCount;
        sides[depth] = side;
        node = child_[node][side];
        path[++depth] = static_cast<quint16>(node);
    }
    bits_ = bits;
    bitCount_ = bitCount;
    // Only corrupt input reaches the no-byte leaf; splaying the leaf actually
    // reached keeps the tree whole.
    Splay(path, sides, depth);
    return static_cast<quint8>(node - kLeafBase);
}
