#pragma once
// A fresh data folder made the program's data folder for one test.
#include "context/context.h"
#include "platform/dataset.h"
#include "records/common/bizaddr.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

inline TBizAddr Business(const QString& name, qint32 categoryNo, const QString& phone = {},
                         const QString& city = {})
{
    TBizAddr row;
    row.businessName = name;
    row.categoryNo = categoryNo;
    row.phone1 = phone;
    row.city = city;
    return row;
}

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedFolder_ = DataFolder;
        DataFolder = folder_.Path();
    }
    void TearDown() override { DataFolder = savedFolder_; }

    void Exec(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.ExecSQL();
    }

    int Count(const QString& sql)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.Open();
        return query.RecordCount();
    }

    // The first row's value of a field, as text.
    QString Value(const QString& sql, const QString& field)
    {
        TQuery query(DataFolder);
        query.SQL() << sql;
        query.Open();
        return query.Eof() ? QString() : query.FieldByName(field).AsString();
    }

    qint32 Append(const TBizAddr& row) { return AppendBizAddr(row); }

    // A database that fails every statement: its file is not a database.
    void BreakDatabase()
    {
        Database::CloseAll();
        QFile file(Database::PathIn(DataFolder));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a database at all, just some text");
    }

    // Every change of that kind ("INSERT", "UPDATE" or "DELETE") to the table
    // fails from now on, as a statement inside a transaction can.
    void FailOn(const QString& change, const QString& table)
    {
        Exec(QStringLiteral("CREATE TRIGGER Fail%1%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                 .arg(change, table));
    }

    FreshDataFolder folder_;

private:
    QString savedFolder_;
};
