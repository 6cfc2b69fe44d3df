#include "keytable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

namespace {

using namespace PlayerKeyCommand;

struct Press {
    QKeyCombination keys;
    int command;
};

// Every key of the table, as a user presses it, and the command it gives.
const Press kPresses[] = {
    {QKeyCombination(Qt::Key_Space), kPlayPause},
    {QKeyCombination(Qt::Key_Left), 1004},
    {QKeyCombination(Qt::Key_Right), 1008},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Left), kLongSkipBack},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Right), kLongSkipForward},
    {QKeyCombination(Qt::Key_Comma), 1003},
    {QKeyCombination(Qt::Key_Period), 1009},
    {QKeyCombination(Qt::Key_Home), 1002},
    {QKeyCombination(Qt::Key_End), 1010},
    {QKeyCombination(Qt::Key_F), kToggleFullScreen},
    {QKeyCombination(Qt::Key_M), kToggleMute},
    {QKeyCombination(Qt::Key_Up), kVolumeUp},
    {QKeyCombination(Qt::Key_Down), kVolumeDown},
    {QKeyCombination(Qt::Key_Plus), kVolumeUp},
    {QKeyCombination(Qt::Key_Minus), kVolumeDown},
    {QKeyCombination(Qt::Key_N), kNextRecording},
    {QKeyCombination(Qt::Key_P), kPreviousRecording},
    {QKeyCombination(Qt::Key_PageDown), kNextEvent},
    {QKeyCombination(Qt::Key_PageUp), kPreviousEvent},
    {QKeyCombination(Qt::Key_C), kToggleContinuousPlay},
    {QKeyCombination(Qt::Key_BracketRight), kFasterRate},
    {QKeyCombination(Qt::Key_BracketLeft), kSlowerRate},
    {QKeyCombination(Qt::Key_Backspace), kNormalRate},
    {QKeyCombination(Qt::Key_I), kSetClipIn},
    {QKeyCombination(Qt::Key_O), kSetClipOut},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_E), kExportClip},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_O), 1011},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_L), kLoadFolder},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_S), 1013},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_P), 1014},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Q), 1038},
    {QKeyCombination(Qt::Key_F1), kShowKeys},
    {QKeyCombination(Qt::Key_Question), kShowKeys},
    // As keyboards send them: "?" and "+" with Shift held, the keypad's + and −.
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Question), kShowKeys},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Plus), kVolumeUp},
    {QKeyCombination(Qt::KeypadModifier, Qt::Key_Plus), kVolumeUp},
    {QKeyCombination(Qt::KeypadModifier, Qt::Key_Minus), kVolumeDown},
};

TEST(KeyTable, EveryKeyGivesItsCommand)
{
    for (const Press& press : kPresses)
        EXPECT_EQ(CommandForKey(press.keys), press.command) << press.keys.toCombined();
}

TEST(KeyTable, EveryBindingIsPressedInTheTableAbove)
{
    // A binding added without a row above fails here, so the test keeps up.
    for (const PlayerKeyBinding& binding : PlayerKeyBindings()) {
        bool pressed = false;
        for (const Press& press : kPresses)
            pressed = pressed || press.keys == binding.keys;
        EXPECT_TRUE(pressed) << binding.keys.toCombined();
    }
}

TEST(KeyTable, ModifiersMakeOtherKeys)
{
    const QKeyCombination unbound[] = {
        QKeyCombination(Qt::ControlModifier, Qt::Key_Space),
        QKeyCombination(Qt::ShiftModifier, Qt::Key_N),  // a letter with Shift is not the letter
        QKeyCombination(Qt::AltModifier, Qt::Key_F),
        QKeyCombination(Qt::ControlModifier, Qt::Key_Left),
        QKeyCombination(Qt::ControlModifier, Qt::Key_F1),
        QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_O),
        QKeyCombination(Qt::Key_Escape),  // the window's own: cancel
        QKeyCombination(Qt::Key_Return),
        QKeyCombination(Qt::Key_X),
    };
    for (QKeyCombination keys : unbound)
        EXPECT_EQ(CommandForKey(keys), 0) << keys.toCombined();
}

TEST(KeyTable, NoKeyIsBoundTwice)
{
    std::set<int> seen;
    for (const PlayerKeyBinding& binding : PlayerKeyBindings())
        EXPECT_TRUE(seen.insert(binding.keys.toCombined()).second) << binding.keys.toCombined();
}

TEST(KeyTable, ListAndSliderKeepOnlyTheirMovingKeys)
{
    for (const PlayerKeyBinding& binding : PlayerKeyBindings()) {
        const Qt::Key key = binding.keys.key();
        const bool plain = binding.keys.keyboardModifiers() == Qt::NoModifier;
        const bool listMoves = plain && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
                                         || key == Qt::Key_PageDown);
        const bool sliderSteps = listMoves || (plain && (key == Qt::Key_Left || key == Qt::Key_Right
                                                         || key == Qt::Key_Home || key == Qt::Key_End));
        EXPECT_EQ((binding.keptBy & kListKeeps) != 0, listMoves) << key;
        EXPECT_EQ((binding.keptBy & kSliderKeeps) != 0, sliderSteps) << key;
    }
}

TEST(KeyTable, HelpLinesGroupTheKeysOfOneAction)
{
    const std::vector<PlayerKeyHelpLine> lines = PlayerKeyHelpLines();
    std::size_t keys = 0;
    for (const PlayerKeyHelpLine& line : lines) {
        ASSERT_NE(line.action, nullptr);
        EXPECT_GT(std::strlen(line.action), 0u);
        keys += line.keys.size();
    }
    EXPECT_EQ(keys, PlayerKeyBindings().size());
    // No action is split over two lines.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            EXPECT_STRNE(lines[i].action, lines[j].action);
    }
    const auto volume = std::find_if(lines.begin(), lines.end(),
                                     [](const PlayerKeyHelpLine& l) { return l.keys.front() == QKeyCombination(Qt::Key_Up); });
    ASSERT_NE(volume, lines.end());
    EXPECT_EQ(volume->keys, (std::vector<QKeyCombination>{QKeyCombination(Qt::Key_Up), QKeyCombination(Qt::Key_Down),
                                                             QKeyCombination(Qt::Key_Plus), QKeyCombination(Qt::Key_Minus)}));
}

}  // namespace
