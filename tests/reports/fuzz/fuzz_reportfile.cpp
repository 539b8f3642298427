// Saved report files of any content: refused or read, never a hang or a crash.
#include "reports/rppagelist.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

namespace {
QTemporaryDir* gDir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    gDir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = gDir->filePath(QStringLiteral("input.RPF"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TRpPageList list;
    QString error;
    if (!list.LoadFromFile(path, error))
        return 0;
    // Last, first, then the rest in order: every walk the preview makes.
    const int count = std::min(list.PageCount(), 20);
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int n : {list.PageCount(), 1})
        list.GetPage(n);
    for (int n = 1; n <= count; ++n)
        if (const auto page = list.GetPage(n)) {
            QPainter painter(&image);
            page->Draw(painter, QRectF(0, 0, 32, 32));
        }
    return 0;
}
