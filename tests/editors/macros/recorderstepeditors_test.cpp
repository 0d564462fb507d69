#include "editors/macros/cerasemacroview.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/crecordmacroview.h"
#include "editors/macros/recorderstepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/cinternalmessagerec.h"

#include <QComboBox>
#include <QLabel>

#include "editors/macros/macrosteptest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RecorderStepTest : public MacroStepTest {
 protected:
};

}  // namespace

TEST_F(RecorderStepTest, WithoutARecorderTheMessageListHoldsOnlyOff) {
  CSelvantisDoc bare;
  ASSERT_EQ(CInternalMessageRec::Find(&bare), nullptr);
  for (const CSelvantisDoc* project :
       {static_cast<const CSelvantisDoc*>(&bare), static_cast<const CSelvantisDoc*>(nullptr)}) {
    const MacroStepFields::Choices choices = RecorderStepFields::MessageChoices(project);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].text, "OFF");
  }
}

TEST_F(RecorderStepTest, MessageListIsOffThenTheRecorderNamesInOrder) {
  CInternalMessageRec* recorder = CInternalMessageRec::EnsureIn(*doc);
  ASSERT_NE(recorder, nullptr);
  QStringList names;
  recorder->ListChoices(CInternalMessageRec::P_NAME, &names);
  ASSERT_EQ(names.size(), CInternalMessageRec::kMessageCount);
  const MacroStepFields::Choices choices = RecorderStepFields::MessageChoices(doc.get());
  ASSERT_EQ(choices.size(), 26u);
  EXPECT_EQ(choices[0].text, "OFF");
  for (int i = 0; i < names.size(); ++i) EXPECT_EQ(choices[i + 1].text, names.at(i));
  EXPECT_EQ(choices[3].data, 3);
}

TEST_F(RecorderStepTest, NewRecordPairGetsTheFirstFormatWhenShown) {
  CMacro* on = Create(CMacro::kKindRecord);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  auto* view = StepView<CRecordMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(on->GetParamText(CMacro::P_QUALITY), "20KHZ LINEAR");
  EXPECT_EQ(off->GetParamText(CMacro::P_QUALITY), "20KHZ LINEAR");
  EXPECT_EQ(view->FormatList()->currentIndex(), 0);
  ASSERT_EQ(view->FormatList()->count(), 2);
  EXPECT_EQ(view->FormatList()->itemText(1), QString::fromUtf8("10KHZ \xC2\xB5-LAW"));
  ASSERT_EQ(view->InputList()->count(), 5);
  EXPECT_EQ(view->InputList()->itemText(4), "IN4");
  EXPECT_EQ(view->TimeEdit()->text(), "0.0");
}

TEST_F(RecorderStepTest, ChoicesAreStoredInTheMacroAndItsOffPartner) {
  CInternalMessageRec::EnsureIn(*doc);
  CMacro* on = Create(CMacro::kKindRecord);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  auto* view = StepView<CRecordMacroView>();
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->MessageList()->count(), 26);
  Choose(view->MessageList(), 3);
  EXPECT_EQ(on->GetParam(CMacro::P_FILE), 3);
  EXPECT_EQ(off->GetParam(CMacro::P_FILE), 3);
  Choose(view->InputList(), 2);
  EXPECT_EQ(on->GetParam(CMacro::P_INPUT), 2);
  EXPECT_EQ(off->GetParam(CMacro::P_INPUT), 2);
  Choose(view->FormatList(), 1);
  EXPECT_EQ(on->GetParamText(CMacro::P_QUALITY), QString::fromUtf8("10KHZ \xC2\xB5-LAW"));
  EXPECT_EQ(off->GetParamText(CMacro::P_QUALITY), QString::fromUtf8("10KHZ \xC2\xB5-LAW"));

  // A fresh editor shows what was stored.
  frame->ShowMacroEditor();
  view = StepView<CRecordMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->MessageList()->currentIndex(), 3);
  EXPECT_EQ(view->InputList()->currentIndex(), 2);
  EXPECT_EQ(view->FormatList()->currentIndex(), 1);
  const auto* onRow = view->findChild<QLabel*>(QStringLiteral("onRow"));
  const auto* offRow = view->findChild<QLabel*>(QStringLiteral("offRow"));
  ASSERT_TRUE(onRow && offRow);
  EXPECT_EQ(onRow->text(), on->GetName());
  EXPECT_EQ(offRow->text(), off->GetName());
}

TEST_F(RecorderStepTest, RecordingTimeIsLimitedAndShownAsStored) {
  CMacro* on = Create(CMacro::kKindRecord);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  auto* view = StepView<CRecordMacroView>();
  ASSERT_NE(view, nullptr);
  view->TimeEdit()->setText(QStringLiteral("500"));
  emit view->TimeEdit()->killFocus();
  EXPECT_FLOAT_EQ(on->GetParamFloat(CMacro::P_MAXTIME), 360.4f);
  EXPECT_FLOAT_EQ(off->GetParamFloat(CMacro::P_MAXTIME), 360.4f);
  EXPECT_EQ(view->TimeEdit()->text(), "360.4");

  view->TimeEdit()->setText(QStringLiteral("12.25"));
  emit view->TimeEdit()->killFocus();
  EXPECT_EQ(view->TimeEdit()->text(), "12.2");
  // Text that is not a number keeps the stored time.
  view->TimeEdit()->setText(QStringLiteral("abc"));
  emit view->TimeEdit()->killFocus();
  EXPECT_NEAR(on->GetParamFloat(CMacro::P_MAXTIME), 12.25f, 0.01f);
  EXPECT_EQ(view->TimeEdit()->text(), "12.2");
  EXPECT_EQ(RecorderStepFields::WriteTime(*on, -3.0), "0.0");
}

TEST_F(RecorderStepTest, UnknownFormatIsReplacedByTheFirstButAKnownOneKept) {
  CMacro* macro = CMacro::CreateMacro(CMacro::kKindRecord, *doc);
  ASSERT_NE(macro, nullptr);
  macro->SetParamText(CMacro::P_QUALITY, QString::fromLatin1("10KHZ \xB5-LAW"));
  EXPECT_EQ(RecorderStepFields::EnsureFormat(*macro), 1);
  EXPECT_EQ(macro->GetParamText(CMacro::P_QUALITY), QString::fromLatin1("10KHZ \xB5-LAW"));
}

TEST_F(RecorderStepTest, EraseEditorChoosesAMessage) {
  CInternalMessageRec::EnsureIn(*doc);
  CMacro* macro = Create(CMacro::kKindErase);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CEraseMacroView>();
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->MessageList()->count(), 26);
  EXPECT_EQ(view->MessageList()->currentIndex(), 0);
  Choose(view->MessageList(), 25);
  EXPECT_EQ(macro->GetParam(CMacro::P_FILE), 25);
}
