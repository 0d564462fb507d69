#pragma once

#include "editors/signals/backgroundsettings.h"
#include "editors/signals/csignalpage.h"

class CNumericEdit;
class CSpinButtons;
class CTickSlider;
class QComboBox;

// The common audio settings: signal volumes, the program input and its
// attenuation during announcements. Volume and attenuation changes reach
// the unit at once while it is connected; the signal list is disabled while
// the page is on top.
class CBackgroundPage final : public CSignalPage {
  Q_OBJECT

 public:
  explicit CBackgroundPage(CSelvantisDoc& doc, QWidget* parent = nullptr);

  void OnSetActive() override;
  void OnKillActive(bool bKeepSelection) override;
  void OnApply(bool bFromApply) override;

  BackgroundSettings& Settings() noexcept { return m_settings; }
  // A user move of volume i's slider, spin or edit (tests drive these).
  void OnSliderMoved(int volume, int position);
  void OnSpinStepped(int volume, int spinValue);
  void OnVolumeEdited(int volume);
  void OnAttenuationEdited();
  void OnAttenuationStepped(int value);

 private:
  void Load();
  void ShowVolume(int volume, double level);
  BackgroundSettings::State ReadControls() const;

  BackgroundSettings m_settings;
  CTickSlider* m_slider[4] = {};
  CNumericEdit* m_edit[4] = {};
  CSpinButtons* m_spin[4] = {};
  CNumericEdit* m_attEdit = nullptr;
  CSpinButtons* m_attSpin = nullptr;
  QComboBox* m_extAlarm = nullptr;
  QComboBox* m_extText = nullptr;
  QComboBox* m_program = nullptr;
  int m_savedRow = -1;
};
