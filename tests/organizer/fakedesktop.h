#pragma once
// The desktop as the browser tests play it: a handler named at will, and
// every address handed over kept as text, fully encoded.
#include "organizer/extbrowser.h"

#include <QStringList>

class FakeDesktop : public TDesktopBrowsing {
public:
    explicit FakeDesktop(QString handler = QStringLiteral("web-reader.desktop")) : handler_(std::move(handler))
    {
        InstallDesktopBrowsing(this);
    }
    ~FakeDesktop() override { InstallDesktopBrowsing(nullptr); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    std::unique_ptr<THandlerQuery> QueryHttpHandler() override { return std::make_unique<Answer>(handler_); }
    bool OpenUrl(const QUrl& url) override
    {
        opened << url.toString(QUrl::FullyEncoded);
        return takes;
    }

    QStringList opened;
    bool takes = true;   // what the desktop answers

private:
    class Answer : public THandlerQuery {
    public:
        explicit Answer(QString handler) : handler_(std::move(handler)) {}
        QString Result() override { return handler_; }

    private:
        QString handler_;
    };

    QString handler_;
};
