#ifndef SELV_EDITORS_DESIGNER_CCURVEDLG_H
#define SELV_EDITORS_DESIGNER_CCURVEDLG_H

#include "editors/designer/curvedlgstate.h"
#include "shell/controls/cresizabledialog.h"

class CBaseDevice;
class CDesignerView;
class CVirtCtrlItem;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSlider;

// The "Properties" dialog of a virtual-controller item: its name (renamed on
// OK), identifier and wiring, and an output value that the items pane sends
// to the unit while the user moves it. The decisions live in CurveDlgState.
// Holds item and pane without owning them; closes as cancelled when the item
// goes while it is open.
class CCurveDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 611;

  CCurveDlg(CVirtCtrlItem* item, CDesignerView* pane, QWidget* parent = nullptr);

  const CurveDlgState& State() const { return m_state; }
  // Applies the name and closes; stays open when the name is refused.
  void OnOK();
  void accept() override { OnOK(); }

 protected:
  bool OnInitDialog() override;

 private:
  void OnSliderChanged(int position);
  void OnSpinChanged(double value);
  void Send(double value);
  void OnObjectRemoved(CBaseDevice* object);

  CVirtCtrlItem* m_item;
  CDesignerView* m_pane;
  CurveDlgState m_state;
  QLineEdit* m_name;
  QLabel* m_id;
  QLabel* m_drivenBy;
  QLabel* m_drives;
  QSlider* m_slider;
  QDoubleSpinBox* m_spin;
};

#endif
