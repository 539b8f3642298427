#pragma once
// A fresh data folder with a fixed clock, and to-do rows written as a user
// or a schedule would have left them.
#include "platform/datetime.h"
#include "tests/support/testsupport.h"

#include <QString>
#include <gtest/gtest.h>

class ToDoFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Due 0.0: no date.
    static qint32 AddToDo(const QString& description, TDateTime due, qint32 categoryNo = 5, bool done = false);
    static bool IsDone(qint32 todoId);
    static qint32 Count(const QString& sql);

    FreshDataFolder folder_;
};
