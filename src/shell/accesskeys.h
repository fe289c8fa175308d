#pragma once

class QEvent;
class QObject;

namespace shell {

// Alt with a letter or digit is an access key. When the button it names is disabled, the key
// would reach the text box with the focus, which would type the letter into the user's text;
// such a key press is dropped instead. (An enabled button's access key never gets this far.)
bool isStrayAccessKey(QObject* receiver, QEvent* event);

} // namespace shell
