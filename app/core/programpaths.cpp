#include "programpaths.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes dir a private folder of ours, or checks that it already is one.
// Opening with O_NOFOLLOW and checking through the descriptor means a link
// planted at that name is never followed, not even for the mode fix.
bool ensurePrivateFolder(const QByteArray& dir)
{
    if (::mkdir(dir.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool usable = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (usable && (st.st_mode & 07777) != 0700)
        usable = ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return usable;
}

QString withSlash(const QByteArray& dir)
{
    QString text = QFile::decodeName(dir);
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return text;
}

QByteArray withoutTrailingSlashes(QByteArray dir)
{
    while (dir.size() > 1 && dir.endsWith('/'))
        dir.chop(1);
    return dir;
}

std::mutex fallbackLock;
QByteArray fallbackRoot;   // guarded by fallbackLock
QByteArray fallbackFolder; // guarded by fallbackLock

} // namespace

QString ProgramDirectory()
{
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return QString();
    const QString exe = QFile::decodeName(QByteArray(buffer, static_cast<qsizetype>(length)));
    const qsizetype slash = exe.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : exe.left(slash + 1);
}

QString ModuleDirectoryFromArgument(const QString& argv0)
{
    const qsizetype slash = argv0.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return ProgramDirectory();
    return argv0.left(slash + 1);
}

QString SettingsPathFor(const QString& moduleDirectory)
{
    return moduleDirectory + QLatin1String(kPlayerSettingsFileName);
}

namespace {

bool writableByUs(const QByteArray& path)
{
    return ::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0;
}

// Whether a write of the settings file at `path` can succeed: the file is
// replaced through a new file in its folder, so the folder must take one.
bool settingsWritableAt(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : native.left(slash == 0 ? 1 : slash);
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode) && writableByUs(native);
}

} // namespace

QString SettingsPathInUse(const QString& moduleDirectory)
{
    return SettingsPathInUseUnder(moduleDirectory, QFile::decodeName(qgetenv("XDG_CONFIG_HOME")),
                                  QFile::decodeName(qgetenv("HOME")));
}

QString SettingsPathInUseUnder(const QString& moduleDirectory, const QString& configHome, const QString& home)
{
    const QString beside = SettingsPathFor(moduleDirectory);
    if (settingsWritableAt(beside))
        return beside;
    QByteArray base = QFile::encodeName(configHome);
    if (!base.startsWith('/')) {
        const QByteArray homeFolder = QFile::encodeName(home);
        if (!homeFolder.startsWith('/'))
            return beside;
        base = withoutTrailingSlashes(homeFolder) + "/.config";
    }
    base = withoutTrailingSlashes(base);
    // ~/.config may not exist yet on a fresh account; our own folder is the user's alone.
    if (::mkdir(base.constData(), 0700) != 0 && errno != EEXIST)
        return beside;
    const QByteArray folder = base + "/kestrelview";
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return beside;
    const QString own = QFile::decodeName(folder) + u'/' + QLatin1String(kPlayerSettingsFileName);
    if (!settingsWritableAt(own))
        return beside;
    struct stat st {};
    if (::lstat(QFile::encodeName(own).constData(), &st) != 0 && errno == ENOENT) {
        // The installed file's choices (a language, HelpFile) carry over once;
        // later the user's own file wins.
        QFile installed(beside);
        if (installed.open(QIODevice::ReadOnly))
            WriteFileNoFollow(own, installed.read(16 * 1024 * 1024));
    }
    return own;
}

QString PrivateTempDirectory()
{
    return PrivateTempDirectoryUnder(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")), QStringLiteral("/tmp"));
}

QString PrivateTempDirectoryUnder(const QString& runtimeDirectory, const QString& temporaryRoot)
{
    const QByteArray uid = QByteArray::number(static_cast<qulonglong>(::geteuid()));

    const QByteArray runtime = QFile::encodeName(runtimeDirectory);
    if (runtime.startsWith('/')) {
        const QByteArray dir = withoutTrailingSlashes(runtime) + "/kestrelview";
        if (ensurePrivateFolder(dir))
            return withSlash(dir);
    }

    const QByteArray root = withoutTrailingSlashes(QFile::encodeName(temporaryRoot));
    const QByteArray shared = root + "/kestrelview-" + uid;
    if (ensurePrivateFolder(shared))
        return withSlash(shared);

    // Someone else holds the usual name (or a link sits there): use a folder
    // only we can have made, one per process.
    const std::lock_guard<std::mutex> guard(fallbackLock);
    if (fallbackRoot == root && !fallbackFolder.isEmpty() && ensurePrivateFolder(fallbackFolder))
        return withSlash(fallbackFolder);
    QByteArray pattern = shared + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr || !ensurePrivateFolder(pattern))
        return QString();
    fallbackRoot = root;
    fallbackFolder = pattern;
    return withSlash(fallbackFolder);
}

bool WriteFileNoFollow(const QString& path, const QByteArray& data)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || native.endsWith('/'))
        return false;

    struct stat st {};
    if (::lstat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return false;
    } else if (errno != ENOENT) {
        return false;
    }

    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : native.left(slash == 0 ? 1 : slash);
    const QByteArray name = native.mid(slash + 1);
    QByteArray temporary = folder + (folder.endsWith('/') ? "" : "/") + "." + name + ".XXXXXX";

    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    qsizetype written = 0;
    while (ok && written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, static_cast<size_t>(data.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            written += n;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    // rename() replaces the name itself and never follows a link that may have
    // appeared there since the check above.
    if (ok)
        ok = ::rename(temporary.constData(), native.constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}
