#include "logic/logicstrings.h"

#include "model/cstringtable.h"

QString LogicString(uint32_t id) { return LoadString(id); }
