#pragma once
// Runs a health printout to its preview with the printing seams answered:
// once the document is complete, its first page is kept as a picture, it is
// printed to a PDF and saved as text, and the preview is closed.
#include <QStringList>
#include <functional>

struct TCapturedPrintout {
    int pages = 0;
    QStringList firstPageTexts;
    QStringList textLines;   // the text export, empty lines dropped
    int pdfPages = -1;
};

// `print` previews the report and returns when the preview has closed;
// `whilePreviewed` runs while the complete document is on screen.
TCapturedPrintout CapturePrintout(const std::function<void()>& print, const QString& pictureName,
                                  const std::function<void()>& whilePreviewed = {});
