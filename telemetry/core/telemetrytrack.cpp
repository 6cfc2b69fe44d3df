#include "telemetrytrack.h"

#include "telemetrylogpath.h"

bool TelemetryReloadPending = true;

TelemetryTrack& TheTelemetryTrack()
{
    // Static storage: zero-initialised before anything runs, no guard needed.
    static TelemetryTrack track;
    return track;
}

bool ReadTelemetryLog(const QString& currentRecordName)
{
    TelemetryTrack& track = TheTelemetryTrack();
    // A value that does not convert must read as 0, never as the value an
    // earlier recording's log left at that index.
    ClearTelemetryTrack(track);
    TelemetryReloadPending = false;
    if (!ReadTelemetryLogFile(TelemetryLogPath(currentRecordName), track)) {
        TelemetryReloadPending = true;
        return false;
    }
    return true;
}
