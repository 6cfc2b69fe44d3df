#include "cwebbrowser2.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcBrowser, "kestrel.map")

// A page that, while silent, shows none of the dialogs a script can raise and
// keeps the script console quiet: the map page must never stop the player
// with a dialog of its own.
class SilentWebPage : public QWebEnginePage {
public:
    SilentWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

    bool silent = false;

protected:
    void javaScriptAlert(const QUrl& origin, const QString& msg) override
    {
        if (!silent)
            QWebEnginePage::javaScriptAlert(origin, msg);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override
    {
        return silent ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& defaultValue,
                          QString* result) override
    {
        return silent ? false : QWebEnginePage::javaScriptPrompt(origin, msg, defaultValue, result);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override
    {
        if (!silent)
            qCDebug(lcBrowser) << "page console:" << sourceID << lineNumber << message << int(level);
    }
};

namespace {

bool envIs(const char* name, const char* value)
{
    const char* v = std::getenv(name);
    return v && std::strcmp(v, value) == 0;
}

void appendChromiumFlag(const char* flag)
{
    const char* current = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    std::string flags = current ? current : "";
    if (flags.find(flag) != std::string::npos)
        return;
    if (!flags.empty())
        flags += ' ';
    flags += flag;
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
}

}  // namespace

void CWebBrowser2::PrepareEnvironment()
{
    // The browser engine shares GL contexts with the widgets; Qt wants this
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Chromium refuses to start its sandbox as root.
    if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX"))
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    // Without a display server there is no GPU to ask for.
    const bool headless = envIs("QT_QPA_PLATFORM", "offscreen") || envIs("QT_QPA_PLATFORM", "minimal")
                          || (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"));
    if (headless)
        appendChromiumFlag("--disable-gpu");
}

CWebBrowser2::CWebBrowser2(QWidget* parent) : QWidget(parent)
{
    // A profile without a storage name is off the record: nothing of the map
    // page (cache, cookies) is written to disk.
    m_profile = new QWebEngineProfile(this);
    m_profile->setHttpUserAgent(QString::fromLatin1(kUserAgent));
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);

    m_page = new SilentWebPage(m_profile, this);
    QWebEngineSettings* settings = m_page->settings();
    // The page is a local file that loads its map library and tiles from the web.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    m_view = new QWebEngineView(this);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    connect(m_page, &QWebEnginePage::loadFinished, this, &CWebBrowser2::onLoadFinished);
}

CWebBrowser2::~CWebBrowser2()
{
    // The page must go before its profile, or the engine complains and may
    // touch a released profile.
    delete m_view;
    m_view = nullptr;
    delete m_page;
    m_page = nullptr;
    delete m_profile;
    m_profile = nullptr;
}

void CWebBrowser2::Navigate(const QString& localPath)
{
    m_path = localPath;
    m_page->load(QUrl::fromLocalFile(localPath));
}

void CWebBrowser2::SetSilent(bool silent)
{
    m_silent = silent;
    m_page->silent = silent;
}

void CWebBrowser2::ExecScript(const QString& script)
{
    m_page->runJavaScript(script);
}

void CWebBrowser2::EvaluateForTest(const QString& script, std::function<void(const QVariant&)> callback)
{
    m_page->runJavaScript(script, [callback = std::move(callback)](const QVariant& result) {
        if (callback)
            callback(result);
    });
}

void CWebBrowser2::onLoadFinished(bool ok)
{
    if (!ok)
        return;
    m_hasDocument = true;
    emit DocumentComplete();
}
