#include "addrpages.h"

#include "context/context.h"
#include "platform/dataset.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <cmath>

namespace {

// Halves to even, as every length of the printouts.
int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

// A printer length on the canvas.
int C(double length, double zoom)
{
    return RoundEven(length / zoom);
}

// From printer lengths: the converted left and top, and the right and bottom
// converted on their own.
QRect CanvasRect(double left, double top, double right, double bottom, double zoom)
{
    const int l = C(left, zoom);
    const int t = C(top, zoom);
    return {l, t, C(right, zoom) - l, C(bottom, zoom) - t};
}

// A top and a height: the height converted by itself.
QRect CanvasBand(double left, double top, double right, double height, double zoom)
{
    const int l = C(left, zoom);
    const int t = C(top, zoom);
    return {l, t, C(right, zoom) - l, C(height, zoom)};
}

void Line(QPainter& painter, double x1, double y1, double x2, double y2, double zoom)
{
    painter.drawLine(C(x1, zoom), C(y1, zoom), C(x2, zoom), C(y2, zoom));
}

QString CityLine(const TBizAddr& row)
{
    QString line = row.city;
    if (!row.city.isEmpty())
        line += QStringLiteral(", ");
    line += row.state;
    if (!row.state.isEmpty())
        line += QLatin1Char(' ');
    return line + row.zip;
}

QStringList FirstTwoLines(const QStringList& memo)
{
    return memo.mid(0, 2);
}

void AddMemo(std::vector<TCardLine>& lines, const QString& label, const QStringList& memo)
{
    for (qsizetype i = 0; i < memo.size(); ++i)
        lines.push_back({i == 0 ? TCardLine::Kind::Labelled : TCardLine::Kind::Continuation, label, memo[i]});
}

// Words split at every blank: two blanks in a row give an empty word.
QStringList SplitWords(QString text)
{
    QStringList words;
    qsizetype blank;
    while ((blank = text.indexOf(QLatin1Char(' '))) >= 0) {
        words << text.left(blank);
        text.remove(0, blank + 1);
    }
    if (!text.isEmpty())
        words << text;
    return words;
}

}  // namespace

std::vector<TBizAddr> ReadAddressRows(TAddrRange range, qint32 bizId, qint32 categoryId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("select * from BizAddr");
    if (range == TAddrRange::CurrentName) {
        query.SQL() << QStringLiteral(" where BizId = :BizId ");
        query.ParamByName(QStringLiteral("BizId")).SetAsInteger(bizId);
    } else if (range == TAddrRange::Category && categoryId != -1) {
        query.SQL() << QStringLiteral("where CategoryNo = :CategoryNo ");
        query.ParamByName(QStringLiteral("CategoryNo")).SetAsInteger(categoryId);
    }
    query.SQL() << QStringLiteral("order by BusinessName");
    query.Open();
    std::vector<TBizAddr> rows;
    for (; !query.Eof(); query.Next())
        rows.push_back(BizAddrOf(query));
    return rows;
}

QString AddressFooterText(const QDateTime& printed)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QTime time = printed.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("Printed by Hearth on") + english.toString(printed.date(), QStringLiteral(" dddd, MMMM d, yyyy "))
           + QStringLiteral("at") + QStringLiteral(" %1:%2 %3 ").arg(hour, 2, 10, QLatin1Char('0'))
                                          .arg(time.minute(), 2, 10, QLatin1Char('0'))
                                          .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"))
           + QStringLiteral(".");
}

QStringList ReportCellLines(const TBizAddr& row, const QString& caption)
{
    if (caption == QStringLiteral("Business Name"))
        return {row.businessName};
    if (caption == QStringLiteral("Contact Person"))
        return {row.contacts};
    if (caption == QStringLiteral("Phone 1"))
        return {row.phone1};
    if (caption == QStringLiteral("Phone 2"))
        return {row.phone2};
    if (caption == QStringLiteral("Mobile"))
        return {row.mobile};
    if (caption == QStringLiteral("Pager"))
        return {row.pager};
    if (caption == QStringLiteral("Fax"))
        return {row.fax};
    if (caption == QStringLiteral("Email"))
        return {row.email};
    if (caption == QStringLiteral("Web URL"))
        return {row.webURL};
    if (caption == QStringLiteral("Address")) {
        const QString second = CityLine(row);
        return second.isEmpty() ? QStringList{row.addr} : QStringList{row.addr, second};
    }
    if (caption == QStringLiteral("Hours of Operation"))
        return FirstTwoLines(row.opHours);
    if (caption == QStringLiteral("Map Direction"))
        return FirstTwoLines(row.mapDirection);
    if (caption == QStringLiteral("Notes"))
        return FirstTwoLines(row.note);
    return {};
}

QString TCardLine::Text() const
{
    switch (kind) {
    case Kind::Heading: return value;
    case Kind::Labelled: return label + QStringLiteral(": ") + value;
    case Kind::Continuation: return QStringLiteral("     ") + value;
    }
    return value;
}

std::vector<TCardLine> CardLines(const TBizAddr& row)
{
    std::vector<TCardLine> lines;
    lines.push_back({TCardLine::Kind::Heading, {}, row.businessName});
    const std::pair<const char*, const QString*> labelled[] = {
        {"Contacts", &row.contacts}, {"Phone1", &row.phone1}, {"Phone2", &row.phone2}, {"Mobile", &row.mobile},
        {"Pager", &row.pager},       {"Fax", &row.fax},       {"Email", &row.email},   {"WebUrl", &row.webURL}};
    for (const auto& [label, value] : labelled)
        lines.push_back({TCardLine::Kind::Labelled, QLatin1String(label), *value});
    const QString city = CityLine(row);
    QString address = row.addr;
    if (!city.isEmpty())
        address += (address.isEmpty() ? QString() : QStringLiteral(", ")) + city;
    lines.push_back({TCardLine::Kind::Labelled, QStringLiteral("Address"), address});
    AddMemo(lines, QStringLiteral("Hours of Operation"), row.opHours);
    AddMemo(lines, QStringLiteral("Map Direction"), row.mapDirection);
    AddMemo(lines, QStringLiteral("Notes"), row.note);
    return lines;
}

QString FittedLine(const QFontMetrics& metrics, int width, const QString& text)
{
    if (text.isEmpty())
        return {};
    const auto narrower = [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) < width; };
    const QString more = QStringLiteral(" ...");
    QStringList words = SplitWords(text);
    const QString first = words.takeFirst();
    QString line = first;
    if (narrower(line + more)) {
        while (!words.isEmpty() && narrower(line + QLatin1Char(' ') + words.front() + more))
            line += QLatin1Char(' ') + words.takeFirst();
        if (!words.isEmpty()) {
            if (words.size() == 1 && narrower(line + QLatin1Char(' ') + words.front()))
                line += QLatin1Char(' ') + words.front();
            else
                line += more;
        }
    } else if (words.size() == 1 && narrower(first + QLatin1Char(' ') + words.front())) {
        line = first + QLatin1Char(' ') + words.front();
    }
    return line;
}

void FitLine(QPainter& painter, const QRect& rect, const QString& text)
{
    const QString line = FittedLine(painter.fontMetrics(), rect.width(), text);
    if (line.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rect);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
    painter.restore();
}

int ScreenPPI()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

int ScaledLineHeight(const QFont& font, int printerPPI)
{
    return RoundEven(QFontMetrics(font).height() * double(printerPPI) / ScreenPPI());
}

QFont AddressFooterFont()
{
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(false);
    return font;
}

// ---- Pages ------------------------------------------------------------------

TAddressPages::TAddressPages(const TAddrRun& run, std::vector<TBizAddr> rows) : run_(run), rows_(std::move(rows))
{
    if (run_.style == TAddrStyle::Report)
        LayOutReport();
    else
        LayOutCards();
}

void TAddressPages::LayOutReport()
{
    const int ppi = run_.printerPPI;
    TReportLayout& r = report_;
    r.g = RoundEven(ppi * 0.09375);
    r.gInner = RoundEven(r.g * 0.7);
    r.columnGroups = int((run_.fields.size() + 3) / 4);
    r.headingLineHeight = ScaledLineHeight(run_.headingFont, ppi);
    r.bodyLineHeight = ScaledLineHeight(run_.bodyFont, ppi);
    r.footerLineHeight = ScaledLineHeight(AddressFooterFont(), ppi);
    const int cw = run_.content.width() - 1;
    const int ch = run_.content.height() - 1;
    r.columnWidth = (cw - 4 * r.g) / 4;
    r.rowHeight = RoundEven(1.5 * r.g + 2 * r.bodyLineHeight);
    const int room = ch - r.headingLineHeight - RoundEven(1.5 * r.g) - r.footerLineHeight - 2 * r.gInner;
    r.rowsPerPage = r.rowHeight > 0 && room > 0 ? room / r.rowHeight : 0;
    r.tableLeft = run_.content.left() + r.gInner;
    r.tableTop = run_.content.top() + r.gInner;
    r.tableRight = run_.content.left() + cw - r.gInner;
    r.tableBottom = r.tableTop + r.headingLineHeight + r.g + r.rowsPerPage * r.rowHeight;
    // A large font, small paper or wide margins leave no room for a row.
    fits_ = r.rowsPerPage > 0 && r.columnWidth > 0 && r.columnGroups > 0;
    if (!fits_)
        return;
    const int blocks = (int(rows_.size()) + r.rowsPerPage - 1) / r.rowsPerPage;
    pageCount_ = blocks * r.columnGroups - 1;
}

void TAddressPages::LayOutCards()
{
    const int ppi = run_.printerPPI;
    TCardLayout& c = card_;
    c.newPage = run_.newPagePerBusiness;
    c.g = RoundEven(ppi * 0.09375);
    c.g2 = RoundEven(ppi * 0.0625);
    c.headingLineHeight = ScaledLineHeight(run_.headingFont, ppi);
    c.bodyLineHeight = ScaledLineHeight(run_.bodyFont, ppi);
    c.footerLineHeight = ScaledLineHeight(AddressFooterFont(), ppi);
    const int cw = run_.content.width() - 1;
    const int ch = run_.content.height() - 1;
    c.cardLeft = run_.content.left();
    c.cardTop = run_.content.top();
    c.cardRight = run_.content.left() + cw;
    c.bodyBottom = run_.content.top() + ch - c.footerLineHeight - RoundEven(0.5 * c.g);
    c.usableHeight = ch - c.footerLineHeight - RoundEven(0.5 * c.g);
    // A heading needs three heading steps of room, a line one body step: on a
    // card shorter than that no business would ever begin.
    fits_ = 3 * c.HeadingStep() <= c.usableHeight && c.BodyStep() <= c.usableHeight && cw > 2 * c.g2;
    if (!fits_)
        return;
    for (const TBizAddr& row : rows_)
        cardLines_.push_back(CardLines(row));
    if (rows_.empty())
        return;

    cardStarts_.push_back({0, 0});
    int remaining = c.usableHeight;
    int record = 0;
    int line = 0;
    const int count = int(rows_.size());
    while (record < count) {
        const std::vector<TCardLine>& lines = cardLines_[size_t(record)];
        bool pageEnded = false;
        for (int i = line; i < int(lines.size()); ++i) {
            if (lines[size_t(i)].value.isEmpty())
                continue;
            const int step = i == 0 ? c.HeadingStep() : c.BodyStep();
            if (step > remaining || (i == 0 && 3 * step > remaining)) {
                cardStarts_.push_back({record, i});
                pageEnded = true;
                break;
            }
            remaining -= step;
        }
        if (pageEnded) {
            line = cardStarts_.back().line;
            remaining = c.usableHeight;
            continue;
        }
        ++record;
        line = 0;
        if (c.newPage && record < count) {
            cardStarts_.push_back({record, 0});
            remaining = c.usableHeight;
        }
    }
    pageCount_ = int(cardStarts_.size()) - 1;
}

TReportPageSpan TAddressPages::ReportPage(int page) const
{
    const TReportLayout& r = report_;
    TReportPageSpan span;
    const int block = page / r.columnGroups;
    const int group = page % r.columnGroups;
    span.firstRow = block * r.rowsPerPage;
    span.rowCount = std::clamp(int(rows_.size()) - span.firstRow, 0, r.rowsPerPage);
    span.firstField = 4 * group;
    span.fieldCount = std::clamp(int(run_.fields.size()) - span.firstField, 0, 4);
    return span;
}

std::vector<TCardDrawn> TAddressPages::CardPage(int page) const
{
    std::vector<TCardDrawn> drawn;
    if (page < 0 || page >= int(cardStarts_.size()))
        return drawn;
    const TCardLayout& c = card_;
    const TCardPageStart start = cardStarts_[size_t(page)];
    const bool last = page + 1 == int(cardStarts_.size());
    const TCardPageStart end = last ? TCardPageStart{int(rows_.size()), 0} : cardStarts_[size_t(page) + 1];
    int remaining = c.usableHeight;
    for (int record = start.record; record <= end.record && record < int(rows_.size()); ++record) {
        const std::vector<TCardLine>& lines = cardLines_[size_t(record)];
        const int from = record == start.record ? start.line : 0;
        const int to = record == end.record ? end.line : int(lines.size());
        for (int i = from; i < to; ++i) {
            if (lines[size_t(i)].value.isEmpty())
                continue;
            const int step = i == 0 ? c.HeadingStep() : c.BodyStep();
            drawn.push_back({record, i, c.bodyBottom - remaining, step, c.usableHeight - remaining <= 5});
            remaining -= step;
        }
    }
    return drawn;
}

void TAddressPages::DrawPage(QPainter& painter, double zoom, int page, int share, const TAdvance& advance) const
{
    if (!fits_ || page < 0 || page > pageCount_)
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    if (run_.style == TAddrStyle::Report)
        DrawReportPage(painter, zoom, page, share, advance ? advance : [](int) {});
    else
        DrawCardPage(painter, zoom, page, share, advance ? advance : [](int) {});
    painter.restore();
}

void TAddressPages::DrawFooter(QPainter& painter, double zoom, double left, double top, double right,
                               double bottom) const
{
    painter.setFont(AddressFooterFont());
    FitLine(painter, CanvasRect(left, top, right, bottom, zoom), AddressFooterText(run_.printed));
}

void TAddressPages::DrawReportPage(QPainter& painter, double zoom, int page, int share,
                                   const TAdvance& advance) const
{
    const TReportLayout& r = report_;
    const TReportPageSpan span = ReportPage(page);
    const double g = r.g;
    const int headed = r.tableTop + r.headingLineHeight + r.g;

    painter.setFont(run_.headingFont);
    for (int k = 0; k < span.fieldCount; ++k)
        FitLine(painter,
                CanvasRect(r.tableLeft + k * r.columnWidth + g, r.tableTop + 0.65 * g,
                           r.tableLeft + (k + 1) * r.columnWidth - 0.7 * g, headed, zoom),
                run_.fields[span.firstField + k]);
    DrawFooter(painter, zoom, r.tableLeft - r.gInner, r.tableBottom + r.gInner + g, r.tableRight + r.gInner,
               run_.content.top() + run_.content.height() - 1 + 3 * g);
    advance(share / 3);

    painter.setFont(run_.bodyFont);
    for (int row = 0; row < span.rowCount; ++row) {
        const TBizAddr& business = rows_[size_t(span.firstRow + row)];
        const double rowTop = headed + double(row) * r.rowHeight;
        for (int c = 1; c <= span.fieldCount; ++c) {
            const double left = r.tableLeft + (c - 1) * r.columnWidth + 0.9 * g;
            const double right = r.tableLeft + c * r.columnWidth - 0.7 * g;
            const QStringList lines = ReportCellLines(business, run_.fields[span.firstField + c - 1]);
            if (lines.size() == 2) {
                FitLine(painter, CanvasBand(left, rowTop + 0.5 * g, right, r.bodyLineHeight + g, zoom), lines[0]);
                FitLine(painter,
                        CanvasBand(left, rowTop + 0.5 * g + r.bodyLineHeight + 0.5 * g, right, r.bodyLineHeight + g,
                                   zoom),
                        lines[1]);
            } else if (lines.size() == 1) {
                FitLine(painter,
                        CanvasBand(left, rowTop + 0.5 * g + 0.5 * r.bodyLineHeight + 0.5 * g, right,
                                   1.5 * g + 2 * r.bodyLineHeight, zoom),
                        lines[0]);
            }
        }
    }

    advance(share / 3);

    painter.setBrush(Qt::NoBrush);
    painter.drawRect(CanvasRect(r.tableLeft - r.gInner, r.tableTop - r.gInner, r.tableRight + r.gInner,
                                r.tableBottom + r.gInner, zoom));
    painter.drawRect(CanvasRect(r.tableLeft, r.tableTop, r.tableRight, r.tableBottom, zoom));
    for (int k = 0; k < r.rowsPerPage; ++k)
        Line(painter, r.tableLeft, headed + k * r.rowHeight, r.tableRight, headed + k * r.rowHeight, zoom);
    for (int k = 1; k <= 3; ++k)
        Line(painter, r.tableLeft + k * r.columnWidth, r.tableTop, r.tableLeft + k * r.columnWidth, r.tableBottom,
             zoom);
    advance(share / 3);
}

void TAddressPages::DrawCardPage(QPainter& painter, double zoom, int page, int share,
                                 const TAdvance& advance) const
{
    const TCardLayout& c = card_;
    const int textLeft = c.cardLeft + c.g2;
    const int textRight = c.cardRight - c.g2;
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    const std::vector<TCardDrawn> entries = CardPage(page);
    advance(share / 4);
    advance(share / 4);
    for (const TCardDrawn& entry : entries) {
        const TCardLine& line = cardLines_[size_t(entry.record)][size_t(entry.line)];
        const double y = entry.top;
        if (line.kind == TCardLine::Kind::Heading) {
            painter.fillRect(CanvasRect(c.cardLeft, y, c.cardRight, y + entry.step, zoom), buttonFace);
            painter.setFont(run_.headingFont);
            FitLine(painter, CanvasRect(textLeft, y + 0.7 * c.g, textRight, y + entry.step, zoom), line.Text());
            if (!entry.atCardTop)
                Line(painter, c.cardLeft, y, c.cardRight, y, zoom);
            Line(painter, c.cardLeft, y + entry.step, c.cardRight, y + entry.step, zoom);
        } else {
            painter.setFont(run_.bodyFont);
            FitLine(painter, CanvasRect(textLeft, y + 0.7 * c.g2, textRight, y + entry.step, zoom), line.Text());
        }
    }
    advance(share / 4);
    Line(painter, c.cardLeft, c.cardTop, c.cardRight, c.cardTop, zoom);
    Line(painter, c.cardRight, c.cardTop, c.cardRight, c.bodyBottom, zoom);
    Line(painter, c.cardRight, c.bodyBottom, c.cardLeft, c.bodyBottom, zoom);
    Line(painter, c.cardLeft, c.bodyBottom, c.cardLeft, c.cardTop, zoom);
    DrawFooter(painter, zoom, c.cardLeft, c.bodyBottom + 0.5 * c.g, c.cardRight,
               run_.content.top() + run_.content.height() - 1 + 3 * c.g);
    advance(share - 3 * (share / 4));
}
