#ifndef SELV_TESTS_AMPS_CMONITORTESTSUPPORT_H
#define SELV_TESTS_AMPS_CMONITORTESTSUPPORT_H

// Helpers of the monitor and backup-amplifier tests: KCM209 relay pads with a
// chosen relay number, a transfer loop that follows the returned steps, and
// reply lines routed through the document, and the fixture both start from.

#include "ampstestsupport.h"
#include "czonetestsupport.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace monitortest {

// A KCM209 relay pad whose relay number is number: the pad's output 0 on
// input (number - 1) mod 5 of KCM209 card (number - 1) / 5 + 1 (cards are
// added up to that one).
inline CControlPad* AddKCM209Pad(CSelvantisDoc& doc, int number) {
  const int cardId = (number - 1) / 5 + 1;
  while (doc.GetIDManager().FindBaseDevice(cardId, DT_KCM209) == nullptr) {
    if (doc.CreateObject(DT_KCM209, CKCM::KIND_KCM209) == nullptr) return nullptr;
  }
  CBaseDevice* card = doc.GetIDManager().FindBaseDevice(cardId, DT_KCM209);
  auto* pad = dynamic_cast<CControlPad*>(doc.CreateObject(DT_CONTROLPAD, CControlPad::kKindKCM209));
  if (pad == nullptr) return nullptr;
  CBaseDevice::Connect(pad, 0, card, (number - 1) % 5);
  return pad;
}

// Runs a whole download or query of object: step -1, then the returned
// steps until the count. Fails the test when a step goes back or the run
// does not end.
inline int RunSteps(CBaseDevice& object, bool query, int maxCalls = 5000) {
  const int count = object.Download(query, -1);
  int step = 0;
  int calls = 0;
  while (step < count && calls++ < maxCalls) {
    const int next = object.Download(query, step);
    EXPECT_GE(next, step);
    if (next < step) break;
    step = next;
  }
  EXPECT_LT(calls, maxCalls) << "the run did not end";
  return step;
}

inline bool Reply(CSelvantisDoc& doc, const QString& line, const QString& errorPath = QString(),
                  int mode = LINKMODE_UPLOAD) {
  QString errorFile = errorPath;
  return doc.RouteReplyLine(line, errorFile, mode);
}

// A project with a recording link installed, a recorder for message boxes,
// a profile of its own and a path for the transfer's error file.
class TableTransferTest : public testing::Test {
 protected:
  void SetUp() override { errorPath = dir.filePath("site.err"); }

  // What the transfer wrote to its error file ("" when nothing).
  QString ErrorFile() const {
    QFile file(errorPath);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromLatin1(file.readAll());
  }

  TempProfile profile;
  RecordingLink link;
  MessageRecorder messages;
  QTemporaryDir dir;
  QString errorPath;
  CSelvantisDoc doc;
};

}  // namespace monitortest

#endif
