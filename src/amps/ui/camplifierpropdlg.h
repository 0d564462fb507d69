#ifndef SELV_AMPS_UI_CAMPLIFIERPROPDLG_H
#define SELV_AMPS_UI_CAMPLIFIERPROPDLG_H

#include "amps/ui/amplifierpropstate.h"
#include "shell/controls/cdialogimages.h"
#include "shell/controls/cresizabledialog.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class CAmplifier;
class CBaseDevice;
class CObjectTreeCtrl;
class CSelvantisDoc;
class QComboBox;
class QIcon;
class QLabel;
class QPushButton;
class QTreeWidgetItem;

// The "Amplifier properties" dialog: picks an amplifier of the project from
// a tree and edits its model, the unit output feeding each input and its bus
// address; opens the backup-amplifier editor and the remote amplifier
// dialog. The decisions are AmplifierPropState's; this class maps controls.
class CAmplifierPropDlg : public CResizableDialog {
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
  bool IsApplyEnabled() const;

 public slots:
  void accept() override;

 protected:
  bool OnInitDialog() override;

 private:
  void ShowAmplifier();
  void ApplyChanges();
  void OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void OnModelActivated(int index);
  void OnChannelActivated(int channel, int index);
  void OnAddress();
  void OnSpare();
  void OnAdvanced();
  void OnObjectRemoved(CBaseDevice* object);
  // Ends a label edit of the tree; false when none was open.
  bool EndLabelEdit();
  void SelectTreeItemOf(const CAmplifier* amp);
  QIcon Image(int index);
  void MakeCurrentInView(CBaseDevice* object);

  AmplifierPropState m_state;
  QPointer<CSelvantisDoc> m_doc;
  CDialogImages m_images;
  bool m_filling = false;
  CObjectTreeCtrl* m_tree;
  QTreeWidgetItem* m_root = nullptr;
  QLabel* m_modelLabel;
  QComboBox* m_model;
  QPushButton* m_address;
  std::array<QLabel*, AmplifierPropState::kChannels> m_channelLabels{};
  std::array<QComboBox*, AmplifierPropState::kChannels> m_channels{};
  std::array<QLabel*, AmplifierPropState::kChannels> m_powers{};
  QPushButton* m_spare;
  QPushButton* m_advanced;
  QPushButton* m_ok;
  QPushButton* m_cancel;
  QPushButton* m_apply;
};

#endif
