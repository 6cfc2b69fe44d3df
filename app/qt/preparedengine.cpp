#include "preparedengine.h"

#include "cdxgraph.h"

PreparedEngine::PreparedEngine() = default;

PreparedEngine::~PreparedEngine()
{
    Discard();
}

void PreparedEngine::Prepare(const QString& path)
{
    if (path.isEmpty() || path == m_path)
        return;
    Discard();
    m_path = path;
    auto engine = std::make_unique<CDXGraph>();
    // RenderFile prerolls: the engine waits paused with its first frame decoded.
    if (!engine->Create() || !engine->RenderFile(path))
        return;
    m_engine = std::move(engine);
}

std::unique_ptr<CDXGraph> PreparedEngine::Take(const QString& path)
{
    std::unique_ptr<CDXGraph> engine;
    if (m_engine && path == m_path)
        engine = std::move(m_engine);
    Discard();
    return engine;
}

void PreparedEngine::Discard()
{
    if (m_engine) {
        m_engine->Stop();
        m_engine.reset();
    }
    m_path.clear();
}
