#ifndef SELV_ONLINE_CFAULTDLGVIEW_H
#define SELV_ONLINE_CFAULTDLGVIEW_H

#include "online/cfaultwindowstate.h"
#include "online/conlinepoll.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The fault window's form: the considered fault sources with their
// "active" markers, the latch, the display console, and on line the FAULT
// relay (shows and acknowledges it) and the manual error. The controls
// carry their ids as object names. The decisions live in CFaultWindowState.
class CFaultDlgView final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int IDT_STATUS_POLL = 11;

  CFaultDlgView(CSelvantisDoc* doc, QWidget* parent);
  ~CFaultDlgView() override;

  void OnInitialUpdate();
  // Shows the project's settings.
  void ShowSettings();
  // The poll of one tick; other ids do nothing.
  void OnTimer(int timerId);
  // Download (false) or upload (true) of the fault settings; progress as
  // the transfer reports it (may be empty).
  CTransfer::Result OnTransfer(bool bUpload, const std::function<void(int, int)>& progress);

  bool IsPolling() const { return m_poll.IsActive(); }
  const CFaultWindowState& State() const { return m_state; }
  QCheckBox* SourceBox(int index) const;
  QLabel* ActiveMarker(int index) const;
  QCheckBox* LatchBox() const { return m_latch; }
  QComboBox* DisplayBox() const { return m_display; }
  QPushButton* RelayButton() const { return m_relay; }
  QPushButton* ManualButton() const { return m_manual; }

 private:
  void BuildForm();
  void OnSourceClicked();
  void OnLatchClicked(bool on);
  void OnDisplayChosen(int index);
  void ShowLiveState();
  void SetRelayIcon(int iconId);
  void OnLineChanged(bool online);

  CFaultWindowState m_state;
  std::array<QCheckBox*, CFaultWindowState::kSourceCount> m_sources{};
  std::array<QLabel*, CFaultWindowState::kSourceCount> m_markers{};
  QCheckBox* m_latch = nullptr;
  QComboBox* m_display = nullptr;
  QPushButton* m_relay = nullptr;
  QPushButton* m_manual = nullptr;
  COnlinePoll m_poll;
};

#endif
