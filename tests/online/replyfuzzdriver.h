#ifndef SELV_TESTS_ONLINE_REPLYFUZZDRIVER_H
#define SELV_TESTS_ONLINE_REPLYFUZZDRIVER_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class CSelvantisDoc;
class IMessageSink;
class QDateTime;

// Hands arbitrary bytes to everything in the program that reads the unit's
// reply lines, for the reply fuzz harness (tools/fuzz/reply_fuzz.cpp) and the
// replay of its corpus (tests/data/reply-corpus):
//   - the serial link's receive path (line cutting, then the document's reply
//     routing in LINKMODE_UPLOAD and LINKMODE_NORMAL) on a project holding
//     objects of every family. The first byte picks the small or the large
//     project (bit 0), whether the upload's queries go out first (bit 1),
//     whether the line is lost between the two receive events (bit 2) and
//     where the bytes are cut into them;
//   - the reply handling of the on-line windows' state classes, the line
//     parser they share, the hardware scan and the fault poll, whose
//     synchronous queries are answered with the same lines.
// Afterwards every object must still belong to the document and the project
// must save and load again: a damaged reply may be ignored, never leave the
// project unsaveable.
//
// One loaded project of each size serves many inputs: an input whose lines
// cannot reach the project (no line holds a "/" or names a path of it, the
// upload's queries stay off and the fault window's answer is the same)
// leaves it as it was, and only after an input that may have changed it is
// it loaded anew. The save-and-load check
// runs on a sample of the inputs (one in checkEvery, chosen by the input's
// hash, so a fault found on an input is found again on it); on a sampled
// input that was taken as harmless, the project must also still save to the
// bytes it was loaded from.
//
// Needs a QCoreApplication. The profile is a temporary INI file and the
// computer's clock is never set while a driver lives.
class ReplyFuzzDriver final {
 public:
  // checkEvery 1: every input gets the save-and-load check.
  explicit ReplyFuzzDriver(unsigned checkEvery = 1);
  ReplyFuzzDriver(const ReplyFuzzDriver&) = delete;
  ReplyFuzzDriver& operator=(const ReplyFuzzDriver&) = delete;
  ~ReplyFuzzDriver();

  // Empty when all went well, else what was wrong.
  QString Run(const QByteArray& bytes);
  // How many times a project was loaded for the inputs so far.
  int Loads() const { return m_loads; }

  // The project with objects of every family (large: the upgrade variant),
  // as saved bytes.
  const QByteArray& ProjectBytes(bool large) const { return large ? m_large : m_small; }
  // Lines a project's objects send on download and upload (the paths and
  // values the unit answers with), for seeding the fuzzer.
  QByteArray SeedLines(bool large, bool bQuery) const;
  // Answers to the on-line windows' queries (each with the value 1).
  QByteArray WindowSeedLines() const;

 private:
  QTemporaryDir m_dir;
  QString m_previousProfile;
  std::unique_ptr<IMessageSink> m_sink;
  IMessageSink* m_previousSink = nullptr;
  std::function<bool(const QDateTime&)> m_previousClockSetter;
  QByteArray m_small;
  QByteArray m_large;
  unsigned m_checkEvery = 1;
  // The loaded projects (small, large), what each saves to while untouched,
  // and whether an input may have changed it.
  std::unique_ptr<CSelvantisDoc> m_docs[2];
  QByteArray m_pristine[2];
  bool m_touched[2] = {true, true};
  int m_loads = 0;
};

// Builds a project with objects of every family: the new project's fixed
// objects, whatever each registered factory makes, every amplifier model,
// every relay topology with its zones, groups, a LAN group, every console
// model, the monitor, the backup amplifier, collection calls, the amplifier
// table and a macro of every kind.
void FillWithEveryFamily(CSelvantisDoc& doc, bool large);

#endif
