#include "unit/cinfoslot.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ipainter.h"

#include <QRect>
#include <QString>

#include <memory>

SELV_IMPLEMENT_SERIAL(CInfoSlot, 1)

namespace {

// Before the slots, so that the unit's block comes first in its list.
constexpr int kProviderOrder = 90;

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CInfoSlot::EnsureIn(doc); });
  return true;
}();

}  // namespace

CInfoSlot::CInfoSlot() {
  SetType(DT_INFOSLOT);
  m_nMenuID = kMenuId;
  m_bMoveLock = true;
}

void CInfoSlot::Serialize(CArchive& ar) {
  // The base record only: the connected state belongs to the session.
  CBaseDevice::Serialize(ar);
}

QRect CInfoSlot::DefaultRect() { return QRect(683, 2468, 230, 160); }

CInfoSlot* CInfoSlot::Find(const CSelvantisDoc* doc) {
  if (doc == nullptr) return nullptr;
  return dynamic_cast<CInfoSlot*>(doc->GetIDManager().FindBaseDevice(1, DT_INFOSLOT));
}

CInfoSlot* CInfoSlot::EnsureIn(CSelvantisDoc& doc) {
  CInfoSlot* slot = Find(&doc);
  if (slot == nullptr && doc.GetIDManager().FindBaseDevice(1, DT_INFOSLOT) == nullptr) {
    auto made = std::make_unique<CInfoSlot>();
    if (!made->CreateWithID(0, QStringLiteral("VMX 7000"), 1, CAT_SLOTS, &doc)) return nullptr;
    made->m_nTextFlags = TF_NAME;
    made->SetRect(DefaultRect());
    slot = doc.Adopt(std::move(made));
  }
  // A block made or loaded while the link is up shows it at once.
  if (slot != nullptr) slot->m_bConnected = doc.GetLinkState();
  return slot;
}

void CInfoSlot::SetConnected(bool connected) {
  if (m_bConnected == connected) return;
  m_bConnected = connected;
  Invalidate();
}

void CInfoSlot::OnLinkStateChanged(bool connected) { SetConnected(connected); }

QPoint CInfoSlot::ConnectedIconPos() const {
  const QRect& rect = GetRect();
  return QPoint(rect.left() + 2, rect.top() + (rect.height() - kIconSize) / 2);
}

void CInfoSlot::Draw(IPainter& painter) {
  CBaseDevice::Draw(painter);
  // An unknown picture draws nothing (the painter skips it).
  if (m_bConnected) painter.DrawBitmap(kConnectedIcon, ConnectedIconPos());
}

bool CInfoSlot::OnCommand(int id) {
  if (id != ID_SHOW_PROPERTIES) return false;
  ShowProperties();
  return true;
}

void CInfoSlot::OnUpdateCommandUI(CCmdUI& cmdUI) {
  // Properties only while the widget library can show the project data.
  cmdUI.Enable(cmdUI.GetID() == ID_SHOW_PROPERTIES && HasPropertiesHandler(DT_INFOSLOT));
}
