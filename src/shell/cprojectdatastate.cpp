#include "shell/cprojectdatastate.h"

#include "model/cselvantisdoc.h"

#include <QCoreApplication>

QStringList CProjectDataState::VariantNames() {
  return {QStringLiteral("VMX 7000"), QStringLiteral("VMX 7000 Upgrade")};
}

void CProjectDataState::Load(const CSelvantisDoc& doc) {
  m_variant = doc.GetUpgradeFlag() != 0 ? 1 : 0;
  m_texts.clear();
  for (int i = 0; i < kFieldCount; ++i) m_texts.append(doc.GetProjectData(i));
}

bool CProjectDataState::Apply(CSelvantisDoc& doc) const {
  bool changed = false;
  if ((doc.GetUpgradeFlag() != 0 ? 1 : 0) != m_variant) {
    doc.SetUpgradeFlag(m_variant);
    changed = true;
  }
  for (int i = 0; i < kFieldCount; ++i) {
    if (doc.GetProjectData(i) == Text(i)) continue;
    doc.SetProjectData(i, Text(i));
    changed = true;
  }
  if (changed) doc.SetModifiedFlag(true);
  return changed;
}

bool CProjectDataState::SetVariant(int variant) {
  if (variant != 0 && variant != 1) return false;
  m_variant = variant;
  return true;
}

QString CProjectDataState::Text(int field) const { return m_texts.value(field); }

void CProjectDataState::SetText(int field, const QString& text) {
  if (field < 0 || field >= kFieldCount) return;
  while (m_texts.size() < kFieldCount) m_texts.append(QString());
  QString clean = text;
  clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  m_texts[field] = clean.left(kMaxTextLength);
}

QString CProjectDataState::FieldLabel(int field) {
  static const char* const kLabels[kFieldCount] = {
      QT_TRANSLATE_NOOP("CProjectDataState", "Project:"), QT_TRANSLATE_NOOP("CProjectDataState", "Customer:"),
      QT_TRANSLATE_NOOP("CProjectDataState", "Installer:"), QT_TRANSLATE_NOOP("CProjectDataState", "Location:"),
      QT_TRANSLATE_NOOP("CProjectDataState", "Comment:")};
  if (field < 0 || field >= kFieldCount) return QString();
  return QCoreApplication::translate("CProjectDataState", kLabels[field]);
}
