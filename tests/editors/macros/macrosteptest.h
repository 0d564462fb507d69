#ifndef SELV_TESTS_EDITORS_MACROS_MACROSTEPTEST_H
#define SELV_TESTS_EDITORS_MACROS_MACROSTEPTEST_H

#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// A new project with the macro list open: Create makes a macro of a kind
// through the list's own New command, and StepView is the editor the list
// shows for it.
class MacroStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<CSelvantisDoc>();
    doc->OnNewDocument();
    SetActiveDoc(doc.get());
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  CMacro* Create(int kind) {
    frame = std::make_unique<CMacroDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Macros});
    frame->resize(900, 500);
    frame->show();
    frame->GetListView()->SetLink(&link);
    frame->GetListView()->SetChooser([kind](uint32_t, const QString&) { return std::optional<int>(kind); });
    frame->OnCommand(CMacroDlgFrm::kNewMacro);
    return frame->GetCurrentMacro();
  }
  template <typename View>
  View* StepView() const {
    return qobject_cast<View*>(frame->GetStepView());
  }
  // A choice as the user makes it: the list's activated signal.
  static void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<CMacroDlgFrm> frame;
};

// Whether a macro's download lines hold one ending with ending.
inline bool HasLineEnding(const QStringList& lines, const QString& ending) {
  for (const QString& line : lines) {
    if (line.endsWith(ending)) return true;
  }
  return false;
}

#endif
