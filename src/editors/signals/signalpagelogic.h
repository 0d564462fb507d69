#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CAudioSignal;
class CBaseDevice;
class CSelvantisDoc;

// What the alarm, chime and message pages show and write: the page's
// controls as plain values, loaded from and saved into a signal of the
// page's kind, and the creation of a new signal from them.
class SignalPageLogic final {
 public:
  // The controls of a page. listRow -1: nothing selected; macro index 0 is
  // "OFF", n the n-th macro of Macros().
  struct State {
    int priority = 9;
    bool bInternal = true;
    int listRow = 0;
    int startMacro = 0;
    int stopMacro = 0;
  };

  // kind: 32822 alarm, 32823 chime or 32824 message page.
  SignalPageLogic(CSelvantisDoc& doc, int kind);

  int Kind() const noexcept { return m_kind; }
  int DefaultPriority() const;
  bool HasMacros() const;
  bool HasSourceChoice() const;  // the internal/external radios

  // The list box: alarm generators, gongs, or "OFF" and the recorder's
  // messages. Sources() holds the objects behind the rows (empty for the
  // message page).
  QStringList ListTexts() const;
  const std::vector<CBaseDevice*>& Sources() const noexcept { return m_sources; }
  // "OFF" and the macro names.
  QStringList MacroTexts() const;
  const std::vector<CBaseDevice*>& Macros() const noexcept { return m_macros; }
  // Fills the lists again from the document.
  void Refresh();

  // True when the page edits this signal (its kind is the page's).
  bool Handles(const CAudioSignal* signal) const;
  // The controls for the signal; the defaults when the page does not edit it.
  State Load(const CAudioSignal* signal) const;
  // Writes the controls into the signal; nothing for a signal of another
  // kind. Returns whether it wrote.
  bool Save(CAudioSignal* signal, const State& state) const;
  // A new signal of the page's kind from the controls, added to the
  // document; null (and a message) when the alarm page has no generator
  // chosen or the document cannot take another signal.
  CAudioSignal* Create(const State& state) const;
  // Keeps a radio change consistent: internal selects row 0, external none.
  static State WithSource(State state, bool bInternal);
  // A click on the page's internal/external radio: the alarm page's
  // generator list follows it (WithSource); the message page's list keeps
  // its row, which Save ignores while the source is external.
  State ChooseSource(State state, bool bInternal) const;

 private:
  CBaseDevice* SourceAt(int row) const;
  int MacroIndex(const CBaseDevice* macro) const;
  CBaseDevice* MacroAt(int index) const;

  CSelvantisDoc& m_doc;
  int m_kind;
  std::vector<CBaseDevice*> m_sources;
  std::vector<CBaseDevice*> m_macros;
  QStringList m_messageNames;
};
