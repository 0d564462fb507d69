#ifndef SELV_EDITORS_MACROS_CAMPMUTEMACROVIEW_H
#define SELV_EDITORS_MACROS_CAMPMUTEMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

// Amplifier mute: mutes or unmutes the chosen amplifier channels.
class CAmpMuteMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  using Chooser = std::function<std::optional<QString>(unsigned kind, const QString& preset)>;

  explicit CAmpMuteMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

  QLabel* ChannelText() const noexcept { return m_channelText; }
  QPushButton* SelectButton() const noexcept { return m_select; }
  QCheckBox* MuteBox() const noexcept { return m_mute; }

 private:
  void OnMute();
  void OnSelect();

  QLabel* m_channelText;
  QPushButton* m_select;
  QCheckBox* m_mute;
  Chooser m_chooser;
};

#endif
