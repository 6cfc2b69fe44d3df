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
};
}  // namespace

std::span<const PlayerKeyBinding> PlayerKeyBindings()
{
    return kBindings;
}

int CommandForKey(int key)
{
    for (const PlayerKeyBinding& binding : kBindings) {
        if (binding.key == key)
            return binding.command;
    }
    return 0;
}
