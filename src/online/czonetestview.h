#ifndef SELV_ONLINE_CZONETESTVIEW_H
#define SELV_ONLINE_CZONETESTVIEW_H

#include "macros/czonetestformstate.h"

#include <QWidget>

#include <vector>

class CZoneListView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimeEdit;

// The lower pane of the line-test window: the daily line test (on or off,
// time, result consoles), the impedance test, the output switched during a
// test, and the buttons that start measurements on the zones selected in
// the zone list above. Controls carry their ids as object names. The
// settings go into the project's zone-test object through
// CZonetestFormState; the measurement lines are the zone list's.
class CZonetestView final : public QWidget {
  Q_OBJECT

 public:
  CZonetestView(CSelvantisDoc* doc, CZoneListView* list, QWidget* parent);

  void OnInitialUpdate();
  // Shows the zone-test object's settings again (lists, switches, time and
  // which controls they enable); the measurement controls keep their state.
  // Called after the settings were changed elsewhere, e.g. by the line test
  // properties dialog.
  void ReloadSettings();
  // Starting a measurement needs the line.
  void SetLineUp(bool online);

  // Control handlers (as the user's clicks and choices call them).
  void OnLineTestClicked();
  void OnImpedanceTestClicked();
  void OnActivateMeasurementClicked();
  void OnTimeChanged();
  void OnLineConsoleChosen(int index);
  void OnImpedanceConsoleChosen(int index);
  void OnOutputChosen(int index);

  QWidget* Control(int id) const;

 private:
  void BuildForm();
  void ApplyEffects(const CZonetestFormState::Effects& effects, QComboBox* consoles);
  void Fill(QComboBox* combo, const std::vector<CZonetestFormState::Entry>& entries, int index);
  int PickerSeconds() const;

  CZonetestFormState m_state;
  CZoneListView* m_list;
  QPushButton* m_selectAll = nullptr;
  QComboBox* m_output = nullptr;
  QComboBox* m_lineConsoles = nullptr;
  QCheckBox* m_lineTest = nullptr;
  QPushButton* m_lineRef = nullptr;
  QPushButton* m_impRef = nullptr;
  QPushButton* m_activate = nullptr;
  QPushButton* m_lineOnce = nullptr;
  QPushButton* m_impOnce = nullptr;
  QComboBox* m_impConsoles = nullptr;
  QCheckBox* m_impTest = nullptr;
  QTimeEdit* m_time = nullptr;
  QLabel* m_note = nullptr;
  QLabel* m_impConsolesLabel = nullptr;
};

#endif
