#pragma once
// The engine of the recording that plays next in a continuous drive, opened
// and paused ahead of time so that its first frame is ready when the playing
// recording ends. Owned by the main window, which takes the engine over when it
// starts that recording; at most one waits at a time. UI thread only.
#include <QString>

#include <memory>

class CDXGraph;

class PreparedEngine {
public:
    PreparedEngine();
    ~PreparedEngine();
    PreparedEngine(const PreparedEngine&) = delete;
    PreparedEngine& operator=(const PreparedEngine&) = delete;

    // Opens path and leaves it paused on its first frame, unless path is the
    // one already waiting or the one that failed to open last time (a damaged
    // file is tried once, not on every tick). Any other waiting engine goes.
    void Prepare(const QString& path);
    // The waiting engine when it was opened for path; null otherwise, and an
    // engine waiting for another path is given back.
    std::unique_ptr<CDXGraph> Take(const QString& path);
    // Gives the waiting engine back and forgets a failed path.
    void Discard();

    // The path asked for last (opened or failed); empty when nothing waits.
    QString Path() const { return m_path; }
    bool IsReady() const { return m_engine != nullptr; }
    const CDXGraph* Engine() const { return m_engine.get(); }

private:
    std::unique_ptr<CDXGraph> m_engine;
    QString m_path;
};
