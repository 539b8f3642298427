#pragma once
// The generic property table: typed values the program keeps beside its records.
#include <QString>

// The version text of the database of a data folder; empty when it holds
// none or cannot be read.
QString GetDatabaseVersion(const QString& dataFolder);
