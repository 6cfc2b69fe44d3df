#include "cwebbrowser2.h"

#include "mapcache.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QTimer>
#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
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

// The one object a page can reach through the web channel ("kestrel"): it
// passes route clicks on and offers nothing else to the page.
class PageBridge : public QObject {
    Q_OBJECT
public:
    explicit PageBridge(CWebBrowser2* browser) : QObject(browser), m_browser(browser) {}

    Q_INVOKABLE void routeClicked(int routeId, int sampleIndex)
    {
        emit m_browser->RouteClicked(routeId, sampleIndex);
    }

private:
    CWebBrowser2* m_browser;
};

namespace {

// Tiles are small; this keeps several thousand of them.
constexpr qint64 kHttpCacheBytes = 200LL * 1024 * 1024;

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

// The profile every browser of the process shares, made on first use and
// owned by the application object, so it outlives every page. Its cache and
// storage live in the user's cache folder, private to the user; when that
// folder cannot be made, the cache stays in memory.
QWebEngineProfile* sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (profile)
        return profile;
    const QString folder = MapCacheFolder();
    const bool onDisk = !folder.isEmpty() && QDir().mkpath(folder)
                        && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (onDisk) {
        profile = new QWebEngineProfile(QStringLiteral("kestrelview"), QCoreApplication::instance());
        profile->setCachePath(folder);
        profile->setPersistentStoragePath(folder + QStringLiteral("/profile"));
        profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        profile->setHttpCacheMaximumSize(kHttpCacheBytes);
    } else {
        qCWarning(lcBrowser) << "no cache folder for the map; tiles are kept in memory only";
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    }
    profile->setHttpUserAgent(QString::fromLatin1(CWebBrowser2::kUserAgent));
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);

    // The page's side of the web channel, ready before any script of the page.
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (channelScript.open(QIODevice::ReadOnly)) {
        QWebEngineScript script;
        script.setName(QStringLiteral("qwebchannel"));
        script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        script.setRunsOnSubFrames(false);
        profile->scripts()->insert(script);
    } else {
        qCWarning(lcBrowser) << "the web channel script is missing; route clicks will not reach the player";
    }
    return profile;
}

}  // namespace

QString CWebBrowser2::CachePath()
{
    QWebEngineProfile* profile = sharedProfile();
    return profile->isOffTheRecord() ? QString() : profile->cachePath();
}

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
    // The map view is drawn by Qt Quick's software renderer into the window's
    // own backing store. With the GL renderer, Qt composes the whole window
    // through OpenGL at every update, and the video updates it 30 times a
    // second: that composition cost the player several times what decoding
    // the recording costs. The small map page needs no GPU. A user's own
    // choice of renderer is kept.
    if (!std::getenv("QT_QUICK_BACKEND") && !std::getenv("QSG_RHI_BACKEND"))
        setenv("QT_QUICK_BACKEND", "software", 1);
}

CWebBrowser2::CWebBrowser2(QWidget* parent) : QWidget(parent)
{
    m_page = new SilentWebPage(sharedProfile(), this);
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
    m_view->setFocusPolicy(Qt::NoFocus);
    // A file dropped on the map would replace the map page: drops go on to
    // the window, which opens what was dropped.
    m_view->setAcceptDrops(false);
    // The map is clicked and dragged, never typed into: a click on it hands
    // the keyboard straight back, so the player's keys keep working.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (!now || !m_view->isAncestorOf(now))
            return;
        QPointer<QWidget> back = old && !m_view->isAncestorOf(old) ? old : window();
        QTimer::singleShot(0, this, [back] {
            if (back)
                back->setFocus(Qt::OtherFocusReason);
        });
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_bridge = new PageBridge(this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("kestrel"), m_bridge);
    m_page->setWebChannel(m_channel);

    connect(m_page, &QWebEnginePage::loadFinished, this, &CWebBrowser2::onLoadFinished);
}

CWebBrowser2::~CWebBrowser2()
{
    // The view before its page, and the page before the channel it uses.
    delete m_view;
    m_view = nullptr;
    delete m_page;
    m_page = nullptr;
}

void CWebBrowser2::Navigate(const QString& localPath)
{
    m_path = localPath;
    // A relative file URL means nothing to the browser engine.
    m_page->load(QUrl::fromLocalFile(QFileInfo(localPath).absoluteFilePath()));
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

#include "cwebbrowser2.moc"
