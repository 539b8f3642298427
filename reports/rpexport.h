#pragma once
// Export filters: a report run that feeds a filter hands it every printed
// text with its place on the page instead of drawing pages, and the filter
// writes its own file. The library lists the filters the save dialog offers.
#include "rpcanvas.h"

#include <QSaveFile>
#include <QFont>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// A file the filter cannot create or write; ends the export run.
class ERpExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Call order from a run: Start once; for each page NewPage, any number of
// TextOut, EndPage; Finish after the last page, unless the run was
// cancelled: a filter left unfinished keeps no file. Lengths are native units
// (0.1 mm); X is the text's left edge (right edge for right alignment).
class TRpExportFilter {
public:
    explicit TRpExportFilter(QString fileName) : fileName_(std::move(fileName)) {}
    virtual ~TRpExportFilter() = default;
    TRpExportFilter(const TRpExportFilter&) = delete;
    TRpExportFilter& operator=(const TRpExportFilter&) = delete;

    const QString& FileName() const { return fileName_; }

    virtual QString Description() const { return QStringLiteral("Abstract non-working export filter"); }
    virtual QString Extension() const { return QString(); }
    virtual QString FilterName() const { return QStringLiteral("Abstract filter"); }

    virtual void Start(int /*paperWidth*/, int /*paperHeight*/, const QFont& /*font*/) {}
    virtual void EndPage() {}
    virtual void Finish() {}
    virtual void NewPage() {}
    virtual void TextOut(double /*x*/, double /*y*/, const QFont& /*font*/, const QColor& /*background*/,
                         TRpAlignment /*alignment*/, const QString& /*text*/)
    {
    }

private:
    QString fileName_;
};

// Lays each page on a grid of characters and writes its lines as text.
class TRpAsciiExportFilter : public TRpExportFilter {
public:
    static constexpr int kMaxLines = 201;

    using TRpExportFilter::TRpExportFilter;

    QString Description() const override { return QStringLiteral("Text export (ASCII) filter"); }
    QString Extension() const override { return QStringLiteral("TXT"); }
    QString FilterName() const override { return QStringLiteral("Text file"); }

    void Start(int paperWidth, int paperHeight, const QFont& font) override;
    void EndPage() override;
    void Finish() override;
    void NewPage() override;
    void TextOut(double x, double y, const QFont& font, const QColor& background, TRpAlignment alignment,
                 const QString& text) override;

    int LineCount() const { return lineCount_; }
    // Width and height of a character cell, native units.
    double XFactor() const { return xFactor_; }
    double YFactor() const { return yFactor_; }

private:
    int lineCount_ = 0;
    std::array<QString, kMaxLines> lines_;
    // Takes the file's name only once finished whole.
    std::unique_ptr<QSaveFile> file_;
    double xFactor_ = 1;
    double yFactor_ = 1;
};

class TRpExportFilterLibrary {
public:
    using Factory = std::function<std::unique_ptr<TRpExportFilter>(const QString& fileName)>;
    struct Entry {
        Factory filterClass;
        QString filterName;
        QString extension;
    };

    // Reads the name and extension from an instance with no file name.
    void AddFilter(Factory factory);
    template <class Filter>
    void AddFilter()
    {
        AddFilter([](const QString& fileName) { return std::make_unique<Filter>(fileName); });
    }

    // "Report file(*.RPF)|*.RPF", then "|Name (*.EXT)|*.EXT" for each filter.
    QString SaveDialogFilterString() const;
    // The filter of a save dialog's filter index (1 is the report file);
    // null for an index no filter has.
    std::unique_ptr<TRpExportFilter> CreateFilter(int filterIndex, const QString& fileName) const;

private:
    std::vector<Entry> entries_;
};

// The saved-report file's entry of the save and open dialogs.
QString ReportFileFilter();

// The one library of the program; the text filter is registered.
TRpExportFilterLibrary& ExportFilterLibrary();
