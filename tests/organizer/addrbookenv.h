#pragma once
// A fresh data folder holding a small address book that the address book's
// tests share.
#include "tests/support/testsupport.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct TTestBusiness {
    QString name;
    qint32 categoryNo = 0;
    QString city;
    QString state;
    QString phone;
    QStringList hours;
};

class AddressBookTest : public ::testing::Test {
protected:
    void SetUp() override;

    static qint32 AddBusiness(const TTestBusiness& business);
    static void Exec(const QString& sql);
    static QString Text(const QString& sql, const QString& field);

    FreshDataFolder folder_;
    qint32 oneil_ = 0;
    qint32 apex_ = 0;
    qint32 cedar_ = 0;
    qint32 celine_ = 0;
    qint32 nash_ = 0;
    qint32 mercy_ = 0;
    qint32 oak_ = 0;
    qint32 zenith_ = 0;
};

// "O'Neil "Family" Clinic", the name with both quotes.
extern const QString kONeil;
