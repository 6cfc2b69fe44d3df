#pragma once
// A telemetry log kept as its bytes, with where each pass of the reader begins: for tools that
// copy records exactly as the camera wrote them (a clip's own log) or read what the reader
// discards (the camera's clock). Plain C++; touches no program-wide state.

#include "telemetrylogparser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TelemetryLogText {
    std::string bytes;
    std::vector<std::size_t> passStarts;  // sampleCount + 1 entries after a read

    // The bytes of one pass, the whitespace before its record included.
    std::string_view pass(int index) const;
};

// The largest log read whole; a log holds at most kTelemetryCapacity records of a few hundred
// bytes, so anything beyond this is damage and is left unread.
inline constexpr std::size_t kTelemetryLogTextLimit = 64u << 20;

// Reads the log at path (8-bit, as the file system spells it) into text and parses it into
// track as ReadTelemetryLogFile does. False, with errno telling why, when it cannot be opened.
bool ReadTelemetryLogText(const char* path, TelemetryLogText& text, TelemetryTrack& track,
                          TelemetryParseReport* report = nullptr);

// Passes [first, end) as a log of their own: their bytes as they are, without the whitespace
// before the first record, the last one ended by "\r\n". The reader takes back the same samples
// from it, end - first passes and the empty one after the final line break.
std::string CutTelemetryLog(const TelemetryLogText& text, int first, int end);

// The date and time in the fields of a record that the reader discards (the two tokens and the
// 22 characters after them), as cameras write them: "20240501 12:00:07", "2024-05-01 12:00:07.000",
// "2024/05/01 ...". Gives "2024-05-01T12:00:07" (fractions kept: "...07.000"), the camera's own
// clock without a time zone; nothing when the record holds no valid date and time.
std::optional<std::string> RecordDateTime(std::string_view passText);
