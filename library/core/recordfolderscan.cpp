#include "recordfolderscan.h"

#include "filenamecodec.h"
#include "recordnameorder.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

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

// Whether the name's text from its last '.' is plain ASCII; `suffix` then
// points at that dot.
bool asciiSuffix(const char* name, const char*& suffix)
{
    suffix = std::strrchr(name, '.');
    if (!suffix)
        return false;
    for (const char* p = suffix; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    return true;
}

bool equalsAsciiLowered(const char* text, const QByteArray& lowerAscii)
{
    const std::size_t length = std::strlen(text);
    if (length != std::size_t(lowerAscii.size()))
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lowerAscii[qsizetype(i)])
            return false;
    }
    return true;
}

} // namespace

QStringList ScanRecordFolder(const QString& folder, const QString& extension)
{
    return ScanRecordFolder(folder, QStringList{extension});
}

QStringList ScanRecordFolder(const QString& folder, const QStringList& extensions)
{
    // Each name with the rank of its group: 0 for the first extension, 1 for the rest.
    std::vector<std::pair<int, QString>> found;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    DIR* dir = ::opendir(EncodeFileName(prefix).constData());
    if (!dir)
        return {};
    const int folderFd = ::dirfd(dir);
    // Most names end in an ASCII extension: those are compared as bytes and
    // only a match is decoded. The result is the same as lower-casing the
    // decoded text, because a '.' byte is always a '.' character in UTF-8.
    const bool asciiExtensions = std::all_of(extensions.begin(), extensions.end(), [](const QString& extension) {
        return std::all_of(extension.begin(), extension.end(), [](QChar c) { return c.unicode() < 0x80; });
    });
    std::vector<QByteArray> asciiLowerExtensions;
    if (asciiExtensions)
        for (const QString& extension : extensions)
            asciiLowerExtensions.push_back(extension.toLatin1());
    const auto rankOfAscii = [&](const char* suffix) {
        for (std::size_t i = 0; i < asciiLowerExtensions.size(); ++i)
            if (equalsAsciiLowered(suffix, asciiLowerExtensions[i]))
                return i == 0 ? 0 : 1;
        return -1;
    };
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const char* suffix = nullptr;
        const bool quick = asciiExtensions && asciiSuffix(entry->d_name, suffix);
        const int quickRank = quick ? rankOfAscii(suffix) : -1;
        if (quick && quickRank < 0)
            continue;
        if (isDirectoryEntry(folderFd, entry))
            continue;
        // Kept byte for byte: a name that is no valid UTF-8 must still open.
        const QString name = DecodeFileName(entry->d_name);
        if (quick) {
            found.emplace_back(quickRank, name);
            continue;
        }
        // The comparison runs on the full path: a name without a dot then sees a
        // dot of the folder, which never matches because a '/' follows it.
        const QString fullPath = prefix + name;
        const qsizetype dot = fullPath.lastIndexOf(u'.');
        if (dot < 0)
            continue;
        const QString lowered = QStringView(fullPath).mid(dot).toString().toLower();
        const qsizetype index = extensions.indexOf(lowered);
        if (index >= 0)
            found.emplace_back(index == 0 ? 0 : 1, name);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : RecordNameLess(a.second, b.second);
    });
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (auto& entry : found)
        names.append(std::move(entry.second));
    return names;
}
