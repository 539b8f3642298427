#pragma once
// What the report tests share: a filter that writes down every text a run
// hands it, the pages of a preview run, and a canvas that reads the texts of
// a recorded page back.
#include "reports/rpexport.h"
#include "reports/rpreport.h"
#include "reports/rpstandardpreview.h"

#include <QApplication>
#include <QTimer>
#include <vector>

struct ExportedText {
    int page = 0;
    double x = 0;
    double y = 0;
    TRpAlignment alignment = TRpAlignment::Left;
    QString text;
};

// What a run handed its export filter.
struct ExportRun {
    // The texts in the order they printed, of one page or of all (0).
    QStringList Texts(int page = 0) const
    {
        QStringList out;
        for (const ExportedText& t : texts) {
            if (page == 0 || t.page == page)
                out.append(t.text);
        }
        return out;
    }
    const ExportedText* Find(const QString& text) const
    {
        for (const ExportedText& t : texts) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    }

    QSize paper;
    int starts = 0;
    int pages = 0;
    int endedPages = 0;
    int finishes = 0;
    std::vector<ExportedText> texts;
};

class RecordingFilter : public TRpExportFilter {
public:
    RecordingFilter() : TRpExportFilter(QString()) {}

    void Start(int paperWidth, int paperHeight, const QFont&) override
    {
        run.paper = QSize(paperWidth, paperHeight);
        ++run.starts;
    }
    void NewPage() override { ++run.pages; }
    void EndPage() override { ++run.endedPages; }
    void Finish() override { ++run.finishes; }
    void TextOut(double x, double y, const QFont&, const QColor&, TRpAlignment alignment,
                 const QString& text) override
    {
        run.texts.push_back({run.pages, x, y, alignment, text});
    }

    ExportRun run;
};

// Runs the report into a filter and gives what it was handed.
inline ExportRun Export(TReport& report)
{
    RecordingFilter filter;
    report.SetShowProgress(false);
    report.ExportToFilter(filter);
    return filter.run;
}

// Previews the report without a window: every page once the document is
// complete; the client, when given, receives the printer's messages.
inline std::vector<std::unique_ptr<TRpMetafile>> PreviewPages(TReport& report, QObject* client = nullptr)
{
    std::vector<std::unique_ptr<TRpMetafile>> pages;
    report.OnPreview = [&pages, client](TReport& previewed) {
        TRpPrinter* printer = previewed.RpPrinter();
        printer->SetClient(client);
        printer->SetShowingPreview(true);
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [printer, poll, &pages] {
            if (printer->Status() != TRpPrinterStatus::DocumentComplete)
                return;
            for (int n = 1; n <= printer->PageCount(); ++n)
                pages.push_back(printer->GetPage(n));
            poll->deleteLater();
            poll->stop();
            printer->SetShowingPreview(false);
        });
        poll->start(0);
    };
    report.Preview();
    report.OnPreview = nullptr;
    return pages;
}

// Reads back what a recorded page draws.
class TextCanvas : public TRpCanvas {
public:
    void SetFont(const QFont&, const QColor&) override {}
    void SetPen(const QColor&, Qt::PenStyle, int) override {}
    void SetBrush(const QColor&, Qt::BrushStyle) override {}
    void Rectangle(const QRect&) override { ++shapes; }
    void Ellipse(const QRect&) override { ++shapes; }
    void Line(QPoint, QPoint) override { ++lines; }
    void FillRect(const QRect&) override {}
    void DrawText(QPoint origin, const QString& text, TRpAlignment, const std::optional<QRect>&) override
    {
        texts.append(text);
        origins.append(origin);
    }
    int TextWidth(const QString&) override { return 0; }
    int TextHeight(const QString&) override { return 0; }

    QStringList texts;
    QList<QPoint> origins;
    int shapes = 0;
    int lines = 0;
};

inline QStringList PageTexts(const TRpMetafile& page)
{
    TextCanvas canvas;
    page.Play(canvas);
    return canvas.texts;
}

// The preview window on screen, if any.
inline TRpStandardPreview* OpenPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* preview = dynamic_cast<TRpStandardPreview*>(widget);
        if (preview && preview->isVisible())
            return preview;
    }
    return nullptr;
}
