#pragma once
// The main window's keyboard: one table from key to command, so every key the
// player answers to is listed in one place (the key overlay of F1, the help
// page and the README list the same). QtCore only; the main window turns each
// row into a shortcut and routes the command through its command filter like
// a button's.
#include <QKeyCombination>
#include <Qt>

#include <span>
#include <vector>

namespace PlayerKeyCommand {
// Commands reached only by keys and the window's menu; numbered apart from the
// design's control identifiers (1000..1094) and menu commands (9216..9242).
constexpr int kNextEvent = 2001;
constexpr int kPreviousEvent = 2002;
constexpr int kToggleContinuousPlay = 2003;
constexpr int kFasterRate = 2004;
constexpr int kSlowerRate = 2005;
constexpr int kNormalRate = 2006;
constexpr int kPlayPause = 2007;
constexpr int kLongSkipBack = 2008;
constexpr int kLongSkipForward = 2009;
constexpr int kToggleFullScreen = 2010;
constexpr int kToggleMute = 2011;
constexpr int kVolumeUp = 2012;
constexpr int kVolumeDown = 2013;
constexpr int kNextRecording = 2014;
constexpr int kPreviousRecording = 2015;
constexpr int kLoadFolder = 2016;
constexpr int kShowKeys = 2017;
// The clip export: the span's in and out marks, and the export itself.
constexpr int kSetClipIn = 2101;
constexpr int kSetClipOut = 2102;
constexpr int kExportClip = 2103;
}  // namespace PlayerKeyCommand

// The focused controls that may keep a key for themselves.
enum PlayerKeyKeeper : unsigned {
    kNoKeeper = 0,
    kListKeeps = 1,    // the record list moves its rows
    kSliderKeeps = 2,  // the position slider steps (Page Up/Down step to its marks)
};

struct PlayerKeyBinding {
    QKeyCombination keys;
    int command;
    // PlayerKeyKeeper flags: a focused control of these kinds keeps the key;
    // it reaches the command only when that control does not use it.
    unsigned keptBy;
    // What the key does, in English, as the key overlay lists it; bindings in
    // a row with the same text are one line of the list ("Left / Right").
    const char* action;
};

// Every binding, in the order the help page lists them.
std::span<const PlayerKeyBinding> PlayerKeyBindings();

// The binding for a key press, or null. The keypad's modifier does not count,
// nor Shift on a punctuation key, whose character already says it ("?", "+").
const PlayerKeyBinding* BindingForKey(QKeyCombination pressed);

// The command bound to a key press, or 0.
int CommandForKey(QKeyCombination pressed);

// One line of the key overlay: the keys of consecutive bindings with one action.
struct PlayerKeyHelpLine {
    std::vector<QKeyCombination> keys;
    const char* action;
};
std::vector<PlayerKeyHelpLine> PlayerKeyHelpLines();
