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
    // No print server listens on a socket in the sandbox: the machine's
    // printers are out of sight, so a print run writes its PDF file and no
    // page of a test comes out of a real printer.
    qputenv("CUPS_SERVER", QFile::encodeName(sandbox.filePath(QStringLiteral("cups.sock"))));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CarePortfolio"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
