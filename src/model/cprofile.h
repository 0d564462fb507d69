#ifndef SELV_MODEL_CPROFILE_H
#define SELV_MODEL_CPROFILE_H

#include <QString>

#include <optional>

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
  // A value written by hand with commas in it reads as it was written (the
  // blanks the INI format puts after them when it saves the file left out).
  static QString GetString(const QString& section, const QString& key, const QString& defaultValue = QString());
  // Writes are refused for "Configuration"/"VMX Registry", which the program
  // only ever reads. Return false when refused.
  static bool WriteInt(const QString& section, const QString& key, int value);
  static bool WriteString(const QString& section, const QString& key, const QString& value);
  static bool Remove(const QString& section, const QString& key);

  // Writes report a failure once with a message (the file or its folder
  // cannot be written, with the system's reason) and return false; what
  // they did not store is kept, and read, until the program ends.

  // A profile file put aside because the program could not read it.
  struct SetAside {
    QString file;           // where it was
    QString keptAs;         // its new name
    bool notAFile = false;  // a FIFO, a folder, a device: not a settings file
    bool loop = false;      // a symbolic link that leads back to itself: left as it is
  };
  // Looks at the profile's file before anything reads it: one that is not a
  // regular file (a FIFO would hold every read) or cannot be parsed gets a
  // new name beside it ("Selvantis.conf.unreadable-20261207-154001"), so
  // the program starts with its defaults and loses nothing. A link that
  // leads back to itself is the user's own doing: it is left as it is, and
  // the program runs with its defaults and keeps what it sets until it
  // ends. Nothing when the file is sound or missing.
  static std::optional<SetAside> SetAsideUnreadableFile();
  // The message that tells the user.
  static QString SetAsideMessage(const SetAside& setAside);
  // The file of the profile in use.
  static QString FilePath();

  // An INI file in place of the user's profile; an empty path goes back to
  // the user's profile.
  static void UseIniFile(const QString& path);
  // The INI file in use; empty for the user's profile.
  static QString IniFile();
};

#endif
