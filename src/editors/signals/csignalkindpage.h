#pragma once

#include "editors/signals/csignalpage.h"
#include "editors/signals/signalpagelogic.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

// The alarm, chime and message pages: one layout, filled by the logic of
// the page's kind.
class CSignalKindPage : public CSignalPage {
  Q_OBJECT

 public:
  CSignalKindPage(CSelvantisDoc& doc, int kind, const QString& title, QWidget* parent = nullptr);

  void SaveToSignal() override;
  void LoadFromSignal() override;
  CAudioSignal* CreateSignal() override;

  SignalPageLogic& Logic() noexcept { return m_logic; }
  // The controls as values, and back (signals blocked while filling).
  SignalPageLogic::State ReadControls() const;
  void ShowState(const SignalPageLogic::State& state);

 private:
  void OnSourceClicked(bool bInternal);
  void OnEdit();
  void FillLists();

  SignalPageLogic m_logic;
  QRadioButton* m_internal = nullptr;
  QRadioButton* m_external = nullptr;
  QListWidget* m_sources = nullptr;
  QPushButton* m_edit = nullptr;
  QComboBox* m_startMacro = nullptr;
  QComboBox* m_stopMacro = nullptr;
  QSlider* m_priority = nullptr;
  QLineEdit* m_priorityEdit = nullptr;
};
