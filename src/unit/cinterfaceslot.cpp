#include "unit/cinterfaceslot.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"

#include <QCoreApplication>
#include <QSize>

#include <memory>
#include <new>
#include <utility>
#include <vector>

SELV_IMPLEMENT_SERIAL(CInterfaceSlot, 2)

namespace {

// After the audio slots, so that the interface ends the unit's row.
constexpr int kProviderOrder = 150;

constexpr uint32_t kStrPowerSupply = 34291;  // "Power Supply"

// What the slot attaches, as its objects are made.
constexpr int kPadTextFlags = CBaseDevice::TF_NAME | CBaseDevice::TF_RIGHT;
constexpr int kMonitorTextFlags = CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW;
constexpr int kPCTextFlags = CBaseDevice::TF_NAME;
constexpr int kPowerTextFlags = CBaseDevice::TF_ABOVE;
constexpr int kBitmapMonitor = 212;
constexpr int kBitmapPC = 233;
constexpr int kBitmapPowerSupply = 458;

// Sizes and distances of the attached objects on the canvas. A pad's name
// is drawn right of it, so a pad on an input keeps room for it.
constexpr int kPinGap = 20;
constexpr int kPadLabelRoom = 110;
const QSize kPadSize(16, 12);
const QSize kPictureSize(32, 32);
const QSize kPowerSize(32, 110);

struct PinItem {
  bool output;
  int pin;
  int command;
};

// The menu items of each pin, in menu order.
constexpr PinItem kPinItems[] = {
    {false, CInterfaceSlot::IN_RS232, CInterfaceSlot::ID_PC},
    {false, CInterfaceSlot::IN_DCF77, CInterfaceSlot::ID_DCF77},
    {false, CInterfaceSlot::IN_INP1, CInterfaceSlot::ID_INP1},
    {false, CInterfaceSlot::IN_INP2, CInterfaceSlot::ID_INP2},
    {false, CInterfaceSlot::IN_POWER, CInterfaceSlot::ID_RTP3004},
    {false, CInterfaceSlot::IN_POWER, CInterfaceSlot::ID_RTP3012},
    {true, CInterfaceSlot::OUT_READY, CInterfaceSlot::ID_READY},
    {true, CInterfaceSlot::OUT_MONITOR, CInterfaceSlot::ID_MONITOR},
};

const PinItem* FindItem(int command) {
  for (const PinItem& item : kPinItems) {
    if (item.command == command) return &item;
  }
  return nullptr;
}

CInterfaceSlot::PropertiesDialogHook& DialogHook() {
  static CInterfaceSlot::PropertiesDialogHook hook;
  return hook;
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
                                               // A loaded project keeps what it has: an interface the file lacks is
                                               // not made up.
                                               if (occasion == CSelvantisDoc::FixedObjectOccasion::NewDocument)
                                                 CInterfaceSlot::EnsureIn(doc);
                                             });
  return true;
}();

}  // namespace

CInterfaceSlot::CInterfaceSlot() {
  SetType(DT_INTERFACESLOT);
  m_nMenuID = kMenuId;
  m_bMoveLock = true;
}

bool CInterfaceSlot::IsPinCommand(int id) { return FindItem(id) != nullptr || id == ID_REMOTE; }

CInterfaceSlot::PropertiesDialogHook CInterfaceSlot::SetPropertiesDialogHook(PropertiesDialogHook hook) {
  return std::exchange(DialogHook(), std::move(hook));
}

void CInterfaceSlot::Serialize(CArchive& ar) {
  // The base record only; the schema tells a four-input slot (1) from the
  // present one (2).
  CBaseDevice::Serialize(ar);
}

QRect CInterfaceSlot::DefaultRect() { return QRect(2383, 2468, 230, 180); }

CInterfaceSlot* CInterfaceSlot::Find(const CSelvantisDoc* doc) {
  if (doc == nullptr) return nullptr;
  return dynamic_cast<CInterfaceSlot*>(doc->GetIDManager().FindBaseDevice(1, DT_INTERFACESLOT));
}

CInterfaceSlot* CInterfaceSlot::EnsureIn(CSelvantisDoc& doc) {
  if (CInterfaceSlot* slot = Find(&doc)) return slot;
  if (doc.GetIDManager().FindBaseDevice(1, DT_INTERFACESLOT) != nullptr) return nullptr;
  auto slot = std::make_unique<CInterfaceSlot>();
  if (!slot->Create(0, kInputs, kOutputs, QStringLiteral("Interface"), DefaultRect(), CAT_SLOTS, 0, TF_NAME, &doc))
    return nullptr;
  return doc.Adopt(std::move(slot));
}

bool CInterfaceSlot::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  CalcBoundingRect();
  SetInputPinNames(GetInputCount());
  SetOutputPinLabel(OUT_READY, QStringLiteral("READY"));
  SetOutputPinLabel(OUT_MONITOR, QStringLiteral("MONITOR"));
  SetOutputPinLabel(OUT_REMOTE, QStringLiteral("REMOTE"));
  return true;
}

void CInterfaceSlot::CalcBoundingRect() {
  CBaseDevice::CalcBoundingRect();
  // Computed from the block each time, so that loading and saving again
  // never widens it further.
  m_boundRect = m_boundRect.united(m_rect.adjusted(-kBoundMargin, 0, kBoundMargin, 0));
}

void CInterfaceSlot::SetInputPinNames(int count) {
  SetInputPinLabel(IN_RS232, QStringLiteral("RS232"));
  SetInputPinLabel(IN_DCF77, QStringLiteral("DCF 77"));
  SetInputPinLabel(IN_INP1, QStringLiteral("INP1"));
  SetInputPinLabel(IN_INP2, QStringLiteral("INP2"));
  if (count > kOldInputs) SetInputPinLabel(IN_POWER, QStringLiteral("POWER 24V"));
}

int CInterfaceSlot::OnAfterLoad() {
  if (GetSchema() >= 2) return 1;
  // The connections of the four old inputs stay on their pins.
  m_rect.setBottom(m_rect.bottom() + kPowerPinGrowth);
  SetPinCount(kInputs, GetOutputCount());
  LayoutPins();
  CalcBoundingRect();
  SetInputPinNames(kInputs);
  return 1;
}

// ---- Menu and commands ----------------------------------------------------------------

void CInterfaceSlot::BuildContextMenu(CMenuData& menu) {
  m_nMenuInPin = GetHighlightedInputPin();
  m_nMenuOutPin = GetHighlightedOutputPin();
  bool separated = false;
  for (const PinItem& item : kPinItems) {
    const int pin = item.output ? m_nMenuOutPin : m_nMenuInPin;
    if (pin != item.pin) continue;
    if (!separated) {
      menu.AddSeparator();
      separated = true;
    }
    menu.AddItem(item.command, LoadString(static_cast<uint32_t>(item.command)));
  }
}

void CInterfaceSlot::UpdatePinCommand(CCmdUI& cmdUI, int inputPin, int outputPin) const {
  const int id = cmdUI.GetID();
  const PinItem* item = FindItem(id);
  if (item == nullptr) {
    // "REMOTE" and anything else: nothing the slot can attach.
    cmdUI.Enable(false);
    return;
  }
  const int pin = item->output ? outputPin : inputPin;
  const bool pinExists = item->output ? IsOutputPin(pin) : IsInputPin(pin);
  // Each item serves its own connector only.
  if (pin != item->pin || !pinExists) {
    cmdUI.Enable(false);
    return;
  }
  const bool connected = item->output ? FindOutputConnection(pin) != nullptr : FindInputConnection(pin) != nullptr;
  if (id == ID_MONITOR || id == ID_PC) {
    cmdUI.SetCheck(connected ? 1 : 0);
    return;
  }
  cmdUI.Enable(!connected);
}

void CInterfaceSlot::OnUpdateCommandUI(CCmdUI& cmdUI) {
  const int id = cmdUI.GetID();
  if (id == ID_SHOW_PROPERTIES) {
    // Only while the widget library provides the dialog.
    cmdUI.Enable(static_cast<bool>(DialogHook()));
  } else if (id == ID_DELETE_OBJECT) {
    cmdUI.Enable(false);
  } else if (IsPinCommand(id)) {
    UpdatePinCommand(cmdUI, m_nMenuInPin, m_nMenuOutPin);
  } else {
    CBaseDevice::OnUpdateCommandUI(cmdUI);
  }
}

bool CInterfaceSlot::OnCommand(int id) {
  if (id == ID_SHOW_PROPERTIES) {
    ShowProperties();
    return true;
  }
  // The unit's block stays.
  if (id == ID_DELETE_OBJECT) return false;
  if (IsPinCommand(id)) {
    const int inputPin = std::exchange(m_nMenuInPin, -1);
    const int outputPin = std::exchange(m_nMenuOutPin, -1);
    return OnPinCommand(id, inputPin, outputPin);
  }
  return CBaseDevice::OnCommand(id);
}

bool CInterfaceSlot::OnPinCommand(int id, int inputPin, int outputPin) {
  if (GetDocument() == nullptr) return false;
  CCmdUI state(id);
  UpdatePinCommand(state, inputPin, outputPin);
  if (!state.IsEnabled()) return false;
  switch (id) {
    case ID_DCF77:
    case ID_INP1:
    case ID_INP2:
    case ID_READY: return AttachControlPad(id, inputPin, outputPin);
    case ID_MONITOR: return ToggleMonitor(outputPin);
    case ID_PC: return TogglePC(inputPin);
    case ID_RTP3004:
    case ID_RTP3012: return AttachPowerSupply(id);
    default: return false;
  }
}

bool CInterfaceSlot::ShowProperties() {
  const PropertiesDialogHook hook = DialogHook();
  if (!hook) return false;
  const DialogOutcome outcome = hook(*this);
  if (!outcome.accepted) return false;
  if (outcome.createCommand == ID_RTP3004 || outcome.createCommand == ID_RTP3012)
    OnPinCommand(outcome.createCommand, IN_POWER, -1);
  return true;
}

QRect CInterfaceSlot::AttachRect(bool output, int pin, const QSize& size) const {
  if (output) {
    const QPoint at = GetOutputPinPoint(pin);
    return QRect(QPoint(at.x() + kPinGap, at.y() - size.height() / 2), size);
  }
  const QPoint at = GetInputPinPoint(pin);
  return QRect(QPoint(at.x() - kPinGap - size.width(), at.y() - size.height() / 2), size);
}

bool CInterfaceSlot::AttachControlPad(int command, int inputPin, int outputPin) {
  const bool output = command == ID_READY;
  const int kind = output ? CControlPad::kKindReady
                          : (command == ID_DCF77 ? CControlPad::kKindDcf : CControlPad::kKindInterfaceInput);
  const int pin = output ? outputPin : inputPin;
  QRect rect = AttachRect(output, pin, kPadSize);
  if (!output) rect.translate(-kPadLabelRoom, 0);
  auto pad = std::make_unique<CControlPad>();
  if (!pad->Create(kind, 1, 1, LoadString(static_cast<uint32_t>(command)), rect, CAT_ENTRIES, 0, kPadTextFlags,
                   GetDocument())) {
    return false;  // the pool is full: the user has been told
  }
  CControlPad* added = GetDocument()->Adopt(std::move(pad));
  if (added == nullptr) return false;
  if (output)
    Connect(this, pin, added, 0);
  else
    Connect(added, 0, this, pin);
  Invalidate();
  return true;
}

void CInterfaceSlot::RemoveAttached(CBaseDevice* object) {
  if (object == nullptr || GetDocument() == nullptr) return;
  GetDocument()->DeleteObject(object);
  Invalidate();
}

bool CInterfaceSlot::ToggleMonitor(int outputPin) {
  if (FindOutputConnection(outputPin) != nullptr) {
    // Only the device the slot made is deleted; anything else the user wired
    // to the connector is only unplugged.
    std::vector<CBaseDevice*> peers;
    for (const ConnectionRecord& record : GetOutputConnections()) {
      if (record.nOwnPin == outputPin && record.pPeer != nullptr) peers.push_back(record.pPeer);
    }
    DisconnectOutputPin(outputPin);
    for (CBaseDevice* peer : peers) {
      if (peer->GetType() == DT_AUDIOINPUTDEVICE && peer->GetKind() == CAudioInputDevice::kKindMonitor)
        RemoveAttached(peer);
    }
    Invalidate();
    return true;
  }
  auto device = std::make_unique<CAudioInputDevice>();
  if (!device->Create(CAudioInputDevice::kKindMonitor, 1, 1, LoadString(ID_MONITOR),
                      AttachRect(true, outputPin, kPictureSize), CAT_AUDIODEVICES, kBitmapMonitor, kMonitorTextFlags,
                      GetDocument())) {
    return false;
  }
  CBaseDevice* added = GetDocument()->AddObject(std::move(device));
  if (added == nullptr) return false;
  Connect(this, outputPin, added, 0);
  Invalidate();
  return true;
}

bool CInterfaceSlot::TogglePC(int inputPin) {
  if (FindInputConnection(inputPin) != nullptr) {
    std::vector<CBaseDevice*> peers;
    for (const ConnectionRecord& record : GetInputConnections()) {
      if (record.nOwnPin == inputPin && record.pPeer != nullptr) peers.push_back(record.pPeer);
    }
    DisconnectInputPin(inputPin);
    for (CBaseDevice* peer : peers) {
      if (peer->GetType() == DT_AUDIOINPUTDEVICE && peer->GetKind() == CAudioInputDevice::kKindPC) RemoveAttached(peer);
    }
    Invalidate();
    return true;
  }
  auto device = std::make_unique<CAudioInputDevice>();
  if (!device->Create(CAudioInputDevice::kKindPC, 1, 1, LoadString(ID_PC), AttachRect(false, inputPin, kPictureSize),
                      CAT_AUDIODEVICES, kBitmapPC, kPCTextFlags, GetDocument())) {
    return false;
  }
  CBaseDevice* added = GetDocument()->AddObject(std::move(device));
  if (added == nullptr) return false;
  Connect(added, 0, this, inputPin);
  Invalidate();
  return true;
}

bool CInterfaceSlot::AttachPowerSupply(int kind) {
  std::unique_ptr<CAudioInputDevice> device;
  try {
    device = std::make_unique<CAudioInputDevice>();
  } catch (const std::bad_alloc&) {
    AfxMessageBox(QCoreApplication::translate("CInterfaceSlot", "Out of Memory during creating power object!"),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  QString name = LoadString(kStrPowerSupply);
  if (name.isEmpty()) name = QStringLiteral("Power Supply");
  // The supply's output 0 faces the slot's pin; the block hangs down from it.
  QRect rect = AttachRect(false, IN_POWER, kPowerSize);
  rect.moveTop(GetInputPinPoint(IN_POWER).y() - kPowerSize.height() / (CAudioInputDevice::kPowerSupplyPins + 1));
  if (!device->Create(kind, CAudioInputDevice::kPowerSupplyPins, CAudioInputDevice::kPowerSupplyPins, name, rect,
                      CAT_AUDIODEVICES, kBitmapPowerSupply, kPowerTextFlags, GetDocument())) {
    return false;  // the pool is full: the user has been told
  }
  CBaseDevice* added = GetDocument()->AddObject(std::move(device));
  if (added == nullptr) return false;
  Connect(added, 0, this, IN_POWER);
  Invalidate();
  return true;
}
