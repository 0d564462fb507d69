#ifndef SELV_ONLINE_CVOLUMEVIEW_H
#define SELV_ONLINE_CVOLUMEVIEW_H

#include "online/cvolumewindowstate.h"

#include <QStringList>
#include <QWidget>

#include <array>

class CValueEdit;
class QSlider;

// The volume window's form: a vertical slider and a level edit for each of
// the unit's four inputs, the chime and the messages. A change is taken
// into the project and, on line, sent to the unit at once; the unit's
// levels are asked once, when the form opens on line. Sliders and edits
// carry their ids as object names. The decisions live in
// CVolumeWindowState.
class CVolumeView final : public QWidget {
  Q_OBJECT

 public:
  CVolumeView(CSelvantisDoc* doc, QWidget* parent);
  ~CVolumeView() override;

  void OnInitialUpdate();
  void QueryLevels();
  void StoreLevels();
  // Takes a channel's edit: kept within its limits, shown, the slider
  // placed, the project marked changed, the level sent while on line.
  void Confirm(int channel);

  QSlider* Slider(int channel) const;
  CValueEdit* Edit(int channel) const;
  const CVolumeWindowState& State() const { return m_state; }

 public slots:
  void OnCommReply(int tag, const QStringList& lines);

 private:
  void BuildForm();
  void OnSliderAction(int channel, int action);
  void PlaceSlider(int channel, double value);

  CVolumeWindowState m_state;
  std::array<QSlider*, CVolumeWindowState::kChannelCount> m_sliders{};
  std::array<CValueEdit*, CVolumeWindowState::kChannelCount> m_edits{};
  bool m_queried = false;
};

#endif
