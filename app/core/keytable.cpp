#include "keytable.h"

#include <array>

namespace {
using namespace PlayerKeyCommand;

constexpr std::array kBindings{
    PlayerKeyBinding{Qt::Key_PageDown, kNextEvent, true},
    PlayerKeyBinding{Qt::Key_PageUp, kPreviousEvent, true},
    PlayerKeyBinding{Qt::Key_C, kToggleContinuousPlay, false},
    PlayerKeyBinding{Qt::Key_BracketRight, kFasterRate, false},
    PlayerKeyBinding{Qt::Key_BracketLeft, kSlowerRate, false},
    PlayerKeyBinding{Qt::Key_Backspace, kNormalRate, false},
    PlayerKeyBinding{Qt::Key_I, kSetClipIn, false},
    PlayerKeyBinding{Qt::Key_O, kSetClipOut, false},
    PlayerKeyBinding{Qt::Key_E, kExportClip, false, Qt::ControlModifier},
};
}  // namespace

std::span<const PlayerKeyBinding> PlayerKeyBindings()
{
    return kBindings;
}

int CommandForKey(int key)
{
    return CommandForKey(key, Qt::NoModifier);
}

int CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    for (const PlayerKeyBinding& binding : kBindings) {
        if (binding.key == key && binding.modifiers == modifiers)
            return binding.command;
    }
    return 0;
}
