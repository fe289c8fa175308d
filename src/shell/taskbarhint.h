#pragma once

class QWidget;

namespace shell {

// Asks the window manager to leave the window out of task bars and pagers (the standard
// _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER states on X11; nothing elsewhere). The window
// must have been created; a window that is not shown yet gets the states when it is mapped.
void keepOutOfTaskbar(QWidget* window);

} // namespace shell
