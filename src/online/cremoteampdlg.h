#ifndef SELV_ONLINE_CREMOTEAMPDLG_H
#define SELV_ONLINE_CREMOTEAMPDLG_H

#include "online/cremoteampstate.h"
#include "shell/controls/cresizabledialog.h"

#include <QStringList>

#include <vector>

class CAmplifier;
class CEllipsisStatic;
class CLineStateBar;
class CValueEdit;
class QCheckBox;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;
class QTimer;

// "Remote amplifier properties": watches and adjusts one amplifier on the
// unit's amplifier bus while the unit is connected. Asks the amplifier's
// identity once, polls its status and the shown channel's meters on three
// timers and sends each change of the user at once. The decisions are
// CRemoteAmpState's; this class maps controls. The amplifier is not owned;
// only its bus address is read, once.
class CRemoteAmpDlg : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 522;

  explicit CRemoteAmpDlg(CAmplifier* amplifier, QWidget* parent = nullptr);
  ~CRemoteAmpDlg() override;

  // Installs the runner of the amplifier properties dialog's "Advanced...".
  static void Register();

  const CRemoteAmpState& State() const noexcept { return m_state; }
  bool IsPolling() const noexcept { return m_polling; }

  bool OnInitDialog() override;
  void SendIdentityQueries();
  void SendStatusPoll();
  void OnTimer(int id);

  // The controls, for the tests' clicks.
  QTabBar* ChannelTabs() const { return m_tabs; }
  QSlider* VolumeSlider() const { return m_volume; }
  QSlider* OffsetSlider() const { return m_offset; }
  QProgressBar* InMeter() const { return m_inMeter; }
  QProgressBar* OutMeter() const { return m_outMeter; }
  QCheckBox* MainPowerButton() const { return m_mainPower; }
  QCheckBox* BatteryButton() const { return m_battery; }
  QCheckBox* PilotGeneratorButton() const { return m_pilotGen; }
  QCheckBox* MuteButton() const { return m_mute; }
  QPushButton* ResetButton() const { return m_reset; }
  CValueEdit* NameEdit() const { return m_name; }
  CEllipsisStatic* Text(int controlId) const;

 public slots:
  void OnCommReply(int tag, const QStringList& lines);
  void done(int result) override;

 private:
  void BuildLayout();
  void StartPolling();
  // The connection changed: polls stop with the line and start again with it.
  void OnLineChanged(bool online);
  void Render();
  void Send(const QStringList& list, bool bCountAll);
  void StopTimers();
  void OnResetGroundFault();
  void OnKillFocusName();
  void OnPilotToneGenerator();
  void OnPowerSource();
  void OnMute();
  void OnVolumeAction();
  void OnOffsetAction();
  void OnSelChangeChannel(int index);

  CRemoteAmpState m_state;
  bool m_polling = false;
  int m_shownNameRevision = 0;
  QTimer* m_statusTimer;
  QTimer* m_meterTimer;
  QTimer* m_decayTimer;
  QTabBar* m_tabs;
  QWidget* m_channelArea;
  QProgressBar* m_outMeter;
  QProgressBar* m_inMeter;
  QSlider* m_volume;
  QSlider* m_offset;
  QCheckBox* m_mainPower;
  QCheckBox* m_battery;
  QCheckBox* m_pilotGen;
  QCheckBox* m_mute;
  QPushButton* m_reset;
  CValueEdit* m_name;
  CLineStateBar* m_lineBar;
  // Texts by control id.
  struct TextSlot {
    int id;
    CEllipsisStatic* text;
  };
  std::vector<TextSlot> m_texts;
};

#endif
