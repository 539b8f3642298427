#include "extbrowser.h"

#include <QDesktopServices>
#include <QProcess>

namespace {

constexpr int kQueryWaitMs = 5000;

// The desktop's registration, asked of xdg-mime.
class TXdgMimeQuery : public THandlerQuery {
public:
    TXdgMimeQuery()
    {
        process_.start(QStringLiteral("xdg-mime"),
                       {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/http")});
    }
    ~TXdgMimeQuery() override
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kQueryWaitMs);
        }
    }
    TXdgMimeQuery(const TXdgMimeQuery&) = delete;
    TXdgMimeQuery& operator=(const TXdgMimeQuery&) = delete;

    QString Result() override
    {
        // The event loop may have seen xdg-mime end long before the answer is
        // needed, and waiting on an ended process reports a failure.
        if (process_.state() != QProcess::NotRunning)
            process_.waitForFinished(kQueryWaitMs);
        if (process_.state() != QProcess::NotRunning || process_.exitStatus() != QProcess::NormalExit ||
            process_.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(process_.readAllStandardOutput()).trimmed();
    }

private:
    QProcess process_;
};

class TRealDesktopBrowsing : public TDesktopBrowsing {
public:
    std::unique_ptr<THandlerQuery> QueryHttpHandler() override { return std::make_unique<TXdgMimeQuery>(); }

    // The desktop platforms run xdg-open; one without a desktop of its own
    // (offscreen, minimal) has no opener, and xdg-open is started directly.
    bool OpenUrl(const QUrl& url) override
    {
        return QDesktopServices::openUrl(url) ||
               QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
    }
};

TDesktopBrowsing* installed = nullptr;

bool IsWebScheme(const QString& scheme)
{
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

TDesktopBrowsing& CurrentDesktopBrowsing()
{
    static TRealDesktopBrowsing real;
    return installed ? *installed : real;
}

void InstallDesktopBrowsing(TDesktopBrowsing* browsing)
{
    installed = browsing;
}

TBrowserKind BrowserKindOf(const QString& service)
{
    if (service.toUpper() == QLatin1String("NETSCAPE"))
        return TBrowserKind::Netscape;
    if (service == QLatin1String("IExplore"))
        return TBrowserKind::IExplore;
    return service.isEmpty() ? TBrowserKind::None : TBrowserKind::Other;
}

std::optional<QUrl> WebAddress(const QString& text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    QUrl url(typed);
    // "www.example.org" is a web address the way people type them; a path is not.
    if (url.scheme().isEmpty() && !typed.startsWith(QLatin1Char('/')) && !typed.startsWith(QLatin1Char('.')) &&
        !typed.startsWith(QLatin1Char('~')) && !typed.startsWith(QLatin1Char('\\')))
        url = QUrl(QStringLiteral("http://") + typed);
    if (!url.isValid() || !IsWebScheme(url.scheme().toLower()) || url.host().isEmpty())
        return std::nullopt;
    return url;
}

QString BrowseFailureMessage(const QString& url)
{
    return QStringLiteral("Sorry.  Cannot browse ") + Quoted(url) +
           QStringLiteral(".  Unable to communicate  with the browser.  You may want to try again later.");
}

QString NotWebAddressMessage(const QString& url)
{
    return QStringLiteral("Sorry.  Cannot browse ") + Quoted(url) +
           QStringLiteral(".  Only web site addresses, those that start with http:// or https://, are opened "
                          "in the browser.");
}

TExtBrowser::TExtBrowser() : query_(CurrentDesktopBrowsing().QueryHttpHandler()) {}

TExtBrowser::~TExtBrowser() = default;

void TExtBrowser::Resolve()
{
    if (!query_)
        return;
    service_ = query_->Result();
    query_.reset();
    if (service_.endsWith(QLatin1String(".desktop")))
        service_.chop(8);
    kind_ = BrowserKindOf(service_);
}

TBrowserKind TExtBrowser::Kind()
{
    Resolve();
    return kind_;
}

QString TExtBrowser::Service()
{
    Resolve();
    return service_;
}

bool TExtBrowser::OpenURL(const QString& url)
{
    if (Kind() == TBrowserKind::None)
        return false;
    const std::optional<QUrl> address = WebAddress(url);
    return address && CurrentDesktopBrowsing().OpenUrl(*address);
}
