#ifndef SELV_AMPS_UI_CRELAYTOPOLOGIESDLG_H
#define SELV_AMPS_UI_CRELAYTOPOLOGIESDLG_H

#include "amps/ui/relaytopologiesstate.h"
#include "shell/controls/cdialogimages.h"
#include "shell/controls/cresizabledialog.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class CBaseDevice;
class CObjectTreeCtrl;
class CRelaisTopology;
class CSelvantisDoc;
class QComboBox;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

// The "Relay topologies" dialog: a tree of the project's relay topologies
// and, for the one selected, its kind, zone count, first relays and the
// amplifier outputs feeding its inputs. The decisions are
// RelayTopologiesState's; this class maps controls and reports refusals.
class CRelayTopologiesDlg : public CResizableDialog {
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
  bool IsApplyEnabled() const;
  // Applies the edits; false (with a beep and the offending text selected)
  // when they are refused.
  bool ApplyChanges();

 public slots:
  void accept() override;

 protected:
  bool OnInitDialog() override;

 private:
  void ShowTopology();
  void ShowKindLayout(int kind);
  void UpdateRelayColours();
  void OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnKindActivated(int index);
  void OnInputActivated(int input, int index);
  void OnRelayConfiguration();
  void OnObjectRemoved(CBaseDevice* object);
  void SetModified();
  bool EndLabelEdit();
  void SelectTreeItemOf(const CRelaisTopology* topology);
  void MakeCurrentInView(CBaseDevice* object);
  QIcon Image(int index);

  RelayTopologiesState m_state;
  QPointer<CSelvantisDoc> m_doc;
  CDialogImages m_images;
  bool m_filling = false;
  CObjectTreeCtrl* m_tree;
  QTreeWidgetItem* m_root = nullptr;
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
  QPushButton* m_ok;
  QPushButton* m_cancel;
  QPushButton* m_apply;
};

#endif
