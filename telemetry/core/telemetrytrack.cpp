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
    track.sampleCount = 0;
    TelemetryReloadPending = false;
    if (!ReadTelemetryLogFile(TelemetryLogPath(currentRecordName), track)) {
        TelemetryReloadPending = true;
        return false;
    }
    return true;
}
