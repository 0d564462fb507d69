#ifndef SELV_AMPS_UI_CRELAYTOPOLOGIESDLG_H
#define SELV_AMPS_UI_CRELAYTOPOLOGIESDLG_H

#include "amps/ui/cobjecttreepropdlg.h"
#include "amps/ui/relaytopologiesstate.h"

#include <array>
#include <functional>
#include <memory>

class CBaseDevice;
class CRelaisTopology;
class CSelvantisDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Relay topologies" dialog: a tree of the project's relay topologies
// and, for the one selected, its kind, zone count, first relays and the
// amplifier outputs feeding its inputs. The decisions are
// RelayTopologiesState's; this class maps controls and reports refusals.
class CRelayTopologiesDlg : public CObjectTreePropDlg {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 217;
  static constexpr int kImageStrip = 280;
  static constexpr int kButtonImage = 281;

  // Runs the card configuration dialog of the central unit's extension
  // cards; set by the unit's dialogs. Without one "Relay configuration"
  // stays disabled.
  using CardConfigRunner = std::function<void(CSelvantisDoc* doc, QWidget* parent)>;
  static void SetCardConfigRunner(CardConfigRunner runner);

  explicit CRelayTopologiesDlg(CRelaisTopology* topology, QWidget* parent = nullptr);
  ~CRelayTopologiesDlg() override;

  const RelayTopologiesState& State() const noexcept { return m_state; }
  // Applies the edits; false (with a beep and the offending text selected)
  // when they are refused.
  bool ApplyChanges() override;

 protected:
  bool OnInitDialog() override;
  CBaseDevice* CurrentObject() const override;
  void SetCurrentObject(CBaseDevice* object) override;
  void ForgetObject(CBaseDevice* object) override;
  void ShowCurrent() override;
  int PictureOf(const CBaseDevice* object) const override;

 private:
  void ShowTopology();
  void ShowKindLayout(int kind);
  void UpdateRelayColours();
  void OnKindActivated(int index);
  void OnInputActivated(int input, int index);
  void OnRelayConfiguration();

  RelayTopologiesState m_state;
  QLabel* m_kindLabel;
  QComboBox* m_kind;
  QLabel* m_zonesLabel;
  QLineEdit* m_zones;
  QLabel* m_firstLabel;
  QLineEdit* m_first;
  QLabel* m_pageLabel;
  QLineEdit* m_page;
  std::array<QLabel*, RelayTopologiesState::kInputs> m_inputLabels{};
  std::array<QComboBox*, RelayTopologiesState::kInputs> m_inputs{};
  QLabel* m_programLabel;
  QLabel* m_pageInputLabel;
  QPushButton* m_relayConfig;
};

#endif
