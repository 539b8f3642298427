#include "medhistprint.h"

#include "formmedhistrept.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "records/common/recordtext.h"

#include <vector>

namespace {

constexpr qsizetype kNameLength = 30;   // each of the three names, as the dialog's edits hold them
constexpr int kNoteWidth = 50;

using TRow = std::array<QString, 6>;   // Column1 to Column6

void AppendRow(TTable& table, const QString& category, const TRow& columns)
{
    table.Append();
    table.FieldByName(QStringLiteral("Category")).SetAsString(category);
    for (size_t n = 0; n < columns.size(); ++n)
        table.FieldByName(QStringLiteral("Column%1").arg(n + 1)).SetAsString(columns[n]);
    table.Post();
}

// Date of birth and gender of the stored member row.
struct TStoredMember {
    TDateTime dob = 0;
    std::optional<qint32> sex;
};

std::optional<TStoredMember> ReadStoredMember(qint32 memberId)
{
    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT DOB, Sex FROM MEDPROF") << QStringLiteral("WHERE MemberID = :MemberID");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.Open();
    if (query.Eof())
        return std::nullopt;
    const TField& sex = query.FieldByName(QStringLiteral("Sex"));
    return TStoredMember{query.FieldByName(QStringLiteral("DOB")).AsDateTime(),
                         sex.IsNull() ? std::nullopt : std::optional<qint32>(sex.AsInteger())};
}

bool HasLensText(const TMedHistPrintValues& values)
{
    for (const auto& row : values.lens) {
        for (QString cell : row) {
            TrimBlanks(cell);
            if (!cell.isEmpty())
                return true;
        }
    }
    return false;
}

void AppendVision(TTable& table, const TMedHistPrintValues& values)
{
    const QString vision = QStringLiteral("Vision");
    AppendRow(table, vision, {QStringLiteral("Exam. Date:"), values.visionDate});
    AppendRow(table, vision, {QStringLiteral("Doctor:"), values.visionDoctor});
    AppendRow(table, vision, {QString(), QStringLiteral("SPHERICAL"), QStringLiteral("CYLINDRICAL"),
                              QStringLiteral("AXIS"), QStringLiteral("PRISM"), QStringLiteral("BASE")});
    const std::array<QString, 4> rowNames = {QStringLiteral("D.V.O.D."), QStringLiteral("D.V.O.S."),
                                             QStringLiteral("N.V.O.D."), QStringLiteral("N.V.O.S.")};
    for (size_t r = 0; r < rowNames.size(); ++r) {
        const auto& cells = values.lens[r];
        AppendRow(table, vision, {rowNames[r], cells[0], cells[1], cells[2], cells[3], cells[4]});
    }
}

// Where a cell of a history row comes from.
enum class TSource { Field1, Field2, Field3, Field4, Bdate, Edate, Notes };

struct TCell {
    int column;   // 1 to 6
    const char* heading;
    TSource source;
};

struct TSection {
    qint32 recordType;
    const char* category;
    std::vector<TCell> cells;
};

const std::vector<TCell> kDiseaseCells = {
    {1, "Disease", TSource::Field3},     {3, "Doctor", TSource::Field4}, {4, "Begin date", TSource::Bdate},
    {5, "End date", TSource::Edate},     {6, "Notes", TSource::Notes},
};

const TSection kSections[] = {
    {0, "Allergies",
     {{1, "Cause", TSource::Field3}, {3, "Symptom", TSource::Field1}, {4, "Doctor", TSource::Field4},
      {5, "Medication", TSource::Field2}, {6, "Notes", TSource::Notes}}},
    {1, "Childhood Diseases", kDiseaseCells},
    {2, "Adult illness", kDiseaseCells},
    {3, "Prescription",
     {{1, "Medication", TSource::Field1}, {2, "Condition", TSource::Field2}, {3, "Begin date", TSource::Bdate},
      {4, "End date", TSource::Edate}, {5, "Physician", TSource::Field3}, {6, "Notes", TSource::Notes}}},
    {4, "Surgeries",
     {{1, "Surgery", TSource::Field1}, {3, "Doctor", TSource::Field2}, {4, "Date", TSource::Edate},
      {5, "Hospital", TSource::Field3}, {6, "Notes", TSource::Notes}}},
};

QString DateCell(TDataSet& row, const QString& field)
{
    const TDateTime date = row.FieldByName(field).AsDateTime();
    return date == 0 ? QString() : DateToStr(date);
}

QString NotesCell(TDataSet& row)
{
    QString first;
    QString second;
    WrapWords(row.FieldByName(QStringLiteral("Note")).AsLines(), kNoteWidth, first, second);
    return first;
}

QString CellText(TDataSet& row, TSource source)
{
    switch (source) {
    case TSource::Field1: return row.FieldByName(QStringLiteral("Field1")).AsString();
    case TSource::Field2: return row.FieldByName(QStringLiteral("Field2")).AsString();
    case TSource::Field3: return row.FieldByName(QStringLiteral("Field3")).AsString();
    case TSource::Field4: return row.FieldByName(QStringLiteral("Field4")).AsString();
    case TSource::Bdate: return DateCell(row, QStringLiteral("Bdate"));
    case TSource::Edate: return DateCell(row, QStringLiteral("Edate"));
    case TSource::Notes: return NotesCell(row);
    }
    return {};
}

void AppendSection(TTable& table, const TSection& section, qint32 memberId)
{
    const QString category = QString::fromLatin1(section.category);
    TRow heading;
    for (const TCell& cell : section.cells)
        heading[static_cast<size_t>(cell.column - 1)] = QString::fromLatin1(cell.heading);
    AppendRow(table, category, heading);

    TQuery query(DataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM MEDHIST") << QStringLiteral("WHERE MemberID = :MemberID")
                << QStringLiteral("AND RecordType = :RecordType") << QStringLiteral("ORDER BY HistoryID");
    query.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberId);
    query.ParamByName(QStringLiteral("RecordType")).SetAsInteger(section.recordType);
    for (query.Open(); !query.Eof(); query.Next()) {
        TRow entry;
        for (const TCell& cell : section.cells)
            entry[static_cast<size_t>(cell.column - 1)] = CellText(query, cell.source);
        AppendRow(table, category, entry);
    }
}

TMedHistTitleLines TitleLines(const TMedHistPrintValues& values, const std::optional<TStoredMember>& stored)
{
    if (!stored)
        return {};
    return {MedHistNameLine(values),
            MedHistBirthLine(stored->dob),
            MedHistGenderLine(stored->sex),
            MedHistBloodLine(values.bloodType),
            MedHistRhLine(values.rhIndex),
            MedHistWeightLine(values.weight, values.weightUnit),
            MedHistHeightLine(values.height, values.heightUnit)};
}

}  // namespace

void FillMedHistReport(const TMedHistPrintValues& values)
{
    TTransaction transaction(DataFolder);
    TTable table(DataFolder, QStringLiteral("CpRept.DB"));
    table.EmptyTable();
    table.Open();
    // Without the member's row the dialog's values are not the member's.
    if (ReadStoredMember(values.memberId) && HasLensText(values))
        AppendVision(table, values);
    for (const TSection& section : kSections)
        AppendSection(table, section, values.memberId);
    table.Close();
    transaction.Commit();
}

void PrintMedHistReport(const TMedHistPrintValues& values)
{
    FillMedHistReport(values);
    TFormMedHistRept form(DataFolder);
    form.SetMemberLines(TitleLines(values, ReadStoredMember(values.memberId)));
    form.Preview();
}

QString MedHistNameLine(const TMedHistPrintValues& values)
{
    return values.firstName.left(kNameLength) + QLatin1Char(' ') + values.middleName.left(kNameLength)
           + QLatin1Char(' ') + values.lastName.left(kNameLength);
}

QString MedHistBirthLine(TDateTime dob)
{
    return dob == 0 ? QString() : QStringLiteral("Date of Birth: ") + DateToStr(dob);
}

QString MedHistGenderLine(std::optional<qint32> sex)
{
    if (!sex)
        return {};
    return *sex == 0 ? QStringLiteral("Gender: Male") : QStringLiteral("Gender: Female");
}

QString MedHistBloodLine(const QString& bloodType)
{
    return QStringLiteral("BloodType: ") + bloodType;
}

QString MedHistRhLine(qint32 rhIndex)
{
    switch (rhIndex) {
    case 0: return QStringLiteral("Rh Factor: Positive");
    case 1: return QStringLiteral("Rh Factor: Negative");
    default: return {};   // never chosen, as an unknown weight or height
    }
}

QString MedHistWeightLine(qint32 weight, qint32 unit)
{
    if (weight == 0)
        return {};
    return QStringLiteral("Weight: %1").arg(weight) + (unit == 1 ? QStringLiteral(" kgs") : QStringLiteral(" lbs"));
}

QString MedHistHeightLine(qint32 height, qint32 unit)
{
    if (height == 0)
        return {};
    if (unit == 1)
        return QStringLiteral("Height: %1 cms").arg(height);
    return QStringLiteral("Height: %1 feet %2 inches").arg(height / 12).arg(height % 12);
}
