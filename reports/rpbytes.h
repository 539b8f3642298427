#pragma once
// Little-endian encoding of the saved-report file and of recorded pages.
// The reader never reads past its data: a short read sets Failed() and gives 0.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class TRpByteWriter {
public:
    explicit TRpByteWriter(QByteArray& target) : out_(target) {}
    void U8(quint8 v) { out_.append(static_cast<char>(v)); }
    void U16(quint16 v);
    void U32(quint32 v);
    void I32(qint32 v) { U32(static_cast<quint32>(v)); }
    void F64(double v);
    void Text(const QString& v);   // 32-bit byte count, then UTF-8
    void Zeros(int count) { out_.append(count, '\0'); }

private:
    QByteArray& out_;
};

class TRpByteReader {
public:
    TRpByteReader(const char* data, qint64 size) : data_(data), size_(size) {}
    explicit TRpByteReader(const QByteArray& data) : TRpByteReader(data.constData(), data.size()) {}

    quint8 U8();
    quint16 U16();
    quint32 U32();
    qint32 I32() { return static_cast<qint32>(U32()); }
    double F64();
    QString Text();
    void Skip(qint64 count);

    qint64 Position() const { return pos_; }
    qint64 Remaining() const { return size_ - pos_; }
    bool Failed() const { return failed_; }

private:
    bool Take(qint64 count, const char*& at);

    const char* data_;
    qint64 size_;
    qint64 pos_ = 0;
    bool failed_ = false;
};
