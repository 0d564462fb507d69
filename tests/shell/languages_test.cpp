// Both languages throughout: every window and dialog a user reaches from the
// drawing, the main window and Qt's own dialogs show only texts of the chosen
// language. Each visible text of every widget (labels, buttons, group titles,
// headers, list entries, menu entries, tool tips, window titles) is checked
// against words that only the other language uses.
#include "amps/camplifier.h"
#include "amps/crelaistopology.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "link/ccomparereport.h"
#include "model/cbasedevice.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "scriptedfilechooser.h"
#include "shell/cbitmapmanager.h"
#include "shell/clanguageswitcher.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/controls/qstringprinter.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

using Language = CStringTable::Language;

// Words (and letters) that only the other language uses. Proper names, the
// unit's key words (ON, OFF, FAULT, PTT, AUX) and the model names are
// written in capitals or are no words of either list.
const QRegularExpression& GermanMarks() {
  static const QRegularExpression re(
      QStringLiteral("[äöüÄÖÜß]|\\b(und|oder|nicht|der|die|das|mit|für|bei|von|Verstärker|Sprechstellen?|Relais|"
                     "Eingang|Ausgang|Makro|Gruppe|Einstellungen|Abbrechen|Schließen|Löschen|Datei|Bearbeiten|"
                     "Ansicht|Hilfe|Fehler|Störung|Fenster|Eigenschaften|Uhrzeit|Datum|Aktiv)\\b"));
  return re;
}

const QRegularExpression& EnglishMarks() {
  static const QRegularExpression re(
      QStringLiteral("\\b(the|and|of|to|with|for|not|is|are|Cancel|Close|Delete|Edit|New|Open|Save|Print|"
                     "Properties|Settings|Amplifiers?|Consoles?|Inputs?|Outputs?|Upload|Download|Select|Error|"
                     "Window|File|View|Help|Entries|Relays?|Channels?|Priority|Time|Date|Yes|No|Apply|Next|"
                     "Previous|Page|Close)\\b"));
  return re;
}

// Names shown as they are in both languages: proper names and the default
// names the project stores ("Group 0", "Topology 1" are built from fixed
// texts, not from the string table).
bool IsAllowed(const QString& text) {
  static const std::set<QString> names = {QStringLiteral("Deutsch"), QStringLiteral("English")};
  return names.count(text) != 0;
}

QString Plain(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  QTextDocument doc;
  doc.setHtml(text);
  return doc.toPlainText();
}

void Add(std::set<QString>& texts, const QString& text) {
  const QString plain = Plain(text).remove(QLatin1Char('&')).trimmed();
  if (!plain.isEmpty()) texts.insert(plain);
}

void CollectMenu(QMenu* menu, std::set<QString>& texts) {
  Add(texts, menu->title());
  for (QAction* action : menu->actions()) {
    Add(texts, action->text());
    if (action->toolTip() != action->text().remove(QLatin1Char('&'))) Add(texts, action->toolTip());
    Add(texts, action->statusTip());
    if (action->menu()) CollectMenu(action->menu(), texts);
  }
}

// Every text a user can see in the window and its children.
void Collect(QWidget* window, std::set<QString>& texts) {
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* w : widgets) {
    if (w != window && !w->isVisibleTo(window)) continue;
    if (w->isWindow()) Add(texts, w->windowTitle());
    Add(texts, w->toolTip());
    for (QAction* action : w->actions()) {
      Add(texts, action->text());
      Add(texts, action->toolTip());
      if (action->menu()) CollectMenu(action->menu(), texts);
    }
    if (auto* label = qobject_cast<QLabel*>(w)) Add(texts, label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) Add(texts, button->text());
    if (auto* box = qobject_cast<QGroupBox*>(w)) Add(texts, box->title());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) Add(texts, edit->placeholderText());
    if (auto* combo = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < combo->count(); ++i) Add(texts, combo->itemText(i));
    if (auto* tabs = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < tabs->count(); ++i) Add(texts, tabs->tabText(i));
    if (auto* menuBar = qobject_cast<QMenuBar*>(w))
      for (QAction* action : menuBar->actions())
        if (action->menu()) CollectMenu(action->menu(), texts);
    if (auto* header = qobject_cast<QHeaderView*>(w)) {
      if (QAbstractItemModel* model = header->model()) {
        const int count = header->orientation() == Qt::Horizontal ? model->columnCount() : 0;
        for (int i = 0; i < count; ++i) Add(texts, model->headerData(i, Qt::Horizontal).toString());
      }
    }
  }
}

// The texts of the other language, each with where it was seen.
class LanguageCheck {
 public:
  explicit LanguageCheck(Language language) : m_language(language) {}
  void Check(const QString& where, const std::set<QString>& texts) {
    const QRegularExpression& marks = m_language == Language::English ? GermanMarks() : EnglishMarks();
    for (const QString& text : texts)
      if (!IsAllowed(text) && marks.match(text).hasMatch()) m_found[text].insert(where);
  }
  void Check(const QString& where, QWidget* window) {
    std::set<QString> texts;
    Collect(window, texts);
    ++m_windows;
    Check(where, texts);
  }
  void ExpectNone() const {
    for (const auto& [text, places] : m_found) {
      QStringList list(places.begin(), places.end());
      ADD_FAILURE() << (m_language == Language::English ? "German" : "English") << " text \"" << text.toStdString()
                    << "\" in " << list.join(QStringLiteral(", ")).toStdString();
    }
  }
  int Windows() const { return m_windows; }

 private:
  Language m_language;
  std::map<QString, std::set<QString>> m_found;
  int m_windows = 0;
};

// Every action of a menu and its submenus.
void CollectActions(QMenu* menu, std::vector<QAction*>& out) {
  for (QAction* action : menu->actions()) {
    if (action->menu())
      CollectActions(action->menu(), out);
    else if (!action->isSeparator())
      out.push_back(action);
  }
}

class LanguagesTest : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    m_languages.Apply(GetParam());
    CShellSettings::SetLanguage(GetParam());
    // A project with every kind of block the drawing shows; the larger unit,
    // so that no window is refused for the project's size.
    m_doc.OnNewDocument();
    m_doc.SetUpgradeFlag(1);
    SetActiveDoc(&m_doc);
    const AmpTypeInfo* row = CAmplifier::GetTypeRow(0);
    ASSERT_NE(row, nullptr);
    m_doc.Adopt(CAmplifier::Make(m_doc, row->kind, QPoint(100, 100)));
    auto* topology = dynamic_cast<CRelaisTopology*>(m_doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_DIRECT));
    ASSERT_NE(topology, nullptr);
    topology->ChangeKind(CRelaisTopology::KIND_DIRECT, 2);
    ASSERT_NE(CConsole::CreateIn(m_doc, CConsProp::RCX6010, QRect(400, 100, 64, 48)), nullptr);
    m_view = std::make_unique<CSelvantisView>(m_doc, m_bitmaps);
  }
  void TearDown() override {
    m_view.reset();
    SetActiveDoc(nullptr);
    m_languages.Apply(Language::English);
  }

  // The object's context menu as the drawing builds it.
  std::unique_ptr<QMenu> ContextMenu(CBaseDevice* object) {
    m_view->SetCurrentObject(object);
    return std::unique_ptr<QMenu>(m_view->CreateContextMenu(nullptr));
  }

  CLanguageSwitcher m_languages;
  TempProfile m_profile;
  MessageRecorder m_messages;
  RecordingLink m_link;
  CSelvantisDoc m_doc;
  CBitmapManager m_bitmaps;
  std::unique_ptr<CSelvantisView> m_view;
};

TEST_P(LanguagesTest, EveryEditorWindowShowsOneLanguage) {
  LanguageCheck check(GetParam());
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    QApplication::processEvents();
    check.Check(QString::fromLatin1(s.frameClass), &host);
    host.reject();
  }
  EXPECT_EQ(check.Windows(), static_cast<int>(kHostFrameSwitches.size()));
  check.ExpectNone();
}

TEST_P(LanguagesTest, EveryBlocksMenuAndPropertiesShowOneLanguage) {
  LanguageCheck check(GetParam());
  std::unique_ptr<QMenu> place(m_view->CreatePlaceMenu(nullptr, QPoint()));
  check.Check(QStringLiteral("place menu"), place.get());
  std::set<QString> placeTexts;
  CollectMenu(place.get(), placeTexts);
  check.Check(QStringLiteral("place menu"), placeTexts);

  int dialogs = 0;
  for (CBaseDevice* object : m_doc.GetAllObjects()) {
    if (object->GetRect().isEmpty()) continue;  // no place on the canvas
    const QString name = object->GetName();
    std::unique_ptr<QMenu> menu = ContextMenu(object);
    if (!menu) continue;
    std::set<QString> menuTexts;
    CollectMenu(menu.get(), menuTexts);
    check.Check(name + QStringLiteral(" menu"), menuTexts);
    std::vector<QAction*> actions;
    CollectActions(menu.get(), actions);
    for (QAction* action : actions) {
      const int id = action->data().toInt();
      if (!(id == ID_SHOW_PROPERTIES || id == 33005 || id == 33006) || !action->isEnabled()) continue;
      DriveNextModal([&](QWidget* w) {
        QApplication::processEvents();
        check.Check(name + QStringLiteral(": ") + QString::fromLatin1(w->metaObject()->className()), w);
        ++dialogs;
        if (auto* dialog = qobject_cast<QDialog*>(w)) dialog->reject();
      });
      action->trigger();
      break;
    }
  }
  EXPECT_GE(dialogs, 10);
  check.ExpectNone();
}

TEST_P(LanguagesTest, MainWindowAndQtsOwnDialogsShowOneLanguage) {
  LanguageCheck check(GetParam());
  ScriptedFileChooser chooser;
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CSelvantisApp app(&chooser);
  ASSERT_TRUE(app.InitInstance({}));
  QApplication::processEvents();
  check.Check(QStringLiteral("main window"), app.MainFrame());

  // Qt's own buttons and the print preview follow the language too.
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
  check.Check(QStringLiteral("button box"), &buttons);
  EXPECT_TRUE(buttons.button(QDialogButtonBox::Cancel)
                  ->text()
                  .contains(GetParam() == Language::German ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel")))
      << buttons.button(QDialogButtonBox::Cancel)->text().toStdString();
  QPrintPreviewDialog preview;
  check.Check(QStringLiteral("print preview"), &preview);
  check.ExpectNone();
}

// Each direction of a transfer has one word in each language, wherever the
// user meets it: the Communication menu, a zone's menu, the progress
// window's title and the comparison's lines. In German what goes to the
// unit is "Senden", what comes from it "Lesen"; "Übertragung" is a transfer
// of either kind and never stands for one direction.
TEST_P(LanguagesTest, EachDirectionOfATransferHasOneWord) {
  const bool german = GetParam() == Language::German;
  const QString toUnit = german ? QStringLiteral("senden") : QStringLiteral("download");
  const QString fromUnit = german ? QStringLiteral("lesen") : QStringLiteral("upload");
  QStringList downloads;
  QStringList uploads;
  ScriptedFileChooser chooser;
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CSelvantisApp app(&chooser);
  ASSERT_TRUE(app.InitInstance({}));
  downloads << app.MainFrame()->Action(ShellCmd::kCommDownload)->text();
  uploads << app.MainFrame()->Action(ShellCmd::kCommUpload)->text();
  int zones = 0;
  for (CBaseDevice* object : m_doc.GetAllObjects()) {
    if (object->GetType() != DT_ZONE) continue;
    std::unique_ptr<QMenu> menu = ContextMenu(object);
    ASSERT_NE(menu, nullptr);
    std::vector<QAction*> actions;
    CollectActions(menu.get(), actions);
    for (QAction* action : actions) {
      if (action->data().toInt() == ID_DEVICE_DOWNLOAD) downloads << action->text();
      if (action->data().toInt() == ID_DEVICE_UPLOAD) uploads << action->text();
    }
    ++zones;
  }
  EXPECT_GE(zones, 1);
  downloads << QCoreApplication::translate("CLinkPanel", "Download to the unit");
  uploads << QCoreApplication::translate("CLinkPanel", "Upload from the unit");
  CCompareReport report;
  report.AddCleared(QStringLiteral("Macros"));
  report.AddNotCompared(QStringLiteral("Virtual controllers"));
  downloads << report.ClearedLine();
  uploads << report.NotComparedLine();
  EXPECT_EQ(downloads.size(), 3 + zones);
  for (const QString& text : downloads) {
    EXPECT_TRUE(Plain(text).remove(QLatin1Char('&')).contains(toUnit, Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("übertrag"), Qt::CaseInsensitive)) << text.toStdString();
  }
  for (const QString& text : uploads)
    EXPECT_TRUE(Plain(text).remove(QLatin1Char('&')).contains(fromUnit, Qt::CaseInsensitive)) << text.toStdString();
}

// Names built from a string-table text follow the language the project was
// made in; the root group and the relay topologies take fixed names ("Group",
// "Topology" and the number) that the project stores as they are.
TEST_P(LanguagesTest, DefaultNamesFromTheStringTableFollowTheLanguage) {
  const bool german = GetParam() == Language::German;
  std::map<int, QStringList> names;
  for (CBaseDevice* object : m_doc.GetAllObjects()) names[object->GetType()] << object->GetName();
  EXPECT_EQ(names[DT_AMPLIFIER], QStringList{german ? QStringLiteral("Verstärker 1") : QStringLiteral("Amplifier 1")});
  ASSERT_EQ(names[DT_CONSOLE].size(), 1);
  EXPECT_TRUE(names[DT_CONSOLE][0].startsWith(german ? QStringLiteral("Sprechstelle ") : QStringLiteral("Console ")))
      << names[DT_CONSOLE][0].toStdString();
  EXPECT_EQ(names[DT_ZONE], (QStringList{QStringLiteral("Zone 1"), QStringLiteral("Zone 2")}));
  EXPECT_TRUE(names[DT_GROUP].contains(QStringLiteral("Group 0")));
  EXPECT_EQ(names[DT_RELAYTOPOLOGY], QStringList{QStringLiteral("Topology 1")});
}

INSTANTIATE_TEST_SUITE_P(Both, LanguagesTest, testing::Values(Language::English, Language::German),
                         [](const testing::TestParamInfo<Language>& info) {
                           return std::string(info.param == Language::English ? "English" : "German");
                         });

}  // namespace
