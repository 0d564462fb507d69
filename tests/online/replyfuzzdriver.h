#ifndef SELV_TESTS_ONLINE_REPLYFUZZDRIVER_H
#define SELV_TESTS_ONLINE_REPLYFUZZDRIVER_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

class CBaseDevice;
class CSelvantisDoc;
class IMessageSink;
class QDateTime;

// Hands arbitrary bytes to everything in the program that reads the unit's
// reply lines, for the reply fuzz harness (tools/fuzz/reply_fuzz.cpp) and the
// replay of its corpus (tests/data/reply-corpus):
//   - the serial link's receive path (line cutting, then the document's reply
//     routing in LINKMODE_UPLOAD, or LINKMODE_NORMAL when bit 4 of the first
//     byte is set) on a project holding objects of every family;
//   - or, when bit 3 of the first byte is set, the reply handling of the
//     on-line windows' state classes, the line parser they share, the
//     hardware scan and the fault poll, whose synchronous queries are
//     answered with the same lines.
// The first byte also picks the small or the large project (bit 0), whether
// the upload's queries go out first (bit 1), whether the line is lost between
// the two receive events (bit 2; the rest arrives in normal mode) and where
// the bytes are cut into them.
// Afterwards every object must still belong to the document and the project
// must save and load again: a damaged reply may be ignored, never leave the
// project unsaveable.
//
// One loaded project of each size serves every input, and after each input
// only what it changed is put back. Every change a reply makes marks the
// project modified, so only the lines after which it was are looked at: the
// objects they reach, the entries those objects' lists own and, after the
// on-line windows, the objects the windows keep values in are compared with
// their records as loaded and read back from them in place when they differ
// (and the fault object always: it keeps the unit's active fault sources,
// which mark nothing modified); objects the input added are deleted, and
// connection lists that differ are rebuilt. Only what cannot be put back that
// way (an object gone, an identifier or path moved, changed project data)
// loads the project anew. Objects keep what they hold outside the project
// file (a transfer's expected answers) from one input to the next, as they do
// in the program over a session.
//
// The save-and-load check runs on a sample of the inputs (one in
// checkEvery, chosen by the input's hash, so a fault found on an input is
// found again on it); on a sampled input the project must also save, once
// put back, to the bytes it saved to when loaded: a reply that changed it
// without marking it modified is a fault.
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
  // How many objects were read back in place and connection lists rebuilt
  // so far.
  int RestoredObjects() const { return m_restoredObjects; }
  int RestoredConnectionLists() const { return m_restoredLists; }
  // What the project served to the inputs (small or large) saves to now;
  // empty when it is to be loaded anew.
  QByteArray ServedProjectBytes(bool large) const;

  // The project with objects of every family (large: the upgrade variant),
  // as saved bytes.
  const QByteArray& ProjectBytes(bool large) const { return large ? m_large : m_small; }
  // Lines a project's objects send on download and upload (the paths and
  // values the unit answers with), for seeding the fuzzer.
  QByteArray SeedLines(bool large, bool bQuery) const;
  // Answers to the on-line windows' queries (each with the value 1).
  QByteArray WindowSeedLines() const;

 private:
  struct Served;

  // The served project of that size, loaded when there is none.
  Served* Serve(bool large, QString* error);
  // Puts the served project back as it was loaded: objects added are
  // deleted, the candidates, the objects without a path of the types given
  // (a first type of -1: all) and, when asked, those of the on-line windows
  // are read back from their records where they differ, connection lists
  // rebuilt. False when that takes a new load (the project is then dropped).
  bool PutBack(int slot, std::vector<CBaseDevice*> candidates, const std::vector<int>& pathlessTypes,
               bool checkWindows);

  QTemporaryDir m_dir;
  QString m_previousProfile;
  std::unique_ptr<IMessageSink> m_sink;
  IMessageSink* m_previousSink = nullptr;
  std::function<bool(const QDateTime&)> m_previousClockSetter;
  QByteArray m_small;
  QByteArray m_large;
  unsigned m_checkEvery = 1;
  std::unique_ptr<Served> m_served[2];
  int m_loads = 0;
  int m_restoredObjects = 0;
  int m_restoredLists = 0;
};

// Builds a project with objects of every family: the new project's fixed
// objects, whatever each registered factory makes, every amplifier model,
// every relay topology with its zones, groups, a LAN group, every console
// model, the monitor, the backup amplifier, collection calls, the amplifier
// table and a macro of every kind.
void FillWithEveryFamily(CSelvantisDoc& doc, bool large);

#endif
