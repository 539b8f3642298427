#pragma once
// Keeps the shell's tests away from the user's own settings and from a
// copy of the program the user may be running.
#include <QTemporaryDir>

// A settings store of its own for as long as it lives.
class FreshSettings {
public:
    FreshSettings();
    ~FreshSettings();
    FreshSettings(const FreshSettings&) = delete;
    FreshSettings& operator=(const FreshSettings&) = delete;

private:
    QTemporaryDir dir_;
};
