#include "consoles/consolestrings.h"

#include "model/cstringtable.h"

QString ConsoleString(uint32_t id) { return LoadString(id); }
