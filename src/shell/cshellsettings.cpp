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
  // Values other than 1 and 2 mean "nothing" to the program; they are kept
  // as read so that a value set by a newer version survives.
  return CProfile::GetInt(kConfiguration, kShellCommandKey, kStartNew);
}

void CShellSettings::SetStartupAction(int action) { CProfile::WriteInt(kConfiguration, kShellCommandKey, action); }
