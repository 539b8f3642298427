#pragma once
// What the page tests share: a fresh copy of the delivered database that the
// test fills with a household, a fixed today, a settings store and scripted
// message boxes of their own, and stand-ins for the dialogs the pages open.
#include "platform/dataset.h"
#include "platform/formatsettings.h"
#include "shell/pages/launcher.h"
#include "tests/shell/shelltestenv.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/testsupport.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Today in every page test: 15 June 2024.
inline constexpr int kThisYear = 2024;

class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    qint32 AddMember(const QString& firstName, qint32 sex, TDateTime dateOfBirth, const QString& lastName = QStringLiteral("Lee"));
    qint32 AddAccount(qint32 accountType, const QString& name);
    void AddElectedAmount(qint32 accountID, int year, double amount);
    qint32 AddExpense(qint32 memberID, TDateTime serviceDate, double total, double outOfPocket);
    void AddSplit(qint32 expID, qint32 accountID, double amount);
    qint32 AddToDo(const QString& description, TDateTime due, bool done = false);
    // A member's check-up row holding the to-do it reminds of.
    void AddScheduleRow(qint32 memberID, qint32 todoID);

    int Count(const QString& sql) const;
    QStringList Column(const QString& sql) const;

    // Registers a stand-in for a dialog for the rest of the test.
    void FakeDialog(TDialogID id, TDialogOpener opener);
    // A stand-in that only counts its openings and leaves with Cancel.
    int* CountingDialog(TDialogID id);

    ScriptedMessageBoxes boxes_;
    FreshDataFolder folder_;
    FreshSettings settings_;

private:
    // The new row's key from keyField; 0 without one.
    qint32 Append(const QString& table, const std::function<void(TDataSet&)>& fill,
                  const QString& keyField = QString()) const;

    FormatSettings savedFormats_;
    std::vector<TDialogID> fakes_;
    std::vector<std::unique_ptr<int>> counters_;
};
