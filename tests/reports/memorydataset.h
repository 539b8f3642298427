#pragma once
// A data set over rows held in memory, for the evaluator's fields.
#include "platform/dataset.h"

#include <QVariant>
#include <vector>

class MemoryDataSet : public TDataSet {
public:
    MemoryDataSet(const QString& name, const std::vector<std::pair<QString, TFieldType>>& columns,
                  std::vector<std::vector<QVariant>> rows);

    bool Active() const override { return true; }
    bool Eof() const override { return eof_; }
    void First() override;
    void Next() override;
    void Prior() override;
    int RecordCount() const override { return static_cast<int>(rows_.size()); }

protected:
    QVariant FieldValue(int index) const override;
    void SetFieldValue(int index, const QVariant& value) override;

private:
    std::vector<std::vector<QVariant>> rows_;
    size_t row_ = 0;
    bool eof_ = false;
};
