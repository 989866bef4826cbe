#pragma once

// The player's keys, one table: each key triggers an action of
// PlayerActions, so that a key does what the button or menu item of the
// same action does. Keys are those mpv and VLC users know; Page Up and Page
// Down stay free for the episode list, which takes them when focused.

#include "player_actions.h"

#include <Qt>
#include <array>

namespace player {

struct KeyBinding
{
    Qt::Key key;
    QAction *PlayerActions::*action;
    // Whether the key goes on to the window while its action is disabled;
    // otherwise the player keeps it, whatever it can do at the moment.
    bool passedOnWhenDisabled = false;
};

// clang-format off
inline constexpr auto kPlayerKeys = std::to_array<KeyBinding>({
    {Qt::Key_Space,        &PlayerActions::playPause},
    {Qt::Key_F,            &PlayerActions::fullScreen},
    // Outside full screen, Esc goes on to the window.
    {Qt::Key_Escape,       &PlayerActions::leaveFullScreen, true},
    {Qt::Key_M,            &PlayerActions::mute},
    {Qt::Key_9,            &PlayerActions::quieter},
    {Qt::Key_0,            &PlayerActions::louder},
    {Qt::Key_Left,         &PlayerActions::stepBack},
    {Qt::Key_Right,        &PlayerActions::stepForward},
    {Qt::Key_Down,         &PlayerActions::jumpBack},
    {Qt::Key_Up,           &PlayerActions::jumpForward},
    // Speed as mpv users know it: [ and ] step, Backspace resets.
    {Qt::Key_BracketLeft,  &PlayerActions::slower},
    {Qt::Key_BracketRight, &PlayerActions::faster},
    {Qt::Key_Backspace,    &PlayerActions::normalSpeed},
    // Neighbouring episodes: p and n as in VLC, < and > as in mpv.
    {Qt::Key_P,            &PlayerActions::previousEpisode},
    {Qt::Key_Less,         &PlayerActions::previousEpisode},
    {Qt::Key_N,            &PlayerActions::nextEpisode},
    {Qt::Key_Greater,      &PlayerActions::nextEpisode},
});
// clang-format on

constexpr bool everyKeyOnceWithAnAction()
{
    for (std::size_t i = 0; i < kPlayerKeys.size(); ++i) {
        if (!kPlayerKeys[i].action)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (kPlayerKeys[j].key == kPlayerKeys[i].key)
                return false;
        }
    }
    return true;
}
static_assert(everyKeyOnceWithAnAction());

// Whether a key pressed with these modifiers is the key of a binding. Other
// combinations (Ctrl+N, Alt+F) belong to the window's shortcuts and menus.
// Shift counts only where it is how a symbol is typed (< and > on most
// layouts); the keypad's digits are the digits.
constexpr bool isPlainPress(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    const bool symbol = key >= Qt::Key_Exclam && key <= Qt::Key_AsciiTilde &&
                        !(key >= Qt::Key_0 && key <= Qt::Key_9) &&
                        !(key >= Qt::Key_A && key <= Qt::Key_Z);
    return modifiers == Qt::NoModifier || (symbol && modifiers == Qt::ShiftModifier);
}

// The binding of `key` pressed with `modifiers`, or null for a key the
// player does not take.
inline const KeyBinding *bindingOfKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!isPlainPress(key, modifiers))
        return nullptr;
    for (const KeyBinding &binding : kPlayerKeys) {
        if (binding.key == key)
            return &binding;
    }
    return nullptr;
}

} // namespace player
