#pragma once
// The telemetry of the recording that playback started last: one sample per
// record of its ".LOG", in six parallel arrays of fixed size. There is one
// program-wide instance, owned by this subsystem and touched only by the UI
// thread; the display reads it, the log reader writes it.

class QString;

constexpr int kTelemetryCapacity = 10000;

struct TelemetryTrack {
    double accelX[kTelemetryCapacity];     // G-sensor X, as written in the log
    double accelY[kTelemetryCapacity];     // G-sensor Y
    double accelZ[kTelemetryCapacity];     // G-sensor Z
    double latitude[kTelemetryCapacity];   // decimal degrees, south negative
    double longitude[kTelemetryCapacity];  // decimal degrees, west negative
    double speed[kTelemetryCapacity];      // as written; unit given by "RecordAsMile"
    // Passes counted by the last read, the trailing pass after a final line
    // break included; 0 before the first read and while the log cannot be opened.
    int sampleCount;
};

// The program-wide track. Zero at start and never cleared: a shorter read
// leaves the values of a longer earlier one beyond its own sampleCount.
TelemetryTrack& TheTelemetryTrack();

// Raised at program start and by each start of playback; the display reads the
// log when it finds it set. The reader clears it and raises it again when the
// log cannot be opened, so the read is retried at the next refresh.
extern bool TelemetryReloadPending;

// Reads the ".LOG" beside currentRecordName (see TelemetryLogPath) into the
// program-wide track: sets sampleCount to 0 and clears TelemetryReloadPending,
// then reads the log; when it cannot be opened, raises the flag again and
// returns false with sampleCount left at 0. The display calls it when it finds
// the flag set.
bool ReadTelemetryLog(const QString& currentRecordName);
