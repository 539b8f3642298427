#include "addrbookdata.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/lookuplists.h"
#include "records/common/recordtext.h"

#include <QHash>
#include <algorithm>

const QString kNoFilterField = QStringLiteral("None");

namespace {

const QString kCategoryColumn = QStringLiteral("CategoryNo");

// The columns of BIZADDR a column choice may name. A name from the table
// reaches the SQL text only when it is one of these.
const QStringList& BizAddrColumns()
{
    static const QStringList columns{
        QStringLiteral("BizId"),  QStringLiteral("CategoryNo"), QStringLiteral("BusinessName"),
        QStringLiteral("Contacts"), QStringLiteral("Addr"),     QStringLiteral("Addr2"),
        QStringLiteral("City"),   QStringLiteral("State"),      QStringLiteral("Zip"),
        QStringLiteral("Country"), QStringLiteral("Phone1"),    QStringLiteral("Phone2"),
        QStringLiteral("Fax"),    QStringLiteral("Mobile"),     QStringLiteral("Pager"),
        QStringLiteral("Email"),  QStringLiteral("WebURL"),     QStringLiteral("OpHours"),
        QStringLiteral("MapDirection"), QStringLiteral("Note")};
    return columns;
}

bool IsMemoColumn(const QString& dbField)
{
    return dbField.compare(QStringLiteral("OpHours"), Qt::CaseInsensitive) == 0
           || dbField.compare(QStringLiteral("MapDirection"), Qt::CaseInsensitive) == 0
           || dbField.compare(QStringLiteral("Note"), Qt::CaseInsensitive) == 0;
}

// The column as spelt in the table, or an error for a name that is none.
QString CheckedColumn(const QString& dbField)
{
    for (const QString& column : BizAddrColumns()) {
        if (column.compare(dbField, Qt::CaseInsensitive) == 0)
            return column;
    }
    throw EDatabaseError(QStringLiteral("The address book has no field \"%1\".").arg(dbField));
}

// A business's category is an item of the category list, named by its own
// id there: the list ids and the CATEGORY rows of other kinds never mix.
QHash<qint32, QString> CategoryNames()
{
    QHash<qint32, QString> names;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM Choices")
                << QStringLiteral("WHERE ComponentID = %1").arg(CategoryListId);
    query.Open();
    for (; !query.Eof(); query.Next())
        names.insert(query.FieldByName(QStringLiteral("ChoiceID")).AsInteger(),
                     query.FieldByName(QStringLiteral("ItemName")).AsString());
    return names;
}

QString Trimmed(QString text)
{
    TrimBlanks(text);
    return text;
}

class TRowReader {
public:
    explicit TRowReader(const std::vector<TBookColumn>& columns) : columns_(columns)
    {
        for (const TBookColumn& column : columns_) {
            if (column.dbField.compare(kCategoryColumn, Qt::CaseInsensitive) == 0) {
                categories_ = CategoryNames();
                break;
            }
        }
    }

    TBookRow Row(TQuery& query) const
    {
        TBookRow row;
        row.bizId = query.FieldByName(QStringLiteral("BizId")).AsInteger();
        row.cells << query.FieldByName(QStringLiteral("BusinessName")).AsString();
        for (size_t i = 1; i < columns_.size(); ++i)
            row.cells << Cell(query, columns_[i].dbField);
        return row;
    }

private:
    QString Cell(TQuery& query, const QString& dbField) const
    {
        TField& field = query.FieldByName(dbField);
        if (dbField.compare(kCategoryColumn, Qt::CaseInsensitive) == 0)
            return categories_.value(field.AsInteger());   // an empty cell keeps the columns in line
        if (IsMemoColumn(dbField))
            return WrapWordsOnOneLine(field.AsLines(), 80);
        return field.AsString();
    }

    const std::vector<TBookColumn>& columns_;
    QHash<qint32, QString> categories_;
};

void AddNameRange(TQuery& query, const TBookFilter& filter, bool categoryOn)
{
    QString low = filter.fromLetter;
    QString high = filter.toLetter;
    if (low > high)
        std::swap(low, high);
    // The initial letter alone decides, so a name is in its letter's range
    // whatever follows that letter.
    query.SQL() << (categoryOn ? QStringLiteral("AND") : QStringLiteral("WHERE"))
                       + QStringLiteral(" (substr(BusinessName, 1, 1) BETWEEN :Low AND :High")
                << QStringLiteral("OR substr(BusinessName, 1, 1) BETWEEN :LowLower AND :HighLower)");
    query.ParamByName(QStringLiteral("Low")).SetAsString(low);
    query.ParamByName(QStringLiteral("High")).SetAsString(high);
    query.ParamByName(QStringLiteral("LowLower")).SetAsString(low.toLower());
    query.ParamByName(QStringLiteral("HighLower")).SetAsString(high.toLower());
}

}  // namespace

std::vector<TBookColumn> LoadBookColumns()
{
    std::vector<TBookColumn> columns;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM BZSFIELD") << QStringLiteral("WHERE OrderNo > 0")
                << QStringLiteral("ORDER BY OrderNo ASC");
    query.Open();
    for (; !query.Eof() && columns.size() < size_t(kBookColumnLimit); query.Next())
        columns.push_back({query.FieldByName(QStringLiteral("Field")).AsString(),
                           CheckedColumn(query.FieldByName(QStringLiteral("DBField")).AsString().left(15))});
    return columns;
}

QStringList BookLetters()
{
    QStringList letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (letter != 'N')
            letters << QString(QLatin1Char(letter));
    }
    return letters;
}

QStringList BookFilterFields()
{
    return {QStringLiteral("State"), QStringLiteral("City"), QStringLiteral("Zip"), kNoFilterField};
}

bool TBookFilter::HasFieldValue() const
{
    return !field.isEmpty() && field != kNoFilterField && !value.isEmpty();
}

std::vector<TBookRow> ReadBook(const std::vector<TBookColumn>& columns, const TBookFilter& filter)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("Select * FROM BIZADDR");
    const bool categoryOn = filter.categoryId > -1;
    if (categoryOn)
        query.SQL() << QStringLiteral("WHERE CategoryNo = %1").arg(filter.categoryId);
    if (filter.HasRange())
        AddNameRange(query, filter, categoryOn);
    query.Open();

    const TRowReader reader(columns);
    const QString fieldColumn = filter.HasFieldValue() ? CheckedColumn(filter.field) : QString();
    const QString wanted = Trimmed(filter.value);
    std::vector<TBookRow> rows;
    for (; !query.Eof(); query.Next()) {
        if (!fieldColumn.isEmpty()
            && Trimmed(query.FieldByName(fieldColumn).AsString()).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        rows.push_back(reader.Row(query));
    }
    return rows;
}

std::vector<TBookRow> ReadSortedBook(const std::vector<TBookColumn>& columns, const TBookSort& sort)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM BIZADDR")
                << QStringLiteral("ORDER BY ") + CheckedColumn(sort.dbField)
                       + (sort.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    query.Open();
    const TRowReader reader(columns);
    std::vector<TBookRow> rows;
    for (; !query.Eof(); query.Next())
        rows.push_back(reader.Row(query));
    return rows;
}

bool IsSortableCaption(const QString& caption)
{
    return caption != QStringLiteral("Operation Hours") && caption != QStringLiteral("Map Direction")
           && caption != QStringLiteral("Notes");
}

std::optional<bool> SortDescendingAfterClick(const QString& caption, int& sortClicks)
{
    if (!IsSortableCaption(caption))
        return std::nullopt;
    ++sortClicks;
    return sortClicks % 2 == 1;
}

void DeleteBusiness(qint32 bizId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM BIZADDR") << QStringLiteral("WHERE BizId = %1").arg(bizId);
    query.ExecSQL();
}

// ---- The column choice ------------------------------------------------------

TFieldChoice ReadFieldChoice()
{
    TFieldChoice choice;
    TQuery query(DataFolder);
    const auto read = [&query](std::vector<TFieldChoiceItem>& items) {
        query.Open();
        for (; !query.Eof(); query.Next())
            items.push_back({query.FieldByName(QStringLiteral("SelectID")).AsInteger(),
                             query.FieldByName(QStringLiteral("Field")).AsString()});
        query.Close();
    };
    query.SetSQL({QStringLiteral("SELECT * FROM BZSFIELD"), QStringLiteral("WHERE OrderNo = 0")});
    read(choice.unselected);
    query.SetSQL({QStringLiteral("SELECT * FROM BZSFIELD"), QStringLiteral("WHERE OrderNo > 0"),
                  QStringLiteral("ORDER BY OrderNo ASC")});
    read(choice.selected);
    return choice;
}

void SaveFieldChoice(const std::vector<TFieldChoiceItem>& selected)
{
    TTransaction transaction(DataFolder);
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SetSQL({QStringLiteral("SELECT * FROM BZSFIELD"), QStringLiteral("WHERE SelectID > 1")});
    query.Open();
    for (; !query.Eof(); query.Next()) {
        query.Edit();
        query.FieldByName(QStringLiteral("OrderNo")).SetAsInteger(0);
        query.Post();
    }
    query.Close();
    for (size_t position = 0; position < selected.size(); ++position) {
        query.SetSQL({QStringLiteral("SELECT * FROM BZSFIELD"),
                      QStringLiteral("WHERE SelectID = %1").arg(selected[position].selectId)});
        query.Open();
        if (!query.Eof()) {
            query.Edit();
            query.FieldByName(QStringLiteral("OrderNo")).SetAsInteger(qint32(position) + 1);
            query.Post();
        }
        query.Close();
    }
    transaction.Commit();
}

// ---- The search ---------------------------------------------------------------

QStringList SearchFields()
{
    return {QStringLiteral("Name"), QStringLiteral("Street Address"), QStringLiteral("Phone"),
            QStringLiteral("Email"), QStringLiteral("Web page")};
}

namespace {

QString SearchColumn(const QString& fieldCaption)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM BZSFIELD");
    if (!fieldCaption.isEmpty()) {
        query.SQL() << QStringLiteral("WHERE Field = :FieldName");
        query.ParamByName(QStringLiteral("FieldName")).SetAsString(fieldCaption);
    }
    query.SQL() << QStringLiteral("ORDER BY SelectID");
    query.Open();
    if (query.Eof())
        throw EDatabaseError(QStringLiteral("The address book has no field \"%1\".").arg(fieldCaption));
    return CheckedColumn(query.FieldByName(QStringLiteral("DBField")).AsString());
}

}  // namespace

TSearchResult SearchBook(const QString& fieldCaption, const QString& text, int sortColumn, int sortClicks)
{
    const QString column = SearchColumn(fieldCaption);
    const bool descending = sortClicks % 2 == 1;
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM BIZADDR")
                << QStringLiteral("ORDER BY ") + (sortColumn == 0 ? QStringLiteral("BusinessName") : column)
                       + (descending ? QStringLiteral(" DESC") : QString());
    query.Open();
    TSearchResult result;
    if (fieldCaption != QStringLiteral("Name"))
        result.fieldCaption = fieldCaption;
    const QString wanted = Trimmed(text).toUpper();
    for (; !query.Eof(); query.Next()) {
        const QString value = query.FieldByName(column).AsString();
        if (!wanted.isEmpty() && !Trimmed(value).toUpper().contains(wanted))
            continue;
        result.hits.push_back({query.FieldByName(QStringLiteral("BusinessName")).AsString(), value});
    }
    return result;
}
