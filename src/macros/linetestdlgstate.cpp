#include "macros/linetestdlgstate.h"

#include "macros/czonetestobject.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/devicetype.h"

#include <algorithm>

LineTestDlgState::LineTestDlgState(CSelvantisDoc* doc) : m_doc(doc), m_form(doc) {}

bool LineTestDlgState::HasObject() const { return m_form.Object() != nullptr; }

bool LineTestDlgState::Load() {
  const CZonetestObject* object = m_form.Object();
  if (!object) return false;
  Values v;
  v.lineTest = object->GetParam(CZonetestObject::P_LINETEST) != 0;
  v.time = std::clamp(object->GetParam(CZonetestObject::P_TIME), 0, CZonetestObject::kSecondsPerDay - 1);
  v.lineConsole = object->GetParam(CZonetestObject::P_LINE_CONS);
  v.impedanceTest = object->GetParam(CZonetestObject::P_IMPTEST) != 0;
  v.impedanceConsole = object->GetParam(CZonetestObject::P_IMP_CONS);
  v.outputPad = object->GetOutputPadID();
  m_loaded = v;
  m_values = v;

  // A value the lists do not offer would otherwise show as "OFF" and be
  // stored as such on OK although nobody chose it.
  m_consoles = m_form.ConsoleEntries();
  for (int console : {v.lineConsole, v.impedanceConsole}) {
    if (console != 0 && CZonetestFormState::IndexOfData(m_consoles, console) == 0)
      m_consoles.push_back({tr("Console %1").arg(console), console});
  }
  m_outputs = m_form.OutputEntries();
  if (v.outputPad != 0 && CZonetestFormState::IndexOfData(m_outputs, v.outputPad) == 0) {
    const CBaseDevice* pad = m_doc ? m_doc->GetIDManager().FindBaseDevice(v.outputPad, DT_CONTROLPAD) : nullptr;
    m_outputs.push_back({pad ? pad->GetName() : tr("Control pad %1").arg(v.outputPad), v.outputPad});
  }
  return true;
}

void LineTestDlgState::ApplyEffects(const CZonetestFormState::Effects& effects, int* console) {
  if (effects.resetOutput) m_values.outputPad = 0;
  if (effects.resetConsoles) *console = 0;
}

void LineTestDlgState::SetLineTest(bool on) {
  if (on == m_values.lineTest) return;
  m_values.lineTest = on;
  ApplyEffects(CZonetestFormState::LineTestEffects(on, m_values.impedanceTest), &m_values.lineConsole);
}

void LineTestDlgState::SetImpedanceTest(bool on) {
  if (on == m_values.impedanceTest) return;
  m_values.impedanceTest = on;
  ApplyEffects(CZonetestFormState::ImpedanceTestEffects(on, m_values.lineTest), &m_values.impedanceConsole);
}

void LineTestDlgState::SetTime(int secondsOfDay) {
  m_values.time = std::clamp(secondsOfDay, 0, CZonetestObject::kSecondsPerDay - 1);
}

void LineTestDlgState::ChooseLineConsole(int index) {
  if (index >= 0 && index < static_cast<int>(m_consoles.size())) m_values.lineConsole = m_consoles[index].data;
}

void LineTestDlgState::ChooseImpedanceConsole(int index) {
  if (index >= 0 && index < static_cast<int>(m_consoles.size())) m_values.impedanceConsole = m_consoles[index].data;
}

void LineTestDlgState::ChooseOutput(int index) {
  if (index >= 0 && index < static_cast<int>(m_outputs.size())) m_values.outputPad = m_outputs[index].data;
}

LineTestDlgState::ApplyResult LineTestDlgState::Apply() {
  if (!m_form.Object()) return ApplyResult::NoObject;
  if (!IsModified()) return ApplyResult::Unchanged;
  const Values& v = m_values;
  // The switches first, as the pane stores them: switching on creates the
  // objects that run the test, switching off clears what depends on it.
  if (v.lineTest != m_loaded.lineTest) m_form.LineTestClicked(v.lineTest, v.impedanceTest, v.time);
  if (v.impedanceTest != m_loaded.impedanceTest) m_form.ImpedanceTestClicked(v.impedanceTest, v.lineTest);
  // Then each setting the object does not hold yet.
  const CZonetestObject* object = m_form.Object();
  if (!object) return ApplyResult::Stored;
  if (v.lineTest && v.time != m_loaded.time && object->GetParam(CZonetestObject::P_TIME) != v.time)
    m_form.StoreTime(v.time);
  if (v.lineConsole != m_loaded.lineConsole && object->GetParam(CZonetestObject::P_LINE_CONS) != v.lineConsole)
    m_form.StoreLineConsole(v.lineConsole);
  if (v.impedanceConsole != m_loaded.impedanceConsole &&
      object->GetParam(CZonetestObject::P_IMP_CONS) != v.impedanceConsole)
    m_form.StoreImpedanceConsole(v.impedanceConsole);
  if (v.outputPad != m_loaded.outputPad && object->GetOutputPadID() != v.outputPad) m_form.StoreOutput(v.outputPad);
  m_loaded = m_values;
  return ApplyResult::Stored;
}
