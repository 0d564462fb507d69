#ifndef SELV_ONLINE_CCLOCKWINDOWSTATE_H
#define SELV_ONLINE_CCLOCKWINDOWSTATE_H

#include "online/cclocktexts.h"

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class CClock;
class CSelvantisDoc;
class IDeviceLink;

// What the clock window shows and sends, without widgets: the unit's
// clock texts as last reported, the radio-clock reception state, the
// queries of the poll, the commands of the buttons, and when to set the
// computer's clock from the unit (good reception that agrees with the main
// clock). The project's clock object is looked up anew each time.
class CClockWindowState final {
 public:
  static constexpr int kPollPeriodMs = 1000;
  enum class Reception { Unknown, Good, NotReceiving };

  // Sets the computer's local time; false when that is not possible (the
  // program lacks the right). Tests install their own.
  using ClockSetter = std::function<bool(const QDateTime& local)>;
  static ClockSetter SetClockSetter(ClockSetter setter);

  explicit CClockWindowState(CSelvantisDoc* doc);

  CClock* Clock() const;
  // The project's slave clock settings (off without a clock object).
  bool IsSlaveInvertOn() const;
  bool IsSlaveRunOn() const;

  // The key of a reply's path ("/MAIN/TIME"), or -1.
  static int KeyOf(const QString& path);
  static QString KeyPath(int key);
  // "/CLOCK<path> ?".
  static QString Query(int key);
  static QStringList OpeningQueries();
  static QStringList TickQueries();
  // Sends queries to the unit for the active document, shortened.
  static void SendQueries(IDeviceLink& link, const QStringList& queries);

  // One reply line ("/CLOCK/MAIN/TIME 12:00:59"; the path may come with or
  // without "/CLOCK"). Returns the key whose text changed, -1 when nothing
  // did (unknown key, echoed query, a repeat of the stored value, or a
  // main-clock value while the main clock is being edited).
  int ParseClockReply(const QString& line);

  const QString& Text(int key) const { return m_texts[key]; }
  const CClockTexts& Texts() const { return m_texts; }
  void ClearTexts() { m_texts.Clear(); }
  Reception GetReception() const { return m_reception; }
  void SetReception(Reception reception) { m_reception = reception; }
  int OverloadIcon() const;
  int ReceptionIcon() const;

  // The local time built from the stored texts when radio clock and main
  // clock agree (same hours and minutes, same date) and the texts make a
  // valid time; else an invalid QDateTime.
  QDateTime AgreedLocalTime() const;
  // How often the computer's clock was set / refused.
  int ClockSetCount() const { return m_clockSets; }

  // The main clock button. Starting to edit returns true; ending sends the
  // two texts as typed and returns false.
  bool IsEditingMain() const { return m_editingMain; }
  void BeginMainEdit();
  void EndMainEdit(IDeviceLink& link, const QString& time, const QString& date);
  // Ends the edit without sending (the unit is not connected); the next
  // answers show the unit's clock again.
  void AbandonMainEdit();

  void SendSlaveTime(IDeviceLink& link, const QString& time) const;
  // Sends and stores the slave run / invert switch.
  void SetSlaveRun(IDeviceLink& link, bool on);
  void SetSlaveInvert(IDeviceLink& link, bool on);

 private:
  void SetComputerClock();

  QPointer<CSelvantisDoc> m_doc;
  CClockTexts m_texts;
  Reception m_reception = Reception::Unknown;
  bool m_editingMain = false;
  int m_clockSets = 0;
};

#endif
