#pragma once
// Building the map page: the template "map.txt" beside the program with the
// language code written in, saved as "tmp-map.html" in the user's temporary
// folder. The file side only; the information panel navigates its browser to
// the result. UI thread.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The template is read whole into a fixed buffer of this size; the page is
// encoded back into it. At most 8,095 template bytes are used, so the text
// always ends inside the buffer.
inline constexpr int kMapPageBufferBytes = 8096;

inline constexpr char kMapTemplateFileName[] = "map.txt";
inline constexpr char kMapPageFileName[] = "tmp-map.html";
inline constexpr char kReadyMadeMapPageFileName[] = "Google-earth.html";

struct MapPageResult {
    // The page the browser should load: the generated one, or the ready-made
    // page in the program folder when no page could be generated.
    QString pagePath;
    // False when the template could not be read; `error` then holds the
    // message for the user, and `pagePath` the ready-made page (a caller may
    // as well keep the page it shows).
    bool templateRead = false;
    // True when "tmp-map.html" was written.
    bool pageWritten = false;
    QString error;
};

// The bytes of the page for a template: the template up to its first zero byte
// (and at most 8,095 bytes), every "language" replaced by the language code,
// re-encoded, cut at a character boundary when it would not fit the buffer,
// followed by one zero byte.
QByteArray MapPageBytes(QByteArrayView templateBytes, int languageIndex);

// Reads programFolder/map.txt, writes tempFolder/tmp-map.html (by creating a
// new file and renaming it into place, so a link planted there is replaced, not
// followed) and says which page to show.
MapPageResult GenerateMapPageFile(const QString& programFolder, const QString& tempFolder, int languageIndex);
