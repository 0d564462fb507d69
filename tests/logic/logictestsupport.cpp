#include "logictestsupport.h"

#include "model/carchive.h"

SELV_IMPLEMENT_SERIAL(CLogicTestTerminal, 1)
