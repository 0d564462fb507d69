#ifndef SELV_TESTS_EDITORS_LISTS_LISTFRAMETESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_LISTFRAMETESTSUPPORT_H

#include "editors/lists/entrylisttestsupport.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/chostframeregistry.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

// A list frame over a new project that is the active one, with the profile,
// the message boxes and the link recorded. The derived fixture adds its
// entries after SetUp and opens the frame, which TearDown closes before the
// project goes.
template <class Frame, class View>
class ListFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  // Creates the frame of kind and shows it wide enough for every column.
  void OpenFrame(HostFrameKind kind) {
    frame = std::make_unique<Frame>(HostFrameContext{doc.get(), nullptr, kind});
    frame->resize(900, 400);
    frame->show();
  }
  // The lines sent so far that start with prefix.
  QStringList LinesStartingWith(const QString& prefix) const {
    QStringList out;
    for (const QString& line : link.Lines()) {
      if (line.startsWith(prefix)) out << line;
    }
    return out;
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<Frame> frame;
  View* view = nullptr;
};

#endif
