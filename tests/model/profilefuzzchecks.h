#ifndef SELV_TESTS_MODEL_PROFILEFUZZCHECKS_H
#define SELV_TESTS_MODEL_PROFILEFUZZCHECKS_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Arbitrary bytes for the readers of the profile, shared by the fuzz harness
// tools/fuzz/profile_fuzz.cpp and the replay of its corpus
// (tests/data/profile-corpus); as parserfuzzchecks.h, for the readers that
// live in the widget library.
// Values from the profile: the text (byte 0 bit 0: UTF-8, else Latin-1)
// given to every parser of a stored value (numbers, serial settings, dialog
// rectangles, column widths, volume limits); a value that is taken is in
// range and formats back to itself. With byte 0 bit 1 the rest is also a
// whole profile (INI file) that the program's readers of stored values go
// through, each of which must give a value in its range.
class ProfileValueChecker final {
 public:
  ProfileValueChecker();
  ProfileValueChecker(const ProfileValueChecker&) = delete;
  ProfileValueChecker& operator=(const ProfileValueChecker&) = delete;
  ~ProfileValueChecker();

  QString Check(const QByteArray& bytes);

 private:
  QTemporaryDir m_dir;
  QString m_previousProfile;
};

#endif
