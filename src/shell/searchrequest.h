#pragma once

#include <QString>

namespace shell {

// Opens the search window on a word, for the word entry window and the test window: sets
// wordtoshow and showwordonopen, loads the search window and shows it modally, so the caller
// waits until it is closed. When the search window is already open (from the main menu), it
// shows the word there and comes to the front instead. A request for no word is ignored.
void openSearchWindowOn(const QString& word);

} // namespace shell
