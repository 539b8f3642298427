#include "dataset.h"

#include "connectionpool.h"
#include "rowset.h"
#include "sqltext.h"

#include <QSqlQuery>

namespace {

// "CpRept.DB" names the table CpRept.
QString TableOfFileName(const QString& fileName)
{
    const QString extension = QStringLiteral(".DB");
    return fileName.endsWith(extension, Qt::CaseInsensitive) ? fileName.chopped(extension.size()) : fileName;
}

}  // namespace

struct TTable::Impl {
    QString folder;
    QString table;
    RowSet rows;
};

TTable::TTable(QString dataFolder, QString tableFileName) : d_(std::make_unique<Impl>())
{
    d_->folder = std::move(dataFolder);
    d_->table = TableOfFileName(tableFileName);
}

TTable::~TTable() = default;

void TTable::Open()
{
    if (d_->rows.Active())
        return;
    const QString table = SqlText::QuoteName(d_->table);
    QSqlQuery q(ConnectionPool::Connection(d_->folder));
    q.setForwardOnly(true);
    // Rows come back in the order they were written.
    ConnectionPool::Execute(q, QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(table), {});
    d_->rows.Load(q, ConnectionPool::TableColumns(d_->folder, d_->table), RowSet::Source{d_->folder, d_->table, {}, {}});
    DefineFields(d_->rows.FieldDefinitions());
    }

void TTable::Close()
{
    d_->rows.Clear();
    ClearFields();
}

void TTable::EmptyTable()
{
    {
        QSqlQuery q(ConnectionPool::Connection(d_->folder));
        ConnectionPool::Execute(q, QStringLiteral("DELETE FROM %1").arg(SqlText::QuoteName(d_->table)), {});
    }
    if (d_->rows.Active()) {
        Close();
        Open();
    }
}

void TTable::Append()
{
    d_->rows.Append();
}

void TTable::Post()
{
    d_->rows.Post();
}

bool TTable::Active() const
{
    return d_->rows.Active();
}

bool TTable::Eof() const
{
    return d_->rows.Eof();
}

void TTable::First()
{
    d_->rows.First();
}

void TTable::Next()
{
    d_->rows.Next();
}

void TTable::Prior()
{
    d_->rows.Prior();
}

int TTable::RecordCount() const
{
    return d_->rows.RecordCount();
}

QVariant TTable::FieldValue(int index) const
{
    return d_->rows.Value(index);
}

void TTable::SetFieldValue(int index, const QVariant& value)
{
    d_->rows.SetValue(index, value);
}
