#ifndef SELV_EDITORS_MACROS_CZONESWITCHMACROVIEW_H
#define SELV_EDITORS_MACROS_CZONESWITCHMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

#include <functional>
#include <vector>

class CBaseDevice;
class CEllipsisStatic;
class QComboBox;
class QRadioButton;
class QToolButton;

// The common editor of the macros that switch a sound source to zones and
// groups: an optional signal list, priority, page input, the zone button
// with its text, the pair rows and the ON/OFF - ADD/SUB mode.
class CZoneSwitchMacroView : public CMacroStepView {
  Q_OBJECT

 public:
  // Edits the list of zones and groups; true when the user confirmed.
  using ZoneChooser = std::function<bool(std::vector<CBaseDevice*>& zonesAndGroups)>;

  struct Layout {
    QString description;
    QString onRow;
    QString offRow;
    bool hideOffRow = false;
    // Signal list (0 = none): its label, object type and parameter.
    QString signalLabel;
    int signalType = 0;
    int signalParam = 0;
    bool priority = false;
    bool input = false;
    bool modes = false;
  };

  CZoneSwitchMacroView(CMacroDlgFrm* frame, const Layout& layout, QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  // Replaces the "Lines and Groups" dialog (tests).
  void SetZoneChooser(ZoneChooser chooser) { m_zoneChooser = std::move(chooser); }

  QComboBox* SignalList() const noexcept { return m_signal; }
  QComboBox* PriorityList() const noexcept { return m_priority; }
  QComboBox* InputList() const noexcept { return m_input; }
  QToolButton* ZoneButton() const noexcept { return m_zoneButton; }
  CEllipsisStatic* ZoneText() const noexcept { return m_zoneText; }
  QRadioButton* OnOffRadio() const noexcept { return m_onOff; }
  QRadioButton* AddSubRadio() const noexcept { return m_addSub; }

 private:
  void OnSelchangeSignal(int index);
  void OnSelchangePriority(int index);
  void OnSelchangeInput(int index);
  void OnZones();
  void OnMode();
  bool RunZoneDialog(std::vector<CBaseDevice*>& zonesAndGroups);

  Layout m_layout;
  QComboBox* m_input = nullptr;
  QComboBox* m_signal = nullptr;
  QComboBox* m_priority = nullptr;
  QToolButton* m_zoneButton = nullptr;
  CEllipsisStatic* m_zoneText = nullptr;
  QRadioButton* m_onOff = nullptr;
  QRadioButton* m_addSub = nullptr;
  ZoneChooser m_zoneChooser;
};

#endif
