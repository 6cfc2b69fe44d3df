// Any template must give a page that fits the buffer, ends in its only zero
// byte and is whole UTF-8; the page file must hold exactly those bytes.
// Input: first byte = language index, the rest = template.
#include "mappage.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>

#include <unistd.h>

namespace {

// One private folder per run, removed when the fuzzer exits.
struct WorkFolder {
    WorkFolder() : path(QDir::tempPath() + QStringLiteral("/fuzz_maptemplate.") + QString::number(::getpid()))
    {
        QDir().mkpath(path);
    }
    ~WorkFolder() { QDir(path).removeRecursively(); }
    QString path;
};

const QString& workFolder()
{
    static const WorkFolder folder;
    return folder.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int languageIndex = int(data[0]) - 100;  // also reaches indexes outside 0..26
    const QByteArrayView templateBytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const QByteArray page = MapPageBytes(templateBytes, languageIndex);
    if (page.isEmpty() || page.size() > kMapPageBufferBytes || page.back() != '\0')
        std::abort();
    const QByteArray text = page.chopped(1);
    if (text.contains('\0') || QString::fromUtf8(text).toUtf8() != text)
        std::abort();

    QFile templateFile(workFolder() + QStringLiteral("/map.txt"));
    if (!templateFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    templateFile.write(templateBytes.data(), templateBytes.size());
    templateFile.close();
    const MapPageResult result = GenerateMapPageFile(workFolder(), workFolder(), languageIndex);
    if (!result.templateRead || !result.pageWritten)
        std::abort();
    QFile pageFile(result.pagePath);
    if (!pageFile.open(QIODevice::ReadOnly) || pageFile.readAll() != page)
        std::abort();
    return 0;
}
