#ifndef SELV_EDITORS_MACROS_CZONETESTMACROVIEW_H
#define SELV_EDITORS_MACROS_CZONETESTMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

#include <functional>
#include <vector>

class CBaseDevice;
class CEllipsisStatic;
class QRadioButton;
class QToolButton;

// Line test: starts or stops a line test or an impedance measurement.
class CZonetestMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CZonetestMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QRadioButton* Button(int choice) const { return m_buttons[choice]; }
  CEllipsisStatic* ZoneText() const noexcept { return m_zones; }
  QToolButton* ZoneButton() const noexcept { return m_zoneButton; }
  // Edits the list of zones and groups; false when cancelled. Without one
  // the zone and group dialog is shown.
  using ZoneChooser = std::function<bool(std::vector<CBaseDevice*>& zonesAndGroups)>;
  void SetZoneChooser(ZoneChooser chooser) { m_zoneChooser = std::move(chooser); }
  void OnZones();

 private:
  QRadioButton* m_buttons[3];
  QToolButton* m_zoneButton;
  CEllipsisStatic* m_zones;
  ZoneChooser m_zoneChooser;
};

#endif
