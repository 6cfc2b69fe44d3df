#include "recordfolderscan.h"

#include <QFile>

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A link to a folder counts as a folder, as it does for the camera's own file
// listing; a dangling link is just a name.
bool isDirectoryEntry(int folderFd, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_DIR:
        return true;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat info {};
        return ::fstatat(folderFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    }
    default:
        return false;
    }
}

} // namespace

QStringList ScanRecordFolder(const QString& folder, const QString& extension)
{
    QStringList names;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    DIR* dir = ::opendir(QFile::encodeName(prefix).constData());
    if (!dir)
        return names;
    const int folderFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        if (isDirectoryEntry(folderFd, entry))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        // The comparison runs on the full path: a name without a dot then sees a
        // dot of the folder, which never matches because a '/' follows it.
        const QString fullPath = prefix + name;
        const qsizetype dot = fullPath.lastIndexOf(u'.');
        if (dot >= 0 && QStringView(fullPath).mid(dot).toString().toLower() == extension)
            names.append(name);
    }
    ::closedir(dir);
    return names;
}
