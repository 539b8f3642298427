#pragma once
// Recorded pages that differ from page to page, for the page list and printer tests.
#include "reports/rpmetafile.h"
#include "reports/rpprinter.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

inline TRpMetafile MakePage(int number, int width = 816, int height = 1056)
{
    TRpMetafile page(width, height, 96, 96);
    TRpMetafileCanvas canvas(page);
    canvas.SetBrush(QColor(200, 10 * number % 256, 40), Qt::SolidPattern);
    canvas.FillRect(QRect(10, 10, 50 + number, 20));
    canvas.SetFont(QFont(QStringLiteral("DejaVu Sans"), 12), Qt::black);
    canvas.TextOut(100, 100, QStringLiteral("Page %1").arg(number));
    return page;
}

inline QImage Render(const TRpMetafile& page, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.Draw(painter, QRectF(0, 0, width, height));
    return image;
}

// The pages of a PDF file; -1 when it cannot be read.
inline int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The text lines of each page of a PDF file as a reader extracts them,
// trimmed, empty ones dropped; nothing when it cannot be read.
inline QList<QStringList> PdfPageLines(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!reader.waitForFinished(30000) || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0)
        return {};
    QList<QStringList> pages;
    QStringList pageTexts = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    pageTexts.removeLast();   // after the last page's form feed
    for (const QString& page : pageTexts) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines.append(line.trimmed());
        }
        pages.append(lines);
    }
    return pages;
}

// Keeps the messages a report printer posts to its client.
class PrinterMessages : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == TRpPrinterMessage::PagesAvailable)
            pages.append(static_cast<TRpPrinterMessage*>(e)->Value());
        else if (e->type() == TRpPrinterMessage::Progress)
            progress.append(static_cast<TRpPrinterMessage*>(e)->Value());
        else
            return QObject::event(e);
        return true;
    }
    QList<int> pages;
    QList<int> progress;
};
