// The choices of the event log's detail selections.
#include "online/ceventlogselections.h"

#include "macros/ceventlog.h"
#include "macros/cmacro.h"
#include "model/cstringtable.h"
#include "online/onlinetestsupport.h"

#include <memory>

namespace {

using Sel = CEventLogSelections;

class EventLogSelectionsTest : public OnlineTest {};

TEST_F(EventLogSelectionsTest, AudioChoicesCarryTheEventLogsBits) {
  SelectionRequest request;
  request.kind = Sel::kAudio;
  request.multiple = true;
  request.selection = "CHIME,PAGE3";
  const SelectionList list = Sel::Providers().ListChoices(&m_doc, request);
  ASSERT_EQ(list.choices.size(), 8u);
  uint32_t preset = 0;
  for (const SelectionChoice& choice : list.choices)
    if (choice.preselected) preset |= choice.bits;
  EXPECT_EQ(preset, uint32_t{CEventLog::AB_CHIME | CEventLog::AB_PAGE3});
  // What the dialog's bits give the project.
  CEventLog* log = CEventLog::Find(&m_doc);
  log->SetMaskBits(1, preset);
  EXPECT_EQ(log->GetParamText(CEventLog::I_AUDIO), "CHIME,PAGE3");
}

TEST_F(EventLogSelectionsTest, FaultChoicesIncludeTheLan) {
  SelectionRequest request;
  request.kind = Sel::kFault;
  request.selection = "LAN";
  const SelectionList list = Sel::Providers().ListChoices(&m_doc, request);
  ASSERT_EQ(list.choices.size(), 12u);
  EXPECT_TRUE(list.choices.back().preselected);
  EXPECT_EQ(list.choices.back().bits, CEventLog::kFaultLan);
  EXPECT_FALSE(LoadString(Sel::kFault).isEmpty());
}

TEST_F(EventLogSelectionsTest, MacrosAreChosenAsARangeList) {
  for (int id : {2, 3, 7}) {
    auto macro = std::make_unique<CMacro>();
    ASSERT_TRUE(macro->CreateWithID(CMacro::kKindNoEntry, QString("M%1").arg(id), id, CAT_MACROS, &m_doc));
    ASSERT_NE(m_doc.AddObject(std::move(macro)), nullptr);
  }
  SelectionRequest request;
  request.kind = Sel::kMacros;
  request.multiple = true;
  request.selection = "3";
  const SelectionList list = Sel::Providers().ListChoices(&m_doc, request);
  ASSERT_EQ(list.choices.size(), 3u);
  std::vector<const SelectionChoice*> chosen;
  for (const SelectionChoice& choice : list.choices) {
    EXPECT_EQ(choice.preselected, choice.value == 3);
    if (choice.value != 7) chosen.push_back(&choice);
  }
  ASSERT_TRUE(list.formatSelection);
  EXPECT_EQ(list.formatSelection(chosen), "2-3");
  CEventLog* log = CEventLog::Find(&m_doc);
  log->SetParamText(CEventLog::I_MACRO_TEXT, list.formatSelection(chosen));
  EXPECT_EQ(log->GetParamText(CEventLog::I_MACRO), "2-3");
  log->SetParamText(CEventLog::I_MACRO_TEXT, list.formatSelection({}));
  EXPECT_EQ(log->GetParamText(CEventLog::I_MACRO), "NONE");
}

}  // namespace
