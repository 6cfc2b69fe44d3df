#include "telemetrylogparser.h"

#include "telemetrylogscanner.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kAfterDateCharacters = 22;
constexpr int kLatitudeLetterCharacters = 6;
constexpr int kLongitudeLetterCharacters = 2;

bool readNumberInto(TelemetryLogScanner& in, double& slot)
{
    double value;
    if (!in.readNumber(value))
        return false;
    slot = value;
    return true;
}

// Counted field whose last character is a hemisphere letter; 0 when the input
// ended before the letter.
int readHemisphere(TelemetryLogScanner& in, int count, bool& whole)
{
    int last = 0;
    if (in.takeCharacters(count, &last) != count) {
        whole = false;
        return 0;
    }
    return last;
}

bool readCoordinate(TelemetryLogScanner& in, char negativeLetter, int letter, double& slot)
{
    double degrees;
    double minutes;
    const bool gotDegrees = in.readNumber(degrees);
    const bool gotMinutes = in.readNumber(minutes);
    if (!gotDegrees || !gotMinutes)
        return false;
    const double value = degrees + minutes / 60.0;
    // Only the capital letter negates; the camera writes nothing else for it.
    slot = letter == negativeLetter ? -value : value;
    return true;
}

// One pass of the layout into sample i. Every field is attempted whatever
// happened to the ones before it. Returns whether the record was whole.
bool readRecord(TelemetryLogScanner& in, TelemetryTrack& track, int i)
{
    bool whole = in.skipToken();
    whole &= in.skipToken();
    whole &= in.takeCharacters(kAfterDateCharacters) == kAfterDateCharacters;
    whole &= readNumberInto(in, track.accelX[i]);
    whole &= in.takeCharacters(1) == 1;
    whole &= readNumberInto(in, track.accelY[i]);
    whole &= in.takeCharacters(1) == 1;
    whole &= readNumberInto(in, track.accelZ[i]);
    whole &= in.skipToken();
    const int latitudeLetter = readHemisphere(in, kLatitudeLetterCharacters, whole);
    whole &= readCoordinate(in, 'S', latitudeLetter, track.latitude[i]);
    const int longitudeLetter = readHemisphere(in, kLongitudeLetterCharacters, whole);
    whole &= readCoordinate(in, 'W', longitudeLetter, track.longitude[i]);
    whole &= readNumberInto(in, track.speed[i]);
    whole &= in.skipToken();
    return whole;
}

int parse(TelemetryLogScanner& in, TelemetryTrack& track, TelemetryParseReport* report)
{
    if (report)
        *report = TelemetryParseReport{};
    int count = 0;
    do {
        const bool whole = readRecord(in, track, count);
        if (report && whole) {
            report->whole.set(static_cast<std::size_t>(count));
            ++report->wholeRecords;
        }
        ++count;
    } while (!in.endOfFile() && count < kTelemetryCapacity);
    track.sampleCount = count;
    if (report)
        report->stoppedAtCapacity = !in.endOfFile();
    return count;
}

}  // namespace

int ParseTelemetryLog(const char* data, std::size_t size, TelemetryTrack& track, TelemetryParseReport* report)
{
    TelemetryLogScanner in(data, size);
    return parse(in, track, report);
}

int ParseTelemetryLog(std::FILE* file, TelemetryTrack& track, TelemetryParseReport* report)
{
    TelemetryLogScanner in(file);
    return parse(in, track, report);
}

bool ReadTelemetryLogFile(const char* path, TelemetryTrack& track, TelemetryParseReport* report)
{
    // Non-blocking, so that a FIFO in the log's place cannot hang the caller;
    // only a regular file is a log.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int reason = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = reason;
        return false;
    }
    std::FILE* file = ::fdopen(fd, "r");
    if (!file) {
        const int reason = errno;
        ::close(fd);
        errno = reason;
        return false;
    }
    ParseTelemetryLog(file, track, report);
    std::fclose(file);
    return true;
}
