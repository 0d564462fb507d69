#include "consoles/ui/cdelayspinbox.h"

#include "consoles/ui/ckeypropertieslogic.h"

CDelaySpinBox::CDelaySpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(0, CKeyPropertiesLogic::kMaxDelaySteps);
  // A half-typed number is no delay: the key changes when the typing ends.
  setKeyboardTracking(false);
}

QString CDelaySpinBox::textFromValue(int steps) const { return CKeyPropertiesLogic::DelayText(steps); }

int CDelaySpinBox::valueFromText(const QString& text) const {
  return CKeyPropertiesLogic::DelayStepsOf(text).value_or(value());
}

QValidator::State CDelaySpinBox::validate(QString& input, int& pos) const {
  (void)pos;
  if (!CKeyPropertiesLogic::IsDelayInput(input)) return QValidator::Invalid;
  return CKeyPropertiesLogic::DelayStepsOf(input) ? QValidator::Acceptable : QValidator::Intermediate;
}
