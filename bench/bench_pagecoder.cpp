// Throughput of the page coder over 10 MB of recorded report pages and of
// random bytes, each way.
#include "reports/rpmetafile.h"
#include "reports/rpstream.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kVolume = 10 * 1024 * 1024;

// Pages as a list report records them: a header, rows of text and lines.
QByteArray RecordedPages()
{
    QByteArray all;
    for (int pageNumber = 1; all.size() < kVolume; ++pageNumber) {
        TRpMetafile page(816, 1056, 96, 96);
        TRpMetafileCanvas canvas(page);
        canvas.SetFont(QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold), Qt::black);
        canvas.TextOut(408, 40, QStringLiteral("Medical Expenses"), TRpAlignment::Center);
        canvas.SetFont(QFont(QStringLiteral("DejaVu Sans"), 9), Qt::black);
        for (int row = 0; row < 50; ++row) {
            const int y = 100 + row * 18;
            const int item = pageNumber * 50 + row;
            canvas.TextOut(40, y, QStringLiteral("%1/%2/2024").arg(item % 12 + 1).arg(item % 28 + 1));
            canvas.TextRect(QRect(140, y, 300, 16), 140, y, QStringLiteral("Office visit, Dr. Member %1").arg(item % 37));
            canvas.TextOut(700, y, QStringLiteral("$%1.%2").arg(item * 7 % 900).arg(item % 100, 2, 10, QLatin1Char('0')),
                           TRpAlignment::Right);
            canvas.SetPen(Qt::gray, Qt::SolidLine, 1);
            canvas.Line(QPoint(40, y + 16), QPoint(776, y + 16));
        }
        canvas.TextOut(408, 1020, QStringLiteral("Page %1").arg(pageNumber), TRpAlignment::Center);
        all.append(page.Bytes());
    }
    return all.left(kVolume);
}

QByteArray RandomBytes()
{
    QByteArray bytes(kVolume, '\0');
    QRandomGenerator random(20240704);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return bytes;
}

const QByteArray& Input(int kind)
{
    static const QByteArray pages = RecordedPages();
    static const QByteArray random = RandomBytes();
    return kind == 0 ? pages : random;
}

std::unique_ptr<TRpStream> Encoded(const QByteArray& plain)
{
    auto stream = std::make_unique<TRpStream>(INT_MAX);
    TRpCompress encoder(true, *stream);
    for (const char byte : plain)
        encoder.Compress(static_cast<quint8>(byte));
    return stream;
}

void Encode(benchmark::State& state)
{
    const QByteArray& plain = Input(static_cast<int>(state.range(0)));
    qint64 coded = 0;
    for (auto _ : state)
        coded = Encoded(plain)->Size();
    state.SetBytesProcessed(state.iterations() * plain.size());
    state.counters["coded/plain"] = static_cast<double>(coded) / plain.size();
}

void Decode(benchmark::State& state)
{
    const QByteArray& plain = Input(static_cast<int>(state.range(0)));
    const auto coded = Encoded(plain);
    QByteArray decoded(plain.size(), '\0');
    for (auto _ : state) {
        coded->Seek(0, TRpSeekOrigin::Beginning);
        TRpCompress decoder(false, *coded);
        for (char& byte : decoded)
            byte = static_cast<char>(decoder.Expand());
        benchmark::DoNotOptimize(decoded.data());
    }
    if (decoded != plain)
        state.SkipWithError("decoded bytes differ");
    state.SetBytesProcessed(state.iterations() * plain.size());
}

// Argument 0: recorded pages, 1: random bytes.
BENCHMARK(Encode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Decode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
