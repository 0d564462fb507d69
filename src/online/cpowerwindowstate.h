#ifndef SELV_ONLINE_CPOWERWINDOWSTATE_H
#define SELV_ONLINE_CPOWERWINDOWSTATE_H

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>

class CInternalPowerManagement;
class CSelvantisDoc;

// What the power-management window shows and sends, without widgets: the
// priorities, the mains condition, the boot and shutdown macros and the two
// battery flags as the project's power-management object holds them, and
// the unit's power state as last reported. Edits change only the project;
// the unit gets them with the download. The object is looked up anew each
// time: a project without one shows empty texts and sends nothing but
// queries.
class CPowerWindowState final {
 public:
  static constexpr const char* kPathRoot = "/POWER/";
  static constexpr int kPollPeriodMs = 1500;
  // The kinds of the "Selection" dialog: "Condition", "Macro".
  static constexpr uint32_t kConditionKind = 34129;
  static constexpr uint32_t kMacroKind = 32806;

  enum class PowerState { Unknown, On, Off };

  // What a reply changed.
  struct Changes {
    bool settings = false;  // priorities, references or flags
    bool power = false;     // the power state
  };

  explicit CPowerWindowState(CSelvantisDoc* doc);

  CInternalPowerManagement* Object() const;
  // The object's text of a parameter ("" without the object).
  QString Text(int code) const;
  int Value(int code) const;
  bool IsBatteryAvailable() const;
  bool IsDropShut() const;
  // The direct power-down box is usable only with a battery.
  bool CanDropShut() const { return IsBatteryAvailable(); }
  PowerState GetPowerState() const { return m_power; }

  // Opening: without a battery the direct power-down is cleared.
  void Load();
  // A priority edit (codes 0, 1, 6); text that is no number keeps the old
  // value. False when nothing could be stored.
  bool SetPriorityFromText(int code, const QString& text);
  void SetBatteryAvailable(bool available);
  void SetDropShut(bool drop);
  // The choice of the "Selection" dialog for a reference code (2, 3, 4).
  bool Choose(int code, int id);
  // The dialog kind of a reference code; 0 for another code.
  static uint32_t SelectionKindOf(int code);

  // "/POWER/STATE ON" or "... OFF".
  static QStringList PowerCommands(bool on);
  static QStringList PollCommands();
  // Upload: the eight queries; download: the eight settings (the settings
  // as they are now; nothing without a power-management object).
  QStringList TransferCommands(bool bUpload) const;

  Changes ApplyReply(const QStringList& lines);

 private:
  QPointer<CSelvantisDoc> m_doc;
  PowerState m_power = PowerState::Unknown;
};

#endif
