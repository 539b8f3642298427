#include "addrbookenv.h"

#include "context/context.h"
#include "platform/dataset.h"

const QString kONeil = QStringLiteral("O'Neil \"Family\" Clinic");

void AddressBookTest::SetUp()
{
    DataFolder = folder_.Path();
    oneil_ = AddBusiness({kONeil, 5, QStringLiteral(" Springfield "), QStringLiteral("IL"), QStringLiteral("555-0101"),
                          {QStringLiteral("Mon-Fri 8-5"), QStringLiteral("Sat 9-12")}});
    apex_ = AddBusiness({QStringLiteral("apex pharmacy"), 1, QStringLiteral("springfield"), QStringLiteral("IL"),
                         QStringLiteral("555-0102"), {}});
    cedar_ = AddBusiness({QStringLiteral("Cedar Dental"), 2, QStringLiteral("Shelbyville"), QStringLiteral("IN"),
                          QStringLiteral("555-0103"), {}});
    celine_ = AddBusiness({QStringLiteral("C\u00e9line Eye Care"), 3, QStringLiteral("Shelbyville"),
                           QStringLiteral("IN"), QStringLiteral("555-0104"), {}});
    nash_ = AddBusiness({QStringLiteral("Nash Labs"), 4, QStringLiteral("Capital City"), QStringLiteral("IL"),
                         QStringLiteral("555-0105"), {}});
    mercy_ = AddBusiness({QStringLiteral("Mercy Hospital"), 5, QStringLiteral("Capital City"), QStringLiteral("IL"),
                          QStringLiteral("555-0106"), {}});
    oak_ = AddBusiness({QStringLiteral("Oak Therapy"), 7, QStringLiteral("Ogdenville"), QStringLiteral("IN"),
                        QStringLiteral("555-0107"), {}});
    zenith_ = AddBusiness({QStringLiteral("Zenith Insurance"), 6, QStringLiteral("North Haverbrook"),
                           QStringLiteral("IL"), QStringLiteral("555-0108"), {}});
}

qint32 AddressBookTest::AddBusiness(const TTestBusiness& business)
{
    return AppendRow(DataFolder, QStringLiteral("BIZADDR"), QStringLiteral("BizId"), [&business](TDataSet& row) {
        row.FieldByName(QStringLiteral("BusinessName")).SetAsString(business.name);
        row.FieldByName(QStringLiteral("CategoryNo")).SetAsInteger(business.categoryNo);
        row.FieldByName(QStringLiteral("City")).SetAsString(business.city);
        row.FieldByName(QStringLiteral("State")).SetAsString(business.state);
        row.FieldByName(QStringLiteral("Phone1")).SetAsString(business.phone);
        row.FieldByName(QStringLiteral("OpHours")).SetAsLines(business.hours);
    });
}

void AddressBookTest::Exec(const QString& sql)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    query.ExecSQL();
}

QString AddressBookTest::Text(const QString& sql, const QString& field)
{
    TQuery query(DataFolder);
    query.SQL() << sql;
    query.Open();
    return query.Eof() ? QStringLiteral("<none>") : query.FieldByName(field).AsString();
}
