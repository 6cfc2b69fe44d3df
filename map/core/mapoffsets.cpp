#include "mapoffsets.h"

#include <QFile>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A line of the file is read into this buffer: at most 511 characters at a time.
constexpr int kLineBufferBytes = 512;
constexpr double kLargestOffset = 0.1;

// atof in the "C" locale: the decimal point is '.', whatever the user's locale.
double cAtof(const char* text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return cLocale ? strtod_l(text, nullptr, cLocale) : std::strtod(text, nullptr);
}

std::FILE* openRegularFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

} // namespace

MapOffsets ReadManualFix(const QString& path)
{
    MapOffsets offsets;
    std::FILE* file = path.isEmpty() ? nullptr : openRegularFile(path);
    if (!file)
        return offsets;
    for (double* offset : {&offsets.latitude, &offsets.longitude}) {
        char line[kLineBufferBytes];
        std::memset(line, 0, sizeof line);
        if (!std::fgets(line, sizeof line, file))
            line[0] = '\0';  // a missing line reads as 0
        const double value = cAtof(line);
        // NaN fails this test too, so it can never reach the page.
        if (std::fabs(value) < kLargestOffset)
            *offset = value;
    }
    std::fclose(file);
    return offsets;
}
