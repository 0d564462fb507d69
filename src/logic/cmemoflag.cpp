#include "logic/cmemoflag.h"

#include "model/carchive.h"

SELV_IMPLEMENT_SERIAL(CMemoFlag, 1)

CMemoFlag::CMemoFlag() { SetType(DT_MEMOFLAG); }

void CMemoFlag::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }
