#ifndef SELV_SHELL_CSHELLSETTINGS_H
#define SELV_SHELL_CSHELLSETTINGS_H

#include "model/cstringtable.h"

#include <QString>

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

  // "German" unless the profile names another language; German is the
  // program's built-in language.
  static CStringTable::Language GetLanguage();
  static void SetLanguage(CStringTable::Language language);

  static int GetStartupAction();
  static void SetStartupAction(int action);
};

#endif
