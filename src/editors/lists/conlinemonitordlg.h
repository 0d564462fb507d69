#ifndef SELV_EDITORS_LISTS_CONLINEMONITORDLG_H
#define SELV_EDITORS_LISTS_CONLINEMONITORDLG_H

#include <QDialog>

class CValueEdit;
class IDeviceLink;
class QComboBox;
class QLabel;
class QSlider;

// "Online monitor properties": shows and sets the monitor output of the
// running unit (volume, source kind and index, selected table entry). Every
// user change goes to the unit at once and the dialog reads the state back;
// nothing is stored in the project. Values read from the unit are filled
// with the signals blocked, so they are never sent back.
class COnlineMonitorDlg final : public QDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 516;

  // link null: the installed link.
  explicit COnlineMonitorDlg(QWidget* parent = nullptr, IDeviceLink* link = nullptr);
  ~COnlineMonitorDlg() override;

  // Reads volume, source, index and table entry from the unit (connected
  // only).
  void RefreshFromUnit();

  QSlider* Slider() const { return m_slider; }
  QLabel* VolumeLabel() const { return m_volumeText; }
  QComboBox* SourceCombo() const { return m_source; }
  CValueEdit* IndexEdit() const { return m_index; }
  CValueEdit* TableEntryEdit() const { return m_tableEntry; }

  // The handlers of the user's actions (public for the tests).
  void OnSourceActivated(int position);
  void OnVolumeMoved(int position);
  void OnTableEntryKillFocus();
  void OnIndexKillFocus();

 private:
  IDeviceLink* Link() const;

  IDeviceLink* m_link;
  QSlider* m_slider;
  QLabel* m_volumeText;
  CValueEdit* m_tableEntry;
  QComboBox* m_source;
  CValueEdit* m_index;
};

#endif
