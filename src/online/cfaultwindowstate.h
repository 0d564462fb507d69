#ifndef SELV_ONLINE_CFAULTWINDOWSTATE_H
#define SELV_ONLINE_CFAULTWINDOWSTATE_H

#include "link/ctransfer.h"

#include <QPointer>
#include <QString>
#include <QVector>

#include <cstdint>

class CFault;
class CSelvantisDoc;
class IDeviceLink;

// What the fault window shows, stores and sends, without widgets: the
// considered fault sources, the latch and the display console of the
// project's fault object; the live state the unit reports (active sources,
// FAULT relay, manual error); the commands of the buttons. The fault object
// is looked up anew each time, so the window never holds one that has gone.
class CFaultWindowState final {
 public:
  struct Source {
    uint32_t bit;
    const char* keyword;
    int checkBoxId;
    int iconId;  // the "active" marker beside the box
  };
  static constexpr int kSourceCount = 11;
  static const Source kSources[kSourceCount];

  static constexpr int kLatchId = 1529;
  static constexpr int kDisplayComboId = 1655;
  static constexpr int kRelayButtonId = 1539;
  static constexpr int kManualButtonId = 1540;
  // Relay icons: not active / active.
  static constexpr int kIconRelayIdle = 245;
  static constexpr int kIconRelayActive = 251;
  static constexpr int kPollPeriodMs = 1500;
  // Waits of the three poll exchanges.
  static constexpr int kActiveWaitMs = 200;
  static constexpr int kStateWaitMs = 200;
  static constexpr int kManualWaitMs = 100;

  // One entry of the "Display on consoles" box.
  struct Choice {
    QString text;
    int data;
  };

  explicit CFaultWindowState(CSelvantisDoc* doc);

  CFault* Fault() const;

  // The index of a check box id in kSources, -1 for another id.
  static int SourceIndexOf(int checkBoxId);
  // The two line-test sources are shown only on a large project.
  bool ShowsLineSources() const;

  uint32_t Sources() const;
  bool IsLatched() const;
  int DisplayConsole() const;
  // The text of the display console: "" for none, "All Consoles", the
  // console's name, or its ID and " *" when it has gone.
  QString DisplayText() const;
  // "OFF" (-1), "All Consoles" (0), then every console of the project by
  // name with its ID.
  QVector<Choice> ConsoleChoices() const;

  // The user's changes; they stay in the project until a download. False
  // when the project has no fault object.
  bool SetSources(uint32_t bits);
  bool SetLatched(bool on);
  bool SetDisplayConsole(int data);

  static QString ManualCommand(bool on);
  static QString RelayAcknowledgeCommand();
  // Sends the button's command (single line, not shortened).
  void SendManual(IDeviceLink& link, bool on) const;
  void SendRelayAcknowledge(IDeviceLink& link) const;

  // The value of an answer: trailing white space removed, the text after
  // its last blank (all of it without a blank).
  static QString AnswerValue(const QString& answer);

  // One poll: the three exchanges in order. The active sources go into the
  // fault object; relay and manual state are kept here. No answer clears
  // everything. A value the unit refuses ("ERROR path") is not known: the
  // relay shows no lamp, and the sources and the manual error stay as they
  // were. A transfer in progress skips the tick (its answers must not
  // be read away). True when the exchanges ran.
  bool Poll(IDeviceLink& link);
  // Takes the three answers as Poll reads them.
  void ApplyAnswers(const QString& active, const QString& state, const QString& manual);

  uint32_t ActiveSources() const;
  bool IsSourceActive(int index) const;
  bool IsRelayActive() const { return m_relayActive; }
  // No lamp (0) while the unit refuses the relay's state.
  int RelayIcon() const;
  // The unit answered "ERROR path" in place of a value.
  static bool IsRefusal(const QString& answer);
  bool IsManualOn() const { return m_manualOn; }

  // The fault object's download (bUpload false) or upload. progress may be
  // empty.
  CTransfer::Result Transfer(IDeviceLink* link, bool bUpload, CTransfer::ProgressHandler progress) const;

 private:
  QPointer<CSelvantisDoc> m_doc;
  bool m_relayActive = false;
  bool m_manualOn = false;
  bool m_relayRefused = false;
};

#endif
