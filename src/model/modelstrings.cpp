#include "model/modelstrings.h"

#include "model/cstringtable.h"

QString ModelString(uint32_t id) { return LoadString(id); }
