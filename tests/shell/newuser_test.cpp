// A new user's first hour: the port a fresh profile connects through, the
// preferences' port list, the first wire drawn the wrong way round, and the
// name the PDF export proposes.
#include "everyfamilyproject.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/ccanvascontroller.h"
#include "shell/ccanvashittest.h"
#include "shell/clinkpanel.h"
#include "shell/cdrawingpdf.h"
#include "shell/cmainframe.h"
#include "shell/cportchoice.h"
#include "shell/cpreferencesdlg.h"
#include "shell/cpreferencesstate.h"
#include "shell/cprojectdatastate.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cserialportsetting.h"
#include "shell/cshellsettings.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using SystemPort = CPortChoice::SystemPort;

// The system's list of ports, as a test sets it, for as long as it lives.
class FakePorts final {
 public:
  explicit FakePorts(std::vector<SystemPort> ports) {
    CPortChoice::SetSource([ports] { return ports; });
  }
  FakePorts(const FakePorts&) = delete;
  FakePorts& operator=(const FakePorts&) = delete;
  ~FakePorts() { CPortChoice::SetSource({}); }
};

TEST(FirstConnectTest, AFreshProfileTakesTheFirstPortThatExistsUsbAdaptersFirst) {
  struct Row {
    const char* what;
    std::vector<SystemPort> ports;
    QString expected;
  };
  const Row rows[] = {
      {"no port at all", {}, QString()},
      {"only built-in ports", {{"/dev/ttyS10", "", "", false}, {"/dev/ttyS2", "", "", false}}, "/dev/ttyS2"},
      {"a USB adapter before the built-in ports",
       {{"/dev/ttyS0", "", "", false}, {"/dev/ttyUSB1", "FT232R USB UART", "FTDI", true}},
       "/dev/ttyUSB1"},
      {"USB adapters by number",
       {{"/dev/ttyUSB10", "", "", true}, {"/dev/ttyACM0", "", "", true}, {"/dev/ttyUSB9", "", "", true}},
       "/dev/ttyACM0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CPortChoice::FirstPort(row.ports), row.expected) << row.what;
    TempProfile profile;
    FakePorts system(row.ports);
    EXPECT_EQ(CSerialPortSetting::Read(), row.expected) << row.what;
    EXPECT_FALSE(CSerialPortSetting::IsStored()) << row.what;
  }

  // A port the user chose holds, whether the system has it now or not.
  TempProfile profile;
  FakePorts system({{"/dev/ttyUSB0", "", "", true}});
  CSerialPortSetting::Write(QStringLiteral("/dev/ttyS3"));
  EXPECT_EQ(CSerialPortSetting::Read(), QStringLiteral("/dev/ttyS3"));
  EXPECT_TRUE(CSerialPortSetting::IsStored());
}

TEST(FirstConnectTest, WithoutAnyPortConnectAsksForTheUnitsPortAndOpensNothing) {
  TempProfile profile;
  CShellSettings::SetLanguage(CStringTable::Language::English);
  FakePorts system({});
  MessageRecorder messages;
  QWidget window;
  CLinkPanel panel(window, nullptr);
  EXPECT_FALSE(panel.Connect(nullptr));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests().front().text, CLinkPanel::NoPortText());
  EXPECT_TRUE(messages.Requests().front().text.contains(QStringLiteral("choose the unit's port")));
  EXPECT_FALSE(panel.IsConnected());
  EXPECT_FALSE(CSerialPortSetting::IsStored()) << "nothing was chosen";
  EXPECT_EQ(panel.ConnectionDescription(), QStringLiteral("Not connected (no serial port chosen)"));
}

TEST(FirstConnectTest, AFreshProfileConnectsThroughTheFirstPortAndKeepsIt) {
  TempProfile profile;
  CShellSettings::SetLanguage(CStringTable::Language::English);
  UnitSimulator sim;
  TeachEveryFamily(sim);
  QString error;
  ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  // The unit's adapter is the only USB port; a built-in port sorts first
  // by name but comes after it.
  FakePorts system({{"/dev/ttyS0", "", "", false}, {sim.PtyPath(), "USB Serial", "", true}});
  MessageRecorder messages;
  {
    QWidget window;
    CLinkPanel panel(window, nullptr);
    ASSERT_TRUE(panel.Connect(nullptr)) << (messages.Requests().empty() ? std::string()
                                                                         : messages.Requests().front().text.toStdString());
    EXPECT_TRUE(panel.IsConnected());
    panel.Disconnect();
  }
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort), sim.PtyPath())
      << "the port that worked is the profile's";
  sim.Stop();
}

TEST(FirstConnectTest, ThePortListMarksThePortsThatExistAndSaysWhatTheSystemKnows) {
  TempProfile profile;
  CShellSettings::SetLanguage(CStringTable::Language::English);
  FakePorts system({{"/dev/ttyS0", "", "", false}, {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", true}});
  struct Row {
    QString stored;
    QStringList labels;
  };
  const Row rows[] = {
      // A fresh profile: the first port that exists is chosen.
      {QString(), {"/dev/ttyUSB0 (FT232R USB UART, FTDI)", "/dev/ttyS0 (present)"}},
      {"/dev/ttyS0", {"/dev/ttyUSB0 (FT232R USB UART, FTDI)", "/dev/ttyS0 (present)"}},
      // A stored port the system does not have says so.
      {"/dev/ttyUSB7", {"/dev/ttyUSB7 (not present)", "/dev/ttyUSB0 (FT232R USB UART, FTDI)", "/dev/ttyS0 (present)"}},
  };
  for (const Row& row : rows) {
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, row.stored);
    CPreferencesDlg dialog;
    auto* port = dialog.findChild<QComboBox*>(QStringLiteral("port"));
    ASSERT_NE(port, nullptr);
    QStringList labels;
    for (int i = 0; i < port->count(); ++i) labels << port->itemText(i);
    EXPECT_EQ(labels, row.labels) << row.stored.toStdString();
    const QString shown = row.stored.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : row.stored;
    EXPECT_EQ(port->currentData().toString(), shown) << row.stored.toStdString();
  }
}

void NewUserMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

class FirstWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(&chooser);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
    frame->showNormal();
    frame->resize(1200, 900);
    QApplication::processEvents();
    view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
  }
  void TearDown() override { app.reset(); }

  TempProfile profile;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  CSelvantisView* view = nullptr;
};

TEST_F(FirstWindowTest, ADragFromAnInputPinMovesNothingAndTheStatusBarSaysHowToWire) {
  CSelvantisDoc& doc = view->GetDocument();
  QWidget* port = view->viewport();
  // An input pin of the new project's drawing that the window shows.
  CBaseDevice* block = nullptr;
  QPoint pin;
  for (int category = CAT_FIRST; category <= CAT_LAST && !block; ++category) {
    for (CBaseDevice* object : doc.GetObjectList(category)) {
      if (object->GetInputCount() == 0) continue;
      const QPoint at = object->GetInputPinPoint(0);
      const CanvasHit hit = CCanvasHitTest::HitTest(doc, at, 1);
      if (hit.object == object && hit.part == CanvasHit::Part::InputPin &&
          port->rect().adjusted(40, 40, -40, -40).contains(view->CanvasToView(at))) {
        block = object;
        pin = at;
        break;
      }
    }
  }
  ASSERT_NE(block, nullptr) << "no input pin in sight";
  const QRect before = block->GetRect();
  const QPoint from = view->CanvasToView(pin);
  const QPoint to = from + QPoint(-30, 25);
  frame->statusBar()->clearMessage();
  NewUserMouse(port, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int i = 1; i <= 4; ++i) NewUserMouse(port, QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
  NewUserMouse(port, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(frame->statusBar()->currentMessage(), CCanvasController::WireHintText());
  EXPECT_TRUE(CCanvasController::WireHintText().contains(QStringLiteral("drag from the output pin")));
  EXPECT_EQ(block->GetRect(), before) << "the block stays where it is";
}

TEST(PdfNameTest, TheProposedNameIsTheProjectsFileElseItsName) {
  struct Row {
    const char* what;
    QString path;
    QString projectName;
    QString title;
    QString expected;
  };
  const Row rows[] = {
      {"saved", "/data/plants/Hall west.sxm", "Hall", "Hall west.sxm", "/data/plants/Hall west.pdf"},
      {"saved with dots", "/data/v1.2/plant.v3.sxm", "", "plant.v3.sxm", "/data/v1.2/plant.v3.pdf"},
      {"never saved, named", "", "Hall", "Project2", "Hall.pdf"},
      {"never saved, a name no file system takes", "", " A/B: \"1\" ", "Project2", "A_B_ _1_.pdf"},
      {"never saved, no name", "", "", "Project2", "Project2.pdf"},
  };
  for (const Row& row : rows) {
    CSelvantisDoc doc;
    doc.OnNewDocument();
    doc.SetTitle(row.title);
    doc.SetProjectData(CProjectDataState::kProject, row.projectName);
    if (!row.path.isEmpty()) doc.SetPathName(row.path);
    EXPECT_EQ(CDrawingPdf::ProposedPath(doc), row.expected) << row.what;
  }
}

}  // namespace
