#include "rppagelist.h"

#include "rpbytes.h"

#include <QSaveFile>

namespace {
constexpr quint16 kHeaderTag = 207;
constexpr qint64 kRecordOverhead = 12;   // number, forward link, back link

void WriteI32(TRpStream& stream, qint32 value)
{
    QByteArray bytes;
    TRpByteWriter(bytes).I32(value);
    stream.Write(bytes.constData(), bytes.size());
}

QString DamagedFileText(const QString& fileName)
{
    return QStringLiteral("\"%1\" is not a report file, or it is damaged.").arg(fileName);
}
}  // namespace

qint32 TRpPageList::ReadI32At(qint64 position)
{
    char bytes[4] = {};
    if (stream_->Seek(position, TRpSeekOrigin::Beginning) < 0 || stream_->Read(bytes, 4) != 4)
        return -1;
    return TRpByteReader(bytes, 4).I32();
}

void TRpPageList::WriteFileHeader()
{
    std::lock_guard guard(lock_);
    std::lock_guard streamGuard(*stream_);
    created_ = Now();
    QByteArray header;
    TRpByteWriter out(header);
    out.U16(kFileVersion);
    out.U16(kHeaderTag);
    out.Zeros(4);
    out.I32(pageCount_);
    out.F64(created_);
    out.Zeros(1);
    out.U8(compression_ ? 1 : 0);
    out.Zeros(102);
    stream_->Seek(0, TRpSeekOrigin::Beginning);
    stream_->Write(header.constData(), header.size());
}

bool TRpPageList::ReadFileHeader()
{
    QByteArray header(kHeaderSize, '\0');
    stream_->Seek(0, TRpSeekOrigin::Beginning);
    if (stream_->Read(header.data(), kHeaderSize) != kHeaderSize)
        return false;
    TRpByteReader in(header);
    const quint16 version = in.U16();
    in.Skip(6);
    pageCount_ = in.I32();
    created_ = in.F64();
    in.Skip(1);
    compression_ = in.U8() != 0;
    return version == kFileVersion && pageCount_ >= 0;
}

void TRpPageList::AddPage(const TRpMetafile& page)
{
    std::lock_guard guard(lock_);
    std::lock_guard streamGuard(*stream_);
    if (++pageCount_ == 1)
        WriteFileHeader();
    const QByteArray bytes = page.Bytes();
    const qint64 start = stream_->Seek(0, TRpSeekOrigin::End);
    WriteI32(*stream_, pageCount_);
    WriteI32(*stream_, 0);   // forward link, known once the page is written
    if (compression_) {
        WriteI32(*stream_, static_cast<qint32>(bytes.size()));
        TRpCompress encoder(true, *stream_);
        for (const char byte : bytes)
            encoder.Compress(static_cast<quint8>(byte));
    } else {
        stream_->Write(bytes.constData(), bytes.size());
    }
    WriteI32(*stream_, static_cast<qint32>(start));
    const qint64 end = stream_->Position();
    stream_->Seek(start + 4, TRpSeekOrigin::Beginning);
    WriteI32(*stream_, static_cast<qint32>(end));
    stream_->Seek(end, TRpSeekOrigin::Beginning);
}

std::optional<TRpPageList::Record> TRpPageList::RecordAt(qint64 start)
{
    const qint64 size = stream_->Size();
    if (start < kHeaderSize || start + kRecordOverhead > size)
        return std::nullopt;
    Record record{start, ReadI32At(start), ReadI32At(start + 4)};
    const qint64 smallest = start + kRecordOverhead + (compression_ ? 4 : 0);
    if (record.number < 1 || record.number > pageCount_ || record.next < smallest || record.next > size)
        return std::nullopt;
    if (ReadI32At(record.next - 4) != start)
        return std::nullopt;
    return record;
}

std::optional<TRpPageList::Record> TRpPageList::LastRecord()
{
    const qint64 size = stream_->Size();
    if (size < kHeaderSize + kRecordOverhead)
        return std::nullopt;
    const auto record = RecordAt(ReadI32At(size - 4));
    if (!record || record->next != size)
        return std::nullopt;
    return record;
}

// One step along the links; each step must reach the neighbouring page
// number and move strictly, so a walk ends within the page count.
std::optional<TRpPageList::Record> TRpPageList::StepTowards(const Record& from, qint32 n)
{
    if (n > from.number) {
        const auto next = RecordAt(from.next);
        if (next && next->number == from.number + 1)
            return next;
        return std::nullopt;
    }
    const qint64 previousStart = ReadI32At(from.start - 4);
    if (previousStart >= from.start)
        return std::nullopt;
    const auto previous = RecordAt(previousStart);
    if (previous && previous->number == from.number - 1 && previous->next == from.start)
        return previous;
    return std::nullopt;
}

bool TRpPageList::SeekToPage(qint32 n)
{
    std::lock_guard guard(lock_);
    std::lock_guard streamGuard(*stream_);
    if (n < 1 || n > pageCount_)
        return false;
    std::optional<Record> record;
    if (n == 1) {
        record = RecordAt(kHeaderSize);
    } else if (n == pageCount_) {
        record = LastRecord();
    } else {
        const qint64 position = stream_->Position();
        record = position >= stream_->Size() ? LastRecord() : RecordAt(position);
        if (!record)
            record = RecordAt(kHeaderSize);   // not on a record: walk from the first
        for (qint32 steps = 0; record && record->number != n && steps < pageCount_; ++steps)
            record = StepTowards(*record, n);
    }
    if (!record || record->number != n)
        return false;
    stream_->Seek(record->start, TRpSeekOrigin::Beginning);
    return true;
}

std::unique_ptr<TRpMetafile> TRpPageList::GetPage(qint32 n)
{
    if (n > pageCount_ || n < 1)
        return nullptr;
    std::lock_guard guard(lock_);
    std::lock_guard streamGuard(*stream_);
    if (!SeekToPage(n))
        return nullptr;
    const auto record = RecordAt(stream_->Position());
    auto page = record ? ReadPage(*record) : nullptr;
    if (record)
        stream_->Seek(record->next, TRpSeekOrigin::Beginning);   // reading in order costs no walking
    return page;
}

std::unique_ptr<TRpMetafile> TRpPageList::ReadPage(const Record& record)
{
    const qint64 payloadStart = record.start + 8;
    const qint64 payloadSize = record.next - 4 - payloadStart;
    if (!compression_) {
        QByteArray bytes(payloadSize, '\0');
        stream_->Seek(payloadStart, TRpSeekOrigin::Beginning);
        if (stream_->Read(bytes.data(), payloadSize) != payloadSize)
            return nullptr;
        return TRpMetafile::FromBytes(bytes);
    }
    // Every byte takes at least one bit, which bounds what a length may claim.
    const qint32 length = ReadI32At(payloadStart);
    if (length < 0 || length > 8 * (payloadSize - 4))
        return nullptr;
    QByteArray bytes(length, '\0');
    TRpCompress decoder(false, *stream_);
    for (char& byte : bytes)
        byte = static_cast<char>(decoder.Expand());
    return TRpMetafile::FromBytes(bytes);
}

bool TRpPageList::CheckAllRecords()
{
    qint64 start = kHeaderSize;
    for (qint32 n = 1; n <= pageCount_; ++n) {
        const auto record = RecordAt(start);
        if (!record || record->number != n)
            return false;
        if (compression_) {
            const qint32 length = ReadI32At(start + 8);
            if (length < 0 || length > 8 * (record->next - start - kRecordOverhead - 4))
                return false;
        }
        start = record->next;
    }
    return start == stream_->Size();
}

// Written beside the file it replaces, which stays whole until the new one
// is: a loaded report reads its pages from that very file. A flush that wrote
// only part of the last bytes is caught only by asking the flush itself.
// Pages that a full disk cut short in the temporary file make no report.
bool TRpPageList::SaveToFile(const QString& fileName)
{
    std::lock_guard guard(lock_);
    if (!CheckAllRecords())
        return false;
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && stream_->SaveToStream(file) && file.flush() && file.commit();
}

bool TRpPageList::LoadFromFile(const QString& fileName, QString& error)
{
    TRpPageList loaded;
    loaded.stream_ = TRpStream::CreateFromFile(fileName);
    if (!loaded.stream_) {
        error = QStringLiteral("Cannot open \"%1\".").arg(fileName);
        return false;
    }
    // Each record takes at least its 12 bytes of number and links.
    const bool sound = loaded.stream_->Size() >= kHeaderSize && loaded.ReadFileHeader() &&
                       loaded.pageCount_ <= (loaded.stream_->Size() - kHeaderSize) / kRecordOverhead &&
                       loaded.CheckAllRecords();
    if (!sound) {
        error = DamagedFileText(fileName);
        return false;
    }
    std::lock_guard guard(lock_);
    stream_ = std::move(loaded.stream_);
    pageCount_ = loaded.pageCount_;
    compression_ = loaded.compression_;
    created_ = loaded.created_;
    stream_->Seek(kHeaderSize, TRpSeekOrigin::Beginning);
    return true;
}
