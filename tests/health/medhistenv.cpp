#include "medhistenv.h"

#include "context/context.h"
#include "platform/dataset.h"
#include "platform/formatsettings.h"

void MedHistTest::SetUp()
{
    DataFolder = folder_.Path();
    Clock::SetFixed(QDateTime(QDate(2024, 12, 31), QTime(10, 0)));
    ProcessFormats().shortDateFormat = QStringLiteral("m/d/yyyy");
    ProcessFormats().dateSeparator = QLatin1Char('/');
    MemberFirstName.clear();
}

void MedHistTest::TearDown()
{
    dialog_.reset();
    Clock::SetFixed(QDateTime());
    DataFolder.clear();
}

qint32 MedHistTest::AddMember(const TMemberRow& row)
{
    return AppendRow(DataFolder, QStringLiteral("MEDPROF"), QStringLiteral("MemberID"), [&](TDataSet& q) {
        q.FieldByName(QStringLiteral("FirstName")).SetAsString(row.firstName);
        q.FieldByName(QStringLiteral("LastName")).SetAsString(row.lastName);
        q.FieldByName(QStringLiteral("DOB")).SetAsDateTime(row.dob);
        q.FieldByName(QStringLiteral("Sex")).SetAsInteger(row.sex);
        q.FieldByName(QStringLiteral("Weight")).SetAsInteger(row.weight);
        q.FieldByName(QStringLiteral("WeightUnit")).SetAsInteger(row.weightUnit);
        q.FieldByName(QStringLiteral("Height")).SetAsInteger(row.height);
        q.FieldByName(QStringLiteral("HeightUnit")).SetAsInteger(row.heightUnit);
        q.FieldByName(QStringLiteral("Display")).SetAsInteger(0);
    });
}

qint32 MedHistTest::AddHistoryRow(qint32 memberId, qint32 recordType, const QString& name)
{
    THistoryRecord record;
    record.recordType = recordType;
    record.fields[recordType <= 2 ? 2 : 0] = name;
    return InsertHistoryRecord(memberId, record);
}

qint32 MedHistTest::CountRows(const QString& table, const QString& where)
{
    TQuery q(DataFolder);
    q.SQL() << QStringLiteral("SELECT COUNT(*) AS N FROM ") + table << QStringLiteral("WHERE ") + where;
    q.Open();
    return q.FieldByName(QStringLiteral("N")).AsInteger();
}

TDlgMedHist& MedHistTest::Open(qint32 memberId)
{
    CurMemberID = memberId;
    dialog_ = std::make_unique<TDlgMedHist>();
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
    Settle();
    return *dialog_;
}

bool MedHistTest::Close()
{
    dialog_->reject();
    Settle();
    return !dialog_->isVisible();
}

void MedHistTest::Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void MedHistTest::Focus(QWidget* widget)
{
    widget->setFocus(Qt::TabFocusReason);
    Settle();
}

void MedHistTest::Type(QWidget* widget, const QString& text)
{
    Focus(widget);
    QTest::keyClicks(widget, text);
}
