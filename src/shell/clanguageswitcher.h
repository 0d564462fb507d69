#ifndef SELV_SHELL_CLANGUAGESWITCHER_H
#define SELV_SHELL_CLANGUAGESWITCHER_H

#include "model/cstringtable.h"

#include <QObject>

#include <vector>

class QTranslator;

// Switches the user interface between German and English: the string table
// and the translations of the shell's own texts and of Qt's dialogs. The
// widgets learn of a switch through Qt's LanguageChange event.
class CLanguageSwitcher final : public QObject {
  Q_OBJECT
 public:
  explicit CLanguageSwitcher(QObject* parent = nullptr);
  ~CLanguageSwitcher() override;

  void Apply(CStringTable::Language language);
  CStringTable::Language Current() const noexcept { return m_language; }
  // False when the German translation of the shell could not be loaded.
  bool HasGermanTranslation() const noexcept { return m_hasGerman; }

 private:
  void RemoveTranslators();

  CStringTable::Language m_language = CStringTable::Language::English;
  // One translation file per area of the program (":/i18n/*_de.qm").
  std::vector<QTranslator*> m_own;
  QTranslator* m_qt;
  bool m_installed = false;
  bool m_hasGerman = false;
};

#endif
