#include "dataset.h"

#include "connectionpool.h"
#include "fieldstorage.h"
#include "rowset.h"
#include "sqltext.h"

#include <QSqlQuery>

void TParam::SetAsDate(TDateTime value)
{
    value_ = FieldStorage::IsoDate(value);
}

void TParam::SetAsInteger(qint32 value)
{
    value_ = value;
}

void TParam::SetAsSmallInt(qint16 value)
{
    value_ = static_cast<int>(value);
}

void TParam::SetAsString(const QString& value)
{
    value_ = value;
}

struct TQuery::Impl {
    QString folder;
    QStringList lines;
    bool requestLive = false;
    QString parsedText;   // the statement the parameters were read from
    std::vector<std::unique_ptr<TParam>> params;
    RowSet rows;

    QString Statement() const { return lines.join(QLatin1Char('\n')); }

    TParam* Find(const QString& name) const
    {
        for (const auto& param : params)
            if (param->Name().compare(name, Qt::CaseInsensitive) == 0)
                return param.get();
        return nullptr;
    }

    // Reads the parameters again when the statement has changed, keeping the
    // values of the names it still holds. True when it had changed.
    bool SyncParams()
    {
        const QString text = Statement();
        if (text == parsedText)
            return false;
        parsedText = text;
        std::vector<std::unique_ptr<TParam>> fresh;
        for (const QString& name : SqlText::ParamNames(text)) {
            TParam* kept = Find(name);
            fresh.push_back(std::make_unique<TParam>(kept ? *kept : TParam(name)));
        }
        params = std::move(fresh);
        return true;
    }

    QVariantList ValuesFor(const QStringList& names) const
    {
        QVariantList values;
        for (const QString& name : names) {
            const TParam* param = Find(name);
            if (!param || !param->Value().isValid())
                throw EDatabaseError(QStringLiteral("No value for parameter '%1'").arg(name));
            values.append(param->Value());
        }
        return values;
    }
};

TQuery::TQuery(QString dataFolder) : d_(std::make_unique<Impl>())
{
    d_->folder = std::move(dataFolder);
}

TQuery::~TQuery() = default;

QStringList& TQuery::SQL()
{
    return d_->lines;
}

void TQuery::SetSQL(const QStringList& lines)
{
    d_->lines = lines;
}

void TQuery::SetRequestLive(bool live)
{
    d_->requestLive = live;
}

TParam& TQuery::ParamByName(const QString& name)
{
    if (d_->SyncParams())
        Close();
    if (TParam* param = d_->Find(name))
        return *param;
    throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

void TQuery::Open()
{
    if (d_->SyncParams())
        Close();
    if (d_->rows.Active())
        return;
    const QString sql = d_->Statement();
    const SqlText::Positional statement = SqlText::ToPositional(sql);
    const QVariantList values = d_->ValuesFor(statement.names);

    QString text = statement.text;
    QString table = SqlText::FromTable(sql);
    std::optional<RowSet::Source> live;
    if (d_->requestLive) {
        const std::optional<SqlText::LiveSelect> shape = SqlText::ParseLiveSelect(sql);
        if (shape && !ConnectionPool::TableColumns(d_->folder, shape->table).empty()) {
            const SqlText::Positional where = SqlText::ToPositional(shape->where);
            live = RowSet::Source{d_->folder, shape->table, where.text, d_->ValuesFor(where.names)};
            table = shape->table;
            // The rowid leads the columns so a posted row can be found again.
            text.insert(shape->starAt, QStringLiteral("rowid, "));
        }
    }

    const std::vector<ColumnKind> noColumns;
    QSqlQuery q(ConnectionPool::Connection(d_->folder));
    q.setForwardOnly(true);
    ConnectionPool::Execute(q, text, values);
    if (!q.isSelect())
        throw EDatabaseError(QStringLiteral("The statement gives no rows to open"));
    d_->rows.Load(q, table.isEmpty() ? noColumns : ConnectionPool::TableColumns(d_->folder, table), std::move(live));
    DefineFields(d_->rows.FieldDefinitions());
    }

void TQuery::Close()
{
    d_->rows.Clear();
    ClearFields();
}

void TQuery::ExecSQL()
{
    if (d_->SyncParams())
        Close();
    const SqlText::Positional statement = SqlText::ToPositional(d_->Statement());
    const QVariantList values = d_->ValuesFor(statement.names);
    QSqlQuery q(ConnectionPool::Connection(d_->folder));
    ConnectionPool::Execute(q, statement.text, values);
}

bool TQuery::Active() const
{
    return d_->rows.Active();
}

bool TQuery::Eof() const
{
    return d_->rows.Eof();
}

void TQuery::First()
{
    d_->rows.First();
}

void TQuery::Next()
{
    d_->rows.Next();
}

void TQuery::Prior()
{
    d_->rows.Prior();
}

int TQuery::RecordCount() const
{
    return d_->rows.RecordCount();
}

void TQuery::Append()
{
    d_->rows.Append();
}

void TQuery::Edit()
{
    d_->rows.Edit();
}

void TQuery::Post()
{
    d_->rows.Post();
}

void TQuery::Cancel()
{
    d_->rows.Cancel();
}

QVariant TQuery::FieldValue(int index) const
{
    return d_->rows.Value(index);
}

void TQuery::SetFieldValue(int index, const QVariant& value)
{
    d_->rows.SetValue(index, value);
}
