#include "rowset.h"

#include "fieldstorage.h"
#include "sqltext.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

TFieldType DeclaredKind(const std::vector<ColumnKind>& tableColumns, const QString& name)
{
    for (const ColumnKind& column : tableColumns)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return column.kind;
    return TFieldType::Unknown;
}

}  // namespace

void RowSet::Load(QSqlQuery& query, const std::vector<ColumnKind>& tableColumns, std::optional<Source> live)
{
    Clear();
    live_ = std::move(live);
    const QSqlRecord record = query.record();
    const int first = live_ ? 1 : 0;
    const int width = record.count() - first;
    for (int i = first; i < record.count(); ++i)
        columns_.push_back({record.fieldName(i), DeclaredKind(tableColumns, record.fieldName(i))});

    while (query.next()) {
        Row row;
        row.reserve(static_cast<size_t>(width));
        for (int i = first; i < record.count(); ++i)
            row.push_back(query.value(i));
        if (live_)
            rowids_.push_back(query.value(0).toLongLong());
        rows_.push_back(std::move(row));
    }

    // A computed column takes the kind of the first value it holds.
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (columns_[c].kind != TFieldType::Unknown)
            continue;
        const auto held = std::find_if(rows_.cbegin(), rows_.cend(), [c](const Row& row) { return !row[c].isNull(); });
        columns_[c].kind = held == rows_.cend() ? TFieldType::String : FieldStorage::KindOfValue((*held)[c]);
    }
    eof_ = rows_.empty();
    active_ = true;
}

void RowSet::Clear()
{
    active_ = false;
    columns_.clear();
    rows_.clear();
    rowids_.clear();
    pos_ = 0;
    eof_ = true;
    live_.reset();
    state_ = State::Browse;
    buffer_.clear();
    changed_.clear();
}

std::vector<std::pair<QString, TFieldType>> RowSet::FieldDefinitions() const
{
    std::vector<std::pair<QString, TFieldType>> fields;
    for (const ColumnKind& column : columns_)
        fields.emplace_back(column.name, column.kind);
    return fields;
}

void RowSet::RequireActive() const
{
    if (!active_)
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed data set"));
}

bool RowSet::Eof() const
{
    return state_ != State::Insert && eof_;
}

void RowSet::First()
{
    RequireActive();
    FinishEditing();
    pos_ = 0;
    eof_ = rows_.empty();
}

void RowSet::Next()
{
    RequireActive();
    FinishEditing();
    if (pos_ + 1 < rows_.size()) {
        ++pos_;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void RowSet::Prior()
{
    RequireActive();
    FinishEditing();
    if (pos_ > 0)
        --pos_;
    eof_ = rows_.empty();
}

QVariant RowSet::Value(int column) const
{
    const auto c = static_cast<size_t>(column);
    if (state_ != State::Browse)
        return FieldStorage::ToProgram(buffer_[c], columns_[c].kind);
    if (rows_.empty())
        return {};
    return FieldStorage::ToProgram(rows_[pos_][c], columns_[c].kind);
}

void RowSet::SetValue(int column, const QVariant& value)
{
    if (state_ == State::Browse)
        throw EDatabaseError(QStringLiteral("Data set not in edit or insert mode"));
    const auto c = static_cast<size_t>(column);
    buffer_[c] = FieldStorage::ToStored(value, columns_[c].kind, columns_[c].name);
    changed_[c] = true;
}

const RowSet::Source& RowSet::LiveSource() const
{
    RequireActive();
    if (!live_)
        throw EDatabaseError(QStringLiteral("Cannot modify a read-only data set"));
    return *live_;
}

void RowSet::Append()
{
    LiveSource();
    FinishEditing();
    buffer_.assign(columns_.size(), QVariant());
    changed_.assign(columns_.size(), false);
    state_ = State::Insert;
}

void RowSet::Edit()
{
    LiveSource();
    if (state_ != State::Browse)
        return;
    if (rows_.empty())
        throw EDatabaseError(QStringLiteral("There is no row to edit"));
    buffer_ = rows_[pos_];
    changed_.assign(columns_.size(), false);
    state_ = State::Edit;
}

void RowSet::Post()
{
    RequireActive();
    if (state_ == State::Insert)
        PostAppended();
    else if (state_ == State::Edit)
        PostEdited();
    Cancel();
}

void RowSet::Cancel()
{
    RequireActive();
    state_ = State::Browse;
    buffer_.clear();
    changed_.clear();
}

void RowSet::FinishEditing()
{
    if (state_ == State::Browse)
        return;
    if (AnyChanged())
        Post();
    else
        Cancel();
}

bool RowSet::AnyChanged() const
{
    return std::find(changed_.cbegin(), changed_.cend(), true) != changed_.cend();
}

void RowSet::PostAppended()
{
    const Source& source = LiveSource();
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (!changed_[c])
            continue;
        names.append(SqlText::QuoteName(columns_[c].name));
        marks.append(QStringLiteral("?"));
        values.append(buffer_[c]);
    }
    const QString table = SqlText::QuoteName(source.table);
    const QString sql = names.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    const qint64 rowid = ConnectionPool::Run(source.dataFolder, sql, values).lastInsertId().toLongLong();
    std::optional<Row> written = ReadRow(rowid, false);
    if (!written)
        throw EDatabaseError(QStringLiteral("The appended row cannot be read back"));
    rows_.push_back(std::move(*written));
    rowids_.push_back(rowid);
    pos_ = rows_.size() - 1;
    eof_ = false;
}

void RowSet::PostEdited()
{
    if (!AnyChanged())
        return;
    const Source& source = LiveSource();
    QStringList assignments;
    QVariantList values;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (!changed_[c])
            continue;
        assignments.append(SqlText::QuoteName(columns_[c].name) + QStringLiteral(" = ?"));
        values.append(buffer_[c]);
    }
    values.append(rowids_[pos_]);
    ConnectionPool::Run(source.dataFolder,
                        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(SqlText::QuoteName(source.table), assignments.join(QLatin1Char(','))),
                        values);
    if (std::optional<Row> written = ReadRow(rowids_[pos_], true))
        rows_[pos_] = std::move(*written);
    else
        RemoveCurrent();
}

std::optional<RowSet::Row> RowSet::ReadRow(qint64 rowid, bool mustSatisfyWhere) const
{
    const Source& source = LiveSource();
    QString sql = QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(SqlText::QuoteName(source.table));
    QVariantList values{rowid};
    if (mustSatisfyWhere && !source.where.isEmpty()) {
        sql += QStringLiteral(" AND (") + source.where + QLatin1Char(')');
        values += source.whereValues;
    }
    QSqlQuery& q = ConnectionPool::Run(source.dataFolder, sql, values);
    std::optional<Row> row;
    if (q.next()) {
        row.emplace();
        row->reserve(columns_.size());
        for (size_t c = 0; c < columns_.size(); ++c)
            row->push_back(q.value(static_cast<int>(c)));
    }
    q.finish();
    return row;
}

void RowSet::RemoveCurrent()
{
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(pos_));
    rowids_.erase(rowids_.begin() + static_cast<std::ptrdiff_t>(pos_));
    if (pos_ < rows_.size()) {
        eof_ = false;
        return;
    }
    pos_ = rows_.empty() ? 0 : rows_.size() - 1;
    eof_ = true;
}
