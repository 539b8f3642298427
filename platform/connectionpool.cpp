#include "connectionpool.h"

#include "fieldstorage.h"
#include "sqltext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <map>
#include <memory>
#include <optional>

using ConnectionPool::EngineError;

namespace {

// Prepared statements kept per connection; past this many all are dropped.
constexpr size_t kKeptStatements = 64;

struct Pooled {
    QString connectionName;
    std::map<QString, std::vector<ColumnKind>> tables;   // by lower-case table name
    std::map<QString, std::unique_ptr<QSqlQuery>> statements;
    int transactionDepth = 0;
};

std::map<QString, Pooled>& Pool()
{
    static std::map<QString, Pooled> pool;
    // Qt's own connection list is gone before static objects end: close first.
    static const bool closedWithTheApplication = (qAddPostRoutine(ConnectionPool::CloseAll), true);
    Q_UNUSED(closedWithTheApplication);
    return pool;
}

// The folder as it was named by the callers, to its pool key.
std::map<QString, QString>& Keys()
{
    static std::map<QString, QString> keys;
    return keys;
}

QString FolderKey(const QString& dataFolder)
{
    auto known = Keys().find(dataFolder);
    if (known == Keys().end())
        known = Keys().emplace(dataFolder, QDir::cleanPath(QDir(dataFolder).absolutePath())).first;
    return known->second;
}

// The kind of a failure, from the engine's result code.
TDatabaseFault FaultOf(const QSqlError& error)
{
    // The engine's primary result code; extended codes keep it in the low byte.
    enum : int { kBusy = 5, kLocked = 6, kReadOnly = 8, kCorrupt = 11, kNotADatabase = 26 };
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    if (!isNumber)
        return TDatabaseFault::Other;
    switch (code) {
    case kBusy:
    case kLocked: return TDatabaseFault::Busy;
    case kReadOnly: return TDatabaseFault::ReadOnly;
    case kCorrupt:
    case kNotADatabase: return TDatabaseFault::NotADatabase;
    default: return TDatabaseFault::Other;
    }
}

void Bind(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
}

// A URI that opens the file for reading and writing but never creates it.
QString OpenUri(const QString& path)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) + QStringLiteral("?mode=rw");
}

// Why a file that opened cannot be used: it cannot be read (it is no
// database, or another program holds it), or it holds no tables.
std::optional<EDatabaseError> ProblemWith(const QSqlDatabase& db, const QString& shownPath)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
        const EDatabaseError error = EngineError(q.lastError());
        if (error.Fault() == TDatabaseFault::NotADatabase)
            return EDatabaseError(QStringLiteral("The file \"%1\" is not a database: %2").arg(shownPath, error.Message()),
                                  error.Fault());
        return EDatabaseError(QStringLiteral("Cannot read the database \"%1\": %2").arg(shownPath, error.Message()),
                              error.Fault());
    }
    if (q.value(0).toInt() == 0)
        return EDatabaseError(QStringLiteral("The database \"%1\" holds no tables.").arg(shownPath),
                              TDatabaseFault::NotADatabase);
    return std::nullopt;
}

Pooled& Open(const QString& dataFolder)
{
    const QString key = FolderKey(dataFolder);
    auto found = Pool().find(key);
    if (found != Pool().end())
        return found->second;

    const QString path = Database::PathIn(key);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw EDatabaseError(QStringLiteral("Cannot find the database \"%1\".").arg(shownPath), TDatabaseFault::Missing);

    const QString name = QStringLiteral("careportfolio:") + key;
    std::optional<EDatabaseError> problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(OpenUri(path));
        if (!db.open()) {
            const EDatabaseError error = EngineError(db.lastError());
            problem.emplace(QStringLiteral("Cannot open the database \"%1\": %2").arg(shownPath, error.Message()),
                            error.Fault());
        } else {
            problem = ProblemWith(db, shownPath);
        }
        if (problem)
            db.close();
    }
    if (problem) {
        QSqlDatabase::removeDatabase(name);
        throw *problem;
    }
    Pooled& pooled = Pool()[key];
    pooled.connectionName = name;
    return pooled;
}

std::vector<ColumnKind> ReadTableColumns(const QSqlDatabase& db, const QString& table)
{
    std::vector<ColumnKind> columns;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(SqlText::QuoteName(table))))
        return columns;
    while (q.next())
        columns.push_back({q.value(1).toString(), FieldStorage::KindOfDeclaredType(q.value(2).toString())});
    return columns;
}

}  // namespace

namespace ConnectionPool {

QSqlDatabase Connection(const QString& dataFolder)
{
    return QSqlDatabase::database(Open(dataFolder).connectionName, false);
}

const std::vector<ColumnKind>& TableColumns(const QString& dataFolder, const QString& table)
{
    Pooled& pooled = Open(dataFolder);
    const QString key = table.toLower();
    auto found = pooled.tables.find(key);
    // A table not there yet may be made later (the web links make theirs), so it is asked for again.
    if (found == pooled.tables.end() || found->second.empty()) {
        std::vector<ColumnKind> columns = ReadTableColumns(QSqlDatabase::database(pooled.connectionName, false), table);
        found = pooled.tables.insert_or_assign(key, std::move(columns)).first;
    }
    return found->second;
}

void Execute(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        throw EngineError(query.lastError());
    Bind(query, values);
    if (!query.exec())
        throw EngineError(query.lastError());
}

QSqlQuery& Run(const QString& dataFolder, const QString& sql, const QVariantList& values)
{
    Pooled& pooled = Open(dataFolder);
    auto kept = pooled.statements.find(sql);
    if (kept == pooled.statements.end()) {
        auto query = std::make_unique<QSqlQuery>(QSqlDatabase::database(pooled.connectionName, false));
        query->setForwardOnly(true);
        if (!query->prepare(sql))
            throw EngineError(query->lastError());
        if (pooled.statements.size() >= kKeptStatements)
            pooled.statements.clear();
        kept = pooled.statements.emplace(sql, std::move(query)).first;
    }
    QSqlQuery& query = *kept->second;
    Bind(query, values);
    if (!query.exec())
        throw EngineError(query.lastError());
    return query;
}

QString EngineMessage(const QSqlError& error)
{
    const QString text = error.databaseText();
    return text.isEmpty() ? error.text() : text;
}

EDatabaseError EngineError(const QSqlError& error)
{
    return EDatabaseError(EngineMessage(error), FaultOf(error));
}

int& TransactionDepth(const QString& dataFolder)
{
    return Open(dataFolder).transactionDepth;
}

void CloseAll()
{
    for (auto& [key, pooled] : Pool()) {
        pooled.statements.clear();
        {
            QSqlDatabase db = QSqlDatabase::database(pooled.connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(pooled.connectionName);
    }
    Pool().clear();
    Keys().clear();
}

}  // namespace ConnectionPool

namespace Database {

QString FileName()
{
    return QStringLiteral("careportfolio.db");
}

QString PathIn(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(FileName());
}

void Check(const QString& dataFolder)
{
    Open(dataFolder);
}

void CloseAll()
{
    ConnectionPool::CloseAll();
}

}  // namespace Database

namespace {

// A transaction opened inside another is a savepoint of the outer one: the
// inner work is undone alone when it fails, and made durable only with the
// outer commit.
QString SavepointName(int depth)
{
    return QStringLiteral("nested_%1").arg(depth);
}

void ExecuteOn(QSqlDatabase db, const QString& sql)
{
    QSqlQuery query(db);
    ConnectionPool::Execute(query, sql, {});
}

}  // namespace

TTransaction::TTransaction(const QString& dataFolder) : folder_(dataFolder), open_(false)
{
    QSqlDatabase db = ConnectionPool::Connection(folder_);
    int& depth = ConnectionPool::TransactionDepth(folder_);
    if (depth == 0) {
        if (!db.transaction())
            throw EngineError(db.lastError());
    } else {
        ExecuteOn(db, QStringLiteral("SAVEPOINT ") + SavepointName(depth));
    }
    level_ = ++depth;
    open_ = true;
}

TTransaction::~TTransaction()
{
    if (!open_)
        return;
    try {
        // Left first: the level is given up even when the roll-back fails.
        Leave();
        QSqlDatabase db = ConnectionPool::Connection(folder_);
        if (level_ == 1) {
            db.rollback();
        } else {
            const QString name = SavepointName(level_ - 1);
            ExecuteOn(db, QStringLiteral("ROLLBACK TO ") + name);
            ExecuteOn(db, QStringLiteral("RELEASE ") + name);
        }
    } catch (const EDatabaseError&) {
        // The connection is gone, and with it the transaction.
    }
}

void TTransaction::Commit()
{
    QSqlDatabase db = ConnectionPool::Connection(folder_);
    if (level_ == 1) {
        if (!db.commit())
            throw EngineError(db.lastError());
    } else {
        ExecuteOn(db, QStringLiteral("RELEASE ") + SavepointName(level_ - 1));
    }
    open_ = false;
    Leave();
}

void TTransaction::Leave()
{
    int& depth = ConnectionPool::TransactionDepth(folder_);
    depth = level_ - 1;
}
