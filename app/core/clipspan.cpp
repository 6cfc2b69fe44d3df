#include "clipspan.h"

#include <algorithm>
#include <cmath>

void ClipSpan::Reset(double durationSeconds)
{
    m_duration = std::max(0.0, durationSeconds);
    ClearMarks();
}

void ClipSpan::ClearMarks()
{
    m_in.reset();
    m_out.reset();
}

double ClipSpan::clamped(double seconds) const
{
    if (!std::isfinite(seconds) || seconds < 0.0)
        return 0.0;
    // An unknown duration bounds nothing; the export clamps to the file it cuts.
    return m_duration > 0.0 ? std::min(seconds, m_duration) : seconds;
}

void ClipSpan::SetIn(double seconds)
{
    m_in = clamped(seconds);
    if (m_out && *m_out <= *m_in)
        m_out.reset();
}

void ClipSpan::SetOut(double seconds)
{
    m_out = clamped(seconds);
    if (m_in && *m_in >= *m_out)
        m_in.reset();
}

ClipSpan::Choice ClipSpan::Choose(double positionSeconds, const std::vector<double>& eventSeconds) const
{
    Choice choice;
    const double end = m_duration > 0.0 ? m_duration : std::max(clamped(positionSeconds) + kAfterSeconds,
                                                                 m_out.value_or(0.0));
    if (HasMarks()) {
        choice.basis = Basis::Marks;
        choice.fromSeconds = m_in.value_or(0.0);
        choice.toSeconds = m_out.value_or(end);
        return choice;
    }
    const double position = clamped(positionSeconds);
    int nearest = -1;
    double nearestDistance = 0.0;
    for (std::size_t i = 0; i < eventSeconds.size(); ++i) {
        const double moment = eventSeconds[i];
        if (position < moment - kBeforeSeconds || position > moment + kAfterSeconds)
            continue;
        const double distance = std::fabs(position - moment);
        if (nearest < 0 || distance < nearestDistance) {
            nearest = int(i);
            nearestDistance = distance;
        }
    }
    const double centre = nearest >= 0 ? eventSeconds[std::size_t(nearest)] : position;
    choice.basis = nearest >= 0 ? Basis::Event : Basis::Position;
    choice.event = nearest + 1;
    choice.fromSeconds = clamped(centre - kBeforeSeconds);
    choice.toSeconds = std::min(end, clamped(centre + kAfterSeconds));
    return choice;
}
