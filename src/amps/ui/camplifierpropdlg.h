#ifndef SELV_AMPS_UI_CAMPLIFIERPROPDLG_H
#define SELV_AMPS_UI_CAMPLIFIERPROPDLG_H

#include "amps/ui/amplifierpropstate.h"
#include "amps/ui/cobjecttreepropdlg.h"

#include <array>
#include <functional>
#include <memory>

class CAmplifier;
class CBaseDevice;
class CSelvantisDoc;
class QComboBox;
class QLabel;
class QPushButton;

// The "Amplifier properties" dialog: picks an amplifier of the project from
// a tree and edits its model, the unit output feeding each input and its bus
// address; opens the backup-amplifier editor and the remote amplifier
// dialog. The decisions are AmplifierPropState's; this class maps controls.
class CAmplifierPropDlg : public CObjectTreePropDlg {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 139;
  // Image strip of the tree.
  static constexpr int kImageStrip = 279;

  // Runs the remote amplifier dialog for a document; set by the on-line
  // windows. Without one "Advanced..." stays disabled.
  using RemoteAmpRunner = std::function<void(CSelvantisDoc* doc, QWidget* parent)>;
  static void SetRemoteAmpRunner(RemoteAmpRunner runner);

  explicit CAmplifierPropDlg(CAmplifier* amp, QWidget* parent = nullptr);
  ~CAmplifierPropDlg() override;

  const AmplifierPropState& State() const noexcept { return m_state; }

 protected:
  bool OnInitDialog() override;
  CBaseDevice* CurrentObject() const override;
  void SetCurrentObject(CBaseDevice* object) override;
  void ForgetObject(CBaseDevice* object) override;
  void ShowCurrent() override;
  int PictureOf(const CBaseDevice* object) const override;

 private:
  void ShowAmplifier();
  bool ApplyChanges() override;
  void OnModelActivated(int index);
  void OnChannelActivated(int channel, int index);
  void OnAddress();
  void OnSpare();
  void OnAdvanced();

  AmplifierPropState m_state;
  QLabel* m_modelLabel;
  QComboBox* m_model;
  QPushButton* m_address;
  std::array<QLabel*, AmplifierPropState::kChannels> m_channelLabels{};
  std::array<QComboBox*, AmplifierPropState::kChannels> m_channels{};
  std::array<QLabel*, AmplifierPropState::kChannels> m_powers{};
  QPushButton* m_spare;
  QPushButton* m_advanced;
};

#endif
