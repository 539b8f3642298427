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

class TDataSet;

// The business of the current row of a data set over BIZADDR.
TBizAddr BizAddrOf(TDataSet& row);

// Every routine below raises EDatabaseError when the database fails; false
// (or 0) means only that there is no such row.
bool ReadBizAddr(qint32 bizId, TBizAddr& row);
// The new row's key.
qint32 AppendBizAddr(const TBizAddr& row);
bool UpdateBizAddr(qint32 bizId, const TBizAddr& row);
// The first row of that exact name, in the category unless it is -1.
qint32 FindBizAddrId(const QString& name, qint32 categoryNo);
// The business of that name in the category, a new row of the name alone
// when there is none.
qint32 FindOrAppendBizAddr(const QString& name, qint32 categoryNo);

// Completes the payments' record of a provider or insurer named Name: keeps
// a BizId whose row still bears the name (filling the six values only when
// all are empty), otherwise looks the name up, in the category when it is
// above 0. When the database fails, BizId and the values stay as they were.
void LookupBizAddr(const QString& name, qint32 categoryNo, qint32& bizId, TBizContact& contact);
