#include "bizaddr.h"

#include "context/context.h"
#include "platform/dataset.h"

#include <array>
#include <utility>

namespace {
using TextMember = QString TBizAddr::*;
using LinesMember = QStringList TBizAddr::*;

// In the order the rows are written; the category goes right after the name.
const std::array<std::pair<const char*, TextMember>, 14> kTextFields = {{
    {"Contacts", &TBizAddr::contacts},
    {"Addr", &TBizAddr::addr},
    {"Addr2", &TBizAddr::addr2},
    {"City", &TBizAddr::city},
    {"State", &TBizAddr::state},
    {"Zip", &TBizAddr::zip},
    {"Country", &TBizAddr::country},
    {"Phone1", &TBizAddr::phone1},
    {"Phone2", &TBizAddr::phone2},
    {"Fax", &TBizAddr::fax},
    {"Mobile", &TBizAddr::mobile},
    {"Pager", &TBizAddr::pager},
    {"Email", &TBizAddr::email},
    {"WebURL", &TBizAddr::webURL},
}};

const std::array<std::pair<const char*, LinesMember>, 3> kMemoFields = {{
    {"OpHours", &TBizAddr::opHours},
    {"MapDirection", &TBizAddr::mapDirection},
    {"Note", &TBizAddr::note},
}};

TField& Field(TDataSet& query, const char* name)
{
    return query.FieldByName(QLatin1String(name));
}

}  // namespace

TBizAddr BizAddrOf(TDataSet& query)
{
    TBizAddr row;
    row.businessName = Field(query, "BusinessName").AsString();
    row.categoryNo = Field(query, "CategoryNo").AsInteger();
    for (const auto& [name, member] : kTextFields)
        row.*member = Field(query, name).AsString();
    for (const auto& [name, member] : kMemoFields)
        row.*member = Field(query, name).AsLines();
    return row;
}

namespace {

void SetRow(TQuery& query, const TBizAddr& row)
{
    Field(query, "BusinessName").SetAsString(row.businessName);
    Field(query, "CategoryNo").SetAsInteger(row.categoryNo);
    for (const auto& [name, member] : kTextFields)
        Field(query, name).SetAsString(row.*member);
    for (const auto& [name, member] : kMemoFields)
        Field(query, name).SetAsLines(row.*member);
}

TBizContact ContactOf(TQuery& query)
{
    return {Field(query, "Phone1").AsString(), Field(query, "Fax").AsString(),
            Field(query, "Addr").AsString(), Field(query, "City").AsString(),
            Field(query, "State").AsString(), Field(query, "Zip").AsString()};
}

void SelectById(TQuery& query, qint32 bizId)
{
    query.SQL() << QStringLiteral("SELECT * FROM BizAddr") << QStringLiteral("WHERE BizId = %1").arg(bizId);
}

// The name is bound, never joined into the statement: a name may hold
// quotes, or be the name of a column.
void SelectByName(TQuery& query, const QString& name, bool inCategory, qint32 categoryNo)
{
    query.SQL() << QStringLiteral("SELECT * FROM BizAddr") << QStringLiteral("WHERE BusinessName = :BusinessName");
    if (inCategory)
        query.SQL() << QStringLiteral("AND CategoryNo = %1").arg(categoryNo);
    query.ParamByName(QStringLiteral("BusinessName")).SetAsString(name);
}

// The first row of the name: its key and six values; nothing when there is none.
void TakeFirstByName(const QString& name, qint32 categoryNo, qint32& bizId, TBizContact& contact)
{
    TQuery query(DataFolder);
    SelectByName(query, name, categoryNo > 0, categoryNo);
    query.Open();
    if (query.Eof())
        return;
    bizId = Field(query, "BizId").AsInteger();
    contact = ContactOf(query);
}
}  // namespace

bool TBizContact::IsEmpty() const
{
    return phone1.isEmpty() && fax.isEmpty() && addr.isEmpty() && city.isEmpty() && state.isEmpty()
           && zip.isEmpty();
}

bool ReadBizAddr(qint32 bizId, TBizAddr& row)
{
    TQuery query(DataFolder);
    SelectById(query, bizId);
    query.Open();
    if (query.Eof())
        return false;
    row = BizAddrOf(query);
    return true;
}

qint32 AppendBizAddr(const TBizAddr& row)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM BizAddr");
    query.Open();
    query.Append();
    SetRow(query, row);
    query.Post();
    return Field(query, "BizId").AsInteger();
}

bool UpdateBizAddr(qint32 bizId, const TBizAddr& row)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    SelectById(query, bizId);
    query.Open();
    if (query.Eof())
        return false;
    query.Edit();
    SetRow(query, row);
    query.Post();
    return true;
}

qint32 FindBizAddrId(const QString& name, qint32 categoryNo)
{
    TQuery query(DataFolder);
    SelectByName(query, name, categoryNo >= 0, categoryNo);
    query.Open();
    return query.Eof() ? 0 : Field(query, "BizId").AsInteger();
}

qint32 FindOrAppendBizAddr(const QString& name, qint32 categoryNo)
{
    if (const qint32 found = FindBizAddrId(name, categoryNo))
        return found;
    TBizAddr row;
    row.businessName = name;
    row.categoryNo = categoryNo;
    return AppendBizAddr(row);
}

void LookupBizAddr(const QString& name, qint32 categoryNo, qint32& bizId, TBizContact& contact)
{
    // Worked on copies: a failure halfway leaves the caller's values whole.
    qint32 id = bizId;
    TBizContact values = contact;
    if (id != 0) {
        TQuery query(DataFolder);
        SelectById(query, id);
        if (categoryNo > 0)
            query.SQL() << QStringLiteral("AND CategoryNo = %1").arg(categoryNo);
        query.Open();
        if (query.Eof()) {
            id = 0;
        } else if (Field(query, "BusinessName").AsString() != name) {
            // The user chose another business: forget the old one's values.
            id = 0;
            values = {};
            TakeFirstByName(name, 0, id, values);
        } else if (values.IsEmpty()) {
            values = ContactOf(query);
        }
    }
    if (id == 0 && values.IsEmpty() && !name.isEmpty() && !name.endsWith(QLatin1Char('\\')))
        TakeFirstByName(name, categoryNo, id, values);
    bizId = id;
    contact = values;
}
