#include "editors/macros/ampstepfields.h"
#include "editors/macros/campmacroview.h"
#include "editors/macros/campmutemacroview.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class AmpStepTest : public ::testing::Test {
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
  template <class View>
  View* Open(int kind) {
    macro = CMacro::CreateMacro(kind, *doc);
    frame = std::make_unique<CMacroDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Macros});
    frame->resize(900, 400);
    frame->show();
    return qobject_cast<View*>(frame->GetStepView());
  }
  bool HasLine(const QString& line) const { return macro->GetDownloadLines(false).contains(line); }

  TempProfile profile;
  MessageRecorder messages;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<CMacroDlgFrm> frame;
  CMacro* macro = nullptr;
};

QString LineEnding(const QStringList& lines, const QString& key) {
  for (const QString& line : lines) {
    if (line.contains(key)) return line;
  }
  return QString();
}

}  // namespace

TEST_F(AmpStepTest, CheckingAnOptionClearsItInTheOtherColumn) {
  auto* view = Open<CAmpMacroView>(CMacro::kKindAmpSupply);
  ASSERT_NE(view, nullptr);
  QCheckBox* offBattery = view->OptionBox(CMacro::P_AMP_OFF, AmpStepFields::kBattery);
  QCheckBox* onBattery = view->OptionBox(CMacro::P_AMP_ON, AmpStepFields::kBattery);
  ASSERT_TRUE(offBattery && onBattery);
  offBattery->click();
  view->OptionBox(CMacro::P_AMP_OFF, AmpStepFields::kMainPower)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_OFF), 3);

  onBattery->click();
  EXPECT_TRUE(onBattery->isChecked());
  EXPECT_FALSE(offBattery->isChecked());
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_ON), 2);
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_OFF), 1);

  // Unchecking only clears its own bit; FAULT reset has no partner.
  view->OptionBox(CMacro::P_AMP_ON, AmpStepFields::kFaultReset)->click();
  onBattery->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_ON), 8);
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_OFF), 1);
  EXPECT_EQ(view->OptionBox(CMacro::P_AMP_OFF, AmpStepFields::kFaultReset), nullptr);
}

TEST_F(AmpStepTest, OptionTextsForTheUnit) {
  auto* view = Open<CAmpMacroView>(CMacro::kKindAmpSupply);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMP_ON), "NONE");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMP_OFF), "NONE");
  view->OptionBox(CMacro::P_AMP_ON, AmpStepFields::kMainPower)->click();
  view->OptionBox(CMacro::P_AMP_ON, AmpStepFields::kFaultReset)->click();
  view->OptionBox(CMacro::P_AMP_OFF, AmpStepFields::kPilotTone)->click();
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMP_ON), "MAINS,FLTRES");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMP_OFF), "PLTGEN");
  const QStringList lines = macro->GetDownloadLines(false);
  EXPECT_TRUE(LineEnding(lines, "/PARAM/ON").endsWith("MAINS,FLTRES")) << lines.join('\n').toStdString();
  EXPECT_TRUE(LineEnding(lines, "/PARAM/OFF").endsWith("PLTGEN")) << lines.join('\n').toStdString();
}

TEST(AmpStepFieldsTest, RefusesBitsOutsideTheColumn) {
  CMacro macro;
  macro.SetParam(CMacro::P_KIND, CMacro::kKindAmpSupply);
  AmpStepFields::SetOption(macro, CMacro::P_AMP_OFF, AmpStepFields::kFaultReset, true);
  AmpStepFields::SetOption(macro, CMacro::P_AMP_ON, 16, true);
  AmpStepFields::SetOption(macro, CMacro::P_AMP_ON, 3, true);
  AmpStepFields::SetOption(macro, CMacro::P_PRIO, 1, true);
  EXPECT_EQ(macro.GetParam(CMacro::P_AMP_ON), 0);
  EXPECT_EQ(macro.GetParam(CMacro::P_AMP_OFF), 0);
  EXPECT_EQ(AmpStepFields::SelectionKind(macro), 34376u);
  EXPECT_EQ(AmpStepFields::SelectionParam(macro), int(CMacro::P_AMPS));
}

TEST_F(AmpStepTest, SelectionStoresAmplifiersAndCancelKeepsThem) {
  auto* view = Open<CAmpMacroView>(CMacro::kKindAmpSupply);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->AmpText()->text(), "No entry");
  std::vector<unsigned> kinds;
  std::vector<QString> presets;
  std::optional<QString> answer = QStringLiteral("1-3,5");
  view->SetChooser([&](unsigned kind, const QString& preset) {
    kinds.push_back(kind);
    presets.push_back(preset);
    return answer;
  });
  view->SelectButton()->click();
  ASSERT_EQ(kinds.size(), 1u);
  EXPECT_EQ(kinds[0], 34376u);
  EXPECT_EQ(presets[0], "No entry");
  EXPECT_EQ(view->AmpText()->text(), "1-3,5");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMPS), "1-3,5");

  answer.reset();
  view->SelectButton()->click();
  EXPECT_EQ(presets[1], "1-3,5");
  EXPECT_EQ(view->AmpText()->text(), "1-3,5");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMPS), "1-3,5");

  // A fresh editor shows the list the selection stored.
  frame->ShowMacroEditor();
  view = qobject_cast<CAmpMacroView*>(frame->GetStepView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->AmpText()->text(), "1-3,5");
}

TEST_F(AmpStepTest, MuteCheckAndChannelSelection) {
  auto* view = Open<CAmpMuteMacroView>(CMacro::kKindAmpMute);
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->MuteBox()->isChecked());
  view->MuteBox()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_MUTE), 1);
  view->MuteBox()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_MUTE), 0);

  unsigned askedKind = 0;
  view->SetChooser([&](unsigned kind, const QString&) {
    askedKind = kind;
    return std::optional<QString>(QStringLiteral("All"));
  });
  view->SelectButton()->click();
  EXPECT_EQ(askedKind, 34488u);
  EXPECT_EQ(view->ChannelText()->text(), "All");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMP_CHANNELS), "All");
  EXPECT_EQ(macro->GetParamText(CMacro::P_AMPS), "No entry");
}
