#pragma once

#include <QString>

namespace shell {

// The program's reverse-DNS id: the desktop entry, the icon and the AppStream metadata are
// named after it.
QString applicationId();

// Names the running program: application name and version on any application object; with
// windows also the desktop entry they belong to and the icon of every window, so that the
// desktop groups them under the menu entry.
void nameApplication();

} // namespace shell
