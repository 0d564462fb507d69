#include "shell/cshellsettings.h"

#include "model/cprofile.h"

CStringTable::Language CShellSettings::GetLanguage(const QStringList& desktopLanguages) {
  if (!HasLanguage()) return DesktopLanguage(desktopLanguages);
  return CStringTable::LanguageFromProfileValue(CProfile::GetString(kSettings, kLanguageKey));
}

bool CShellSettings::HasLanguage() { return !CProfile::GetString(kSettings, kLanguageKey).trimmed().isEmpty(); }

CStringTable::Language CShellSettings::DesktopLanguage(const QStringList& uiLanguages) {
  if (uiLanguages.isEmpty()) return CStringTable::Language::English;
  const QString first = uiLanguages.front().trimmed();
  const bool german = first.startsWith(QLatin1String("de"), Qt::CaseInsensitive) &&
                      (first.size() == 2 || first.at(2) == QLatin1Char('-') || first.at(2) == QLatin1Char('_'));
  return german ? CStringTable::Language::German : CStringTable::Language::English;
}

void CShellSettings::SetLanguage(CStringTable::Language language) {
  CProfile::WriteString(kSettings, kLanguageKey,
                        QString::fromLatin1(language == CStringTable::Language::German ? kGerman : kEnglish));
}

int CShellSettings::GetStartupAction() {
  // Only reading falls back to the default: the stored value stays in the
  // profile until the user chooses another action, so a value set by a newer
  // version survives.
  const int action = CProfile::GetInt(kConfiguration, kShellCommandKey, kStartNew);
  return action >= kStartNothing && action <= kStartReopenLast ? action : kStartNew;
}

void CShellSettings::SetStartupAction(int action) { CProfile::WriteInt(kConfiguration, kShellCommandKey, action); }
