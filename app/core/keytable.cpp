#include "keytable.h"

#include <array>
#include <cstring>

namespace {
using namespace PlayerKeyCommand;

// The design's command numbers the keys share with the buttons.
constexpr int kToStart = 1002;
constexpr int kFrameBack = 1003;
constexpr int kSkipBack = 1004;
constexpr int kSkipForward = 1008;
constexpr int kFrameForward = 1009;
constexpr int kToEnd = 1010;
constexpr int kOpenFile = 1011;
constexpr int kSnapshot = 1013;
constexpr int kPrint = 1014;
constexpr int kClose = 1038;

constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;
constexpr unsigned kBoth = kListKeeps | kSliderKeeps;

constexpr QKeyCombination Plain(Qt::Key key)
{
    return QKeyCombination(kPlain, key);
}

constexpr QKeyCombination With(Qt::Modifier modifier, Qt::Key key)
{
    return QKeyCombination(modifier, key);
}

// Texts are English here; the overlay passes them through the translator.
constexpr std::array kBindings{
    PlayerKeyBinding{Plain(Qt::Key_Space), kPlayPause, kNoKeeper, "Play / pause"},
    PlayerKeyBinding{Plain(Qt::Key_Left), kSkipBack, kSliderKeeps, "3 s back / forward"},
    PlayerKeyBinding{Plain(Qt::Key_Right), kSkipForward, kSliderKeeps, "3 s back / forward"},
    PlayerKeyBinding{With(Qt::SHIFT, Qt::Key_Left), kLongSkipBack, kNoKeeper, "30 s back / forward"},
    PlayerKeyBinding{With(Qt::SHIFT, Qt::Key_Right), kLongSkipForward, kNoKeeper, "30 s back / forward"},
    PlayerKeyBinding{Plain(Qt::Key_Comma), kFrameBack, kNoKeeper, "One frame back / forward"},
    PlayerKeyBinding{Plain(Qt::Key_Period), kFrameForward, kNoKeeper, "One frame back / forward"},
    PlayerKeyBinding{Plain(Qt::Key_Home), kToStart, kSliderKeeps, "Start / end of the recording"},
    PlayerKeyBinding{Plain(Qt::Key_End), kToEnd, kSliderKeeps, "Start / end of the recording"},
    PlayerKeyBinding{Plain(Qt::Key_F), kToggleFullScreen, kNoKeeper, "Full screen (Esc leaves it)"},
    PlayerKeyBinding{Plain(Qt::Key_M), kToggleMute, kNoKeeper, "Sound off / on"},
    PlayerKeyBinding{Plain(Qt::Key_Up), kVolumeUp, kBoth, "Volume up / down"},
    PlayerKeyBinding{Plain(Qt::Key_Down), kVolumeDown, kBoth, "Volume up / down"},
    PlayerKeyBinding{Plain(Qt::Key_Plus), kVolumeUp, kNoKeeper, "Volume up / down"},
    PlayerKeyBinding{Plain(Qt::Key_Minus), kVolumeDown, kNoKeeper, "Volume up / down"},
    PlayerKeyBinding{Plain(Qt::Key_N), kNextRecording, kNoKeeper, "Next / previous recording"},
    PlayerKeyBinding{Plain(Qt::Key_P), kPreviousRecording, kNoKeeper, "Next / previous recording"},
    PlayerKeyBinding{Plain(Qt::Key_PageDown), kNextEvent, kBoth, "Next / previous G-sensor event"},
    PlayerKeyBinding{Plain(Qt::Key_PageUp), kPreviousEvent, kBoth, "Next / previous G-sensor event"},
    PlayerKeyBinding{Plain(Qt::Key_C), kToggleContinuousPlay, kNoKeeper, "Continuous play on / off"},
    PlayerKeyBinding{Plain(Qt::Key_BracketRight), kFasterRate, kNoKeeper, "Faster / slower"},
    PlayerKeyBinding{Plain(Qt::Key_BracketLeft), kSlowerRate, kNoKeeper, "Faster / slower"},
    PlayerKeyBinding{Plain(Qt::Key_Backspace), kNormalRate, kNoKeeper, "Normal speed"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_O), kOpenFile, kNoKeeper, "Open recordings"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_L), kLoadFolder, kNoKeeper, "Load a folder"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_S), kSnapshot, kNoKeeper, "Save the frame (snapshot)"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_P), kPrint, kNoKeeper, "Print the frame"},
    PlayerKeyBinding{Plain(Qt::Key_I), kSetClipIn, kNoKeeper, "Clip start / end here"},
    PlayerKeyBinding{Plain(Qt::Key_O), kSetClipOut, kNoKeeper, "Clip start / end here"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_E), kExportClip, kNoKeeper, "Export the clip"},
    PlayerKeyBinding{Plain(Qt::Key_F1), kShowKeys, kNoKeeper, "Show / hide these keys"},
    PlayerKeyBinding{Plain(Qt::Key_Question), kShowKeys, kNoKeeper, "Show / hide these keys"},
    PlayerKeyBinding{With(Qt::CTRL, Qt::Key_Q), kClose, kNoKeeper, "Exit (asks first)"},
};

bool IsPunctuation(Qt::Key key)
{
    return key > Qt::Key_Space && key <= Qt::Key_AsciiTilde && !(key >= Qt::Key_0 && key <= Qt::Key_9)
           && !(key >= Qt::Key_A && key <= Qt::Key_Z);
}

const PlayerKeyBinding* Find(QKeyCombination keys)
{
    for (const PlayerKeyBinding& binding : kBindings) {
        if (binding.keys == keys)
            return &binding;
    }
    return nullptr;
}
}  // namespace

std::span<const PlayerKeyBinding> PlayerKeyBindings()
{
    return kBindings;
}

const PlayerKeyBinding* BindingForKey(QKeyCombination pressed)
{
    const Qt::KeyboardModifiers modifiers = pressed.keyboardModifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    const Qt::Key key = pressed.key();
    if (const PlayerKeyBinding* exact = Find(QKeyCombination(modifiers, key)))
        return exact;
    if ((modifiers & Qt::ShiftModifier) && IsPunctuation(key))
        return Find(QKeyCombination(modifiers & ~Qt::KeyboardModifiers(Qt::ShiftModifier), key));
    return nullptr;
}

int CommandForKey(QKeyCombination pressed)
{
    const PlayerKeyBinding* binding = BindingForKey(pressed);
    return binding ? binding->command : 0;
}

std::vector<PlayerKeyHelpLine> PlayerKeyHelpLines()
{
    std::vector<PlayerKeyHelpLine> lines;
    for (const PlayerKeyBinding& binding : kBindings) {
        if (lines.empty() || std::strcmp(lines.back().action, binding.action) != 0)
            lines.push_back({{}, binding.action});
        lines.back().keys.push_back(binding.keys);
    }
    return lines;
}
