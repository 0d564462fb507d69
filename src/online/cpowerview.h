#ifndef SELV_ONLINE_CPOWERVIEW_H
#define SELV_ONLINE_CPOWERVIEW_H

#include "online/conlineview.h"
#include "online/cpendinglists.h"
#include "online/cpowerwindowstate.h"

#include <functional>
#include <optional>

class CEllipsisStatic;
class CValueEdit;
class QCheckBox;
class QPushButton;

// The power-management window's form: the three priority edits, the mains
// condition and the boot and shutdown macros (each a name with a "..."
// button that opens the "Selection" dialog), the two battery boxes and the
// unit's power switch. The decisions live in CPowerWindowState; the form
// mirrors it.
class CPowerView final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 529;
  // Control ids; the widgets carry them as object names.
  static constexpr int kShutPrioId = 1649;
  static constexpr int kDropShutId = 1651;
  static constexpr int kBatteryId = 1650;
  static constexpr int kPowerId = 1572;
  static constexpr int kChooseShutMacroId = 1575;
  static constexpr int kShutMacroId = 1571;
  static constexpr int kMainsPrioId = 1568;
  static constexpr int kChooseConditionId = 1573;
  static constexpr int kChooseBootMacroId = 1574;
  static constexpr int kConditionId = 1569;
  static constexpr int kBootMacroId = 1570;
  static constexpr int kBattPrioId = 1567;
  CPowerView(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override;
  void OnLineChanged(bool online) override;
  // The Download or Upload list goes to the link now or, while a transfer
  // has the line, as soon as the link takes it.
  void TransferSettings(bool bUpload);
  // A list is waiting for the line.
  bool IsTransferWaiting() const { return m_pending.HasPending(); }

  const CPowerWindowState& State() const { return m_state; }
  CValueEdit* PriorityEdit(int code) const;
  CEllipsisStatic* ReferenceText(int code) const;
  QPushButton* ChooseButton(int code) const;
  QCheckBox* BatteryBox() const { return m_battery; }
  QCheckBox* DropShutBox() const { return m_dropShut; }
  QPushButton* PowerButton() const { return m_power; }

  // The control handlers, also reached from the widgets' user signals.
  void OnPriorityEdited(int code);
  void OnChoose(int code);
  void OnBatteryClicked();
  void OnDropShutClicked();
  void OnPowerClicked();

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  void BuildForm();
  void ShowSettings();
  void ShowPowerState();

  CPowerWindowState m_state;
  CPendingLists m_pending;
  CValueEdit* m_battPrio = nullptr;
  CValueEdit* m_mainsPrio = nullptr;
  CValueEdit* m_shutPrio = nullptr;
  CEllipsisStatic* m_condition = nullptr;
  CEllipsisStatic* m_bootMacro = nullptr;
  CEllipsisStatic* m_shutMacro = nullptr;
  QPushButton* m_chooseCondition = nullptr;
  QPushButton* m_chooseBootMacro = nullptr;
  QPushButton* m_chooseShutMacro = nullptr;
  QCheckBox* m_battery = nullptr;
  QCheckBox* m_dropShut = nullptr;
  QPushButton* m_power = nullptr;
};

#endif
