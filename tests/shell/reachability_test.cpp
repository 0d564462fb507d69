// How a user reaches the editor windows of a project: the blocks of the
// drawing open them from their context menus, and the switch bars of the
// editor host lead from one window to the next. Every window must be
// reachable this way and must show inside the host, not as a window of its
// own beside an empty host.
#include "editors/lists/entryframecommands.h"
#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/controls/qstringprinter.h"
#include "shell/cselvantisview.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/cinternalslot.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

// Walking every switch bar of a host takes long on a loaded machine; the
// limit only catches a hang.
constexpr int kHangLimitMs = 120000;

// The switch command whose button text this is: the command's whole text,
// or its status part before the line break.
const HostFrameSwitch* SwitchOfText(const QString& text) {
  if (text.isEmpty()) return nullptr;
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    const QString full = EntryFrameCommands::SwitchText(s.command);
    if (text == full || text == full.section(QLatin1Char('\n'), 0, 0)) return &s;
  }
  return nullptr;
}

// The switch buttons on the bars of a host window (its switch column and
// its frame's bars), with the window each names.
std::vector<std::pair<QAction*, HostFrameKind>> SwitchButtons(QWidget* host) {
  std::vector<std::pair<QAction*, HostFrameKind>> buttons;
  if (!host) return buttons;
  for (QToolBar* bar : host->findChildren<QToolBar*>())
    for (QAction* action : bar->actions())
      if (const HostFrameSwitch* s = SwitchOfText(action->text())) buttons.emplace_back(action, s->kind);
  return buttons;
}

const char* ClassOf(HostFrameKind kind) {
  const HostFrameSwitch* s = FindHostFrameSwitchByKind(kind);
  return s ? s->frameClass : "?";
}

// Clicks every switch button of every window the host reaches from the one
// it shows, and returns the kinds it has shown. Each button must bring up
// the window it names.
std::set<HostFrameKind> ExploreSwitchBars(CFrameHostDialog& host) {
  std::set<HostFrameKind> seen{host.GetKind()};
  std::vector<HostFrameKind> todo{host.GetKind()};
  while (!todo.empty()) {
    const HostFrameKind from = todo.back();
    todo.pop_back();
    host.ShowFrame(from);
    const size_t count = SwitchButtons(&host).size();
    for (size_t i = 0; i < count; ++i) {
      if (host.GetKind() != from) host.ShowFrame(from);
      const auto buttons = SwitchButtons(&host);
      if (i >= buttons.size()) break;
      const HostFrameKind named = buttons[i].second;
      buttons[i].first->trigger();
      QApplication::processEvents();  // the host swaps the frame once the button's handler has returned
      EXPECT_EQ(host.GetKind(), named) << ClassOf(from) << " button for " << ClassOf(named);
      EXPECT_TRUE(host.GetFrame() && host.GetFrame()->inherits(ClassOf(host.GetKind()))) << ClassOf(host.GetKind());
      if (seen.insert(host.GetKind()).second) todo.push_back(host.GetKind());
    }
  }
  return seen;
}

// Every action of a menu and its submenus.
void ReachCollectActions(QMenu* menu, std::vector<QAction*>& out) {
  for (QAction* action : menu->actions()) {
    if (action->menu())
      ReachCollectActions(action->menu(), out);
    else if (!action->isSeparator())
      out.push_back(action);
  }
}

class ReachabilityTest : public testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    SetActiveDoc(&m_doc);
    m_view = std::make_unique<CSelvantisView>(m_doc, m_bitmaps);
  }
  void TearDown() override {
    m_view.reset();
    SetActiveDoc(nullptr);
  }

  // The enabled "Properties" entry of the object's context menu as the
  // drawing builds it, or null.
  QAction* PropertiesEntry(CBaseDevice* object, std::unique_ptr<QMenu>& menu) {
    m_view->SetCurrentObject(object);
    menu.reset(m_view->CreateContextMenu(nullptr));
    if (!menu) return nullptr;
    std::vector<QAction*> actions;
    ReachCollectActions(menu.get(), actions);
    for (QAction* action : actions) {
      const int id = action->data().toInt();
      // The common id, and the zone's and the groups' own.
      if ((id == ID_SHOW_PROPERTIES || id == 33005 || id == 33006) && action->isEnabled()) return action;
    }
    return nullptr;
  }

  // Chooses Properties in the object's context menu and returns the class of
  // the modal window that came up ("" when none did); fn runs in it.
  QString OpenProperties(CBaseDevice* object, const std::function<void(QWidget*)>& fn = {}) {
    std::unique_ptr<QMenu> menu;
    QAction* properties = PropertiesEntry(object, menu);
    if (!properties) return QString();
    QString shown;
    // fn may walk through every window of the host: the limit only catches a hang.
    DriveNextModal(
        [&](QWidget* w) {
          shown = QString::fromLatin1(w->metaObject()->className());
          if (fn) fn(w);
          if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
        },
        kHangLimitMs);
    properties->trigger();
    return shown;
  }

  CInternalSlot* Slot(int kind) { return CInternalSlot::FindByKind(&m_doc, kind); }

  TempProfile m_profile;
  MessageRecorder m_messages;
  RecordingLink m_link;
  CSelvantisDoc m_doc;
  CBitmapManager m_bitmaps;
  std::unique_ptr<CSelvantisView> m_view;
};

TEST_F(ReachabilityTest, EveryWindowOfTheHostShowsInsideIt) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    QWidget* frame = host.GetFrame();
    ASSERT_NE(frame, nullptr) << s.frameClass;
    EXPECT_FALSE(host.IsPlaceholder()) << s.frameClass;
    EXPECT_TRUE(frame->inherits(s.frameClass)) << s.frameClass;
    // A frame that is a window of its own floats beside an empty host.
    EXPECT_FALSE(frame->isWindow()) << s.frameClass;
    EXPECT_EQ(frame->window(), &host) << s.frameClass;
    EXPECT_TRUE(frame->isVisible()) << s.frameClass;
    host.reject();
  }
}

TEST_F(ReachabilityTest, EveryEditorWindowIsReachedFromTheDrawing) {
  // The larger unit, so that no window is refused for the project's size.
  m_doc.SetUpgradeFlag(1);
  std::set<HostFrameKind> reached;
  std::map<int, QString> opened;
  for (int kind : CInternalSlot::kKinds) {
    CInternalSlot* slot = Slot(kind);
    ASSERT_NE(slot, nullptr) << kind;
    if (slot->GetRect().isEmpty()) continue;  // no place: the user cannot click it
    opened[kind] = OpenProperties(slot, [&](QWidget* w) {
      // Every button of every window is clicked once, from the first host
      // that opens: the windows and their bars are the same in every host.
      if (auto* host = qobject_cast<CFrameHostDialog*>(w); host && reached.count(host->GetKind()) == 0) {
        const std::set<HostFrameKind> kinds = ExploreSwitchBars(*host);
        reached.insert(kinds.begin(), kinds.end());
      }
    });
  }
  EXPECT_EQ(opened, (std::map<int, QString>{{CInternalSlot::KIND_MACRO, "CFrameHostDialog"},
                                            {CInternalSlot::KIND_CLOCK, "CFrameHostDialog"},
                                            {CInternalSlot::KIND_TRIGGER, "CFrameHostDialog"},
                                            {CInternalSlot::KIND_CALENDAR, "CFrameHostDialog"},
                                            {CInternalSlot::KIND_SERVICE, "CServiceDlg"},
                                            {CInternalSlot::KIND_AUDIO, "CAudioEditor"},
                                            {CInternalSlot::KIND_SYSTEM, "CFrameHostDialog"}}));
  for (const HostFrameSwitch& s : kHostFrameSwitches) EXPECT_EQ(reached.count(s.kind), 1u) << s.frameClass;
}

TEST_F(ReachabilityTest, PilotToneWindowOpensFromTheFuseWindowsBar) {
  auto pilotButton = [](CFrameHostDialog& host) -> QAction* {
    for (const auto& [action, kind] : SwitchButtons(&host))
      if (kind == HostFrameKind::PilotTone) return action;
    return nullptr;
  };
  // The small unit has no pilot-tone window: the user is told so.
  EXPECT_EQ(OpenProperties(Slot(CInternalSlot::KIND_SYSTEM),
                           [&](QWidget* w) {
                             auto* host = qobject_cast<CFrameHostDialog*>(w);
                             ASSERT_NE(host, nullptr);
                             EXPECT_EQ(host->GetKind(), HostFrameKind::Fuses);
                             QAction* pilot = pilotButton(*host);
                             ASSERT_NE(pilot, nullptr);
                             pilot->trigger();
                             QApplication::processEvents();
                             EXPECT_EQ(host->GetKind(), HostFrameKind::Fuses);
                           }),
            "CFrameHostDialog");
  EXPECT_TRUE(m_messages.Saw(34564));

  m_doc.SetUpgradeFlag(1);
  OpenProperties(Slot(CInternalSlot::KIND_SYSTEM), [&](QWidget* w) {
    auto* host = qobject_cast<CFrameHostDialog*>(w);
    ASSERT_NE(host, nullptr);
    QAction* pilot = pilotButton(*host);
    ASSERT_NE(pilot, nullptr);
    pilot->trigger();
    QApplication::processEvents();
    EXPECT_EQ(host->GetKind(), HostFrameKind::PilotTone);
    ASSERT_NE(host->GetFrame(), nullptr);
    EXPECT_TRUE(host->GetFrame()->inherits("CPilotFrm"));
    EXPECT_FALSE(host->GetFrame()->isWindow());
  });
}

TEST_F(ReachabilityTest, BlocksOfANewProjectOpenTheirPropertiesFromTheirMenus) {
  std::map<QString, QString> opened;
  for (CBaseDevice* object : m_doc.GetAllObjects()) {
    if (object->GetRect().isEmpty()) continue;  // no place on the canvas
    opened[object->GetName()] = OpenProperties(object);
  }
  // The audio slots have no properties of their own.
  EXPECT_EQ(opened, (std::map<QString, QString>{{"VMX 7000", "CProjectDataDlg"},
                                                {"Service", "CServiceDlg"},
                                                {"Slot1", ""},
                                                {"Slot2", ""},
                                                {"Slot3", ""},
                                                {"Slot4", ""},
                                                {"8 I/O Control module", "CDigitalSlotDlg"},
                                                {"Interface", "CInterfaceSlotDlg"},
                                                {"Group 0", "CAddToGroupsDlg"},
                                                {"Macro", "CFrameHostDialog"},
                                                {"Clock", "CFrameHostDialog"},
                                                {"Trigger", "CFrameHostDialog"},
                                                {"Calendar", "CFrameHostDialog"},
                                                {"Audio", "CAudioEditor"},
                                                {"System", "CFrameHostDialog"}}));
}

}  // namespace
