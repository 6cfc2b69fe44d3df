#pragma once

// The player's own texts beyond the design's table: what the on-screen notes, the
// window's menu and the newer controls show. A second, small table beside the 54
// texts, in the same 27 languages and the same order; a language without a text of
// its own shows the English one. Constant data; looked up on the UI thread.

#include <QString>

// Text identifiers; the English text follows each name.
enum PlayerTextId : int {
    kPlayerTextSnapshotSaved = 0,    // "Snapshot saved" (the note names the file after it)
    kPlayerTextContinuousPlay = 1,   // "Continuous play" (menu item)
    kPlayerTextSpeed = 2,            // "Speed" (the playback-rate note, "Speed 2×")
    // "Cannot decode this recording: %1 is not installed. Install the Debian package %2."
    // (%1 GStreamer's name of the missing part, %2 the package)
    kPlayerTextMissingDecoder = 3,
    kPlayerTextExportClipMenu = 4,   // "Export clip…" (menu item)
    kPlayerTextExportClip = 5,       // "Export clip" (the export dialog's title)
    kPlayerTextAlsoMp4 = 6,          // "Also MP4 for phones"
    kPlayerTextPdfReport = 7,        // "PDF report"
    kPlayerTextExport = 8,           // "Export"
    kPlayerTextCancel = 9,           // "Cancel"
    kPlayerTextOpenFolder = 10,      // "Open folder"
    kPlayerTextClose = 11,           // "Close"
    kPlayerTextClipSaved = 12,       // "Clip saved in" (the folder follows)
    kPlayerTextClipIn = 13,          // "Clip in" (the note on I; the time follows)
    kPlayerTextClipOut = 14,         // "Clip out" (the note on O)
    kPlayerTextMarkedSpan = 15,      // "Marked span"
    kPlayerTextAroundPosition = 16,  // "Around the position"
    kPlayerTextExportFailed = 17,    // "Export failed" (the reason follows)
    kPlayerTextExporting = 18,       // "Exporting…"
    kPlayerTextCount = 19,
};

// Text `id` in CurrentLanguage (English for a language outside 0..26 or without
// that text); empty for an id outside the table.
QString PlayerText(int id);

// Text `id` in `language`, English where that language has none; empty for an id or
// a language outside the table.
QString PlayerTextIn(int language, int id);

// Whether `language` has a text of its own for `id` (not the English fallback).
bool HasOwnPlayerText(int language, int id);
