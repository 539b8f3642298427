#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Each test program gets a runtime and configuration folder of its own, so
    // the single-copy guard and the settings never meet those of a program the
    // user is running, nor those of another test running alongside.
    QTemporaryDir sandbox;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(sandbox.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(sandbox.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CarePortfolio"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
