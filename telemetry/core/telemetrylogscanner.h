#pragma once
// The lexical layer of the telemetry log reader. The log is defined by how the
// camera's companion software has always read it: C fscanf conversions ("%s",
// "%Nc", "%lf") on a file opened in text mode. This class performs those
// conversions, one per call, exactly as glibc's fscanf does (including what a
// failed number leaves consumed), over a byte buffer or a stdio stream, and
// keeps the stream's end-of-file indicator that the record loop tests.
// One scanner per read, used by one thread.

#include <cstddef>
#include <cstdio>
#include <memory>

class TelemetryLogScanner {
public:
    // Reads bytes in memory; they must outlive the scanner.
    TelemetryLogScanner(const char* data, std::size_t size);
    // Reads an open stream in chunks (it reads ahead of what it has consumed);
    // the stream stays the caller's. A read error ends the input like the end
    // of the file, so a failing card cannot keep the record loop going.
    explicit TelemetryLogScanner(std::FILE* file);
    ~TelemetryLogScanner();
    TelemetryLogScanner(const TelemetryLogScanner&) = delete;
    TelemetryLogScanner& operator=(const TelemetryLogScanner&) = delete;

    // The widest token kept: the reader's token buffer has 100 bytes. A longer
    // token is taken in pieces of this size, as "%99s" would.
    static constexpr int kTokenLimit = 99;

    // "%99s": skips whitespace, then takes characters up to the next
    // whitespace (left unread), at most kTokenLimit. False when the input
    // ended before a token began.
    bool skipToken();

    // "%Nc": takes the next count characters as they come, whitespace
    // included; fewer when the input ends. Returns how many were taken and, if
    // any, stores the last of them in *last.
    int takeCharacters(int count, int* last = nullptr);

    // "%lf" with glibc's rules: skips whitespace, then reads a decimal or
    // hexadecimal floating-point number, "inf", "infinity" or "nan" (any case,
    // optional sign), always with "." as the decimal point whatever the
    // user's locale. On success stores the value and returns true. On failure
    // leaves value alone; the characters read while trying stay consumed,
    // except the one that showed the number had ended ("-x" consumes "-",
    // "e5" consumes nothing, "nax" consumes all three).
    bool readNumber(double& value);

    // The end-of-file indicator: set by the first read that runs into the end
    // of the input, never by a conversion that stopped just short of it.
    bool endOfFile() const { return m_eof; }

    // Bytes consumed so far, as they lie in the input (a carriage return dropped before a line
    // feed counts). Only for a scanner over bytes in memory; a stream scanner gives 0.
    std::size_t consumed() const { return m_file ? 0 : static_cast<std::size_t>(m_pos - m_begin); }

private:
    int get();
    void unget() { --m_pos; }
    int skipSpace();
    bool expectLetters(const char* lowerCase);
    bool refill();

    const unsigned char* m_begin = nullptr;  // memory mode: the first byte
    const unsigned char* m_pos = nullptr;
    const unsigned char* m_end = nullptr;
    std::FILE* m_file = nullptr;
    std::unique_ptr<unsigned char[]> m_chunk;  // stream mode: [0] keeps the byte before m_pos
    bool m_eof = false;
};
