#include "medhistdata.h"

#include "context/context.h"
#include "platform/dataset.h"

namespace {

constexpr qint32 kInchesPerFoot = 12;

// The lens fields in the order of the grid's rows and columns.
const std::array<std::array<const char*, 5>, 4> kLensFields = {{
    {"DVODS", "DVODC", "DVODA", "DVODP", "DVODB"},
    {"DVOSS", "DVOSC", "DVOSA", "DVOSP", "DVOSB"},
    {"NVODS", "NVODC", "NVODA", "NVODP", "NVODB"},
    {"NVOSS", "NVOSC", "NVOSA", "NVOSP", "NVOSB"},
}};

const std::array<const char*, 4> kHistoryFields = {"Field1", "Field2", "Field3", "Field4"};

TField& Field(TDataSet& data, const char* name)
{
    return data.FieldByName(QString::fromLatin1(name));
}

void SelectMember(TQuery& query, qint32 memberId)
{
    query.SQL() << QStringLiteral("SELECT * FROM MEDPROF") << QStringLiteral("WHERE MemberID = %1").arg(memberId);
}

void SelectHistory(TQuery& query, qint32 memberId, qint32 historyId)
{
    query.SQL() << QStringLiteral("SELECT * FROM MEDHIST") << QStringLiteral("WHERE HistoryID = %1").arg(historyId)
                << QStringLiteral("AND MemberID = %1").arg(memberId);
}

void SetHistoryRow(TQuery& query, qint32 memberId, const THistoryRecord& record)
{
    Field(query, "RecordType").SetAsInteger(record.recordType);
    Field(query, "MemberID").SetAsInteger(memberId);
    for (size_t i = 0; i < kHistoryFields.size(); ++i)
        Field(query, kHistoryFields[i]).SetAsString(record.fields[i]);
    Field(query, "Bdate").SetAsDateTime(record.bdate);
    Field(query, "Edate").SetAsDateTime(record.edate);
    Field(query, "DoctorID").SetAsInteger(record.doctorId);
    Field(query, "HospitalID").SetAsInteger(record.hospitalId);
    Field(query, "Note").SetAsLines(record.note);
}

}  // namespace

THeightBoxes SplitHeight(qint32 height, qint32 unit)
{
    if (unit == kHeightCentimetres)
        return {height, 0};
    return {height / kInchesPerFoot, height % kInchesPerFoot};
}

qint32 JoinHeight(const THeightBoxes& boxes, qint32 unit)
{
    if (unit == kHeightCentimetres)
        return boxes.first;
    return boxes.first * kInchesPerFoot + boxes.second;
}

std::optional<TMedProfile> ReadMedProfile(qint32 memberId)
{
    TQuery query(DataFolder);
    SelectMember(query, memberId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TMedProfile profile;
    profile.firstName = Field(query, "FirstName").AsString();
    profile.middleName = Field(query, "MiddleName").AsString();
    profile.lastName = Field(query, "LastName").AsString();
    profile.dob = Field(query, "DOB").AsDateTime();
    profile.sex = Field(query, "Sex").AsInteger();
    profile.weight = Field(query, "Weight").AsInteger();
    profile.weightUnit = Field(query, "WeightUnit").AsInteger();
    profile.height = Field(query, "Height").AsInteger();
    profile.heightUnit = Field(query, "HeightUnit").AsInteger();
    profile.bloodType = Field(query, "BloodType").AsString();
    const TField& rh = Field(query, "RHFactor");
    profile.rhFactor = rh.IsNull() ? -1 : rh.AsInteger();
    return profile;
}

std::optional<TMedVision> ReadMedVision(qint32 memberId)
{
    TQuery query(DataFolder);
    SelectMember(query, memberId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    TMedVision vision;
    vision.date = Field(query, "VisionDate").AsDateTime();
    vision.doctor = Field(query, "VisionDoctor").AsString();
    vision.doctorId = Field(query, "VisionDoctorID").AsInteger();
    vision.note = Field(query, "VisionNote").AsLines();
    for (size_t row = 0; row < kLensFields.size(); ++row)
        for (size_t column = 0; column < kLensFields[row].size(); ++column)
            vision.lens[row][column] = Field(query, kLensFields[row][column]).AsString();
    return vision;
}

void WriteMedProfile(qint32 memberId, const TMedProfile& profile, const TMedVision& vision)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    SelectMember(query, memberId);
    query.Open();
    if (query.Eof())
        return;
    query.Edit();
    Field(query, "FirstName").SetAsString(profile.firstName);
    Field(query, "MiddleName").SetAsString(profile.middleName);
    Field(query, "LastName").SetAsString(profile.lastName);
    Field(query, "WeightUnit").SetAsInteger(profile.weightUnit);
    Field(query, "Weight").SetAsInteger(profile.weight);
    Field(query, "HeightUnit").SetAsInteger(profile.heightUnit);
    Field(query, "Height").SetAsInteger(profile.height);
    Field(query, "BloodType").SetAsString(profile.bloodType);
    Field(query, "RHFactor").SetAsInteger(profile.rhFactor);
    Field(query, "VisionDate").SetAsDateTime(vision.date);
    Field(query, "VisionDoctor").SetAsString(vision.doctor);
    Field(query, "VisionDoctorID").SetAsInteger(vision.doctorId);
    Field(query, "VisionNote").SetAsLines(vision.note);
    for (size_t row = 0; row < kLensFields.size(); ++row)
        for (size_t column = 0; column < kLensFields[row].size(); ++column)
            Field(query, kLensFields[row][column]).SetAsString(vision.lens[row][column]);
    query.Post();
}

QList<THistoryEntry> ReadHistoryEntries(qint32 memberId, qint32 recordType, int nameField)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT HistoryID, %1 FROM MEDHIST").arg(QString::fromLatin1(kHistoryFields.at(nameField - 1)))
                << QStringLiteral("WHERE RecordType = %1").arg(recordType)
                << QStringLiteral("AND MemberID = %1").arg(memberId);
    query.Open();
    QList<THistoryEntry> entries;
    TField& name = query.Fields(1);
    TField& id = query.Fields(0);
    for (; !query.Eof(); query.Next())
        entries.append({name.AsString(), id.AsInteger()});
    return entries;
}

std::optional<THistoryRecord> ReadHistoryRecord(qint32 memberId, qint32 historyId)
{
    TQuery query(DataFolder);
    SelectHistory(query, memberId, historyId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    THistoryRecord record;
    record.recordType = Field(query, "RecordType").AsInteger();
    for (size_t i = 0; i < kHistoryFields.size(); ++i)
        record.fields[i] = Field(query, kHistoryFields[i]).AsString();
    record.bdate = Field(query, "Bdate").AsDateTime();
    record.edate = Field(query, "Edate").AsDateTime();
    record.doctorId = Field(query, "DoctorID").AsInteger();
    record.hospitalId = Field(query, "HospitalID").AsInteger();
    record.note = Field(query, "Note").AsLines();
    return record;
}

qint32 InsertHistoryRecord(qint32 memberId, const THistoryRecord& record)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    // No row is read: the live result only takes the new one.
    query.SQL() << QStringLiteral("SELECT * FROM MEDHIST") << QStringLiteral("WHERE HistoryID = 0");
    query.Open();
    query.Append();
    SetHistoryRow(query, memberId, record);
    query.Post();
    return Field(query, "HistoryID").AsInteger();
}

bool UpdateHistoryRecord(qint32 memberId, qint32 historyId, const THistoryRecord& record)
{
    TQuery query(DataFolder);
    query.SetRequestLive(true);
    SelectHistory(query, memberId, historyId);
    query.Open();
    if (query.Eof())
        return false;
    query.Edit();
    SetHistoryRow(query, memberId, record);
    query.Post();
    return true;
}

void DeleteHistoryRecord(qint32 historyId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("DELETE FROM MEDHIST") << QStringLiteral("WHERE HistoryID = %1").arg(historyId);
    query.ExecSQL();
}
