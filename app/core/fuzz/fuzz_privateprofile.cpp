// Feeds arbitrary bytes to the INI layer as a settings file, reads from it and
// writes into it, and checks that a write changes exactly the key written.
#include "privateprofile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

char scratchFolder[64];

void removeScratch()
{
    const QByteArray folder(scratchFolder);
    ::unlink((folder + "/profile.ini").constData());
    ::rmdir(folder.constData());
}

QString scratchFile()
{
    static const QString path = [] {
        // tmpfs when there is one: every write syncs, and a disk makes that slow.
        const char* pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/fuzz-privateprofile-XXXXXX"
                                                               : "/tmp/fuzz-privateprofile-XXXXXX";
        std::strcpy(scratchFolder, pattern);
        if (!::mkdtemp(scratchFolder))
            std::abort();
        std::atexit(removeScratch);
        return QString::fromLocal8Bit(scratchFolder) + QStringLiteral("/profile.ini");
    }();
    return path;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = scratchFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    // Names picked from the input itself reach sections and keys that exist.
    const QString wild = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size > 12 ? 12 : size));
    const QString sections[] = {QStringLiteral("VEXORAPLAYER"), QStringLiteral("s"), wild};
    for (const QString& section : sections) {
        PrivateProfile::GetString(section, QStringLiteral("LastLoadPath"), QStringLiteral("d"), path);
        PrivateProfile::GetInt(section, QStringLiteral("DefaultLang"), 3, path);
        PrivateProfile::GetInt(section, wild, -1, path);
    }

    const QString other = PrivateProfile::GetString(QStringLiteral("s"), QStringLiteral("k2"), QStringLiteral("<none>"), path);
    const QString otherSection = PrivateProfile::GetString(QStringLiteral("t"), QStringLiteral("k1"), QStringLiteral("<none>"), path);
    if (PrivateProfile::WriteString(QStringLiteral("s"), QStringLiteral("k1"), QStringLiteral("written"), path)) {
        check(PrivateProfile::GetString(QStringLiteral("s"), QStringLiteral("k1"), QString(), path) == QLatin1String("written"));
        check(PrivateProfile::GetString(QStringLiteral("s"), QStringLiteral("k2"), QStringLiteral("<none>"), path) == other);
        check(PrivateProfile::GetString(QStringLiteral("t"), QStringLiteral("k1"), QStringLiteral("<none>"), path) == otherSection);
    }
    PrivateProfile::WriteString(wild, wild, wild, path);
    return 0;
}
