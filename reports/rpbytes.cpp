#include "rpbytes.h"

#include <cstring>

void TRpByteWriter::U16(quint16 v)
{
    U8(static_cast<quint8>(v));
    U8(static_cast<quint8>(v >> 8));
}

void TRpByteWriter::U32(quint32 v)
{
    U16(static_cast<quint16>(v));
    U16(static_cast<quint16>(v >> 16));
}

void TRpByteWriter::F64(double v)
{
    quint64 bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    U32(static_cast<quint32>(bits));
    U32(static_cast<quint32>(bits >> 32));
}

void TRpByteWriter::Text(const QString& v)
{
    const QByteArray utf8 = v.toUtf8();
    U32(static_cast<quint32>(utf8.size()));
    out_.append(utf8);
}

bool TRpByteReader::Take(qint64 count, const char*& at)
{
    if (failed_ || count < 0 || count > size_ - pos_) {
        failed_ = true;
        return false;
    }
    at = data_ + pos_;
    pos_ += count;
    return true;
}

quint8 TRpByteReader::U8()
{
    const char* at = nullptr;
    return Take(1, at) ? static_cast<quint8>(*at) : 0;
}

quint16 TRpByteReader::U16()
{
    const quint16 low = U8();
    return static_cast<quint16>(low | (U8() << 8));
}

quint32 TRpByteReader::U32()
{
    const quint32 low = U16();
    return low | (static_cast<quint32>(U16()) << 16);
}

double TRpByteReader::F64()
{
    const quint64 low = U32();
    const quint64 bits = low | (static_cast<quint64>(U32()) << 32);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString TRpByteReader::Text()
{
    const qint64 count = U32();
    const char* at = nullptr;
    return Take(count, at) ? QString::fromUtf8(at, count) : QString();
}

void TRpByteReader::Skip(qint64 count)
{
    const char* at = nullptr;
    Take(count, at);
}
