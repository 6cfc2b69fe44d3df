#pragma once
// The information panel: the current record's number and path, the video's
// resolution, Previous/Next, and below them the map page in an embedded
// browser. A child of the main window's panel frame (1021), created once and
// owned by the main window; user-interface thread only, except the map
// reachability flag, which the connectivity probe threads write.
#include "connectivityprobe.h"

#include <QDialog>
#include <QFont>
#include <QString>

#include <memory>

class CControlButton;
class CWebBrowser2;
class QLabel;
class QLineEdit;
class QTextEdit;

// True while one map position update runs; an update that arrives meanwhile
// is dropped. Program-wide, user-interface thread.
extern bool mapUpdateBusy;

class CInformation : public QDialog {
    Q_OBJECT
public:
    // Control identifiers of the panel.
    static constexpr int kPreviousButton = 1022;
    static constexpr int kNextButton = 1023;
    static constexpr int kRecordText = 1024;
    static constexpr int kEventText = 1025;
    static constexpr int kResolutionText = 1026;
    static constexpr int kBrowser = 1027;
    static constexpr int kEventCaption = 1030;
    static constexpr int kResolutionCaption = 1031;
    static constexpr int kCurrentRecordCaption = 1080;
    static constexpr int kBackgroundBitmap = 160;

    explicit CInformation(QWidget* parent = nullptr);
    ~CInformation() override;

    // Where the program's own files lie (map.txt, Google-earth.html,
    // ManualFix.txt) and the private folder the generated page goes to. The
    // main window calls it before the first GenerateMapPage.
    void SetFolders(const QString& programDirectory, const QString& tempDirectory);
    // The main window's readout font for the edits 1024, 1025 and 1026.
    void SetReadoutFont(const QFont& font);

    // Record text and resolution of the recording that just started, and which
    // of Previous/Next can be used. Reads the record list model and the video size.
    void RefreshRecordInfo();
    // Texts that follow the interface language: label 1031 and both tooltips.
    void RelabelInformationPanel();

    // Writes the map page for the language index (0..26) and loads it; starts
    // a new connectivity probe. A missing template is reported once and the
    // browser keeps its page; the caller goes on either way.
    void GenerateMapPage(int language);
    // Moves the page's marker to a GPS position (degrees, latitude first),
    // corrected by ManualFix.txt, once the tile host was reached and a page
    // has loaded; otherwise does nothing.
    void UpdateMapPosition(double latitude, double longitude);
    // Starts one probe thread; its outcome lands in mapReachable().
    void StartConnectivityProbe();
    // The browser finished loading a page.
    void OnDocumentComplete();

    // 1 when the last probe reached the tile host, else 0.
    int mapReachable() const { return m_reach->mapReachable.load(); }
    QString mapPagePath() const { return m_mapPagePath; }
    CWebBrowser2* browser() const { return m_browser; }

    // Tests aim the probe at a local listener instead of the tile host.
    void SetProbeTarget(const ProbeTarget& target) { m_probeTarget = target; }

signals:
    // Previous/Next were pressed and a neighbouring row exists; the main
    // window connects these to the record list panel.
    void previousRequested();
    void nextRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void onPrevious();
    void onNext();

    // Shared with the probe threads, which may outlive the panel.
    std::shared_ptr<MapReachability> m_reach;
    ProbeTarget m_probeTarget;
    QString m_mapPagePath;
    QString m_programDirectory;
    QString m_tempDirectory;
    QString m_lastTemplateWarning;
    bool m_hasDocument = false;
    QFont m_readoutFont;

    CControlButton* m_previousButton = nullptr;
    CControlButton* m_nextButton = nullptr;
    CWebBrowser2* m_browser = nullptr;
    QTextEdit* m_recordText = nullptr;
    QLineEdit* m_eventText = nullptr;
    QLineEdit* m_resolutionText = nullptr;
    QLabel* m_resolutionCaption = nullptr;
    QLabel* m_currentRecordCaption = nullptr;
    QLabel* m_eventCaption = nullptr;
};
