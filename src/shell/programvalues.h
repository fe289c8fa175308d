#pragma once

#include <QString>

// Values the windows share for the whole run: the request to open the search window on a word.
namespace shell {

extern QString wordtoshow;
extern bool showwordonopen;

} // namespace shell
