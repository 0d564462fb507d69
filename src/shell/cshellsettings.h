#ifndef SELV_SHELL_CSHELLSETTINGS_H
#define SELV_SHELL_CSHELLSETTINGS_H

#include "model/cstringtable.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// The shell's values in the profile, each section, key and default declared
// here once. A stored value out of range reads as its default.
class CShellSettings final {
 public:
  // "Configuration"/"ShellCommand": what the program does at start-up when
  // no file is named on the command line. A stored value outside 0..2 reads
  // as kStartNew (and stays stored until another action is chosen).
  enum StartupAction : int { kStartNothing = 0, kStartNew = 1, kStartReopenLast = 2 };

  static constexpr const char* kSettings = "Settings";
  static constexpr const char* kConfiguration = "Configuration";
  static constexpr const char* kLanguageKey = "Language";
  static constexpr const char* kShellCommandKey = "ShellCommand";
  static constexpr const char* kGerman = "German";
  static constexpr const char* kEnglish = "English";

  // The language the profile names ("German", any other value English);
  // before the user has chosen one, the desktop's (DesktopLanguage of its
  // user-interface languages).
  static CStringTable::Language GetLanguage(const QStringList& desktopLanguages = QLocale::system().uiLanguages());
  static void SetLanguage(CStringTable::Language language);
  // Whether the profile holds the user's choice of language.
  static bool HasLanguage();
  // German when the first of the desktop's user-interface languages is
  // German ("de", "de-DE", "de_AT", ...), English otherwise.
  static CStringTable::Language DesktopLanguage(const QStringList& uiLanguages);

  static int GetStartupAction();
  static void SetStartupAction(int action);
};

#endif
