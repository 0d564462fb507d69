#include "shell/clanguageswitcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

CLanguageSwitcher::CLanguageSwitcher(QObject* parent) : QObject(parent), m_qt(new QTranslator(this)) {
  const QDir dir(QStringLiteral(":/i18n"));
  for (const QString& name : dir.entryList({QStringLiteral("*_de.qm")}, QDir::Files, QDir::Name)) {
    auto* translator = new QTranslator(this);
    if (translator->load(dir.filePath(name)) && !translator->isEmpty()) {
      m_own.push_back(translator);
    } else {
      delete translator;
    }
  }
  m_hasGerman = !m_own.empty();
  // Qt's own dialogs (buttons of message boxes, the print dialog) follow
  // when the system has their translation; without it they stay English.
  if (!m_qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    qInfo("Qt's German translation is not installed; its dialogs stay English");
}

CLanguageSwitcher::~CLanguageSwitcher() { RemoveTranslators(); }

void CLanguageSwitcher::RemoveTranslators() {
  if (!m_installed) return;
  for (QTranslator* translator : m_own) QCoreApplication::removeTranslator(translator);
  QCoreApplication::removeTranslator(m_qt);
  m_installed = false;
}

void CLanguageSwitcher::Apply(CStringTable::Language language) {
  m_language = language;
  CStringTable::SetLanguage(language);
  if (language == CStringTable::Language::German) {
    if (!m_installed) {
      if (!m_qt->isEmpty()) QCoreApplication::installTranslator(m_qt);
      for (QTranslator* translator : m_own) QCoreApplication::installTranslator(translator);
      m_installed = true;
    }
  } else {
    RemoveTranslators();
  }
}
