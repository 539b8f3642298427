#pragma once
// The rows of an opened SELECT, kept in memory, with the current position and,
// for a live result, the row being edited or appended and its writing back.
// Inside the data-set layer only.
#include "connectionpool.h"

#include <optional>

class QSqlQuery;

class RowSet {
public:
    // Where the rows of a live result come from: one table, and the WHERE
    // clause (with "?" placeholders and their values) a row must satisfy to stay.
    struct Source {
        QString dataFolder;
        QString table;
        QString where;
        QVariantList whereValues;
    };

    // Reads every row of an executed SELECT; a live result's first column is the rowid.
    void Load(QSqlQuery& query, const std::vector<ColumnKind>& tableColumns, std::optional<Source> live);
    void Clear();
    bool Active() const { return active_; }

    // The fields of the loaded rows, by name and kind.
    std::vector<std::pair<QString, TFieldType>> FieldDefinitions() const;
    bool Eof() const;
    void First();
    void Next();
    void Prior();
    int RecordCount() const { return static_cast<int>(rows_.size()); }   // 0 when closed

    QVariant Value(int column) const;   // the program's value; null without a current row
    void SetValue(int column, const QVariant& value);

    void Append();
    void Edit();
    void Post();
    void Cancel();

private:
    enum class State { Browse, Edit, Insert };
    using Row = std::vector<QVariant>;   // stored values

    void RequireActive() const;
    const Source& LiveSource() const;
    void FinishEditing();   // before moving: a changed row is posted, an unchanged one dropped
    void PostAppended();
    void PostEdited();
    std::optional<Row> ReadRow(qint64 rowid, bool mustSatisfyWhere) const;
    void RemoveCurrent();
    bool AnyChanged() const;

    bool active_ = false;
    std::vector<ColumnKind> columns_;
    std::vector<Row> rows_;
    std::vector<qint64> rowids_;   // live results only
    size_t pos_ = 0;
    bool eof_ = true;
    std::optional<Source> live_;
    State state_ = State::Browse;
    Row buffer_;
    std::vector<bool> changed_;
};
