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
    // Whether any number of the last read converted. A log without one (all
    // NUL bytes after a power loss, binary garbage, one endless token) still
    // counts its passes but holds no telemetry, and nothing of it is shown.
    bool holdsTelemetry;
};

// The program-wide track. Zero at start; every read clears it first, so no
// value of an earlier log can stand in for one that did not convert.
TelemetryTrack& TheTelemetryTrack();

// Raised at program start and by each start of playback; the display reads the
// log when it finds it set. The reader clears it and raises it again when the
// log cannot be opened, so the read is retried at the next refresh.
extern bool TelemetryReloadPending;

// Reads the ".LOG" beside currentRecordName (see TelemetryLogPath) into the
// program-wide track: clears the track (every value 0, sampleCount 0, no
// telemetry) and TelemetryReloadPending, then reads the log; when it cannot be opened,
// raises the flag again and returns false with sampleCount left at 0. The
// display calls it when it finds the flag set.
bool ReadTelemetryLog(const QString& currentRecordName);
