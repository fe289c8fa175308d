#include "shell/searchrequest.h"

#include "shell/programvalues.h"
#include "shell/windowregistry.h"

namespace shell {

void openSearchWindowOn(const QString& word) {
    if (word.isEmpty())
        return;
    wordtoshow = word;
    showwordonopen = true;
    WindowRegistry& windows = registry();
    if (Form* open = windows.window(WindowKind::Search)) {
        // Already loaded: its load handler will not run again, and a window on screen cannot
        // become modal; it takes the request itself.
        open->requestWhileLoaded();
        windows.bringToFront(WindowKind::Search);
    } else {
        windows.load(WindowKind::Search);
        windows.show(WindowKind::Search, true);
    }
    // Consumed by the search window; cleared here too in case it could not take the request.
    showwordonopen = false;
    wordtoshow.clear();
}

} // namespace shell
