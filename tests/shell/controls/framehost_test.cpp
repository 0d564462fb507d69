// The editor host: opens the frame of its kind, swaps frames on a posted
// switch command (old frame gone before the new one exists), shows a
// placeholder for kinds without frame and keeps its rectangle.
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/chostframeregistry.h"
#include "shell/controls/dialogrectstore.h"
#include "shell/controls/qstringprinter.h"
#include "support/dialogdriver.h"
#include "support/tempprofile.h"
#include "unit/cinternalslot.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

// The title is the command's text in the current language; the built-in
// English text stands in where the table lacks it.
QString TitleOf(uint32_t command, const char* english) {
  const QString text = LoadString(command);
  return text.isEmpty() ? QString(english) : text;
}

class TestFrame : public QLabel {
 public:
  TestFrame(const HostFrameContext& context, QWidget* parent, const char* name)
      : QLabel(QString::fromLatin1(name), parent), m_name(name), m_context(context) {
    setObjectName(name);
    g_events.push_back(std::string("create ") + name);
  }
  ~TestFrame() override { g_events.push_back(std::string("destroy ") + m_name); }
  const HostFrameContext& Context() const { return m_context; }

 private:
  const char* m_name;
  HostFrameContext m_context;
};

class FrameHostTest : public testing::Test {
 protected:
  void SetUp() override {
    g_events.clear();
    m_frames.Register(HostFrameKind::Triggers, [](const HostFrameContext& c, QWidget* p) -> QWidget* {
      return new TestFrame(c, p, "triggers");
    });
    m_frames.Register(HostFrameKind::Macros,
                      [](const HostFrameContext& c, QWidget* p) -> QWidget* { return new TestFrame(c, p, "macros"); });
  }
  TempProfile m_profile;
  CHostFrameRegistry m_frames;
};

TEST(HostFrameKindTest, SwitchTableIsConsistent) {
  EXPECT_EQ(kHostFrameSwitches.size(), 26u);
  std::vector<int> seen(kLastHostFrameKind + 1, 0);
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    ASSERT_TRUE(IsValidHostFrameKind(static_cast<int>(s.kind)));
    ++seen[static_cast<int>(s.kind)];
    EXPECT_EQ(FindHostFrameSwitchByCommand(s.command), &s);
  }
  for (int kind = kFirstHostFrameKind; kind <= kLastHostFrameKind; ++kind) {
    // Every kind has exactly one command, except 3 and 4 which none switches to.
    EXPECT_EQ(seen[kind], kind == 3 || kind == 4 ? 0 : 1) << kind;
  }
  EXPECT_EQ(FindHostFrameSwitchByCommand(32996), nullptr);
  EXPECT_EQ(FindHostFrameSwitchByCommand(33110)->kind, HostFrameKind::Triggers);
  EXPECT_EQ(FindHostFrameSwitchByKind(HostFrameKind::LineTest)->command, 34590u);
}

TEST(HostFrameRegistryTest, RefusesDoublesEmptyFactoriesAndInvalidKinds) {
  CHostFrameRegistry frames;
  const auto factory = [](const HostFrameContext&, QWidget* p) -> QWidget* { return new QWidget(p); };
  EXPECT_TRUE(frames.Register(HostFrameKind::Fuses, factory));
  EXPECT_FALSE(frames.Register(HostFrameKind::Fuses, factory));
  EXPECT_FALSE(frames.Register(HostFrameKind::Clock, nullptr));
  EXPECT_FALSE(frames.Register(static_cast<HostFrameKind>(29), factory));
  EXPECT_FALSE(frames.Register(static_cast<HostFrameKind>(0), factory));
  EXPECT_TRUE(frames.Has(HostFrameKind::Fuses));
  EXPECT_EQ(frames.Create(HostFrameContext{nullptr, nullptr, HostFrameKind::Clock}, nullptr), nullptr);
}

TEST_F(FrameHostTest, OpensTheFrameOfItsKindFillingTheClientArea) {
  CFrameHostDialog host(nullptr, HostFrameKind::Triggers, nullptr, m_frames);
  EXPECT_EQ(host.GetFrame(), nullptr);  // created when the dialog comes up
  host.show();
  auto* frame = dynamic_cast<TestFrame*>(host.GetFrame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "triggers");
  EXPECT_EQ(frame->Context().host, &host);
  EXPECT_EQ(frame->Context().kind, HostFrameKind::Triggers);
  EXPECT_EQ(host.windowTitle(), TitleOf(33110, "Edit trigger Entries"));
  EXPECT_FALSE(host.IsPlaceholder());
  EXPECT_EQ(CFrameHostDialog::HostOf(frame), &host);
  QApplication::processEvents();
  EXPECT_EQ(frame->geometry(), host.contentsRect());
  host.reject();
}

TEST_F(FrameHostTest, PostedSwitchReplacesTheFrameOnceTheCallerHasReturned) {
  CFrameHostDialog host(nullptr, HostFrameKind::Triggers, nullptr, m_frames);
  host.show();
  QPointer<QWidget> first = host.GetFrame();
  // The frame posts the command from its own handler; it must survive until
  // that handler has returned.
  EXPECT_TRUE(host.PostSwitchCommand(32993));
  EXPECT_EQ(host.GetFrame(), first.data());
  EXPECT_FALSE(first.isNull());
  QApplication::processEvents();
  EXPECT_TRUE(first.isNull());
  ASSERT_NE(host.GetFrame(), nullptr);
  EXPECT_EQ(host.GetFrame()->objectName(), "macros");
  EXPECT_EQ(host.GetKind(), HostFrameKind::Macros);
  EXPECT_EQ(host.windowTitle(), TitleOf(32993, "Edit Macro Entries"));
  EXPECT_EQ(g_events, (std::vector<std::string>{"create triggers", "destroy triggers", "create macros"}));

  // And back.
  host.PostSwitchCommand(33110);
  QApplication::processEvents();
  EXPECT_EQ(host.GetFrame()->objectName(), "triggers");
  host.reject();
}

TEST_F(FrameHostTest, OtherCommandsChangeNothing) {
  CFrameHostDialog host(nullptr, HostFrameKind::Macros, nullptr, m_frames);
  host.show();
  QWidget* frame = host.GetFrame();
  EXPECT_FALSE(host.PostSwitchCommand(33001));
  EXPECT_FALSE(host.OnSwitchCommand(57603));
  QApplication::processEvents();
  EXPECT_EQ(host.GetFrame(), frame);
  host.reject();
}

TEST_F(FrameHostTest, KindsWithoutFrameShowAPlaceholder) {
  CFrameHostDialog host(nullptr, HostFrameKind::Fuses, nullptr, m_frames);
  host.show();
  ASSERT_NE(host.GetFrame(), nullptr);
  EXPECT_TRUE(host.IsPlaceholder());
  EXPECT_EQ(host.windowTitle(), TitleOf(33159, "Fuse properties"));
  // From the placeholder the switch commands still work.
  host.OnSwitchCommand(33110);
  EXPECT_FALSE(host.IsPlaceholder());
  EXPECT_EQ(host.GetFrame()->objectName(), "triggers");
  host.reject();

  CFrameHostDialog invalid(nullptr, static_cast<HostFrameKind>(42), nullptr, m_frames);
  invalid.show();
  EXPECT_TRUE(invalid.IsPlaceholder());
  invalid.reject();
}

// Each kind the host opens with keeps its own rectangle: the trigger list
// comes back as it was left, the macro list does not take its size.
TEST_F(FrameHostTest, RestoresTheRectangleOfItsKindFromSettingsDlgSizeHost) {
  const QRect wanted(30, 40, 500, 350);
  {
    CFrameHostDialog host(nullptr, HostFrameKind::Triggers, nullptr, m_frames);
    DriveNextModal([&](QWidget* w) {
      w->setGeometry(wanted);
      static_cast<QDialog*>(w)->accept();
    });
    EXPECT_EQ(host.DoModal(), IDOK);
  }
  EXPECT_EQ(DialogRectStore::FromText(CProfile::GetString("Settings", "DlgSizeHost5")), std::optional<QRect>(wanted));
  EXPECT_TRUE(CProfile::GetString("Settings", "DlgSize").isEmpty());

  {
    CFrameHostDialog macros(nullptr, HostFrameKind::Macros, nullptr, m_frames);
    QRect seen;
    DriveNextModal([&](QWidget* w) {
      seen = w->geometry();
      static_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(macros.DoModal(), IDCANCEL);
    EXPECT_NE(seen, wanted);
  }

  CFrameHostDialog again(nullptr, HostFrameKind::Triggers, nullptr, m_frames);
  QRect seen;
  DriveNextModal([&](QWidget* w) {
    seen = w->geometry();
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  EXPECT_EQ(seen, wanted);
}

TEST_F(FrameHostTest, ClosingTheHostDestroysTheFrame) {
  QPointer<QWidget> frame;
  {
    CFrameHostDialog host(nullptr, HostFrameKind::Macros, nullptr, m_frames);
    host.show();
    frame = host.GetFrame();
    host.PostSwitchCommand(33110);  // still queued when the host goes
  }
  EXPECT_TRUE(frame.isNull());
  QApplication::processEvents();  // the queued switch must not reach the dead host
  EXPECT_EQ(g_events, (std::vector<std::string>{"create macros", "destroy macros"}));
}

// The unit's internal slots open their editors in the host, for their own
// project, modally.
TEST(FrameHostHookTest, InternalSlotsOpenTheirEditorsInTheHost) {
  TempProfile profile;
  CSelvantisDoc doc;
  doc.OnNewDocument();
  const std::vector<std::pair<int, HostFrameKind>> kinds = {
      {CInternalSlot::KIND_MACRO, HostFrameKind::Macros},
      {CInternalSlot::KIND_CLOCK, HostFrameKind::Clock},
      {CInternalSlot::KIND_TRIGGER, HostFrameKind::Triggers},
      {CInternalSlot::KIND_CALENDAR, HostFrameKind::DayPrograms},
      {CInternalSlot::KIND_SYSTEM, HostFrameKind::Fuses},
      {CInternalSlot::KIND_FUSE, HostFrameKind::Fuses},
      {CInternalSlot::KIND_MONITOR, HostFrameKind::MonitorEntries}};
  for (const auto& [kind, frameKind] : kinds) {
    CInternalSlot* slot = CInternalSlot::FindByKind(&doc, kind);
    ASSERT_NE(slot, nullptr) << kind;
    CCmdUI state(ID_SHOW_PROPERTIES);
    slot->OnUpdateCommandUI(state);
    EXPECT_TRUE(state.IsEnabled()) << kind;
    bool shown = false;
    DriveNextModal([&, frameKind = frameKind](QWidget* w) {
      auto* host = qobject_cast<CFrameHostDialog*>(w);
      ASSERT_NE(host, nullptr);
      EXPECT_EQ(host->GetKind(), frameKind);
      EXPECT_EQ(host->GetDocument(), &doc);
      EXPECT_NE(host->GetFrame(), nullptr);
      shown = true;
      host->reject();
    });
    EXPECT_TRUE(slot->OnCommand(ID_SHOW_PROPERTIES)) << kind;
    EXPECT_TRUE(shown) << kind;
  }
}

}  // namespace
