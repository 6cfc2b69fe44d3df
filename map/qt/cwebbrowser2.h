#pragma once
// The embedded web browser of the information panel (control 1027): a thin
// wrapper round one QWebEngineView. It is the only place in the program that
// includes Qt WebEngine; everything else sees this small interface. Every
// browser of the process shares one profile, whose disk cache in the user's
// cache folder keeps the map tiles once fetched. Owned by its parent panel;
// user-interface thread only.
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

class PageBridge;
class QWebChannel;
class QWebEngineView;
class SilentWebPage;

class CWebBrowser2 : public QWidget {
    Q_OBJECT
public:
    // User-Agent sent with every request; tile services ask clients to name themselves.
    static constexpr const char* kUserAgent = "Kestrelview/1.0 (+dash-camera player)";

    explicit CWebBrowser2(QWidget* parent = nullptr);
    ~CWebBrowser2() override;

    // Call first thing in main(), before the QApplication exists: the browser
    // engine reads its switches from the environment once, at its start.
    static void PrepareEnvironment();

    // Starts loading a local file and returns at once; DocumentComplete follows.
    void Navigate(const QString& localPath);
    // true: the page shows no dialogs (alert, confirm, prompt) and its console
    // output is dropped.
    void SetSilent(bool silent);
    bool Silent() const { return m_silent; }
    // true once a page has finished loading; stays true while a new page loads.
    bool HasDocument() const { return m_hasDocument; }
    // Runs script text in the loaded page; fire and forget.
    void ExecScript(const QString& script);
    // The path last given to Navigate.
    QString CurrentPath() const { return m_path; }
    // Where the shared profile caches what pages fetch; empty when it keeps
    // its cache in memory only (no usable cache folder).
    static QString CachePath();

    // For tests: runs script and hands its result to the callback (on the
    // user-interface thread, later).
    void EvaluateForTest(const QString& script, std::function<void(const QVariant&)> callback);

signals:
    // A page finished loading successfully.
    void DocumentComplete();
    // The page asked for a sample of one of its routes (the user clicked it).
    void RouteClicked(int routeId, int sampleIndex);

private:
    void onLoadFinished(bool ok);

    SilentWebPage* m_page = nullptr;
    QWebChannel* m_channel = nullptr;
    PageBridge* m_bridge = nullptr;
    QWebEngineView* m_view = nullptr;
    QString m_path;
    bool m_silent = false;
    bool m_hasDocument = false;
};
