#include "tests/health/printoutcapture.h"

#include "reports/rpfiledialogs.h"
#include "reports/rppreview.h"
#include "reports/rpprintjob.h"
#include "reports/rpstandardpreview.h"
#include "tests/reports/pagesupport.h"
#include "tests/reports/reportsupport.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

namespace {

void SaveFirstPagePicture(const TRpMetafile& page, const QString& name)
{
    const char* pictures = getenv("CP_PICTURE_DIR");
    if (!pictures)
        return;
    QDir().mkpath(QString::fromLocal8Bit(pictures));
    Render(page, 1275, 1650).save(QDir(QString::fromLocal8Bit(pictures)).filePath(name + QStringLiteral(".png")));
}

}  // namespace

TCapturedPrintout CapturePrintout(const std::function<void()>& print, const QString& pictureName,
                                  const std::function<void()>& whilePreviewed)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("printout.pdf"));
    const QString text = dir.filePath(QStringLiteral("printout.TXT"));
    TRpPrinter::InstallJobFactory([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return std::make_unique<TRpQPrinterJob>(printer);
    });
    RpPdfOutput::InstallChooser([pdf](const QString&) { return pdf; });
    RpFileDialogs::InstallChoosers([&](const QString&) { return RpFileDialogs::Choice{text, 2}; }, {});

    TCapturedPrintout out;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TRpStandardPreview* window = OpenPreview();
        if (seen || !window || window->RpPreview()->RpPrinter()->Status() != TRpPrinterStatus::DocumentComplete)
            return;
        seen = true;
        QCoreApplication::processEvents();
        TRpPrinter* printer = window->RpPreview()->RpPrinter();
        out.pages = printer->PageCount();
        if (out.pages > 0) {
            const std::unique_ptr<TRpMetafile> first = printer->GetPage(1);
            out.firstPageTexts = PageTexts(*first);
            SaveFirstPagePicture(*first, pictureName);
        }
        if (whilePreviewed)
            whilePreviewed();
        window->Print()->click();
        window->Save()->click();
        window->close();
    });
    poll.start(0);
    print();

    TRpPrinter::InstallJobFactory({});
    RpPdfOutput::InstallChooser({});
    RpFileDialogs::InstallChoosers({}, {});
    QFile file(text);
    if (file.open(QIODevice::ReadOnly))
        out.textLines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    out.pdfPages = PdfPageCount(pdf);
    return out;
}
