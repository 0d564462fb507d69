#include "shell/clanguageswitcher.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

CLanguageSwitcher::CLanguageSwitcher(QObject* parent)
    : QObject(parent), m_shell(new QTranslator(this)), m_qt(new QTranslator(this)) {
  m_hasGerman = m_shell->load(QStringLiteral(":/i18n/selvantis_de.qm"));
  // Qt's own dialogs (buttons of message boxes, the print dialog) follow
  // when the system has their translation; without it they stay English.
  if (!m_qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    qInfo("Qt's German translation is not installed; its dialogs stay English");
}

CLanguageSwitcher::~CLanguageSwitcher() { RemoveTranslators(); }

void CLanguageSwitcher::RemoveTranslators() {
  if (!m_installed) return;
  QCoreApplication::removeTranslator(m_shell);
  QCoreApplication::removeTranslator(m_qt);
  m_installed = false;
}

void CLanguageSwitcher::Apply(CStringTable::Language language) {
  m_language = language;
  CStringTable::SetLanguage(language);
  if (language == CStringTable::Language::German) {
    if (!m_installed) {
      if (!m_qt->isEmpty()) QCoreApplication::installTranslator(m_qt);
      if (!m_shell->isEmpty()) QCoreApplication::installTranslator(m_shell);
      m_installed = true;
    }
  } else {
    RemoveTranslators();
  }
}
