#ifndef SELV_SHELL_CPROJECTDATASTATE_H
#define SELV_SHELL_CPROJECTDATASTATE_H

#include <QString>
#include <QStringList>

class CSelvantisDoc;

// The "Common project data" of a project as its dialog edits it: the unit
// variant ("VMX 7000" or "VMX 7000 Upgrade", which is the document's
// upgrade flag) and the project's descriptive texts.
class CProjectDataState final {
 public:
  // The descriptive texts, in the order the document keeps them.
  enum Field : int { kProject = 0, kCustomer, kInstaller, kLocation, kComment, kFieldCount };
  static constexpr int kMaxTextLength = 255;

  static QStringList VariantNames();  // "VMX 7000", "VMX 7000 Upgrade"

  void Load(const CSelvantisDoc& doc);
  // Writes what changed; returns true when something did (the document is
  // then modified).
  bool Apply(CSelvantisDoc& doc) const;

  int Variant() const noexcept { return m_variant; }
  // 0 or 1; anything else is refused (stays as it was).
  bool SetVariant(int variant);
  QString Text(int field) const;
  // Cut to kMaxTextLength characters and to one line.
  void SetText(int field, const QString& text);
  static QString FieldLabel(int field);

 private:
  int m_variant = 0;
  QStringList m_texts;
};

#endif
