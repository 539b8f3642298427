#include "tests/shell/shelltestenv.h"

#include "context/databasefault.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// The single-instance lock and socket, and the settings of a test that
// makes no store of its own, go to folders of the tests. Errors are worded
// as the program words them once started.
class ShellTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(runtimeDir_.isValid() && configDir_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir_.path()));
        WordErrorsPlainly();
    }

private:
    QTemporaryDir runtimeDir_;
    QTemporaryDir configDir_;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShellTestEnvironment);

}  // namespace

FreshSettings::FreshSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
}

FreshSettings::~FreshSettings()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
