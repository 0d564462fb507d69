#include "unit/cdigitalslot.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "unit/ccontrolpad.h"

#include <QRect>
#include <QSize>

#include <memory>

SELV_IMPLEMENT_SERIAL(CDigitalSlot, CDigitalSlot::kSchema)

namespace {

// After the audio slots ("Slot3", "Slot4"), which sit left of this one.
constexpr int kProviderOrder = 110;
constexpr int kPadCategory = CAT_ENTRIES;
constexpr int kPadTextFlags = CBaseDevice::TF_NAME | CBaseDevice::TF_RIGHT;

const bool g_registered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
                                               if (occasion == CSelvantisDoc::FixedObjectOccasion::NewDocument)
                                                 CDigitalSlot::EnsureIn(doc);
                                             });
  return true;
}();

bool IsPin(int pin) { return pin >= 0 && pin < CDigitalSlot::kPins; }

}  // namespace

CDigitalSlot::CDigitalSlot() {
  (void)g_registered;
  SetType(DT_DIGITALSLOT);
  m_nMenuID = kMenuId;
  SetMoveLock(true);
  // A new project has the module fitted.
  m_bPinsShown = true;
}

CDigitalSlot* CDigitalSlot::Find(CSelvantisDoc* doc) {
  if (doc == nullptr) return nullptr;
  return dynamic_cast<CDigitalSlot*>(doc->GetIDManager().FindBaseDevice(1, DT_DIGITALSLOT));
}

CDigitalSlot* CDigitalSlot::EnsureIn(CSelvantisDoc& doc) {
  if (CDigitalSlot* existing = Find(&doc)) return existing;
  auto slot = std::make_unique<CDigitalSlot>();
  if (!slot->Create(kKind, kPins, kPins, LoadString(IDS_MODULE_NAME), QRect(kLeft, kTop, kWidth, kHeight), CAT_SLOTS, 0,
                    0, &doc))
    return nullptr;
  return doc.Adopt(std::move(slot));
}

void CDigitalSlot::Serialize(CArchive& ar) {
  // The base record holds everything: pin counts, the fitted flag, links.
  CBaseDevice::Serialize(ar);
}

bool CDigitalSlot::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  for (int pin = 0; pin < GetInputCount(); ++pin) SetInputPinLabel(pin, Fmt("IN%d", pin + 1));
  for (int pin = 0; pin < GetOutputCount(); ++pin)
    SetOutputPinLabel(pin, pin == 0 ? LoadString(IDS_SLAVE_CLOCK_PIN) : Fmt("OUT%d", pin + 1));
  CalcBoundingRect();
  return true;
}

void CDigitalSlot::CalcBoundingRect() {
  CBaseDevice::CalcBoundingRect();
  m_boundRect.adjust(-kBoundWiden, 0, kBoundWiden, 0);
}

int CDigitalSlot::OnAfterLoad() {
  if (GetSchema() >= 0 && GetSchema() < 2) Move(0, kOldRecordShiftY, false);
  return 1;
}

bool CDigitalSlot::SetFitted(bool fitted) {
  if (fitted == IsFitted()) return true;
  if (!fitted && HasConnections()) return false;
  ShowPins(fitted);
  if (!fitted) {
    SetHighlightedPins(-1, -1);
    m_nMenuInPin = -1;
    m_nMenuOutPin = -1;
  }
  Invalidate();
  // The state is part of the project.
  SetModified();
  return true;
}

void CDigitalSlot::SetMenuPins(int inputPin, int outputPin) {
  m_nMenuInPin = IsPin(inputPin) ? inputPin : -1;
  m_nMenuOutPin = IsPin(outputPin) ? outputPin : -1;
}

void CDigitalSlot::BuildContextMenu(CMenuData& menu) {
  // The pins are taken now: by the time a command is chosen the cursor is on
  // the menu and no pin is highlighted any more.
  if (IsFitted())
    SetMenuPins(GetHighlightedInputPin(), GetHighlightedOutputPin());
  else
    SetMenuPins(-1, -1);
  if (m_nMenuOutPin >= 0) {
    menu.AddSeparator();
    menu.AddItem(ID_NEW_OUTPUT_PAD, LoadString(ID_NEW_OUTPUT_PAD));
  }
  if (m_nMenuInPin >= 0) {
    menu.AddSeparator();
    menu.AddItem(ID_NEW_INPUT_PAD, LoadString(ID_NEW_INPUT_PAD));
  }
}

bool CDigitalSlot::IsPinFree(bool output, int pin) const {
  if (!IsPin(pin)) return false;
  return output ? FindOutputConnection(pin) == nullptr : FindInputConnection(pin) == nullptr;
}

void CDigitalSlot::OnUpdateCommandUI(CCmdUI& cmdUI) {
  switch (cmdUI.GetID()) {
    case ID_EMPTY_SLOT:
      cmdUI.SetCheck(IsFitted() ? 0 : 1);
      cmdUI.Enable(!IsFitted() || !HasConnections());
      return;
    case ID_FIT_MODULE:
      cmdUI.SetCheck(IsFitted() ? 1 : 0);
      cmdUI.Enable(true);
      return;
    case ID_SHOW_PROPERTIES: cmdUI.Enable(IsFitted()); return;
    case ID_NEW_INPUT_PAD:
    case ID_NEW_OUTPUT_PAD: {
      // Without a pin the command stays available and says what is missing.
      const bool output = cmdUI.GetID() == ID_NEW_OUTPUT_PAD;
      const int pin = output ? m_nMenuOutPin : m_nMenuInPin;
      cmdUI.Enable(IsFitted() && (pin < 0 || IsPinFree(output, pin)));
      return;
    }
    default: CBaseDevice::OnUpdateCommandUI(cmdUI);
  }
}

bool CDigitalSlot::OnCommand(int id) {
  switch (id) {
    case ID_EMPTY_SLOT: return SetFitted(false);
    case ID_FIT_MODULE: return SetFitted(true);
    case ID_SHOW_PROPERTIES: ShowProperties(); return true;
    case ID_NEW_INPUT_PAD:
    case ID_NEW_OUTPUT_PAD: {
      const int in = m_nMenuInPin;
      const int out = m_nMenuOutPin;
      // One menu, one pad: the pins are used up.
      SetMenuPins(-1, -1);
      if (in < 0 && out < 0) {
        AfxMessageBox(IDS_SELECT_PIN_FIRST, MB_OK | MB_ICONINFORMATION);
        return true;
      }
      return CreatePad(in, out) != nullptr;
    }
    case ID_DELETE_OBJECT:
      // A fixed block of the unit.
      return false;
    default: return CBaseDevice::OnCommand(id);
  }
}

CControlPad* CDigitalSlot::CreatePad(int inputPin, int outputPin) {
  const bool output = IsPin(outputPin);
  const int pin = output ? outputPin : inputPin;
  if (!output && !IsPin(inputPin)) {
    AfxMessageBox(IDS_SELECT_PIN_FIRST, MB_OK | MB_ICONINFORMATION);
    return nullptr;
  }
  if (m_pDoc == nullptr || !IsFitted() || !IsPinFree(output, pin)) return nullptr;

  int kind = CControlPad::kKindDigitalInput;
  QString name = Fmt("Input%d", pin + 1);
  QPoint corner = GetInputPinPoint(pin);
  if (output) {
    // Output 1 is the slot's slave-clock output: its pad is the clock's.
    kind = pin == 0 ? CControlPad::kKindSlaveClock : CControlPad::kKindDigitalOutput;
    name = pin == 0 ? LoadString(IDS_SLAVE_CLOCK) : Fmt("Output%d", pin + 1);
    corner = GetOutputPinPoint(pin) + QPoint(kOutputPadOffset, 0);
  }
  auto pad = std::make_unique<CControlPad>();
  if (!pad->Create(kind, 1, 1, name, QRect(corner, QSize(0, 0)), kPadCategory, 0, kPadTextFlags, m_pDoc))
    return nullptr;
  // The slot's own document, whichever project is active.
  CControlPad* added = m_pDoc->Adopt(std::move(pad));
  if (added == nullptr) return nullptr;
  if (output)
    Connect(this, pin, added, 0);
  else
    Connect(added, 0, this, pin);
  added->Invalidate();
  Invalidate();
  return added;
}

bool CDigitalSlot::ShowProperties() {
  if (!IsFitted()) return false;
  if (!CBaseDevice::ShowProperties()) return false;
  Invalidate();
  return true;
}

int CDigitalSlot::GetReportColumns(std::vector<ReportColumn>& columns) const {
  columns.push_back(ReportColumn{2, 0});
  columns.push_back(ReportColumn{30, 0});
  columns.push_back(ReportColumn{30, 0});
  return 1;
}

int CDigitalSlot::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader)
    cells << ModelString(IDS_NAME) << ModelString(IDS_ID) << ModelString(IDS_TYPE);
  else
    cells << QStringLiteral("Slot5") << GetIDString() << GetName();
  return static_cast<int>(cells.size());
}
