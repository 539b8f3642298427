#pragma once
// Finished pages laid into the page stream as linked records behind a fixed
// file header, so that the stream already is a saved report (".RPF").
//
// Header, 124 bytes: version 3 and 207 (16 bits each), 4 reserved, page count
// (32 bits), creation date-time (double), 1 reserved, compressed flag, 102
// reserved. Each page record from offset 124 on: page number, forward link
// (the offset just past the record), the page (or, compressed, its length and
// the coded bytes), back link (the record's own offset).
#include "rpmetafile.h"
#include "rpstream.h"

#include "platform/datetime.h"

#include <memory>
#include <mutex>
#include <optional>

class TRpPageList {
public:
    static constexpr qint64 kHeaderSize = 124;
    static constexpr quint16 kFileVersion = 3;

    TRpPageList() = default;
    TRpPageList(const TRpPageList&) = delete;
    TRpPageList& operator=(const TRpPageList&) = delete;

    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }

    void SetStream(std::unique_ptr<TRpStream> stream) { stream_ = std::move(stream); }
    TRpStream* Stream() const { return stream_.get(); }

    bool Compression() const { return compression_; }
    void SetCompression(bool compression) { compression_ = compression; }
    qint32 PageCount() const { return pageCount_; }
    void Clear() { pageCount_ = 0; }

    void AddPage(const TRpMetafile& page);
    // Null for a page number outside 1..PageCount or a page that cannot be read.
    std::unique_ptr<TRpMetafile> GetPage(qint32 n);
    // Positions the stream at page n's record; false when the links do not
    // lead there.
    bool SeekToPage(qint32 n);

    // Leaves the stream just past the header.
    void WriteFileHeader();
    // The creation date-time of the last header written or read.
    TDateTime CreationTime() const { return created_; }

    // False when the whole report could not be written; a file of that name
    // then stays as it was.
    bool SaveToFile(const QString& fileName);
    // A file that is not a whole saved report is refused with the reason in
    // error, and the list stays as it was.
    bool LoadFromFile(const QString& fileName, QString& error);

private:
    struct Record {
        qint64 start = 0;
        qint32 number = 0;
        qint64 next = 0;
    };
    // The record at start when its number is in range, its forward link lies
    // past it within the stream and its back link points at it again.
    std::optional<Record> RecordAt(qint64 start);
    std::optional<Record> LastRecord();
    std::optional<Record> StepTowards(const Record& from, qint32 n);
    bool ReadFileHeader();
    bool CheckAllRecords();
    std::unique_ptr<TRpMetafile> ReadPage(const Record& record);
    qint32 ReadI32At(qint64 position);

    std::recursive_mutex lock_;
    bool compression_ = false;
    qint32 pageCount_ = 0;
    TDateTime created_ = 0.0;
    std::unique_ptr<TRpStream> stream_;
};
