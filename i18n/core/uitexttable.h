#pragma once

// The UI text table: the same 54 texts in each of 27 languages, the language menu's names
// and the language button's tooltips, and the language in use. Constant data plus one
// program-wide int; everything here belongs to the UI thread.

#include <QString>

#include <array>

inline constexpr int kLanguageCount = 27;
inline constexpr int kUiTextCount = 54;
// Menu command of language i is kFirstLanguageCommand + i (9216..9242).
inline constexpr int kFirstLanguageCommand = 9216;
// A first start, with no stored choice, shows German.
inline constexpr int kDefaultLanguage = 3;

// Language indexes: the order of the table, the menu and the map page's language codes.
enum UiLanguage : int {
    kLanguageEnglish = 0,
    kLanguageSimplifiedChinese = 1,
    kLanguageFrench = 2,
    kLanguageGerman = 3,
    kLanguageEstonian = 4,
    kLanguageBulgarian = 5,
    kLanguageHungarian = 6,
    kLanguagePolish = 7,
    kLanguageDanish = 8,
    kLanguageRussian = 9,
    kLanguageFinnish = 10,
    kLanguageDutch = 11,
    kLanguageCzech = 12,
    kLanguageCroatian = 13,
    kLanguageLatvian = 14,
    kLanguageLithuanian = 15,
    kLanguageRomanian = 16,
    kLanguageNorwegian = 17,
    kLanguagePortuguese = 18,
    kLanguageJapanese = 19,
    kLanguageSwedish = 20,
    kLanguageSlovak = 21,
    kLanguageSlovenian = 22,
    kLanguageTurkish = 23,
    kLanguageSpanish = 24,
    kLanguageGreek = 25,
    kLanguageItalian = 26,
};

// Text identifiers; the English text follows each name. Unscoped so that an id passes
// straight to GetUiText.
enum UiTextId : int {
    kTextAbout = 0,                 // "About ..."
    kTextHelp = 1,                  // "Help"
    kTextMinimize = 2,              // "Minimize"
    kTextExit = 3,                  // "Exit"
    kTextBackToHead = 4,            // "Back to head of file"
    kTextFrameBackward = 5,         // "Frame backward"
    kTextSkipBackward = 6,          // "Skip backward three seconds"
    kTextStop = 7,                  // "Stop"
    kTextPause = 8,                 // "Pause"
    kTextPlay = 9,                  // "Play"
    kTextSkipForward = 10,          // "Skip forward three seconds"
    kTextFrameForward = 11,         // "Frame forward"
    kTextJumpToBottom = 12,         // "Jump to bottom of file"
    kTextOpenFile = 13,             // "Open file"
    kTextSnapshot = 14,             // "Snapshot"
    kTextPrintImage = 15,           // "Print image"
    kTextConfiguration = 16,        // "Configuration"
    kTextLoadSearchDirectory = 17,  // "Load search directory"
    kTextOpenSelectedVideo = 18,    // "Open selected video"
    kTextNext = 19,                 // "Next"
    kTextPrevious = 20,             // "Previous"
    kTextNextRecord = 21,           // "Next record"
    kTextPreviousRecord = 22,       // "Previous record"
    kTextInformation = 23,          // "Information"
    kTextRecord = 24,               // "Record"
    kTextEvent = 25,                // "Event"
    kTextExitQuestion = 26,         // "Are you sure to exit ?"
    kTextNotice = 27,               // "Notice"
    kTextResolution = 28,           // "Resolution"
    kTextRecording = 29,            // "Record"
    kTextPrerecordTime = 30,        // "Prerecord time:"
    kTextVideoDuration = 31,        // "Video duration:"
    kTextGSensorSensitivity = 32,   // "G-Sensor sensitivity"
    kTextTimeZone = 33,             // "Time zone:"
    kTextXAxis = 34,                // "X axis:"
    kTextYAxis = 35,                // "Y axis:"
    kTextZAxis = 36,                // "Z axis:"
    kTextSetSystemTime = 37,        // "Set up system time"
    kTextApply = 38,                // "Apply"
    kTextClose = 39,                // "Close"
    kTextNumber = 40,               // "No."
    kTextFileName = 41,             // "File name"
    kTextImageMirror = 42,          // "Image mirror display"
    kTextNoTimestamp = 43,          // "Do not display timestamp on the video"
    kTextTimestamp = 44,            // "Display timestamp on the video"
    kTextTimestampAndVersion = 45,  // "Display timestamp and version on the video"
    kTextOnlyTimestamp = 46,        // "Only display timestamp on the video"
    kTextDisplayText = 47,          // "Display text:"
    kTextId = 48,                   // "ID"
    kTextRecordingDuration = 49,    // "Recording Duration(seconds.)"
    kTextVideoFile = 50,            // "Video file"
    kTextProductLine = 51,          // "Vehicle DVR and GPS tracker version 3.2"
    kTextCopyright = 52,            // our one-line copyright notice
    kTextSubsectionDuration = 53,   // "Subsection Duration:"
};

// One language: a pointer to a constant UTF-16 string per UiTextId. Entries may share a string.
using UiTextRow = std::array<const char16_t*, kUiTextCount>;

// The 27 languages' rows, indexed by language.
extern const UiTextRow* const UiTextTable[kLanguageCount];

// Menu texts of the 27 languages, then nullptr.
extern const char16_t* const LanguageNames[kLanguageCount + 1];

// Tooltip of the language button, in each language.
extern const char16_t* const ChangeLanguageCaptions[kLanguageCount];

// The language in use (0..26). Written at start-up from the stored choice and by the
// language commands, read by every lookup; UI thread only. Starts at kDefaultLanguage.
extern int CurrentLanguage;

constexpr bool isValidLanguage(int language)
{
    return language >= 0 && language < kLanguageCount;
}

// Text `id` in CurrentLanguage; nullptr for an id outside 0..53. The pointer stays valid for
// the life of the program. A CurrentLanguage outside 0..26 reads as English rather than
// reading past the table.
const char16_t* GetUiText(int id);

// GetUiText as a QString; empty where there is no text.
QString UiText(int id);

// Text `id` in `language`, independent of CurrentLanguage; empty when either is out of range.
QString UiTextIn(int language, int id);
