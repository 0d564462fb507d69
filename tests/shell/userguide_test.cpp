// The user guide (docs/user-guide.md) against the program: every menu
// command it names in bold ("Menu > Command") is in the main window's
// menus, every block it names in bold is drawn in a new project (or is an
// entry of a block's context menu), every window title in italics is a
// window of the editor host, and the simulated unit is where it says.
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/cqtpainter.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QString Guide() {
  QFile file(QStringLiteral(SELV_TEST_DATA_DIR "/../../docs/user-guide.md"));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  // Markup may run over a line break.
  return QString::fromUtf8(file.readAll())
      .replace(QRegularExpression(QStringLiteral("\\s*\\n\\s*")), QStringLiteral(" "));
}

QStringList Matches(const QString& text, const QString& pattern) {
  QStringList found;
  QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
  while (it.hasNext()) found << it.next().captured(1).trimmed();
  return found;
}

QString GuidePlain(QString text) { return text.remove(QLatin1Char('&')); }

// Whether drawing object paints anything.
bool IsDrawn(CBaseDevice& object, CBitmapManager& bitmaps) {
  const QRect rect = object.GetRect();
  if (rect.isEmpty()) return false;
  QImage image(rect.size() + QSize(20, 40), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.translate(-rect.topLeft() + QPoint(10, 10));
    CQtPainter painter(p, &bitmaps, false);
    object.Draw(painter);
  }
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
  return false;
}

class UserGuideTest : public testing::Test {
 protected:
  void SetUp() override {
    m_guide = Guide();
    ASSERT_FALSE(m_guide.isEmpty()) << "docs/user-guide.md not found";
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    m_app = std::make_unique<CSelvantisApp>(&m_chooser);
    ASSERT_TRUE(m_app->InitInstance({}));
  }
  void TearDown() override { m_app.reset(); }

  CMainFrame& Frame() { return *m_app->MainFrame(); }

  TempProfile m_profile;
  ScriptedFileChooser m_chooser;
  std::unique_ptr<CSelvantisApp> m_app;
  QString m_guide;
};

TEST_F(UserGuideTest, EveryMenuCommandItNamesIsInTheMenus) {
  QSet<QString> commands;
  for (QAction* menu : Frame().menuBar()->actions()) {
    if (!menu->menu()) continue;
    std::function<void(QMenu*, const QString&)> walk = [&](QMenu* m, const QString& path) {
      for (QAction* action : m->actions()) {
        if (action->isSeparator()) continue;
        const QString here = path + QStringLiteral(" > ") + GuidePlain(action->text());
        commands.insert(here);
        if (action->menu()) walk(action->menu(), here);
      }
    };
    walk(menu->menu(), GuidePlain(menu->text()));
  }
  QStringList named;
  for (const QString& bold : Matches(m_guide, QStringLiteral("\\*\\*(.+?)\\*\\*")))
    if (bold.contains(QStringLiteral(" > "))) named << bold;
  ASSERT_GE(named.size(), 8);
  for (const QString& command : named)
    EXPECT_TRUE(commands.contains(command)) << "no menu command " << command.toStdString();
}

TEST_F(UserGuideTest, EveryBlockItNamesIsDrawnInANewProject) {
  CSelvantisView* view = Frame().GetActiveView();
  ASSERT_NE(view, nullptr);
  CSelvantisDoc& doc = view->GetDocument();
  CBitmapManager bitmaps;
  // The blocks' names, in bold and in the first column of the table.
  QStringList named;
  for (const QString& bold : Matches(m_guide, QStringLiteral("\\*\\*(.+?)\\*\\*")))
    if (!bold.contains(QStringLiteral(" > "))) named << bold;
  for (const QString& cell : Matches(m_guide, QStringLiteral("\\| (\\w[\\w ]*\\w) +\\| [a-z]")))
    if (cell != QStringLiteral("block")) named << cell;  // the table's heading
  ASSERT_GE(named.size(), 10);
  for (const QString& name : named) {
    bool drawn = false;
    bool menuEntry = false;
    for (CBaseDevice* object : doc.GetAllObjects()) {
      if (object->GetName() == name && IsDrawn(*object, bitmaps)) drawn = true;
      if (drawn || object->GetRect().isEmpty()) continue;
      view->SetCurrentObject(object);
      std::unique_ptr<QMenu> menu(view->CreateContextMenu(nullptr));
      if (menu)
        for (QAction* action : menu->actions())
          if (GuidePlain(action->text()) == name) menuEntry = true;
    }
    view->SetCurrentObject(nullptr);
    EXPECT_TRUE(drawn || menuEntry) << "no drawn block and no block command named " << name.toStdString();
  }
}

TEST_F(UserGuideTest, EveryWindowItNamesIsAWindowOfTheProgram) {
  QSet<QString> titles;
  for (const HostFrameSwitch& s : kHostFrameSwitches) titles.insert(CFrameHostDialog::KindTitle(s.kind));
  const QStringList named = Matches(m_guide, QStringLiteral("(?<![*\\w])\\*([^*\\s][^*]*?)\\*(?![*\\w])"));
  ASSERT_GE(named.size(), 8);
  for (const QString& title : named) EXPECT_TRUE(titles.contains(title)) << "no window " << title.toStdString();
}

TEST_F(UserGuideTest, TheSimulatedUnitIsWhereItSays) {
  // The guide gives the path in the tree scripts/run.sh builds; the build
  // puts the simulator at the same place in every tree.
  const QString program = QStringLiteral(SELV_UNIT_SIM_PATH);
  const QString suffix = QStringLiteral("/tools/unit-sim/unit-sim");
  ASSERT_TRUE(program.endsWith(suffix)) << program.toStdString();
  EXPECT_TRUE(m_guide.contains(QStringLiteral("build/app") + suffix + QStringLiteral(" --paced")));
  EXPECT_TRUE(m_guide.contains(QStringLiteral("cmake --build build/app --target unit-sim")));
}

}  // namespace
