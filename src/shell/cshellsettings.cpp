#include "shell/cshellsettings.h"

#include "model/cprofile.h"

CStringTable::Language CShellSettings::GetLanguage() {
  return CStringTable::LanguageFromProfileValue(
      CProfile::GetString(kSettings, kLanguageKey, QString::fromLatin1(kGerman)));
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
