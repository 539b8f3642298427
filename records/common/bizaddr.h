#pragma once
// The rows of the business addresses: doctors, hospitals, pharmacies,
// insurers and the other businesses of the address book.
#include <QString>
#include <QStringList>

struct TBizAddr {
    QString businessName;
    qint32 categoryNo = 0;
    QString contacts;
    QString addr;
    QString addr2;
    QString city;
    QString state;
    QString zip;
    QString country;
    QString phone1;
    QString phone2;
    QString fax;
    QString mobile;
    QString pager;
    QString email;
    QString webURL;
    QStringList opHours;
    QStringList mapDirection;
    QStringList note;

    friend bool operator==(const TBizAddr&, const TBizAddr&) = default;
};

// The six values the payments keep of a provider or insurer.
struct TBizContact {
    QString phone1;
    QString fax;
    QString addr;
    QString city;
    QString state;
    QString zip;

    bool IsEmpty() const;
};

// Each is false (or 0) when the row is missing or the database fails.
bool ReadBizAddr(qint32 bizId, TBizAddr& row);
bool AppendBizAddr(const TBizAddr& row, qint32& bizId);
bool UpdateBizAddr(qint32 bizId, const TBizAddr& row);
// The first row of that exact name, in the category unless it is -1.
qint32 FindBizAddrId(const QString& name, qint32 categoryNo);

// Completes the payments' record of a provider or insurer named Name: keeps
// a BizId whose row still bears the name (filling the six values only when
// all are empty), otherwise looks the name up, in the category when it is
// above 0. A database failure leaves BizId and the values as they were.
void LookupBizAddr(const QString& name, qint32 categoryNo, qint32& bizId, TBizContact& contact);
