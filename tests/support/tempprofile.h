#ifndef SELV_TESTS_SUPPORT_TEMPPROFILE_H
#define SELV_TESTS_SUPPORT_TEMPPROFILE_H

#include <QString>
#include <QTemporaryDir>

// A fresh, empty profile in a temporary INI file for as long as it lives;
// the profile that was in use before comes back afterwards and the file is
// removed.
//
//   TempProfile profile;
//   CProfile::WriteInt("Settings", "Language", 1);
class TempProfile final {
 public:
  TempProfile();
  TempProfile(const TempProfile&) = delete;
  TempProfile& operator=(const TempProfile&) = delete;
  ~TempProfile();

  // The INI file (it exists once something has been written).
  QString Path() const { return m_path; }

 private:
  QTemporaryDir m_dir;
  QString m_path;
  QString m_previous;
};

#endif
