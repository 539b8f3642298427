#pragma once
// The link to the user's web browser. The desktop names the handler it has
// registered for web addresses and opens addresses through it; both go
// through one seam, which tests replace. Only web addresses (http, https)
// are handed over: a local path or a "file:" address is never run.
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

// The desktop's answer to which handler it registered, asked for at once
// and read when needed: asking takes a moment the dialog need not wait for.
class THandlerQuery {
public:
    virtual ~THandlerQuery() = default;
    // The desktop file of the handler; empty when none. Waits for the answer.
    virtual QString Result() = 0;
};

// What the desktop does for the browser link.
class TDesktopBrowsing {
public:
    virtual ~TDesktopBrowsing() = default;
    // Starts asking for the handler of "http" addresses.
    virtual std::unique_ptr<THandlerQuery> QueryHttpHandler() = 0;
    // True when the desktop took the address.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The desktop in force: the real one unless a test installed its own.
TDesktopBrowsing& CurrentDesktopBrowsing();
// nullptr puts the real desktop back.
void InstallDesktopBrowsing(TDesktopBrowsing* browsing);

enum class TBrowserKind : quint8 {
    Netscape = 0,   // a handler named "netscape", case aside
    IExplore = 1,   // a handler named exactly "IExplore"
    Other = 2,      // any other handler
    None = 3,       // no handler registered: nothing can be opened
};

// The kind of a handler by its name, the desktop file's less ".desktop".
TBrowserKind BrowserKindOf(const QString& service);

// The web address a link's text stands for: an http or https address with a
// host; a text without a scheme is taken as an http address. Nothing for
// anything else.
std::optional<QUrl> WebAddress(const QString& text);

// What the link dialog tells the user when the browser did not take a link,
// and when the link is not a web address.
QString BrowseFailureMessage(const QString& url);
QString NotWebAddressMessage(const QString& url);

class TExtBrowser {
public:
    // Asks the desktop for its handler of web addresses.
    TExtBrowser();
    ~TExtBrowser();
    TExtBrowser(const TExtBrowser&) = delete;
    TExtBrowser& operator=(const TExtBrowser&) = delete;

    TBrowserKind Kind();
    // The handler's name; empty when there is none.
    QString Service();

    // True when the browser took the address. False without a handler, and
    // for a text that is no web address, which is never handed over.
    bool OpenURL(const QString& url);

private:
    void Resolve();

    std::unique_ptr<THandlerQuery> query_;
    QString service_;
    TBrowserKind kind_ = TBrowserKind::None;
};
