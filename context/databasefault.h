#pragma once
// What the user is told when the database fails: what is wrong, in plain
// words, and what to do about it. The routines raise; whoever meets the
// error in an event handler or at start-up tells it.
#include "platform/dataset.h"

#include <QString>

QString DatabaseFaultText(const EDatabaseError& error, const QString& dataFolder);
