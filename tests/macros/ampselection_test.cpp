// The amplifier and amplifier-channel choices of the amplifier macros: what
// the selection dialog offers, which rows the macro's text preselects, and
// the text it hands back for the macro to store and send.
#include "macros/ampselection.h"
#include "macros/cmacro.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ui/selectionstate.h"
#include "shell/controls/qstringprinter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// An amplifier on the bus (address -1: one that is not addressable).
class TestAmp final : public CBaseDevice {
 public:
  TestAmp(int address, int channels) : m_address(address), m_channels(channels) { SetType(DT_AMPLIFIER); }
  const char* GetClassName() const override { return "AmpSelectionTestAmp"; }
  bool IsAddressableAmplifier() const override { return m_address >= 0; }
  int GetAmplifierBusAddress() const override { return m_address; }
  int GetAmplifierChannelCount() const override { return m_channels; }

 private:
  int m_address;
  int m_channels;
};

class AmpSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Identifiers deliberately not in address order.
    AddAmp(1, "Hall", 0x0a, 2);
    AddAmp(2, "Stage", 0x01, 4);
    AddAmp(3, "Foyer", 0x02, 1);
    AddAmp(4, "Local", -1, 2);
  }
  void AddAmp(int id, const char* name, int address, int channels) {
    auto amp = std::make_unique<TestAmp>(address, channels);
    ASSERT_TRUE(amp->CreateWithID(0, QString::fromLatin1(name), id, CAT_AMPLIFIERS, &doc));
    ASSERT_NE(doc.AddObject(std::move(amp)), nullptr);
  }
  SelectionState Load(uint32_t kind, const QString& preset) {
    SelectionRequest request;
    request.kind = kind;
    request.request = 1;  // as the amplifier step editors ask
    request.selection = preset;
    SelectionState state;
    state.Load(&doc, request);
    return state;
  }
  static std::vector<QString> FirstColumns(const SelectionState& state) {
    std::vector<QString> names;
    for (const SelectionChoice& c : state.List().choices) names.push_back(c.columns.value(0));
    return names;
  }
  // The rows whose first column is one of names.
  static std::vector<int> Rows(const SelectionState& state, const std::vector<QString>& names) {
    std::vector<int> rows;
    for (int row = 0; row < state.RowCount(); ++row)
      for (const QString& name : names)
        if (state.List().choices[row].columns.value(0) == name) rows.push_back(row);
    return rows;
  }

  CSelvantisDoc doc;
};

TEST_F(AmpSelectionTest, AmplifiersAreOfferedAfterAllInAddressOrder) {
  const SelectionState state = Load(AmpSelection::kKindAmplifiers, QStringLiteral("No entry"));
  ASSERT_TRUE(state.HasProvider());
  EXPECT_EQ(FirstColumns(state), (std::vector<QString>{"All", "Stage", "Foyer", "Hall"}));
  EXPECT_EQ(state.List().choices[3].columns, (QStringList{"Hall", "a"}));
  EXPECT_EQ(state.List().choices[3].number, 0x0a);
  // Several amplifiers, though the editor does not ask for several.
  EXPECT_TRUE(state.Request().multiple);
  EXPECT_TRUE(state.ChosenRows().empty());
  EXPECT_TRUE(state.CanAccept());
  EXPECT_EQ(state.Result().selection, QStringLiteral("NONE"));
}

TEST_F(AmpSelectionTest, ChosenAmplifiersBecomeAHexadecimalAddressListForTheMacro) {
  SelectionState state = Load(AmpSelection::kKindAmplifiers, QStringLiteral("No entry"));
  state.SetChosenRows(Rows(state, {"Stage", "Foyer", "Hall"}));
  const QString text = state.Result().selection;
  EXPECT_EQ(text, QStringLiteral("1-2,a"));

  CMacro* macro = CMacro::CreateMacro(CMacro::kKindAmpSupply, doc);
  ASSERT_NE(macro, nullptr);
  macro->SetParamText(CMacro::P_AMPS, text);
  EXPECT_TRUE(macro->GetDownloadLines(false).contains(macro->GetPath() + QStringLiteral("/PARAM/ADR 1-2,a")));

  // The macro's text chooses the same rows the next time.
  const SelectionState again = Load(AmpSelection::kKindAmplifiers, macro->GetParamText(CMacro::P_AMPS));
  EXPECT_EQ(again.ChosenRows(), Rows(again, {"Stage", "Foyer", "Hall"}));
  EXPECT_EQ(again.Result().selection, text);
}

TEST_F(AmpSelectionTest, AllWinsAndIsPreselectedByTheMacrosText) {
  SelectionState state = Load(AmpSelection::kKindAmplifiers, QString());
  state.SetChosenRows(Rows(state, {"All", "Hall"}));
  EXPECT_EQ(state.Result().selection, QStringLiteral("ALL"));

  CMacro* macro = CMacro::CreateMacro(CMacro::kKindAmpSupply, doc);
  ASSERT_NE(macro, nullptr);
  macro->SetParamText(CMacro::P_AMPS, QStringLiteral("ALL"));
  const SelectionState again = Load(AmpSelection::kKindAmplifiers, macro->GetParamText(CMacro::P_AMPS));
  EXPECT_EQ(again.ChosenRows(), std::vector<int>{0});
  // A stored list that is no address list chooses nothing and breaks nothing.
  EXPECT_TRUE(Load(AmpSelection::kKindAmplifiers, QStringLiteral("1-zz")).ChosenRows().empty());
}

TEST_F(AmpSelectionTest, ChannelsAreNumberedGloballyInAddressOrder) {
  SelectionState state = Load(AmpSelection::kKindAmpChannels, QStringLiteral("No entry"));
  EXPECT_TRUE(state.Request().multiple);
  EXPECT_EQ(FirstColumns(state), (std::vector<QString>{"All", "Stage CH1", "Stage CH2", "Stage CH3", "Stage CH4",
                                                       "Foyer CH1", "Hall CH1", "Hall CH2"}));
  const SelectionChoice& hall2 = state.List().choices[7];
  EXPECT_EQ(hall2.columns, (QStringList{"Hall CH2", "7"}));
  EXPECT_EQ(hall2.number, 7);
  EXPECT_EQ(hall2.value, 0x0a);
  EXPECT_EQ(hall2.channel, 2);
  // The names are those the rest of the program gives the channels.
  EXPECT_EQ(doc.GetIDManager().GetAmpChannelName(7), QStringLiteral("Hall CH2"));

  state.SetChosenRows(Rows(state, {"Stage CH2", "Stage CH3", "Stage CH4", "Hall CH2"}));
  const QString text = state.Result().selection;
  EXPECT_EQ(text, QStringLiteral("2-4,7"));

  CMacro* macro = CMacro::CreateMacro(CMacro::kKindAmpMute, doc);
  ASSERT_NE(macro, nullptr);
  macro->SetParamText(CMacro::P_AMP_CHANNELS, text);
  EXPECT_TRUE(macro->GetDownloadLines(false).contains(macro->GetPath() + QStringLiteral("/PARAM/CHAN 2-4,7")));
  const SelectionState again = Load(AmpSelection::kKindAmpChannels, macro->GetParamText(CMacro::P_AMP_CHANNELS));
  EXPECT_EQ(again.ChosenRows(), Rows(again, {"Stage CH2", "Stage CH3", "Stage CH4", "Hall CH2"}));
}

TEST_F(AmpSelectionTest, WithoutAProjectOnlyAllIsOffered) {
  SelectionRequest request;
  request.kind = AmpSelection::kKindAmpChannels;
  const SelectionList list = CSelectionProvider::Global().ListChoices(nullptr, request);
  ASSERT_EQ(list.choices.size(), 1u);
  EXPECT_EQ(list.choices[0].number, AmpSelection::kAllNumber);
}

}  // namespace
