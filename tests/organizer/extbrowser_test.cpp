// The browser link: the kind of browser read from the desktop's registration,
// only web addresses handed over, and exactly the address the link holds.
#include "organizer/extbrowser.h"
#include "tests/organizer/desktopscripts.h"
#include "tests/organizer/fakedesktop.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include "tests/shell/pages/qstringprint.h"

namespace {

TEST(ExtBrowser, TheKindFollowsTheRegisteredHandlersName)
{
    EXPECT_EQ(BrowserKindOf(QStringLiteral("netscape")), TBrowserKind::Netscape);
    EXPECT_EQ(BrowserKindOf(QStringLiteral("NetScape")), TBrowserKind::Netscape);
    EXPECT_EQ(BrowserKindOf(QStringLiteral("IExplore")), TBrowserKind::IExplore);
    EXPECT_EQ(BrowserKindOf(QStringLiteral("iexplore")), TBrowserKind::Other);
    EXPECT_EQ(BrowserKindOf(QStringLiteral("web-reader")), TBrowserKind::Other);
    EXPECT_EQ(BrowserKindOf(QString()), TBrowserKind::None);

    FakeDesktop desktop(QStringLiteral("netscape.desktop"));
    TExtBrowser browser;
    EXPECT_EQ(browser.Service(), QStringLiteral("netscape"));
    EXPECT_EQ(browser.Kind(), TBrowserKind::Netscape);
}

TEST(ExtBrowser, TheOpenerReceivesExactlyTheLinksAddress)
{
    FakeDesktop desktop(QStringLiteral("web-reader.desktop"));
    TExtBrowser browser;
    EXPECT_TRUE(browser.OpenURL(QStringLiteral("https://health.example/a b?q=O'Neil&x=1#top")));
    EXPECT_TRUE(browser.OpenURL(QStringLiteral(" http://www.nih.example/ ")));
    EXPECT_TRUE(browser.OpenURL(QStringLiteral("www.typed.example/flu")));
    EXPECT_EQ(desktop.opened, QStringList({"https://health.example/a%20b?q=O'Neil&x=1#top",
                                           "http://www.nih.example/", "http://www.typed.example/flu"}));
    desktop.takes = false;
    EXPECT_FALSE(browser.OpenURL(QStringLiteral("http://busy.example/")));
}

TEST(ExtBrowser, AnythingButAWebAddressIsNeverHandedOver)
{
    FakeDesktop desktop(QStringLiteral("web-reader.desktop"));
    TExtBrowser browser;
    for (const char* text : {"file:///etc/passwd", "/usr/bin/xterm", "./run.sh", "~/notes.txt", "C:\\Windows\\calc.exe",
                             "javascript:alert(1)", "mailto:dr@clinic.example", "ftp://files.example/", "http://", ""}) {
        EXPECT_FALSE(WebAddress(QString::fromLatin1(text))) << text;
        EXPECT_FALSE(browser.OpenURL(QString::fromLatin1(text))) << text;
    }
    EXPECT_EQ(desktop.opened, QStringList());
    EXPECT_EQ(NotWebAddressMessage(QStringLiteral("file:///etc/passwd")),
              QStringLiteral("Sorry.  Cannot browse \"file:///etc/passwd\".  Only web site addresses, those that "
                             "start with http:// or https://, are opened in the browser."));
    EXPECT_EQ(BrowseFailureMessage(QStringLiteral("http://a.example/")),
              QStringLiteral("Sorry.  Cannot browse \"http://a.example/\".  Unable to communicate  with the browser.  "
                             "You may want to try again later."));
}

TEST(ExtBrowser, WithoutARegisteredBrowserNothingIsStarted)
{
    FakeDesktop desktop{QString()};
    TExtBrowser browser;
    EXPECT_EQ(browser.Kind(), TBrowserKind::None);
    EXPECT_FALSE(browser.OpenURL(QStringLiteral("http://www.nih.example/")));
    EXPECT_EQ(desktop.opened, QStringList());
}

// xdg-mime as a script first on PATH, its answer read only after the event
// loop has seen it end, as when the user double-clicks a link a while after
// opening the dialog.
TEST(ExtBrowserOnPath, TheKindIsReadFromXdgMimeWhenEverItEnded)
{
    const struct {
        std::optional<QByteArray> xdgMime;
        TBrowserKind kind;
        QString service;
    } cases[] = {
        {QByteArray("echo netscape.desktop\n"), TBrowserKind::Netscape, QStringLiteral("netscape")},
        {QByteArray("echo web-reader.desktop\n"), TBrowserKind::Other, QStringLiteral("web-reader")},
        {std::nullopt, TBrowserKind::None, QString()},
        {QByteArray("echo web-reader.desktop\nexit 1\n"), TBrowserKind::None, QString()},
        {QByteArray("echo web-reader.desktop\nkill -9 $$\n"), TBrowserKind::None, QString()},
    };
    for (const auto& answer : cases) {
        SCOPED_TRACE(answer.xdgMime.value_or("missing").toStdString());
        const DesktopScripts desktop(answer.xdgMime);
        TExtBrowser browser;
        desktop.LetTheUserLookAround();
        EXPECT_EQ(browser.Kind(), answer.kind);
        EXPECT_EQ(browser.Service(), answer.service);
    }
}

// The real desktop: the registration that xdg-mime reads, and xdg-open
// handing the address to the browser named by BROWSER (no display here).
class RealDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
            GTEST_SKIP() << "xdg-utils is not installed";
    }
    QTemporaryDir dir_;
    ScopedEnv config_{"XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config")))};
    ScopedEnv data_{"XDG_DATA_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("data")))};
    ScopedEnv dataDirs_{"XDG_DATA_DIRS", QFile::encodeName(dir_.filePath(QStringLiteral("none")))};
    ScopedEnv desktop_{"XDG_CURRENT_DESKTOP", QByteArray()};
    ScopedEnv display_{"DISPLAY", QByteArray()};
    ScopedEnv wayland_{"WAYLAND_DISPLAY", QByteArray()};
};

TEST_F(RealDesktop, TheKindIsReadFromTheDesktopsRegistration)
{
    EXPECT_EQ(TExtBrowser().Kind(), TBrowserKind::None) << "nothing registered";

    WriteFile(dir_.filePath(QStringLiteral("data/applications/netscape.desktop")),
              "[Desktop Entry]\nType=Application\nName=Fake\nExec=/bin/true %u\n");
    WriteFile(dir_.filePath(QStringLiteral("config/mimeapps.list")),
              "[Default Applications]\nx-scheme-handler/http=netscape.desktop\n");
    TExtBrowser browser;
    EXPECT_EQ(browser.Service(), QStringLiteral("netscape"));
    EXPECT_EQ(browser.Kind(), TBrowserKind::Netscape);
}

TEST_F(RealDesktop, XdgOpenHandsTheBrowserExactlyTheAddress)
{
    const QString record = dir_.filePath(QStringLiteral("given.txt"));
    const QString script = dir_.filePath(QStringLiteral("browser.sh"));
    WriteFile(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(record) + ".part\" && mv \"" +
                          QFile::encodeName(record) + ".part\" \"" + QFile::encodeName(record) + "\"\n",
              true);
    WriteFile(dir_.filePath(QStringLiteral("data/applications/reader.desktop")),
              "[Desktop Entry]\nType=Application\nName=Reader\nExec=/bin/true %u\n");
    WriteFile(dir_.filePath(QStringLiteral("config/mimeapps.list")),
              "[Default Applications]\nx-scheme-handler/http=reader.desktop\n");
    ScopedEnv browserVariable("BROWSER", QFile::encodeName(script));

    TExtBrowser browser;
    ASSERT_EQ(browser.Kind(), TBrowserKind::Other);
    ASSERT_TRUE(browser.OpenURL(QStringLiteral("https://health.example/flu?who=O'Neil&age=5")));
    for (int wait = 0; wait < 200 && !QFile::exists(record); ++wait)
        QThread::msleep(50);
    QFile given(record);
    ASSERT_TRUE(given.open(QIODevice::ReadOnly)) << "the browser was not started";
    EXPECT_EQ(given.readAll(), QByteArray("https://health.example/flu?who=O'Neil&age=5"));
}

}  // namespace
