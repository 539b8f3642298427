#pragma once
// The data-set layer: the only road to the database. One SQLite file per data
// folder, reached through Qt Sql. Queries take SQL as lines and named
// parameters; values from the user are always bound, never joined into SQL.
#include "datetime.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

// What kind of trouble a database failure is, so that the pages can tell the
// user what to do about it. Each kind stays what it is: a locked file is never
// reported as a damaged one.
enum class TDatabaseFault {
    Other,          // a failing statement, an unknown field or parameter
    Missing,        // the data folder holds no database file
    NotADatabase,   // the file is not a database, is damaged, or holds no tables
    Busy,           // another program holds the database (busy or locked)
    ReadOnly,       // the file or its folder cannot be written
};

// Every database failure: a missing or unreadable database, a failing
// statement, an unknown field or parameter. Carries the engine's message.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& message, TDatabaseFault fault = TDatabaseFault::Other);
    QString Message() const { return QString::fromStdString(what()); }
    TDatabaseFault Fault() const { return fault_; }

private:
    TDatabaseFault fault_;
};

enum class TFieldType { String, Integer, SmallInt, Float, Boolean, Date, Memo, Unknown };

class TDataSet;

// One column of a data set's current row. A null reads as empty text, 0, 0.0,
// the date-time 0.0 (no date), False or no lines; writing the date-time 0.0
// stores NULL.
class TField {
public:
    TField(TDataSet& owner, int index, QString name, TFieldType type);

    const QString& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    int Index() const { return index_; }

    bool IsNull() const;
    QString AsString() const;
    qint32 AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;
    QStringList AsLines() const;

    void SetAsString(const QString& value);
    void SetAsInteger(qint32 value);
    void SetAsFloat(double value);
    void SetAsDateTime(TDateTime value);
    void SetAsBoolean(bool value);
    void SetAsLines(const QStringList& lines);
    void Clear();

private:
    QVariant Value() const;
    void SetValue(const QVariant& value);

    TDataSet& owner_;
    int index_;
    QString name_;
    TFieldType type_;
};

// What every data set offers its readers: the report engine runs over any of
// them without knowing our tables.
class TDataSet {
public:
    virtual ~TDataSet();

    // The name the report expressions use for "name.field".
    QString Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }

    virtual bool Active() const = 0;
    virtual bool Eof() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;   // on the last row: sets Eof and stays on that row
    virtual void Prior() = 0;
    virtual int RecordCount() const = 0;

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int index);
    // Case-insensitive; FindField gives nullptr, FieldByName raises EDatabaseError.
    TField* FindField(const QString& name);
    TField& FieldByName(const QString& name);

protected:
    friend class TField;
    virtual QVariant FieldValue(int index) const = 0;
    virtual void SetFieldValue(int index, const QVariant& value) = 0;

    void DefineFields(const std::vector<std::pair<QString, TFieldType>>& columns);
    void ClearFields();

private:
    QString name_;
    std::vector<std::unique_ptr<TField>> fields_;
};

// The database file of a data folder.
namespace Database {
// The file name inside a data folder.
QString FileName();
QString PathIn(const QString& dataFolder);
// Raises EDatabaseError when the folder holds no database or the file is not one.
void Check(const QString& dataFolder);
// Closes every connection (backup and restore copy the file); the next query reopens.
void CloseAll();
}  // namespace Database

// A named parameter of a query; set by kind before Open or ExecSQL.
class TParam {
public:
    explicit TParam(QString name) : name_(std::move(name)) {}
    const QString& Name() const { return name_; }
    void SetAsDate(TDateTime value);
    void SetAsInteger(qint32 value);
    void SetAsSmallInt(qint16 value);
    void SetAsString(const QString& value);
    const QVariant& Value() const { return value_; }

private:
    QString name_;
    QVariant value_;
};

// One SQL statement over the database of a data folder.
class TQuery : public TDataSet {
public:
    explicit TQuery(QString dataFolder);
    ~TQuery() override;
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    // The statement is the lines joined with line breaks.
    QStringList& SQL();
    void SetSQL(const QStringList& lines);
    // Live results: the rows of "SELECT * FROM" one table can be edited,
    // appended and posted.
    void SetRequestLive(bool live);

    // Raises EDatabaseError for a name the statement does not hold. Names are
    // read outside quotes and comments; Open and ExecSQL raise for a parameter
    // left without a value.
    TParam& ParamByName(const QString& name);

    // A SELECT; positioned on its first row. Opening an open query does
    // nothing until its statement changes; changing the statement closes it.
    void Open();
    void Close();
    void ExecSQL(); // DELETE, INSERT

    bool Active() const override;
    bool Eof() const override;
    void First() override;
    void Next() override;
    void Prior() override;
    int RecordCount() const override;

    // Live results only. Moving to another row posts a pending change; Edit
    // needs a current row.
    void Append();
    void Edit();
    void Post();   // an appended row stays current, its auto-increment key readable
    void Cancel();

protected:
    QVariant FieldValue(int index) const override;
    void SetFieldValue(int index, const QVariant& value) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The report scratch table, opened by its file name ("CpRept.DB").
class TTable : public TDataSet {
public:
    TTable(QString dataFolder, QString tableFileName);
    ~TTable() override;
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    void Open();
    void Close();
    void EmptyTable();
    void Append();
    void Post();

    bool Active() const override;
    bool Eof() const override;
    void First() override;
    void Next() override;
    void Prior() override;
    int RecordCount() const override;

protected:
    QVariant FieldValue(int index) const override;
    void SetFieldValue(int index, const QVariant& value) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Bulk work in one transaction: committed by Commit, rolled back otherwise.
// One opened inside another on the same folder joins it: its Commit keeps
// its work for the outer one to commit, its roll-back undoes only its own.
class TTransaction {
public:
    explicit TTransaction(const QString& dataFolder);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit();

private:
    void Leave();

    QString folder_;
    bool open_;
    int level_ = 0;
};
