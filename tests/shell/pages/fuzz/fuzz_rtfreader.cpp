// Help texts of any content: read and laid out as the help tab does, never
// a hang or a crash, and never more characters than bytes read.
#include "shell/pages/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <QTextOption>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wrapping);
    ReadRichText(rtf, document);
    // Each character shown stands for at least one byte of the text.
    if (document.characterCount() - 1 > static_cast<int>(size))
        std::abort();
    document.setTextWidth(400);
    document.size();
    return 0;
}
