#ifndef SELV_TESTS_SUPPORT_COMMALOCALE_H
#define SELV_TESTS_SUPPORT_COMMALOCALE_H

#include <string>

// Switches the process to a locale that writes a decimal comma while it
// lives, to show that numbers on the wire and in files do not follow the
// user's locale. Ok() is false when the machine has no such locale (the test
// then skips):
//
//   CommaLocale comma;
//   if (!comma.Ok()) GTEST_SKIP() << "no locale with a decimal comma is installed";
class CommaLocale final {
 public:
  CommaLocale();
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  ~CommaLocale();

  bool Ok() const { return m_ok; }

 private:
  std::string m_previous;
  bool m_ok = false;
};

#endif
