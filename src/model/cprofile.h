#ifndef SELV_MODEL_CPROFILE_H
#define SELV_MODEL_CPROFILE_H

#include <QString>

// The program's profile under the maker's key "VELMORIX", with the sections
// "Settings", "Configuration", "COMSECTION", "Recent File List" and
// "VMX7000". Tests point it at a temporary INI file with UseIniFile.
class CProfile final {
 public:
  static constexpr const char* kCompany = "VELMORIX";
  static constexpr const char* kApplication = "Selvantis";

  static int GetInt(const QString& section, const QString& key, int defaultValue);
  // How GetInt reads a stored text: a decimal number, blanks around it
  // allowed; anything else is defaultValue.
  static int ParseInt(const QString& text, int defaultValue, bool* ok = nullptr);
  static QString GetString(const QString& section, const QString& key, const QString& defaultValue = QString());
  // Writes are refused for "Configuration"/"VMX Registry", which the program
  // only ever reads. Return false when refused.
  static bool WriteInt(const QString& section, const QString& key, int value);
  static bool WriteString(const QString& section, const QString& key, const QString& value);
  static void Remove(const QString& section, const QString& key);

  // An INI file in place of the user's profile; an empty path goes back to
  // the user's profile.
  static void UseIniFile(const QString& path);
  // The INI file in use; empty for the user's profile.
  static QString IniFile();
};

#endif
