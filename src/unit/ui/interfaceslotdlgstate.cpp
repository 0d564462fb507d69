#include "unit/ui/interfaceslotdlgstate.h"

#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/connectionrecord.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "unit/caudioinputdevice.h"
#include "unit/cinterfaceslot.h"

namespace {

// The pin commands of the rows; 0 where a row attaches nothing.
constexpr int kInputCommands[InterfaceSlotDlgState::kRows] = {CInterfaceSlot::ID_PC, CInterfaceSlot::ID_DCF77,
                                                              CInterfaceSlot::ID_INP1, CInterfaceSlot::ID_INP2};
constexpr int kOutputCommands[InterfaceSlotDlgState::kRows] = {CInterfaceSlot::ID_READY, CInterfaceSlot::ID_MONITOR,
                                                               CInterfaceSlot::ID_REMOTE, 0};

// The power supply models in the order of the radio buttons.
constexpr int kPowerKinds[] = {CAudioInputDevice::kKindRTP3004, CAudioInputDevice::kKindRTP3012};
constexpr int kPowerChoices = static_cast<int>(sizeof(kPowerKinds) / sizeof(kPowerKinds[0]));

const InterfaceSlotDlgState::Row& EmptyRow() {
  static const InterfaceSlotDlgState::Row row;
  return row;
}

}  // namespace

InterfaceSlotDlgState::InterfaceSlotDlgState(CInterfaceSlot& slot) : m_slot(slot) {}

int InterfaceSlotDlgState::RowCommand(bool output, int row) {
  if (!IsRow(row)) return 0;
  return output ? kOutputCommands[row] : kInputCommands[row];
}

QString InterfaceSlotDlgState::DefaultText(bool output, int row) {
  if (!output && row == 0) return QStringLiteral("PC");
  const int command = RowCommand(output, row);
  return command == 0 ? QString() : LoadString(static_cast<uint32_t>(command));
}

const InterfaceSlotDlgState::Row& InterfaceSlotDlgState::Input(int row) const {
  return IsRow(row) ? m_inputs[row] : EmptyRow();
}

const InterfaceSlotDlgState::Row& InterfaceSlotDlgState::Output(int row) const {
  return IsRow(row) ? m_outputs[row] : EmptyRow();
}

InterfaceSlotDlgState::Row* InterfaceSlotDlgState::RowAt(bool output, int row) {
  if (!IsRow(row)) return nullptr;
  return output ? &m_outputs[row] : &m_inputs[row];
}

void InterfaceSlotDlgState::Load() {
  m_inputs = {};
  m_outputs = {};
  for (const ConnectionRecord& record : m_slot.GetInputConnections()) {
    Row* row = RowAt(false, record.nOwnPin);
    if (row == nullptr || record.pPeer == nullptr) continue;
    row->object = record.pPeer;
    row->text = record.pPeer->GetName();
  }
  for (const ConnectionRecord& record : m_slot.GetOutputConnections()) {
    Row* row = RowAt(true, record.nOwnPin);
    if (row == nullptr || record.pPeer == nullptr) continue;
    row->object = record.pPeer;
    row->text = record.pPeer->GetName();
  }
  for (Row& row : m_inputs) row.checked = !row.text.isEmpty();
  for (Row& row : m_outputs) row.checked = !row.text.isEmpty();

  m_powerSupply = nullptr;
  m_power = kNoPower;
  const ConnectionRecord* power = m_slot.GetInputCount() > CInterfaceSlot::IN_POWER
                                      ? m_slot.FindInputConnection(CInterfaceSlot::IN_POWER)
                                      : nullptr;
  CBaseDevice* peer = power != nullptr ? power->pPeer : nullptr;
  if (peer != nullptr && peer->GetType() == DT_AUDIOINPUTDEVICE &&
      CAudioInputDevice::IsPowerSupplyKind(peer->GetKind())) {
    m_powerSupply = peer;
    for (int choice = 0; choice < kPowerChoices; ++choice) {
      if (kPowerKinds[choice] == peer->GetKind()) m_power = choice;
    }
  }
}

void InterfaceSlotDlgState::Tick(bool output, int row, bool checked) {
  Row* at = RowAt(output, row);
  if (at == nullptr) return;
  at->checked = checked;
  at->touched = true;
  at->text = checked ? DefaultText(output, row) : QString();
}

void InterfaceSlotDlgState::SetText(bool output, int row, const QString& text) {
  Row* at = RowAt(output, row);
  if (at == nullptr) return;
  at->text = text;
  at->touched = true;
}

void InterfaceSlotDlgState::ChoosePower(int choice) {
  if (choice >= 0 && choice < kPowerChoices) m_power = choice;
}

void InterfaceSlotDlgState::Forget(const CBaseDevice* object) {
  if (object == nullptr) return;
  for (Row& row : m_inputs) {
    if (row.object == object) row.object = nullptr;
  }
  for (Row& row : m_outputs) {
    if (row.object == object) row.object = nullptr;
  }
  if (m_powerSupply == object) m_powerSupply = nullptr;
}

void InterfaceSlotDlgState::ApplyRow(bool output, int row) {
  Row* at = RowAt(output, row);
  if (at == nullptr || !at->touched) return;
  const QString text = at->checked ? at->text : QString();
  if (at->object != nullptr) {
    if (text.isEmpty()) {
      CBaseDevice* object = at->object;
      at->object = nullptr;
      object->OnCommand(ID_DELETE_OBJECT);
    } else if (at->object->GetName() != text) {
      at->object->SetUniqueName(text, true);
    }
    return;
  }
  if (text.isEmpty()) return;
  const int command = RowCommand(output, row);
  if (command == 0) return;
  if (!m_slot.OnPinCommand(command, output ? -1 : row, output ? row : -1)) return;
  // The object the command attached to this very pin; when nothing was
  // attached (the pool is full) no other object is renamed by mistake.
  const ConnectionRecord* record = output ? m_slot.FindOutputConnection(row) : m_slot.FindInputConnection(row);
  if (record == nullptr || record->pPeer == nullptr) return;
  at->object = record->pPeer;
  if (at->object->GetName() != text) at->object->SetUniqueName(text, true);
  at->object->Invalidate();
}

int InterfaceSlotDlgState::Apply() {
  for (int row = 0; row < kRows; ++row) ApplyRow(false, row);
  for (int row = 0; row < kRows; ++row) ApplyRow(true, row);
  if (m_power == kNoPower) return 0;
  const int kind = kPowerKinds[m_power];
  if (m_powerSupply == nullptr) return kind;
  if (m_powerSupply->GetKind() != kind) {
    m_powerSupply->SetKind(kind);
    m_powerSupply->SetModified();
    m_powerSupply->Invalidate();
  }
  return 0;
}
