#include "shell/programvalues.h"

namespace shell {

QString wordtoshow;
bool showwordonopen = false;

} // namespace shell
