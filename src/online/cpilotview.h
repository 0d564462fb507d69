#ifndef SELV_ONLINE_CPILOTVIEW_H
#define SELV_ONLINE_CPILOTVIEW_H

#include "online/conlineview.h"
#include "online/cpilotwindowstate.h"

#include <array>

class CValueEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

// The pilot-tone window's form: the On switch, the frequency slider and
// edit, and per output a level bar, a selection button and a level edit;
// one vertical slider sets the level of the selected output. The decisions
// live in CPilotWindowState; the form mirrors it and sends what it returns.
class CPilotView final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 528;
  // Control ids; the widgets carry them as object names.
  static constexpr int kLevelEditIds[CPilotWindowState::kOutputCount] = {1579, 1580, 1581, 1582};
  static constexpr int kLevelBarIds[CPilotWindowState::kOutputCount] = {1583, 1584, 1585, 1586};
  static constexpr int kOutputButtonIds[CPilotWindowState::kOutputCount] = {1587, 1588, 1589, 1590};
  static constexpr int kLevelSliderId = 1591;
  static constexpr int kOnId = 1576;
  static constexpr int kFrequencyEditId = 1577;
  static constexpr int kFrequencySliderId = 1578;

  CPilotView(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override;
  void TransferSettings(bool bUpload);

  const CPilotWindowState& State() const { return m_state; }
  QSlider* FrequencySlider() const { return m_frequencySlider; }
  QSlider* LevelSlider() const { return m_levelSlider; }
  CValueEdit* FrequencyEdit() const { return m_frequencyEdit; }
  CValueEdit* LevelEdit(int output) const;
  QProgressBar* LevelBar(int output) const;
  QRadioButton* OutputButton(int output) const;
  QPushButton* OnSwitch() const { return m_on; }

  // The control handlers, also reached from the widgets' user signals.
  void OnSwitchClicked();
  void OnFrequencySlider(int position, bool dragging);
  void OnFrequencyEdited();
  void OnSelectOutput(int output);
  void OnLevelSlider(int position, bool dragging);
  void OnLevelEdited(int output);
  void OnFrequencySliderReleased() { m_state.ReleaseFrequencySlider(); }
  void OnLevelSliderReleased() { m_state.ReleaseLevelSlider(); }

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  void BuildForm();
  void ShowFrequency(bool moveSlider);
  void ShowLevel(int output);
  void Send(const QStringList& lines);

  CPilotWindowState m_state;
  std::array<CValueEdit*, CPilotWindowState::kOutputCount> m_levelEdit{};
  std::array<QProgressBar*, CPilotWindowState::kOutputCount> m_levelBar{};
  std::array<QRadioButton*, CPilotWindowState::kOutputCount> m_output{};
  QSlider* m_levelSlider = nullptr;
  QSlider* m_frequencySlider = nullptr;
  CValueEdit* m_frequencyEdit = nullptr;
  QPushButton* m_on = nullptr;
};

#endif
