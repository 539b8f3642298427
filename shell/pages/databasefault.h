#pragma once
// What the user is told when the database fails: what is wrong, in plain
// words, and what to do about it. The routines raise; the pages and the
// start-up tell.
#include "platform/dataset.h"
#include "platform/ui/messagebox.h"
#include "context/defaulthandler.h"

#include <QString>
#include <utility>

QString DatabaseFaultText(const EDatabaseError& error, const QString& dataFolder);

// Runs the work of an event handler: a database failure is told in the
// user's words, any other error as RunGuarded tells it.
template <typename Work>
void RunDatabaseGuarded(const QString& dataFolder, Work&& work)
{
    RunGuarded([&] {
        try {
            std::forward<Work>(work)();
        } catch (const EDatabaseError& error) {
            ShowMessageBox(DatabaseFaultText(error, dataFolder), MsgIcon::Error);
        }
    });
}
