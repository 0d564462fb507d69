// Communication > Compare with unit against the simulated unit, through the
// main window's own tool-bar button: the differences window, its order by a
// click on a column title, its export and print-out, its texts in German, and
// a comparison cancelled from the progress dialog. The project is never
// changed by a comparison.
#include "shell/ccomparewnd.h"

#include "editors/lists/ceblistview.h"
#include "everyfamily.h"
#include "link/linkprofile.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/listtabexport.h"
#include "scriptedfilechooser.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/controls/cprogressdlg.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/filebytes.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The settings of the list's rows, top to bottom.
QString SettingsShown(const CEBListView& list) {
  QStringList settings;
  for (int row = 0; row < list.RowCount(); ++row) settings << list.CellText(row, CCompareReport::kSettingColumn);
  return settings.join(QLatin1Char(' '));
}

void ClickColumnTitle(CEBListView& list, int column) {
  QHeaderView* header = list.header();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

class CCompareWndTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    // The simulator answers at once: a fast line keeps a whole upload short.
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, QStringLiteral("460800,n,8,1"));
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(&chooser);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
    doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(dir.isValid());
    projectPath = dir.filePath(QStringLiteral("hall.sxm"));
    ASSERT_TRUE(doc->OnSaveDocument(projectPath));
    doc->SetPathName(projectPath);
    ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
    ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDownload));
    fileBefore = FileBytes(projectPath);
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
  }

  // Compares through the tool-bar button, as the user does.
  void ClickCompare() {
    QWidget* button = frame->StandardBar()->widgetForAction(frame->Action(ShellCmd::kCommCompare));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }

  CCompareWnd* Window() const { return frame->findChild<CCompareWnd*>(); }

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  CSelvantisDoc* doc = nullptr;
  QTemporaryDir dir;
  QString projectPath;
  QByteArray fileBefore;
};

}  // namespace

TEST_F(CCompareWndTest, ShowsTheDifferencesSortsExportsAndPrintsThem) {
  sim.SetValue(QStringLiteral("/AUDIO/CHIME_VOL"), QStringLiteral("-12.0"));
  sim.SetValue(QStringLiteral("/AUDIO/ALARM_VOL"), QStringLiteral("-20.0"));
  sim.SetValue(QStringLiteral("/CLOCK/SLAVE/RUN"), QStringLiteral("ON"));
  ClickCompare();
  CCompareWnd* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Compare with the unit: hall.sxm"));
  EXPECT_TRUE(window->SummaryLabel()->text().startsWith(
      QStringLiteral("The unit differs from this project: differences in 3 of ")))
      << window->SummaryLabel()->text().toStdString();
  CEBListView& list = *window->List();
  ASSERT_EQ(list.RowCount(), 3);
  // In download order first.
  EXPECT_EQ(SettingsShown(list), QStringLiteral("/CLOCK/SLAVE/RUN /AUDIO/ALARM_VOL /AUDIO/CHIME_VOL"));
  // In the dialog's terms, the command form beside them.
  EXPECT_EQ(list.CellText(1, CCompareReport::kProjectColumn), QStringLiteral("-14.8 dB"));
  EXPECT_EQ(list.CellText(1, CCompareReport::kUnitColumn), QStringLiteral("-20.0 dB"));
  EXPECT_EQ(list.CellText(1, CCompareReport::kCommandColumn), QStringLiteral("-14.8 / -20.0"));

  ClickColumnTitle(list, CCompareReport::kSettingColumn);
  EXPECT_EQ(SettingsShown(list), QStringLiteral("/AUDIO/ALARM_VOL /AUDIO/CHIME_VOL /CLOCK/SLAVE/RUN"));
  ClickColumnTitle(list, CCompareReport::kSettingColumn);
  EXPECT_EQ(SettingsShown(list), QStringLiteral("/CLOCK/SLAVE/RUN /AUDIO/CHIME_VOL /AUDIO/ALARM_VOL"));
  EXPECT_EQ(list.header()->sortIndicatorSection(), CCompareReport::kSettingColumn);
  EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
  ClickColumnTitle(list, CCompareReport::kUnitColumn);
  EXPECT_EQ(SettingsShown(list), QStringLiteral("/AUDIO/CHIME_VOL /AUDIO/ALARM_VOL /CLOCK/SLAVE/RUN"));

  // The export is the list as shown, as the entry lists export theirs.
  const QString exported = dir.filePath(QStringLiteral("differences.txt"));
  chooser.Queue(exported);
  QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("export")), Qt::LeftButton);
  EXPECT_EQ(FileBytes(exported).toStdString(), ListTabText(window->Report().TableText()).toStdString());
  EXPECT_TRUE(FileBytes(exported).startsWith(
      "Object\tName\tSetting\tIn the project\tOn the unit\tCommand form (project / unit)\r\n"
      "Audio\tAudio\t/AUDIO/CHIME_VOL\t-9.0 dB\t-12.0 dB\t-9.0 / -12.0\r\n"));

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("differences.pdf")));
  EXPECT_TRUE(list.PrintTo(printer));
  EXPECT_GT(QFile(dir.filePath(QStringLiteral("differences.pdf"))).size(), 0);

  // The project is as it was, and the link serves it again.
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(FileBytes(projectPath) == fileBefore);
  EXPECT_TRUE(doc->IsConnected());
  EXPECT_TRUE(frame->IsCommandEnabled(ShellCmd::kCommCompare));
  EXPECT_TRUE(messages.Requests().empty());

  // The window follows the language.
  CSelvantisApp::ApplyLanguage(CStringTable::Language::German);
  EXPECT_TRUE(WaitUntil([&] { return window->windowTitle() == QStringLiteral("Mit Zentrale vergleichen: hall.sxm"); }))
      << window->windowTitle().toStdString();
  EXPECT_EQ(list.headerItem()->text(CCompareReport::kSettingColumn), QStringLiteral("Einstellung"));
  EXPECT_TRUE(window->SummaryLabel()->text().startsWith(QStringLiteral("Die Zentrale weicht von diesem Projekt ab")));
  CSelvantisApp::ApplyLanguage(CStringTable::Language::English);
  EXPECT_TRUE(WaitUntil([&] { return window->windowTitle() == QStringLiteral("Compare with the unit: hall.sxm"); }));
}

TEST_F(CCompareWndTest, AUnitThatHoldsTheProjectIsSaidInOneLine) {
  ClickCompare();
  CCompareWnd* window = Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->SummaryLabel()->text().startsWith(QStringLiteral("The unit holds this project: ")));
  EXPECT_TRUE(window->SummaryLabel()->text().endsWith(QStringLiteral(" settings compared, no difference.")));
  EXPECT_EQ(window->List()->RowCount(), 0);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(FileBytes(projectPath) == fileBefore);
}

// At the size the window opens with, every column title is shown whole, the
// last one too, in either language; and the German window calls the
// transfers as the German menus do.
TEST_F(CCompareWndTest, EveryColumnTitleIsWholeAndTheGermanTextsUseTheMenusWords) {
  sim.SetValue(QStringLiteral("/AUDIO/CHIME_VOL"), QStringLiteral("-12.0"));
  for (const auto language : {CStringTable::Language::English, CStringTable::Language::German}) {
    const bool german = language == CStringTable::Language::German;
    SCOPED_TRACE(german ? "German" : "English");
    CSelvantisApp::ApplyLanguage(language);
    ClickCompare();
    CCompareWnd* window = Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    CEBListView& list = *window->List();
    QHeaderView* header = list.header();
    const QFontMetrics metrics(header->font());
    for (int column = 0; column < CCompareReport::kColumnCount; ++column) {
      const QString title = list.headerItem()->text(column);
      SCOPED_TRACE(title.toStdString());
      EXPECT_GE(header->sectionSize(column), metrics.horizontalAdvance(title));
      EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), header->viewport()->width());
    }
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0)
        << window->width() << " screen " << window->screen()->availableGeometry().width();
    const QString texts = window->SummaryLabel()->text() + QLatin1Char('\n') + window->NotComparedLabel()->text();
    if (german) {
      EXPECT_FALSE(texts.contains(QStringLiteral("Download"))) << texts.toStdString();
      EXPECT_FALSE(texts.contains(QStringLiteral("Upload"))) << texts.toStdString();
      EXPECT_TRUE(texts.contains(QStringLiteral("Senden zur Zentrale"))) << texts.toStdString();
      EXPECT_TRUE(texts.contains(QStringLiteral("Lesen von der Zentrale"))) << texts.toStdString();
    }
    QPointer<CCompareWnd> closing(window);
    window->close();
    ASSERT_TRUE(WaitUntil([&] { return closing.isNull(); }));
  }
  CSelvantisApp::ApplyLanguage(CStringTable::Language::English);
}

// A macro's type is shown in the words of the macro dialog's kind chooser,
// in either language; the command form keeps the unit's words.
TEST_F(CCompareWndTest, AMacrosTypeIsShownInTheMacroDialogsWords) {
  CMacro* chime = CMacro::CreateMacro(CMacro::kKindChime, *doc);
  ASSERT_NE(chime, nullptr);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDownload));
  const QString type = QStringLiteral("/MACRO/ENTRY%1/TYPE").arg(chime->GetID());
  ASSERT_EQ(sim.Value(type), QStringLiteral("CHIME"));
  // The unit's entry was emptied since.
  sim.SetValue(type, QStringLiteral("NONE"));
  struct Row {
    CStringTable::Language language;
    const char* project;
    const char* unit;
  };
  for (const Row& row : {Row{CStringTable::Language::English, "Chime", "No entry"},
                         Row{CStringTable::Language::German, "Gong", "Kein Eintrag"}}) {
    SCOPED_TRACE(row.project);
    CSelvantisApp::ApplyLanguage(row.language);
    ClickCompare();
    CCompareWnd* window = Window();
    ASSERT_NE(window, nullptr);
    CEBListView& list = *window->List();
    int found = -1;
    for (int i = 0; i < list.RowCount(); ++i)
      if (list.CellText(i, CCompareReport::kSettingColumn) == type) found = i;
    ASSERT_GE(found, 0) << SettingsShown(list).toStdString();
    EXPECT_EQ(list.CellText(found, CCompareReport::kProjectColumn), QString::fromUtf8(row.project));
    EXPECT_EQ(list.CellText(found, CCompareReport::kUnitColumn), QString::fromUtf8(row.unit));
    EXPECT_EQ(list.CellText(found, CCompareReport::kCommandColumn), QStringLiteral("CHIME / NONE"));
    QPointer<CCompareWnd> closing(window);
    window->close();
    ASSERT_TRUE(WaitUntil([&] { return closing.isNull(); }));
  }
  CSelvantisApp::ApplyLanguage(CStringTable::Language::English);
}

TEST_F(CCompareWndTest, CancelInTheProgressDialogEndsWithoutAVerdictOrAWindow) {
  // Cancel, as the user clicks it, once the comparison is under way.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<CProgressDlg*>(widget);
      if (progress == nullptr || !progress->isVisible() || progress->State().Pos() < 10) continue;
      poll.stop();
      QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    }
  });
  poll.start(5);
  ClickCompare();
  EXPECT_FALSE(poll.isActive()) << "the progress dialog was never cancelled";
  EXPECT_EQ(Window(), nullptr);
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString text = messages.Requests().front().text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("The comparison stopped at "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("cancelled")));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(FileBytes(projectPath) == fileBefore);
  EXPECT_TRUE(frame->IsCommandEnabled(ShellCmd::kCommCompare));
}

// The unit leaves queries unanswered: the upload's message says so, and the
// window shows what was read before, under a line without a verdict.
TEST_F(CCompareWndTest, UnansweredQueriesGiveNoVerdictInTheWindow) {
  sim.SetValue(QStringLiteral("/CLOCK/SLAVE/RUN"), QStringLiteral("ON"));
  sim.SetDropAnswers(QStringLiteral("/AUDIO/CHIME_VOL"));
  ClickCompare();
  ASSERT_GE(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(QStringLiteral("queries stayed unanswered")))
      << messages.Requests().front().text.toStdString();
  CCompareWnd* window = Window();
  ASSERT_NE(window, nullptr) << "the rows read before the stop are shown";
  const QString summary = window->SummaryLabel()->text();
  EXPECT_TRUE(summary.contains(QStringLiteral("there is no verdict"))) << summary.toStdString();
  EXPECT_TRUE(summary.contains(QStringLiteral("partial"))) << summary.toStdString();
  EXPECT_FALSE(summary.contains(QStringLiteral("holds this project")));
  EXPECT_FALSE(summary.contains(QStringLiteral("differs from this project")));
  EXPECT_EQ(SettingsShown(*window->List()), QStringLiteral("/CLOCK/SLAVE/RUN"));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(FileBytes(projectPath) == fileBefore);
}

// Every transfer's progress window shows the lines and the time left, as the
// command line does.
TEST_F(CCompareWndTest, TheProgressWindowShowsTheTimeLeft) {
  QStringList seen;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<CProgressDlg*>(widget);
      if (progress == nullptr || !progress->isVisible()) continue;
      auto* detail = progress->findChild<QLabel*>(QStringLiteral("detail"));
      if (detail != nullptr && detail->isVisible() && progress->State().Pos() > 0) seen << detail->text();
    }
  });
  poll.start(5);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDownload));
  ClickCompare();
  poll.stop();
  ASSERT_FALSE(seen.isEmpty()) << "no progress shown";
  static const QRegularExpression kLine(
      QStringLiteral("^\\d+ %   \\d+ of \\d+ lines   (\\d+:\\d\\d|\\?:\\?\\?) left$"));
  for (const QString& text : seen) EXPECT_TRUE(kLine.match(text).hasMatch()) << text.toStdString();
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const QString& t) { return !t.contains(QLatin1Char('?')); }));
}

TEST(CCompareCommandTest, NeedsAProjectAndTheUnit) {
  FrameState state;
  state.hasDocument = true;
  EXPECT_FALSE(CFrameCommandState::IsEnabled(ShellCmd::kCommCompare, state));
  state.connected = true;
  EXPECT_TRUE(CFrameCommandState::IsEnabled(ShellCmd::kCommCompare, state));
  state.transferRunning = true;
  EXPECT_FALSE(CFrameCommandState::IsEnabled(ShellCmd::kCommCompare, state));
}
