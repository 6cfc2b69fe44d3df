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
    kPlayerTextExportClipMenu = 3,   // "Export clip…" (menu item)
    kPlayerTextExportClip = 4,       // "Export clip" (the export dialog's title)
    kPlayerTextAlsoMp4 = 5,          // "Also MP4 for phones"
    kPlayerTextPdfReport = 6,        // "PDF report"
    kPlayerTextExport = 7,           // "Export"
    kPlayerTextCancel = 8,           // "Cancel"
    kPlayerTextOpenFolder = 9,       // "Open folder"
    kPlayerTextClose = 10,           // "Close"
    kPlayerTextClipSaved = 11,       // "Clip saved in" (the folder follows)
    kPlayerTextClipIn = 12,          // "Clip in" (the note on I; the time follows)
    kPlayerTextClipOut = 13,         // "Clip out" (the note on O)
    kPlayerTextMarkedSpan = 14,      // "Marked span"
    kPlayerTextAroundPosition = 15,  // "Around the position"
    kPlayerTextExportFailed = 16,    // "Export failed" (the reason follows)
    kPlayerTextExporting = 17,       // "Exporting…"
    kPlayerTextCount = 18,
};

// Text `id` in CurrentLanguage (English for a language outside 0..26 or without
// that text); empty for an id outside the table.
QString PlayerText(int id);

// Text `id` in `language`, English where that language has none; empty for an id or
// a language outside the table.
QString PlayerTextIn(int language, int id);

// Whether `language` has a text of its own for `id` (not the English fallback).
bool HasOwnPlayerText(int language, int id);
