#include "shell/controls/cnumericedit.h"

CNumericEdit::CNumericEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::editingFinished, this, &CNumericEdit::OnEditingFinished);
}

void CNumericEdit::Setup(bool bFloat, const QString& format, double minimum, double maximum, double value,
                         bool bSpecial, double specialValue, const QString& specialText) {
  m_value.Setup(bFloat, format, minimum, maximum, value, bSpecial, specialValue, specialText);
  setText(m_value.Text());
}

void CNumericEdit::SetValue(double value) {
  m_value.SetValue(value);
  setText(m_value.Text());
}

double CNumericEdit::ReadText() {
  m_value.ReadText(text());
  setText(m_value.Text());
  return m_value.GetValue();
}

void CNumericEdit::OnEditingFinished() {
  // editingFinished also comes when the edit merely loses the focus; only
  // text the user changed is read, so a refresh never reports a value back.
  if (!isModified()) {
    return;
  }
  const double value = ReadText();
  setModified(false);
  emit valueEdited(value);
}
