#pragma once
// The real desktop behind the browser link, played by scripts: xdg-mime and
// xdg-open written into a folder put first on PATH, so the program starts
// them exactly as it starts the installed ones.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

// Sets an environment variable for the scope of a test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

inline void WriteFile(const QString& path, const QByteArray& text, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A tool of the system by its full path, as the scripts call them: PATH may
// hold the scripts alone.
inline QByteArray SystemTool(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    EXPECT_FALSE(path.isEmpty()) << name.toStdString() << " is not installed";
    return QFile::encodeName(path);
}

class DesktopScripts {
public:
    // The xdg-mime played by a shell script body; nothing for none on PATH at
    // all, the installed one hidden too (PATH then holds the scripts alone).
    explicit DesktopScripts(const std::optional<QByteArray>& xdgMime)
        : asks_(xdgMime.has_value()),
          path_("PATH", QFile::encodeName(dir_.path()) +
                            (xdgMime ? ':' + qgetenv("PATH") : QByteArray()))
    {
        if (xdgMime) {
            // The body runs as a script of its own, so that its exit or crash
            // is passed on only after the marker was written.
            const QString body = dir_.filePath(QStringLiteral("xdg-mime-body"));
            WriteFile(body, *xdgMime);
            WriteFile(dir_.filePath(QStringLiteral("xdg-mime")),
                      "#!/bin/sh\n/bin/sh '" + QFile::encodeName(body) + "'\nstatus=$?\n: > '" + QFile::encodeName(Answered()) +
                          "'\n[ \"$status\" -le 128 ] || kill -$((status - 128)) $$\nexit \"$status\"\n",
                      true);
        }
        // Written aside and moved in, so a reader never sees half the arguments.
        const QByteArray record = QFile::encodeName(dir_.filePath(QStringLiteral("opened")));
        WriteFile(dir_.filePath(QStringLiteral("xdg-open")),
                  "#!/bin/sh\n'" + SystemTool(QStringLiteral("printf")) + "' '%s\\n' \"$@\" > '" + record + ".part' && '" +
                      SystemTool(QStringLiteral("mv")) + "' '" + record + ".part' '" + record + "'\n",
                  true);
    }

    // Lets the event loop run until xdg-mime has answered and a while after,
    // as it runs while the user looks for a link: by then it has ended.
    void LetTheUserLookAround() const
    {
        if (asks_) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return QFile::exists(Answered()); }, 10000))
                << "xdg-mime never answered";
        }
        QTest::qWait(1000);
    }

    // The arguments xdg-open was started with, one a line; empty when it was
    // not started within the time.
    QByteArray OpenedWith(int waitMs) const
    {
        const QString record = dir_.filePath(QStringLiteral("opened"));
        QFile file(record);
        if (!QTest::qWaitFor([&] { return file.exists(); }, waitMs) || !file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

private:
    // Written by xdg-mime last, as it ends.
    QString Answered() const { return dir_.filePath(QStringLiteral("answered")); }

    QTemporaryDir dir_;
    bool asks_;
    ScopedEnv path_;
};
