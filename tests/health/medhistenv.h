#pragma once
// A member on a fresh copy of the delivered database, the clock fixed, the
// message boxes scripted, and the medical-history dialog shown for the member.
#include "health/dlgmedhist.h"
#include "health/medhistlists.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

struct TMemberRow {
    QString firstName = QStringLiteral("Ann");
    QString lastName = QStringLiteral("Lee");
    TDateTime dob = EncodeDate(1980, 5, 31);
    qint32 sex = 1;
    qint32 weight = 0;
    qint32 weightUnit = 0;
    qint32 height = 0;
    qint32 heightUnit = 0;
};

class MedHistTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    qint32 AddMember(const TMemberRow& row = {});
    // Straight into the table, as an older version of the program left it.
    qint32 AddHistoryRow(qint32 memberId, qint32 recordType, const QString& name);
    qint32 CountRows(const QString& table, const QString& where);

    // The dialog for the member, shown and active.
    TDlgMedHist& Open(qint32 memberId);
    // Leaving the focus where it is, the dialog is closed (Escape, the title bar).
    bool Close();
    static void Settle();
    static void Focus(QWidget* widget);
    static void Type(QWidget* widget, const QString& text);

    FreshDataFolder folder_;
    ScriptedMessageBoxes boxes_;
    std::unique_ptr<TDlgMedHist> dialog_;
};
