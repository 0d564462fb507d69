#include "unit/cinternalslot.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ipainter.h"

#include <memory>
#include <utility>
#include <vector>

SELV_IMPLEMENT_SERIAL(CInternalSlot, 1)

const int CInternalSlot::kKinds[CInternalSlot::kKindCount] = {KIND_MACRO,    KIND_CLOCK,   KIND_TRIGGER,
                                                              KIND_CALENDAR, KIND_AUDIO,   KIND_SYSTEM,
                                                              KIND_FUSE,     KIND_MONITOR, KIND_SERVICE};

namespace {

// After the slots and the interface.
constexpr int kProviderOrder = 160;

// Editor frames of the modal host dialog.
constexpr int kFrameTriggers = 5;
constexpr int kFrameMonitor = 6;
constexpr int kFrameMacros = 7;
constexpr int kFrameDayPrograms = 9;
constexpr int kFrameFuses = 21;
constexpr int kFrameClock = 25;

// The row of visible blocks under the slots.
constexpr int kRowLeft = 683;
constexpr int kRowTop = 2648;
constexpr int kBlockWidth = 150;
constexpr int kBlockHeight = 48;
constexpr int kBlockStep = 160;
// Macro, clock, trigger, calendar, audio and system are drawn.
constexpr int kVisibleCount = 6;
constexpr int kIconLeft = 6;

struct KindRow {
  int kind;
  int icon;  // 0: nothing is drawn
  CInternalSlot::Target target;
};

const KindRow kRows[] = {
    {CInternalSlot::KIND_MACRO, 340, {CInternalSlot::Opens::FrameHost, kFrameMacros}},
    {CInternalSlot::KIND_CLOCK, 335, {CInternalSlot::Opens::FrameHost, kFrameClock}},
    {CInternalSlot::KIND_TRIGGER, 338, {CInternalSlot::Opens::FrameHost, kFrameTriggers}},
    {CInternalSlot::KIND_CALENDAR, 334, {CInternalSlot::Opens::FrameHost, kFrameDayPrograms}},
    {CInternalSlot::KIND_AUDIO, 336, {CInternalSlot::Opens::AudioEditor, 0}},
    {CInternalSlot::KIND_SYSTEM, 339, {CInternalSlot::Opens::FrameHost, kFrameFuses}},
    {CInternalSlot::KIND_FUSE, 0, {CInternalSlot::Opens::FrameHost, kFrameFuses}},
    {CInternalSlot::KIND_MONITOR, 0, {CInternalSlot::Opens::FrameHost, kFrameMonitor}},
    {CInternalSlot::KIND_SERVICE, 0, {CInternalSlot::Opens::ServiceDialog, 0}},
};

const KindRow* FindRow(int kind) {
  for (const KindRow& row : kRows) {
    if (row.kind == kind) return &row;
  }
  return nullptr;
}

CInternalSlot::FrameHostHook& FrameHost() {
  static CInternalSlot::FrameHostHook hook;
  return hook;
}

CInternalSlot::AudioEditorHook& AudioEditor() {
  static CInternalSlot::AudioEditorHook hook;
  return hook;
}

CInternalSlot::ServiceDialogHook& ServiceDialog() {
  static CInternalSlot::ServiceDialogHook hook;
  return hook;
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CInternalSlot::EnsureIn(doc); });
  return true;
}();

}  // namespace

CInternalSlot::CInternalSlot() {
  SetType(DT_INTERNALSLOT);
  m_nMenuID = kMenuId;
  m_bMoveLock = true;
}

CInternalSlot::~CInternalSlot() = default;

void CInternalSlot::Serialize(CArchive& ar) {
  // The base record only: the kind says what the slot is.
  CBaseDevice::Serialize(ar);
}

CInternalSlot::Target CInternalSlot::TargetOfKind(int kind) {
  const KindRow* row = FindRow(kind);
  return row != nullptr ? row->target : Target();
}

int CInternalSlot::IconOfKind(int kind) {
  const KindRow* row = FindRow(kind);
  return row != nullptr ? row->icon : 0;
}

CInternalSlot::FrameHostHook CInternalSlot::SetFrameHostHook(FrameHostHook hook) {
  return std::exchange(FrameHost(), std::move(hook));
}

CInternalSlot::AudioEditorHook CInternalSlot::SetAudioEditorHook(AudioEditorHook hook) {
  return std::exchange(AudioEditor(), std::move(hook));
}

CInternalSlot::ServiceDialogHook CInternalSlot::SetServiceDialogHook(ServiceDialogHook hook) {
  return std::exchange(ServiceDialog(), std::move(hook));
}

QRect CInternalSlot::DefaultRect(int kind) {
  // The service functions are for the technician who knows where to click:
  // an undrawn place right of the visible row. Fuse and monitor are reached
  // through the system block and the editors' switch bar and take no place.
  if (kind == KIND_SERVICE) return QRect(kRowLeft + kBlockStep * kVisibleCount, kRowTop, kBlockWidth, kBlockHeight);
  if (IconOfKind(kind) == 0) return QRect();
  int index = 0;
  while (index < kKindCount && kKinds[index] != kind) ++index;
  return QRect(kRowLeft + kBlockStep * index, kRowTop, kBlockWidth, kBlockHeight);
}

CInternalSlot* CInternalSlot::FindByKind(const CSelvantisDoc* doc, int kind) {
  if (doc == nullptr) return nullptr;
  std::vector<CBaseDevice*> found;
  doc->GetIDManager().GetBaseDeviceList(found, DT_INTERNALSLOT);
  for (CBaseDevice* object : found) {
    if (object->GetKind() == kind) return dynamic_cast<CInternalSlot*>(object);
  }
  return nullptr;
}

void CInternalSlot::EnsureIn(CSelvantisDoc& doc) {
  for (int kind : kKinds) {
    if (CInternalSlot* existing = FindByKind(&doc, kind)) {
      // Projects saved before the service place existed get it now.
      if (kind == KIND_SERVICE && existing->GetRect().isNull()) existing->SetRect(DefaultRect(kind));
      continue;
    }
    auto slot = std::make_unique<CInternalSlot>();
    QString name = LoadString(static_cast<uint32_t>(kind));
    const int textFlags = IconOfKind(kind) != 0 ? TF_NAME : 0;
    if (!slot->Create(kind, 0, 0, name, DefaultRect(kind), CAT_MODULES, 0, textFlags, &doc)) continue;
    doc.Adopt(std::move(slot));
  }
}

QPoint CInternalSlot::IconPos() const {
  const QRect& rect = GetRect();
  return QPoint(rect.left() + kIconLeft, rect.top() + (rect.height() - kIconSize) / 2);
}

void CInternalSlot::Draw(IPainter& painter) {
  const int icon = IconOfKind(GetKind());
  // The hidden kinds (and kinds this program does not know) draw nothing.
  if (icon == 0) return;
  CBaseDevice::Draw(painter);
  // A picture the program lacks leaves the block plain.
  painter.DrawBitmap(icon, IconPos());
}

bool CInternalSlot::ShowProperties() {
  CSelvantisDoc* doc = GetDocument();
  if (doc == nullptr) return false;
  const Target target = TargetOfKind(GetKind());
  switch (target.opens) {
    case Opens::FrameHost: {
      // A copy: the dialog may set another hook while it runs.
      const FrameHostHook hook = FrameHost();
      return hook ? hook(*doc, target.frameKind) : false;
    }
    case Opens::AudioEditor: {
      const AudioEditorHook hook = AudioEditor();
      return hook ? hook(*doc) : false;
    }
    case Opens::ServiceDialog: {
      const ServiceDialogHook hook = ServiceDialog();
      if (!hook) return false;
      const bool result = hook(*this);
      // The dialog is gone once the hook returns, whatever it announced.
      m_pServiceWindow = nullptr;
      return result;
    }
    case Opens::Nothing: break;
  }
  return false;
}

bool CInternalSlot::OnCommand(int id) {
  if (id != ID_SHOW_PROPERTIES) return false;
  ShowProperties();
  return true;
}

bool CInternalSlot::CanShowProperties() const {
  switch (TargetOfKind(GetKind()).opens) {
    case Opens::FrameHost: return static_cast<bool>(FrameHost());
    case Opens::AudioEditor: return static_cast<bool>(AudioEditor());
    case Opens::ServiceDialog: return static_cast<bool>(ServiceDialog());
    case Opens::Nothing: break;
  }
  return false;
}

void CInternalSlot::OnUpdateCommandUI(CCmdUI& cmdUI) {
  cmdUI.Enable(cmdUI.GetID() == ID_SHOW_PROPERTIES && CanShowProperties());
}

bool CInternalSlot::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  if (GetKind() != KIND_SERVICE || m_pServiceWindow == nullptr) return false;
  m_pServiceWindow->ParseReply(line);
  return true;
}
