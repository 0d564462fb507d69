#include "amps/ccollectioncall.h"

#include "amps/cgroup.h"
#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"

#include <QCoreApplication>

#include <memory>

SELV_IMPLEMENT_SERIAL(CCollectionCall, CCollectionCall::kSchema)

namespace {

// After the root group, before the objects that use collection calls.
constexpr int kFixedObjectOrder = 511;
constexpr uint32_t kStrRelaysDiffer = 34310;  // "Zone relays for zone %s are different! (%s -> %s)!"
constexpr unsigned kZoneBits = 100;

const bool g_registered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kFixedObjectOrder,
                                             [](CSelvantisDoc& doc) { CCollectionCall::EnsureAll(doc); });
  return true;
}();

}  // namespace

CCollectionCall::CCollectionCall() {
  (void)g_registered;
  SetType(DT_COLLCALL);
}

void CCollectionCall::EnsureAll(CSelvantisDoc& doc) {
  for (int id = 1; id <= kCount; ++id) {
    if (doc.GetIDManager().FindBaseDevice(id, DT_COLLCALL) != nullptr) continue;
    auto call = std::make_unique<CCollectionCall>();
    const QString name = ModelString(kKindCaption) + Fmt(" %d", id);
    if (!call->CreateWithID(0, name, id, CAT_TOPOLOGIES, &doc)) continue;
    call->m_nBitmapID = kBitmap;
    call->m_nTextFlags = 3;
    call->SetPinCount(1, 1);
    doc.Adopt(std::move(call));
  }
}

QString CCollectionCall::GetRelayText() const {
  // The unit knows a relay by its number within its table (the low half); a file's number may carry more above it.
  const ConnectionRecord* r = FindOutputConnection(0);
  const auto* relay = r != nullptr ? dynamic_cast<const CRelais*>(r->pPeer) : nullptr;
  return relay != nullptr ? Fmt("%u", relay->GetSeriesNumber()) : QStringLiteral("0");
}

QString CCollectionCall::GetZonesText() const {
  BitSet zones = MakeBitSet(kZoneBits);
  // Zones on any input count, directly or through two levels of groups.
  for (const ConnectionRecord& r : m_inputs) {
    const CBaseDevice* member = r.pPeer;
    if (member == nullptr) continue;
    if (member->GetType() == DT_ZONE && member->GetID() >= 1 && member->GetID() <= static_cast<int>(kZoneBits))
      SetBit(zones, static_cast<unsigned>(member->GetID() - 1), true);
    else if (member->GetType() == DT_GROUP)
      CGroup::AddZonesOf(*member, zones);
  }
  return FormatRangeList(zones, kZoneBits);
}

QString CCollectionCall::GetName() const {
  const ConnectionRecord* r = FindOutputConnection(0);
  if (r != nullptr && r->pPeer != nullptr) return r->pPeer->GetName();
  return m_strName;
}

bool CCollectionCall::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  // One owner per path: a topology that claimed this number keeps it.
  CRelaisManager* manager = CRelaisManager::Of(m_pDoc);
  CBaseDevice* topology = manager != nullptr ? manager->GetTopology(static_cast<uint32_t>(m_nID)) : nullptr;
  if (topology != nullptr && !m_strPath.isEmpty()) m_pDoc->RegisterObjectPath(m_strPath, topology);
  return true;
}

void CCollectionCall::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

int CCollectionCall::Download(bool bQuery, int nStep) {
  switch (nStep) {
    case -1: return 2;
    case 0: return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/RELAY"), GetRelayText(), true);
    case 1: return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/ZONES"), GetZonesText(), true);
    default: return nStep;
  }
}

bool CCollectionCall::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  if (mode == LINKMODE_DOWNLOAD || !line.contains(QLatin1Char(' '))) return false;
  QString key;
  QString value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (key == QLatin1String("/RELAY")) {
    const QString project = GetRelayText();
    if (value != project && value != QLatin1String("OFF"))
      AfxMessageBox(FormatText(ModelString(kStrRelaysDiffer), {GetName(), value, project}), MB_OK | MB_ICONEXCLAMATION,
                    kStrRelaysDiffer);
    return true;
  }
  if (key != QLatin1String("/ZONES")) return false;
  BitSet zones = MakeBitSet(kZoneBits);
  const QString list = value == QLatin1String("NONE") ? QStringLiteral("0") : value;
  if (!ParseRangeList(list, zones, kZoneBits)) {
    // Half a list would connect half the zones: take none.
    const QString shown = value.size() > 60 ? value.left(60) + QStringLiteral("...") : value;
    AfxMessageBox(GetName() + QStringLiteral(": the zone list \"%1\" from the unit cannot be read; nothing was "
                                             "changed.")
                                  .arg(shown),
                  MB_OK | MB_ICONEXCLAMATION);
    return true;
  }
  for (unsigned bit = 0; bit < kZoneBits; ++bit) {
    if (!TestBit(zones, bit)) continue;
    const int id = static_cast<int>(bit) + 1;
    CBaseDevice* zone = m_pDoc != nullptr ? m_pDoc->GetIDManager().FindBaseDevice(id, DT_ZONE) : nullptr;
    if (zone == nullptr) {
      AfxMessageBox(QCoreApplication::translate("CCollectionCall", "Zone %1 not present in actual project !").arg(id),
                    MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    bool connected = false;
    for (const ConnectionRecord& r : m_inputs) connected = connected || r.pPeer == zone;
    if (!connected) Connect(zone, 0, this, 0);
  }
  return true;
}
