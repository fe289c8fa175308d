#pragma once

class QKeyEvent;

// The key codes the windows' key handlers take, as the platform they were designed on gave them.
namespace shell {

// The character code a key press types (Enter 13, Escape 27, Backspace 8, Tab 9, otherwise the
// first character of its text); 0 for a key that types nothing (arrows, function keys, Delete,
// and any key pressed with Alt).
int keyAscii(const QKeyEvent* key);

// The virtual-key code of a Qt key (Enter 13, F1 112, F2 113, letters and digits their capital
// ASCII code, ...); 0 for keys without one.
int virtualKeyCode(int key);

} // namespace shell
