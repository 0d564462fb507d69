// What the macro activation types write into a macro key, and the type a
// key's function shows.
#include "consoles/ui/cmacrokeytypeslogic.h"

#include "../consoletestsupport.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

namespace {

using KeyTypesLogic = CMacroKeyTypesLogic;

class CMacroKeyTypesLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    constest::AddMacros(doc, 3);
    console = constest::AddConsole(doc);
    key = console->FindKey(4);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetFunctionFromText(CConsKey::MACRO, QStringLiteral("2,0"), true));
  }
  // The macro B link of the key (port -key), or null.
  CBaseDevice* SecondLink() const {
    const auto links = constest::LinksOnPort(*console, -4);
    return links.empty() ? nullptr : links[0].pPeer;
  }

  MessageRecorder messages;
  CSelvantisDoc doc;
  CConsole* console = nullptr;
  CConsKey* key = nullptr;
};

TEST_F(CMacroKeyTypesLogicTest, ActivityFollowsFunction) {
  const struct {
    CConsKey::Function f;
    int activity;
  } rows[] = {
      {{CConsKey::MACRO, 1, 0, 0, true}, KeyTypesLogic::kTrigger}, {{CConsKey::MACRO, 1, 3, 0, true}, KeyTypesLogic::kButton},
      {{CConsKey::MACSWT, 1, 3, 0, true}, KeyTypesLogic::kSwitch}, {{CConsKey::MACREP, 1, 5, 0, true}, KeyTypesLogic::kRepeat},
      {{CConsKey::MACRAD, 1, 7, 0, true}, KeyTypesLogic::kRadio},  {{CConsKey::SEL, 1, 7, 0, true}, KeyTypesLogic::kTrigger},
  };
  for (const auto& row : rows) EXPECT_EQ(KeyTypesLogic::ActivityOf(row.f), row.activity) << row.f.type;
  EXPECT_EQ(KeyTypesLogic::TypeWord(KeyTypesLogic::kSwitch), QStringLiteral("switch"));
  EXPECT_EQ(KeyTypesLogic::ActivityText(KeyTypesLogic::kSwitch), QStringLiteral("Press key second time: start makro B"));
  EXPECT_TRUE(KeyTypesLogic::ActivityText(5).isEmpty());
  EXPECT_TRUE(KeyTypesLogic::TypeWord(-1).isEmpty());
}

TEST_F(CMacroKeyTypesLogicTest, EntriesShowTheirTypeWordInOneColumn) {
  const QString trigger = KeyTypesLogic::EntryText(KeyTypesLogic::kTrigger);
  const QString sw = KeyTypesLogic::EntryText(KeyTypesLogic::kSwitch);
  EXPECT_TRUE(trigger.startsWith(QStringLiteral("Release key : no action    ")));
  EXPECT_TRUE(trigger.endsWith(QStringLiteral("type=\"trigger\"")));
  EXPECT_EQ(sw, QStringLiteral("Press key second time: start makro B    type=\"switch\""));
  EXPECT_EQ(KeyTypesLogic::EntryText(KeyTypesLogic::kRadio).indexOf(QStringLiteral("type=")), sw.indexOf(QStringLiteral("type=")));
  EXPECT_TRUE(KeyTypesLogic::EntryText(5).isEmpty());
}

TEST_F(CMacroKeyTypesLogicTest, ButtonWithoutChosenMacroBStoresOne) {
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kButton, 0), 1);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACRO);
  EXPECT_EQ(key->GetFunction().p1, 2);
  EXPECT_EQ(key->GetFunction().p2, 1);
  EXPECT_EQ(SecondLink(), doc.FindObjectById(CAT_MACROS, 1));
  EXPECT_EQ(KeyTypesLogic::ChangedFlags(*key, KeyTypesLogic::kButton), 3);
  EXPECT_EQ(key->GetFunctionText(), QStringLiteral("MACRO,2,1"));
}

TEST_F(CMacroKeyTypesLogicTest, SwitchTakesChosenMacroBAndMacroBCanChange) {
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kSwitch, 3), 3);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACSWT);
  EXPECT_EQ(SecondLink(), doc.FindObjectById(CAT_MACROS, 3));
  KeyTypesLogic::SetMacroB(*key, 1);
  EXPECT_EQ(key->GetFunction().p2, 1);
  EXPECT_EQ(SecondLink(), doc.FindObjectById(CAT_MACROS, 1));
  // A macro B that is not in the project is stored but not linked.
  KeyTypesLogic::SetMacroB(*key, 9);
  EXPECT_EQ(key->GetFunction().p2, 9);
  EXPECT_EQ(SecondLink(), nullptr);
  EXPECT_EQ(KeyTypesLogic::ChangedFlags(*key, KeyTypesLogic::kSwitch), 1);
  EXPECT_EQ(KeyTypesLogic::ChangedFlags(*key, KeyTypesLogic::kRepeat), 1);
}

TEST_F(CMacroKeyTypesLogicTest, RatesAndRadioNumbersAreClamped) {
  const struct {
    int in, rate, radio;
  } rows[] = {{-4, 1, 1}, {0, 1, 1}, {1, 1, 1}, {2, 2, 2}, {10, 10, 10}, {11, 10, 11}, {60, 10, 50}};
  for (const auto& row : rows) {
    EXPECT_EQ(KeyTypesLogic::ClampRate(row.in), row.rate) << row.in;
    EXPECT_EQ(KeyTypesLogic::ClampRadio(row.in), row.radio) << row.in;
  }
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kRepeat, 0), 1);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACREP);
  EXPECT_EQ(KeyTypesLogic::StepRate(*key, 10, 1), 10);
  EXPECT_EQ(key->GetFunction().p2, 10);
  EXPECT_EQ(KeyTypesLogic::StepRate(*key, 1, -1), 1);
  EXPECT_EQ(key->GetFunction().p2, 1);
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kRadio, 0), 1);
  EXPECT_EQ(KeyTypesLogic::StepRadio(*key, 59, 1), 50);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACRAD);
  EXPECT_EQ(key->GetFunction().p2, 50);
  // A rate step on a radio key leaves it alone.
  KeyTypesLogic::StepRate(*key, 3, 1);
  EXPECT_EQ(key->GetFunction().p2, 50);
}

TEST_F(CMacroKeyTypesLogicTest, RadioBackToTriggerClearsSecondParameterAndLink) {
  KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kButton, 3);
  ASSERT_NE(SecondLink(), nullptr);
  // The macro identifier becomes a radio number and loses its link.
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kRadio, 3), 3);
  EXPECT_EQ(SecondLink(), nullptr);
  EXPECT_EQ(KeyTypesLogic::SetActivity(*key, KeyTypesLogic::kTrigger, 3), 0);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACRO);
  EXPECT_EQ(key->GetFunction().p2, 0);
  EXPECT_EQ(key->GetFunctionText(), QStringLiteral("MACRO,2"));
  EXPECT_EQ(SecondLink(), nullptr);
  EXPECT_EQ(KeyTypesLogic::ActivityOfKey(*key), KeyTypesLogic::kTrigger);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CMacroKeyTypesLogicTest, DescriptionIsMacroA) {
  EXPECT_EQ(KeyTypesLogic::Description(*key), doc.FindObjectById(CAT_MACROS, 2)->GetName());
}

}  // namespace
