#pragma once
// What the user is told when the database fails: what is wrong, in plain
// words, and what to do about it. The routines raise; whoever meets the
// error in an event handler or at start-up tells it.
#include "platform/dataset.h"

#include <QString>
#include <exception>

QString DatabaseFaultText(const EDatabaseError& error, const QString& dataFolder);

// Any error as the user reads it: a database failure in plain words naming
// the file in DataFolder, any other by its own text.
QString ErrorText(const std::exception& error);
// Makes every guarded event handler tell errors as ErrorText does.
void WordErrorsPlainly();
