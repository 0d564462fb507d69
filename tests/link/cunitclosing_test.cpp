// What the closing of a connection knows of the unit, and says: only what
// was opened, "not confirmed" for a closing line that went without its echo
// and "got" for one that never went, and always what the next connect
// sends; the note on the disk says the same.
#include "link/cunitclosing.h"

#include "link/cunclosednotes.h"
#include "support/filebytes.h"
#include "support/quietport.h"
#include "support/tempprofile.h"

#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A port whose output has always left: the closing looks at nothing else.
class IdleClosingPort final : public QuietPort {
 public:
  IdleClosingPort() : QuietPort(true) {}
  void Close() override {}
};

// A line written (w) or echoed (e).
struct ClosingStep {
  char what;
  const char* line;
};

}  // namespace

TEST(CUnitClosingTest, SaysOnlyWhatWasOpenAndWhetherTheUnitGotOrConfirmedTheClosing) {
  TempProfile profile;
  const QString port = QStringLiteral("/dev/ttyUSB0");
  const struct {
    const char* name;
    std::vector<ClosingStep> steps;
    const char* warning;
    const char* noted;  // the line of the note, "" for none
  } rows[] = {
      {"an idle connection lost",
       {{'w', "/PROTECT OFF"}, {'e', "/PROTECT OFF"}},
       "The unit may still have its settings unprotected: the connection ended before it got \"/PROTECT ON\". "
       "Connect to it again (the program then sends \"/PROTECT ON\" first), or send this line to the unit.",
       "/dev/ttyUSB0 [10337,V1.0] unprotected"},
      {"a download lost",
       {{'w', "/PROTECT OFF"}, {'w', "/MACRO/LOCK ON"}, {'e', "/MACRO/LOCK ON"}},
       "The unit may still have its macros locked and its settings unprotected: the connection ended before it got "
       "\"/MACRO/LOCK OFF\" and \"/PROTECT ON\". Connect to it again (the program then sends \"/MACRO/LOCK OFF\" "
       "and \"/PROTECT ON\" first), or send these two lines to the unit.",
       "/dev/ttyUSB0 [10337,V1.0] locked unprotected"},
      {"the unlock taken, the protection sent without its echo",
       {{'w', "/PROTECT OFF"},
        {'w', "/MACRO/LOCK ON"},
        {'w', "/MACRO/LOCK OFF"},
        {'e', "/MACRO/LOCK OFF"},
        {'w', "/PROTECT ON"}},
       "The unit may still have its settings unprotected: the connection ended before it had confirmed \"/PROTECT "
       "ON\". Connect to it again (the program then sends \"/PROTECT ON\" first), or send this line to the unit.",
       "/dev/ttyUSB0 [10337,V1.0] unprotected"},
      {"the unlock sent without its echo, the protection never sent",
       {{'w', "/PROTECT OFF"}, {'w', "/MACRO/LOCK ON"}, {'w', "/MACRO/LOCK OFF"}},
       "The unit may still have its macros locked and its settings unprotected: the connection ended before it had "
       "confirmed \"/MACRO/LOCK OFF\" and before it got \"/PROTECT ON\". Connect to it again (the program then sends "
       "\"/MACRO/LOCK OFF\" and \"/PROTECT ON\" first), or send these two lines to the unit.",
       "/dev/ttyUSB0 [10337,V1.0] locked unprotected"},
      {"everything taken",
       {{'w', "/PROTECT OFF"},
        {'w', "/MACRO/LOCK ON"},
        {'w', "/MACRO/LOCK OFF"},
        {'e', "/MACRO/LOCK OFF"},
        {'w', "/PROTECT ON"},
        {'e', "/PROTECT ON"}},
       "",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    IdleClosingPort serial;
    CUnitClosing closing(serial, [] {});
    closing.Begin(port, CUnitIdentity(QStringLiteral("10337"), QStringLiteral("V1.0")));
    for (const ClosingStep& step : row.steps) {
      const QString line = QString::fromLatin1(step.line);
      if (step.what == 'w') {
        ASSERT_TRUE(closing.BeforeWrite(line)) << closing.NoteFailure().toStdString();
        closing.Written(line);
      } else {
        closing.Echoed(line);
      }
    }
    EXPECT_EQ(closing.Warning(false), QString::fromLatin1(row.warning));
    const QByteArray notes = FileBytes(CUnclosedNotes::FilePath());
    if (*row.noted)
      EXPECT_TRUE(notes.endsWith(QByteArray(row.noted) + '\n')) << notes.toStdString();
    else
      EXPECT_FALSE(QFile::exists(CUnclosedNotes::FilePath())) << notes.toStdString();
    QFile::remove(CUnclosedNotes::FilePath());
  }
}
