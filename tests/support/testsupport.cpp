#include "testsupport.h"

#include "platform/connectionpool.h"
#include "platform/dataset.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QWidget>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

QString DeliveredDataFolder()
{
    return QStringLiteral(CP_DELIVERED_DB "/");
}

FreshDataFolder::FreshDataFolder() : path_(dir_.path() + QLatin1Char('/'))
{
    const QDir delivered(DeliveredDataFolder());
    for (const QString& name : delivered.entryList(QDir::Files)) {
        if (!QFile::copy(delivered.filePath(name), path_ + name))
            ADD_FAILURE() << "cannot copy " << name.toStdString();
        QFile::setPermissions(path_ + name, QFile::ReadOwner | QFile::WriteOwner);
    }
}

FreshDataFolder::~FreshDataFolder()
{
    Database::CloseAll();
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    keptHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &kept_), 0);
    rlimit limit = kept_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &kept_);
    std::signal(SIGXFSZ, keptHandler_);
}

void SavePicture(QWidget& widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("CP_PICTURE_DIR", QDir::tempPath());
    QDir().mkpath(dir);
    ASSERT_TRUE(widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")));
}

QStringList CrampedWidgets(const QWidget& window)
{
    QStringList cramped;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        // The edit of a combo or spin box is drawn inside the box.
        const QWidget* parent = widget->parentWidget();
        if (!widget->isVisibleTo(&window) || qobject_cast<const QComboBox*>(parent) ||
            qobject_cast<const QAbstractSpinBox*>(parent))
            continue;
        QString text;
        int needed = 0;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
            needed = label->hasHeightForWidth() ? label->heightForWidth(label->width()) : label->minimumSizeHint().height();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            text = edit->text();
            needed = edit->minimumSizeHint().height();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
            needed = button->minimumSizeHint().height();
        } else {
            continue;
        }
        if (widget->height() < needed)
            cramped << QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') + text;
    }
    return cramped;
}

std::vector<QWidget*> TabChain(QWidget* first, int count)
{
    first->setFocus();
    std::vector<QWidget*> chain;
    for (int n = 0; n < count; ++n) {
        QWidget* focus = QApplication::focusWidget();
        chain.push_back(focus);
        if (!focus)
            break;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return chain;
}

DatabaseLockedElsewhere::DatabaseLockedElsewhere(const QString& dataFolder)
    : connectionName_(QStringLiteral("elsewhere:") + dataFolder)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db.setDatabaseName(Database::PathIn(dataFolder));
    // Without waiting: the lock is taken while nobody else holds one.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    if (!db.open())
        ADD_FAILURE() << "cannot open " << db.databaseName().toStdString();
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        ADD_FAILURE() << "cannot lock: " << begin.lastError().text().toStdString();
}

DatabaseLockedElsewhere::~DatabaseLockedElsewhere()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.rollback();
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

void MakeDatabaseReadOnly(const QString& dataFolder)
{
    Database::CloseAll();
    QFile::setPermissions(Database::PathIn(dataFolder), QFile::ReadOwner);
    if (geteuid() != 0)
        return;
    QSqlQuery pragma(ConnectionPool::Connection(dataFolder));
    if (!pragma.exec(QStringLiteral("PRAGMA query_only = ON")))
        ADD_FAILURE() << "cannot make the connection read-only: " << pragma.lastError().text().toStdString();
}

void WriteGarbageDatabase(const QString& dataFolder)
{
    Database::CloseAll();
    QFile file(Database::PathIn(dataFolder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ADD_FAILURE() << "cannot write " << file.fileName().toStdString();
    file.write(QByteArray("Dear diary, today the database was eaten by the dog.\n").repeated(100));
}

qint32 AppendRow(const QString& dataFolder, const QString& table, const QString& keyField,
                 const std::function<void(TDataSet&)>& fill)
{
    TQuery query(dataFolder);
    query.SetRequestLive(true);
    query.SQL() << QStringLiteral("SELECT * FROM ") + table;
    query.Open();
    query.Append();
    fill(query);
    query.Post();
    return keyField.isEmpty() ? 0 : query.FieldByName(keyField).AsInteger();
}

QStringList ColumnOf(const QString& dataFolder, const QString& sql)
{
    TQuery query(dataFolder);
    query.SQL() << sql;
    QStringList values;
    for (query.Open(); !query.Eof(); query.Next())
        values << query.Fields(0).AsString();
    return values;
}

std::vector<TScratchRow> ScratchRows(const QString& dataFolder)
{
    std::vector<TScratchRow> rows;
    TQuery query(dataFolder);
    query.SQL() << QStringLiteral("SELECT * FROM CPREPT");
    for (query.Open(); !query.Eof(); query.Next()) {
        TScratchRow row;
        row[0] = query.FieldByName(QStringLiteral("Category")).AsString();
        for (int n = 1; n <= 6; ++n)
            row[static_cast<size_t>(n)] = query.FieldByName(QStringLiteral("Column%1").arg(n)).AsString();
        rows.push_back(row);
    }
    return rows;
}
