#include "memorydataset.h"

MemoryDataSet::MemoryDataSet(const QString& name, const std::vector<std::pair<QString, TFieldType>>& columns,
                             std::vector<std::vector<QVariant>> rows)
    : rows_(std::move(rows)), eof_(rows_.empty())
{
    SetName(name);
    DefineFields(columns);
}

void MemoryDataSet::First()
{
    row_ = 0;
    eof_ = rows_.empty();
}

void MemoryDataSet::Next()
{
    if (row_ + 1 < rows_.size())
        ++row_;
    else
        eof_ = true;
}

void MemoryDataSet::Prior()
{
    eof_ = false;
    if (row_ > 0)
        --row_;
}

QVariant MemoryDataSet::FieldValue(int index) const
{
    return rows_.empty() ? QVariant() : rows_[row_][static_cast<size_t>(index)];
}

void MemoryDataSet::SetFieldValue(int index, const QVariant& value)
{
    rows_[row_][static_cast<size_t>(index)] = value;
}
