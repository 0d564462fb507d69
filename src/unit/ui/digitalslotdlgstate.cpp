#include "unit/ui/digitalslotdlgstate.h"

#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/connectionrecord.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "unit/ccontrolpad.h"
#include "unit/cdigitalslot.h"

namespace {

const DigitalSlotDlgState::Terminal& EmptyTerminal() {
  static const DigitalSlotDlgState::Terminal terminal;
  return terminal;
}

}  // namespace

DigitalSlotDlgState::DigitalSlotDlgState(CDigitalSlot& slot) : m_slot(slot) {}

QString DigitalSlotDlgState::DefaultText(bool output, int pin) {
  if (output && pin == 0) return LoadString(CDigitalSlot::IDS_SLAVE_CLOCK);
  const int command = output ? CDigitalSlot::ID_NEW_OUTPUT_PAD : CDigitalSlot::ID_NEW_INPUT_PAD;
  return LoadString(static_cast<uint32_t>(command)) + Fmt(" %d", pin + 1);
}

const DigitalSlotDlgState::Terminal& DigitalSlotDlgState::Input(int pin) const {
  return IsPin(pin) ? m_inputs[pin] : EmptyTerminal();
}

const DigitalSlotDlgState::Terminal& DigitalSlotDlgState::Output(int pin) const {
  return IsPin(pin) ? m_outputs[pin] : EmptyTerminal();
}

DigitalSlotDlgState::Terminal* DigitalSlotDlgState::At(bool output, int pin) {
  if (!IsPin(pin)) return nullptr;
  return output ? &m_outputs[pin] : &m_inputs[pin];
}

void DigitalSlotDlgState::Load() {
  m_inputs = {};
  m_outputs = {};
  // A record on a pin the module does not have (a damaged file) is left
  // out rather than written beyond the terminals.
  for (const ConnectionRecord& record : m_slot.GetInputConnections()) {
    Terminal* terminal = At(false, record.nOwnPin);
    if (terminal == nullptr || record.pPeer == nullptr) continue;
    terminal->pad = record.pPeer;
    terminal->text = record.pPeer->GetName();
  }
  for (const ConnectionRecord& record : m_slot.GetOutputConnections()) {
    Terminal* terminal = At(true, record.nOwnPin);
    if (terminal == nullptr || record.pPeer == nullptr) continue;
    terminal->pad = record.pPeer;
    terminal->text = record.pPeer->GetName();
  }
  for (Terminal& terminal : m_inputs) terminal.checked = !terminal.text.isEmpty();
  for (Terminal& terminal : m_outputs) terminal.checked = !terminal.text.isEmpty();
}

void DigitalSlotDlgState::Tick(bool output, int pin, bool checked) {
  Terminal* terminal = At(output, pin);
  if (terminal == nullptr) return;
  terminal->checked = checked;
  terminal->touched = true;
  terminal->text = checked ? DefaultText(output, pin) : QString();
}

void DigitalSlotDlgState::SetText(bool output, int pin, const QString& text) {
  Terminal* terminal = At(output, pin);
  if (terminal == nullptr) return;
  terminal->text = text;
  terminal->touched = true;
}

void DigitalSlotDlgState::Forget(const CBaseDevice* pad) {
  if (pad == nullptr) return;
  for (Terminal& terminal : m_inputs) {
    if (terminal.pad == pad) terminal.pad = nullptr;
  }
  for (Terminal& terminal : m_outputs) {
    if (terminal.pad == pad) terminal.pad = nullptr;
  }
}

void DigitalSlotDlgState::ApplyTerminal(bool output, int pin) {
  Terminal* terminal = At(output, pin);
  if (terminal == nullptr || !terminal->touched) return;
  const QString text = terminal->checked ? terminal->text : QString();
  if (terminal->pad != nullptr) {
    if (text.isEmpty()) {
      CBaseDevice* pad = terminal->pad;
      terminal->pad = nullptr;
      pad->OnCommand(ID_DELETE_OBJECT);
    } else if (terminal->pad->GetName() != text) {
      terminal->pad->Rename(text, true);
    }
    return;
  }
  if (text.isEmpty()) return;
  // The slot hands back the pad it made for this pin; when it made none
  // (pool full, pin taken) no other pad is renamed by mistake.
  CControlPad* pad = output ? m_slot.CreatePad(-1, pin) : m_slot.CreatePad(pin, -1);
  if (pad == nullptr) return;
  terminal->pad = pad;
  if (pad->GetName() != text) pad->Rename(text, true);
  pad->Invalidate();
}

void DigitalSlotDlgState::Apply() {
  for (int pin = 0; pin < kTerminals; ++pin) ApplyTerminal(false, pin);
  for (int pin = 0; pin < kTerminals; ++pin) ApplyTerminal(true, pin);
}
