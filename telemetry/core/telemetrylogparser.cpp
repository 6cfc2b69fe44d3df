#include "telemetrylogparser.h"

#include "telemetrylogscanner.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kAfterDateCharacters = 22;
constexpr int kLatitudeLetterCharacters = 6;
constexpr int kLongitudeLetterCharacters = 2;

// Counts every number that converts, stored or not.
class NumberReader {
public:
    explicit NumberReader(TelemetryLogScanner& in) : m_in(in) {}

    bool read(double& value)
    {
        if (!m_in.readNumber(value))
            return false;
        m_converted = true;
        return true;
    }
    bool converted() const { return m_converted; }

private:
    TelemetryLogScanner& m_in;
    bool m_converted = false;
};

bool readNumberInto(NumberReader& numbers, double& slot)
{
    double value;
    if (!numbers.read(value))
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

bool readCoordinate(NumberReader& numbers, char negativeLetter, int letter, double& slot)
{
    double degrees;
    double minutes;
    const bool gotDegrees = numbers.read(degrees);
    const bool gotMinutes = numbers.read(minutes);
    if (!gotDegrees || !gotMinutes)
        return false;
    const double value = degrees + minutes / 60.0;
    // Only the capital letter negates; the camera writes nothing else for it.
    slot = letter == negativeLetter ? -value : value;
    return true;
}

// One pass of the layout into sample i. Every field is attempted whatever
// happened to the ones before it. Returns whether the record was whole.
bool readRecord(TelemetryLogScanner& in, NumberReader& numbers, TelemetryTrack& track, int i)
{
    bool whole = in.skipToken();
    whole &= in.skipToken();
    whole &= in.takeCharacters(kAfterDateCharacters) == kAfterDateCharacters;
    whole &= readNumberInto(numbers, track.accelX[i]);
    whole &= in.takeCharacters(1) == 1;
    whole &= readNumberInto(numbers, track.accelY[i]);
    whole &= in.takeCharacters(1) == 1;
    whole &= readNumberInto(numbers, track.accelZ[i]);
    whole &= in.skipToken();
    const int latitudeLetter = readHemisphere(in, kLatitudeLetterCharacters, whole);
    whole &= readCoordinate(numbers, 'S', latitudeLetter, track.latitude[i]);
    const int longitudeLetter = readHemisphere(in, kLongitudeLetterCharacters, whole);
    whole &= readCoordinate(numbers, 'W', longitudeLetter, track.longitude[i]);
    whole &= readNumberInto(numbers, track.speed[i]);
    whole &= in.skipToken();
    return whole;
}

int parse(TelemetryLogScanner& in, TelemetryTrack& track, TelemetryParseReport* report,
          std::vector<std::size_t>* passStarts = nullptr)
{
    if (report)
        *report = TelemetryParseReport{};
    if (passStarts)
        passStarts->clear();
    NumberReader numbers(in);
    int count = 0;
    do {
        if (passStarts)
            passStarts->push_back(in.consumed());
        const bool whole = readRecord(in, numbers, track, count);
        if (report && whole) {
            report->whole.set(static_cast<std::size_t>(count));
            ++report->wholeRecords;
        }
        ++count;
    } while (!in.endOfFile() && count < kTelemetryCapacity);
    if (passStarts)
        passStarts->push_back(in.consumed());
    track.sampleCount = count;
    track.holdsTelemetry = numbers.converted();
    if (report)
        report->stoppedAtCapacity = !in.endOfFile();
    return count;
}

}  // namespace

void ClearTelemetryTrack(TelemetryTrack& track)
{
    for (double* values : {track.accelX, track.accelY, track.accelZ, track.latitude, track.longitude, track.speed})
        std::fill_n(values, kTelemetryCapacity, 0.0);
    track.sampleCount = 0;
    track.holdsTelemetry = false;
}

int ParseTelemetryLog(const char* data, std::size_t size, TelemetryTrack& track, TelemetryParseReport* report,
                      std::vector<std::size_t>* passStarts)
{
    TelemetryLogScanner in(data, size);
    return parse(in, track, report, passStarts);
}

int ParseTelemetryLog(std::FILE* file, TelemetryTrack& track, TelemetryParseReport* report)
{
    TelemetryLogScanner in(file);
    return parse(in, track, report);
}

int OpenTelemetryLogFile(const char* path)
{
    // Non-blocking, so that a FIFO in the log's place cannot hang the caller;
    // only a regular file is a log.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int reason = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = reason;
        return -1;
    }
    return fd;
}

bool ReadTelemetryLogFile(const char* path, TelemetryTrack& track, TelemetryParseReport* report)
{
    const int fd = OpenTelemetryLogFile(path);
    if (fd < 0)
        return false;
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
