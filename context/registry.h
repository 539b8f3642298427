#pragma once
// The user's settings, laid out as the program has always kept them: a key of
// the maker, beneath it the application's key and one key per window named
// after the window. Values are typed: a value of another kind than asked for,
// or binary data of another size, reads as missing and the caller keeps its
// default. No failure here ever reaches the user.
#include "platform/datetime.h"

#include <QSettings>
#include <memory>
#include <optional>

// Each positions the store at its key and tells whether that worked.
bool OpenMakerKey(QSettings& reg);
bool OpenAppsKey(QSettings& reg);
bool OpenAppKey(QSettings& reg, const QString& app);
bool OpenAppSectionKey(QSettings& reg, const QString& app, const QString& section);

// The store at the key of this product and version, or at a window's key under it.
std::unique_ptr<QSettings> OpenApplicationKey();
std::unique_ptr<QSettings> OpenWindowKey(const QString& windowName);

std::optional<qint32> ReadRegInteger(const QSettings& reg, const QString& name);
std::optional<QString> ReadRegString(const QSettings& reg, const QString& name);
// Binary data of exactly 8 bytes: the date value as a double.
std::optional<TDateTime> ReadRegDate(const QSettings& reg, const QString& name);

// False when the store could not be written.
bool WriteRegInteger(QSettings& reg, const QString& name, qint32 value);
bool WriteRegString(QSettings& reg, const QString& name, const QString& value);
bool WriteRegDate(QSettings& reg, const QString& name, TDateTime value);

// The day the program was last closed, kept at the application key.
std::optional<TDateTime> ReadDateLastUsed();
void WriteDateLastUsed();
