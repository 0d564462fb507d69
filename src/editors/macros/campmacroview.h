#ifndef SELV_EDITORS_MACROS_CAMPMACROVIEW_H
#define SELV_EDITORS_MACROS_CAMPMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

// Amplifier supply: the chosen remote amplifiers and the power options
// switched on and off.
class CAmpMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  // Runs the selection for a kind preset with a text; the chosen text, or
  // nothing when cancelled.
  using Chooser = std::function<std::optional<QString>(unsigned kind, const QString& preset)>;

  explicit CAmpMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

  QLabel* AmpText() const noexcept { return m_ampText; }
  QPushButton* SelectButton() const noexcept { return m_select; }
  // The box of an option bit in parameter 61 or 62; null when none.
  QCheckBox* OptionBox(int param, int bit) const;

 private:
  struct Option {
    int param;
    int bit;
    QCheckBox* box;
  };
  void OnOption(int param, int bit);
  void OnSelect();

  QLabel* m_ampText;
  QPushButton* m_select;
  std::vector<Option> m_options;
  Chooser m_chooser;
};

#endif
