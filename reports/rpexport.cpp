#include "rpexport.h"

#include "rpunits.h"

namespace {
// A character cell is 1.7 times narrower than it is tall.
constexpr double kCellAspect = 1.7;

[[noreturn]] void FailToWrite(const QSaveFile& file)
{
    throw ERpExportError(QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()).toStdString());
}

void WriteOrFail(QSaveFile& file, const QByteArray& bytes)
{
    if (file.write(bytes) != bytes.size())
        FailToWrite(file);
}
}  // namespace

void TRpAsciiExportFilter::Start(int /*paperWidth*/, int paperHeight, const QFont& font)
{
    file_ = std::make_unique<QSaveFile>(FileName());
    if (!file_->open(QIODevice::WriteOnly))
        throw ERpExportError(
            QStringLiteral("Cannot create %1: %2").arg(FileName(), file_->errorString()).toStdString());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    yFactor_ = points * 254 / 72;
    xFactor_ = yFactor_;
    lineCount_ = RpRound(paperHeight / yFactor_);
    NewPage();
}

void TRpAsciiExportFilter::NewPage()
{
    lines_.fill(QString());
}

void TRpAsciiExportFilter::TextOut(double x, double y, const QFont& /*font*/, const QColor& /*background*/,
                                   TRpAlignment alignment, const QString& text)
{
    double column = x / xFactor_ * kCellAspect;
    if (alignment == TRpAlignment::Right)
        column -= text.size();
    const int row = RpRound(y / yFactor_);
    if (row < 0 || row >= kMaxLines)
        return;
    QString& line = lines_[static_cast<size_t>(row)];
    const int position = RpRound(column);   // 1-based
    if (column > line.size())
        line.append(QString(position - line.size(), QLatin1Char(' ')));
    if (position >= 1 && position <= line.size())
        line.remove(position - 1, text.size());
    line.insert(std::clamp(position, 1, static_cast<int>(line.size()) + 1) - 1, text);
}

void TRpAsciiExportFilter::EndPage()
{
    for (int row = 0; row < std::min(lineCount_, kMaxLines); ++row) {
        const QString& line = lines_[static_cast<size_t>(row)];
        if (!line.isEmpty())
            WriteOrFail(*file_, line.toUtf8() + "\r\n");
    }
}

// A flush that wrote only part of the last bytes is caught only by asking
// the flush itself.
void TRpAsciiExportFilter::Finish()
{
    if (file_ && !(file_->flush() && file_->commit()))
        FailToWrite(*file_);
}

void TRpExportFilterLibrary::AddFilter(Factory factory)
{
    const std::unique_ptr<TRpExportFilter> probe = factory(QString());
    entries_.push_back(Entry{std::move(factory), probe->FilterName(), probe->Extension()});
}

QString TRpExportFilterLibrary::SaveDialogFilterString() const
{
    QString filter = ReportFileFilter();
    for (const Entry& entry : entries_)
        filter += QStringLiteral("|%1 (*.%2)|*.%2").arg(entry.filterName, entry.extension);
    return filter;
}

std::unique_ptr<TRpExportFilter> TRpExportFilterLibrary::CreateFilter(int filterIndex, const QString& fileName) const
{
    const int entry = filterIndex - 2;
    if (entry < 0 || entry >= static_cast<int>(entries_.size()))
        return nullptr;
    return entries_[static_cast<size_t>(entry)].filterClass(fileName);
}

QString ReportFileFilter()
{
    return QStringLiteral("Report file") + QStringLiteral("(*.RPF)|*.RPF");
}

TRpExportFilterLibrary& ExportFilterLibrary()
{
    static TRpExportFilterLibrary library = [] {
        TRpExportFilterLibrary filters;
        filters.AddFilter<TRpAsciiExportFilter>();
        return filters;
    }();
    return library;
}
