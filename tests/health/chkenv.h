#pragma once
// A data folder with members whose check-up and immunization schedules the
// tests work on, the clock fixed at 31 March 2025, and ways to read back what
// was written.
#include "platform/datetime.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

class FreshDataFolder;

class CheckupEnv : public ::testing::Test {
protected:
    CheckupEnv();
    ~CheckupEnv() override;

    static TDateTime Today() { return EncodeDate(2025, 3, 31); }

    static qint32 AddMember(const QString& firstName, qint32 sex, TDateTime dob);
    static qint32 Count(const QString& sql);
    // The member's item whose name starts so.
    static qint32 ItemOf(qint32 memberId, const QString& nameStart);
    static qint32 AddRecord(qint32 memberId, qint32 templId, TDateTime date, const QString& doctor = {},
                            qint32 expId = 0);
    // An expense of 19.99 with two splits of 0.29.
    static qint32 AddExpenseWithSplits(qint32 memberId);
    // The check-up reminders by due date.
    static std::vector<std::pair<QString, TDateTime>> Reminders();
    static qint32 ToDoOf(qint32 templId);

    // Acts on the modal dialog of that class once the event loop shows it.
    template <class Dialog>
    static void WhenShown(std::function<void(Dialog&)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
        });
    }

private:
    std::unique_ptr<FreshDataFolder> folder_;
};
