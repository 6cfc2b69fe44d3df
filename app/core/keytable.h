#pragma once
// The main window's keyboard: one table from key to command, so every key the
// player answers to is listed in one place (the help page and README list the
// same). QtCore only; the main window turns each row into a shortcut and
// routes the command through its command filter like a button's.
#include <Qt>

#include <span>

namespace PlayerKeyCommand {
// Commands reached only by keys and the window's menu; numbered apart from the
// design's control identifiers (1000..1094) and menu commands (9216..9242).
constexpr int kNextEvent = 2001;
constexpr int kPreviousEvent = 2002;
constexpr int kToggleContinuousPlay = 2003;
constexpr int kFasterRate = 2004;
constexpr int kSlowerRate = 2005;
constexpr int kNormalRate = 2006;
// The clip export: the span's in and out marks, and the export itself.
constexpr int kSetClipIn = 2101;
constexpr int kSetClipOut = 2102;
constexpr int kExportClip = 2103;
}  // namespace PlayerKeyCommand

struct PlayerKeyBinding {
    Qt::Key key;
    int command;
    // Whether a focused control that uses the key for itself (the position
    // slider's Page Up/Down, the list's type-ahead) keeps it.
    bool focusedControlFirst;
    // Modifiers that must be held with the key (Ctrl+E), none for a bare key.
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// Every binding, in the order the help page lists them.
std::span<const PlayerKeyBinding> PlayerKeyBindings();

// The command bound to key pressed without modifiers, or 0.
int CommandForKey(int key);
// The command bound to key pressed with exactly these modifiers (the keypad's aside), or 0.
int CommandForKey(int key, Qt::KeyboardModifiers modifiers);
