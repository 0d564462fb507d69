#include "unit/cfuse.h"

#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CFuse, 1)

namespace {

// Among the unit's fixed objects, after the slots.
constexpr int kProviderOrder = 200;

constexpr const char* kKeys[CFuse::kFuseCount] = {"/SLOT1/A/VALUE", "/SLOT1/B/VALUE", "/SLOT2/A/VALUE",
                                                  "/SLOT2/B/VALUE", "/AMP485/VALUE"};

bool IsFuse(int fuse) { return fuse >= 0 && fuse < CFuse::kFuseCount; }

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CFuse::EnsureIn(doc); });
  return true;
}();

}  // namespace

CFuse::CFuse() { SetType(DT_FUSE); }

void CFuse::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  // Every schema holds the five ratings.
  for (int& rating : m_rating) {
    if (ar.IsStoring()) {
      ar << int32_t(rating);
    } else {
      int32_t value = 0;
      ar >> value;
      rating = value;
    }
  }
}

int CFuse::GetRating(int fuse) const { return IsFuse(fuse) ? m_rating[fuse] : 0; }

void CFuse::SetRating(int fuse, int rating) {
  if (!IsFuse(fuse) || m_rating[fuse] == rating) return;
  m_rating[fuse] = rating;
  SetModified();
}

QString CFuse::KeyOf(int fuse) { return IsFuse(fuse) ? QString::fromLatin1(kKeys[fuse]) : QString(); }

int CFuse::Download(bool bQuery, int nStep) {
  if (nStep == -1) return kStepCount;
  if (nStep < 0 || nStep >= kStepCount) return nStep;
  if (nStep < kFuseCount) return SendStep(bQuery, nStep, GetPath(), KeyOf(nStep), Fmt("%d", m_rating[nStep]), true);
  return SendStep(bQuery, nStep, GetPath(), QString::fromLatin1(kPrioBootKey), Fmt("%d", kPrioBoot), true);
}

bool CFuse::Upload(const QString& line, QString& /*errorFilePath*/, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  QString key;
  QString value;
  // The key is everything up to the blank: "/SLOT2/B/VALUE".
  if (!SplitUploadLine(line, &key, &value)) return false;
  for (int fuse = 0; fuse < kFuseCount; ++fuse) {
    if (key != QLatin1String(kKeys[fuse])) continue;
    int rating = 0;
    if (!ScanInt(value, &rating)) return false;
    SetRating(fuse, rating);
    return true;
  }
  return false;
}

CFuse* CFuse::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CFuse*>(doc->GetIDManager().FindBaseDevice(1, DT_FUSE)) : nullptr;
}

CFuse* CFuse::EnsureIn(CSelvantisDoc& doc) {
  if (CFuse* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_FUSE) != nullptr) return nullptr;
  auto fuse = std::make_unique<CFuse>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("Fuse");
  if (!fuse->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(fuse));
}
