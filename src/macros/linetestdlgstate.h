#ifndef SELV_MACROS_LINETESTDLGSTATE_H
#define SELV_MACROS_LINETESTDLGSTATE_H

#include "macros/czonetestformstate.h"
#include "model/cselvantisdoc.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>

#include <vector>

class CSelvantisDoc;

// What the line test properties dialog shows and what its OK stores: the
// zone-test settings (daily line test, its time, the consoles that show the
// results, the impedance test, the switched output) held as a copy until
// Apply. The switches reset and enable the other settings by the same rules
// as the lower pane of the line-test window, and Apply goes through the
// pane's store operations, writing only what differs from what was loaded,
// so an untouched setting is never rewritten. Holds identifiers, never
// objects: the zone-test object is looked up again on Apply.
class LineTestDlgState final {
  Q_DECLARE_TR_FUNCTIONS(LineTestDlgState)

 public:
  using Entry = CZonetestFormState::Entry;
  enum class ApplyResult { Stored, Unchanged, NoObject };

  explicit LineTestDlgState(CSelvantisDoc* doc);
  LineTestDlgState(const LineTestDlgState&) = delete;
  LineTestDlgState& operator=(const LineTestDlgState&) = delete;

  // The project has a zone-test object.
  bool HasObject() const;
  // Takes the settings and builds the lists; false (and nothing loaded)
  // without a zone-test object.
  bool Load();
  // Stores what was changed since Load; NoObject when the zone-test object
  // has gone, and then nothing is stored.
  ApplyResult Apply();
  bool IsModified() const { return !(m_values == m_loaded); }

  // "OFF", "All Consoles", then the consoles; a console the settings name
  // but the project lacks is added at the end, so it is shown and kept.
  const std::vector<Entry>& Consoles() const { return m_consoles; }
  // "OFF", then the control pads that can be switched; a pad the settings
  // name that is not among them is added at the end.
  const std::vector<Entry>& Outputs() const { return m_outputs; }

  bool LineTest() const { return m_values.lineTest; }
  bool ImpedanceTest() const { return m_values.impedanceTest; }
  // Seconds after midnight.
  int Time() const { return m_values.time; }
  // Console IDs as stored (0 none, -1 all) and their list rows.
  int LineConsole() const { return m_values.lineConsole; }
  int ImpedanceConsole() const { return m_values.impedanceConsole; }
  int LineConsoleIndex() const { return CZonetestFormState::IndexOfData(m_consoles, m_values.lineConsole); }
  int ImpedanceConsoleIndex() const { return CZonetestFormState::IndexOfData(m_consoles, m_values.impedanceConsole); }
  // The control pad switched during a test (0 none) and its list row.
  int OutputPad() const { return m_values.outputPad; }
  int OutputIndex() const { return CZonetestFormState::IndexOfData(m_outputs, m_values.outputPad); }
  CZonetestFormState::Enables Enables() const {
    return CZonetestFormState::EnablesFor(m_values.lineTest, m_values.impedanceTest);
  }

  // The switches; switching one off sets its console to "OFF", and the
  // output too when the other test is off as well.
  void SetLineTest(bool on);
  void SetImpedanceTest(bool on);
  // Kept inside one day.
  void SetTime(int secondsOfDay);
  // List rows; a row outside the list is ignored.
  void ChooseLineConsole(int index);
  void ChooseImpedanceConsole(int index);
  void ChooseOutput(int index);

 private:
  struct Values {
    bool lineTest = false;
    int time = 0;
    int lineConsole = 0;
    bool impedanceTest = false;
    int impedanceConsole = 0;
    int outputPad = 0;
    bool operator==(const Values& o) const {
      return lineTest == o.lineTest && time == o.time && lineConsole == o.lineConsole &&
             impedanceTest == o.impedanceTest && impedanceConsole == o.impedanceConsole && outputPad == o.outputPad;
    }
  };
  void ApplyEffects(const CZonetestFormState::Effects& effects, int* console);

  QPointer<CSelvantisDoc> m_doc;
  CZonetestFormState m_form;
  Values m_loaded;
  Values m_values;
  std::vector<Entry> m_consoles;
  std::vector<Entry> m_outputs;
};

#endif
