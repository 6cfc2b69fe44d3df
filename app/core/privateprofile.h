#pragma once

#include <QString>

// Reads and writes INI ("private profile") files the way the Windows profile
// services do, so that settings files edited by hand or carried over keep
// meaning the same. Stateless: every call opens the file afresh, so an edit made
// while the program runs is seen by the next read. Any thread, but writes to one
// file must not race each other (the program writes from the UI thread only).
//
// Semantics:
//  - "[section]" lines open a section; "key=value" lines belong to the section
//    above them; lines starting with ';' are comments. Leading and trailing
//    blanks around section names, keys and values are ignored. A line without
//    '=' inside a section is a key with an empty value.
//  - Section and key names compare without regard to case. When a name occurs
//    more than once, the first occurrence in the file wins (for reads and writes).
//  - A value enclosed in one pair of matching double or single quotes is read
//    without them.
//  - An absent file, section or key gives the default. Files are 8-bit text in
//    UTF-8; CRLF and LF line endings are both understood.
//  - A path without any '/' names a file in the program's own folder (the folder
//    of the running executable), never the current folder.
//  - Files over kMaxFileBytes are not settings files: reads give the default and
//    writes fail, leaving the file alone.
class PrivateProfile
{
public:
    PrivateProfile() = delete;

    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // The trimmed value of key in section, or defaultValue when the file,
    // section or key is absent or the file cannot be read.
    static QString GetString(const QString& section, const QString& key,
                             const QString& defaultValue, const QString& path);

    // The leading, optionally signed decimal number of the value ("2x" -> 2,
    // " -7" -> -7), 0 when the value does not start with one ("abc" -> 0).
    // An absent key, or a key with an empty value, gives defaultValue. Numbers
    // beyond the int range saturate.
    static int GetInt(const QString& section, const QString& key, int defaultValue,
                      const QString& path);

    // Sets key in section to value. An existing key is changed in place; a
    // missing key is added at the end of its section, a missing section at the
    // end of the file, and a missing file is created. Every other byte of the
    // file stays as it was (comments, blank lines, other sections, line endings).
    // The file is replaced atomically, so a crash never leaves half a file; a
    // symbolic link to the file stays a link and its target is updated.
    // Returns false, leaving the file untouched, when the file cannot be read or
    // written, or when section, key or value would break the file's structure
    // (line breaks or NUL anywhere, ']' in the section, '=' in the key, empty
    // names, a key starting with '[' or ';').
    static bool WriteString(const QString& section, const QString& key,
                            const QString& value, const QString& path);

    // The integer parse used by GetInt, for callers that hold a value already.
    static int ParseLeadingInt(const QString& text);
};
