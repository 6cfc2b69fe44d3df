#include "eventtimeline.h"

#include "telemetrystrip.h"

#include <algorithm>
#include <cmath>

namespace {
// A target this close ahead of the position counts as reached.
constexpr double kAheadSeconds = 0.05;
// Previous skips a target less than this far behind.
constexpr double kBehindSeconds = 1.0;
}  // namespace

void EventTimeline::Reset(const std::vector<GSensorEvent>& events, int sampleCount)
{
    m_events.clear();
    m_events.reserve(events.size());
    for (const GSensorEvent& e : events)
        m_events.push_back({e, FirstPositionShowing(e.startSample, sampleCount)});
    m_anchor = -1;
    m_anchorLanding = 0.0;
}

std::vector<int> EventTimeline::Positions() const
{
    std::vector<int> positions;
    positions.reserve(m_events.size());
    for (const TimedEvent& e : m_events)
        positions.push_back(e.position);
    return positions;
}

double EventTimeline::StartSeconds(int index, double durationSeconds) const
{
    if (index < 0 || index >= static_cast<int>(m_events.size()))
        return 0.0;
    return m_events[static_cast<std::size_t>(index)].position * durationSeconds / 1000.0;
}

double EventTimeline::TargetSeconds(int index, double durationSeconds) const
{
    return std::max(0.0, StartSeconds(index, durationSeconds) - kLeadSeconds);
}

int EventTimeline::anchored(double positionSeconds, double durationSeconds) const
{
    if (m_anchor < 0 || m_anchor >= static_cast<int>(m_events.size()))
        return -1;
    const double from = std::min(m_anchorLanding, TargetSeconds(m_anchor, durationSeconds)) - 0.05;
    const double until = std::max(StartSeconds(m_anchor, durationSeconds), m_anchorLanding + 0.05);
    if (positionSeconds < from || positionSeconds >= until)
        return -1;
    return m_anchor;
}

int EventTimeline::Next(double positionSeconds, double durationSeconds) const
{
    const int count = static_cast<int>(m_events.size());
    if (const int a = anchored(positionSeconds, durationSeconds); a >= 0)
        return a + 1 < count ? a + 1 : -1;
    for (int i = 0; i < count; ++i) {
        if (TargetSeconds(i, durationSeconds) > positionSeconds + kAheadSeconds)
            return i;
    }
    return -1;
}

int EventTimeline::Previous(double positionSeconds, double durationSeconds) const
{
    if (const int a = anchored(positionSeconds, durationSeconds); a >= 0)
        return a - 1;
    for (int i = static_cast<int>(m_events.size()) - 1; i >= 0; --i) {
        if (TargetSeconds(i, durationSeconds) < positionSeconds - kBehindSeconds)
            return i;
    }
    return -1;
}

void EventTimeline::Jumped(int index, double landedSeconds)
{
    m_anchor = index;
    m_anchorLanding = landedSeconds;
}

QString EventNoteText(const QString& eventWord, int index, int count, const GSensorEvent& event)
{
    const QString magnitude = QString::number(std::abs(event.peakG), 'f', 2);
    QString sign;
    if (magnitude != QLatin1String("0.00"))
        sign = event.peakG < 0 ? QStringLiteral(u"\u2212") : QStringLiteral("+");
    return QStringLiteral(u"%1 %2/%3 \u00B7 %4 %5%6 g")
        .arg(eventWord)
        .arg(index + 1)
        .arg(count)
        .arg(QLatin1String(GSensorAxisName(event.axis)), sign, magnitude);
}
