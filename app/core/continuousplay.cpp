#include "continuousplay.h"

#include <cmath>

int ContinuousPlay::NextRow(int currentRow, int rowCount) const
{
    if (!m_on || currentRow < 0 || currentRow + 1 >= rowCount)
        return -1;
    return currentRow + 1;
}

bool ContinuousPlay::ShouldPrepare(int currentRow, int rowCount, double positionSeconds, double durationSeconds,
                                   double rate) const
{
    if (NextRow(currentRow, rowCount) < 0)
        return false;
    if (!std::isfinite(durationSeconds) || durationSeconds <= 0.0 || !std::isfinite(positionSeconds))
        return false;
    const double speed = std::isfinite(rate) && rate > 0.0 ? rate : 1.0;
    const double left = durationSeconds - positionSeconds;
    return left / speed <= kLeadSeconds;
}
