#pragma once
// Reads a telemetry log into a track. The record layout, field by field, each
// field with the rules of one fscanf conversion (see TelemetryLogScanner):
//
//   T1 T2[22]X[1]Y[1]Z T3[6]D M[2]D M S T4
//
//   T1, T2, T3, T4  tokens, discarded
//   [22]            22 characters as they come, from the whitespace that ended T2
//   X, Y, Z         G-sensor numbers, each followed by one separator character
//   [6]             6 characters from the whitespace that ended T3; the sixth
//                   is the latitude hemisphere letter ("S" negates)
//   D M             degrees and minutes: value = D + M / 60
//   [2]             the character right after the latitude minutes, then the
//                   longitude hemisphere letter ("W" negates)
//   S               speed, as written
//
// Line breaks are whitespace like any other. A number that does not convert
// stores nothing (the track keeps what it held at that index) and leaves the
// input where it stopped, so the fields of everything after it shift; the
// remaining fields of the record are read on regardless. A coordinate is
// stored only when both its degrees and its minutes converted. holdsTelemetry
// tells whether any number at all converted.
//
// The loop reads one record per pass into index sampleCount, counts the pass,
// and stops when the end-of-file indicator is set: a log whose last record
// ends with a line break counts one pass more than it has records, an empty
// log counts one. It also stops after kTelemetryCapacity passes, so nothing is
// ever written outside the track. These functions touch no program-wide state.

#include "telemetrytrack.h"

#include <bitset>
#include <cstddef>
#include <cstdio>
#include <vector>

struct TelemetryParseReport {
    // Passes in which every field of the layout was read in full (tokens
    // found, counted fields complete, every number converted). The trailing
    // pass after a final line break, or a record cut short by the end of the
    // file, is not whole.
    int wholeRecords = 0;
    std::bitset<kTelemetryCapacity> whole;  // whole[i]: pass i was whole
    // The capacity ended the read while input was left.
    bool stoppedAtCapacity = false;
};

// Zero in every sample, sampleCount 0, no telemetry.
void ClearTelemetryTrack(TelemetryTrack& track);

// Reads the log held in data[0, size) into track (sampleCount and
// holdsTelemetry included) and returns sampleCount, always at least 1 and at
// most kTelemetryCapacity.
// passStarts, when given, receives where each pass began in data, and after them the offset
// where the last pass ended (sampleCount + 1 entries), so that the bytes of passes [a, b) are
// data[passStarts[a], passStarts[b]).
int ParseTelemetryLog(const char* data, std::size_t size, TelemetryTrack& track,
                      TelemetryParseReport* report = nullptr, std::vector<std::size_t>* passStarts = nullptr);

// The same over an open stream, read from its current position to its end.
int ParseTelemetryLog(std::FILE* file, TelemetryTrack& track, TelemetryParseReport* report = nullptr);

// Opens the log at path (8-bit, as the file system spells it) and reads it
// into track as ParseTelemetryLog does. False, with errno telling why and
// track untouched, when the log cannot be opened: missing, unreadable, a
// directory or not a regular file.
// Opens the log at path for reading, non-blocking, and only when it is a
// regular file: a descriptor, or -1 with errno telling why.
int OpenTelemetryLogFile(const char* path);

bool ReadTelemetryLogFile(const char* path, TelemetryTrack& track, TelemetryParseReport* report = nullptr);
