// The shell's own dialogs: their states headless, and one offscreen run
// each (OK applies, Cancel leaves everything as it was).
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/caboutdlg.h"
#include "shell/cerrorfileviewer.h"
#include "shell/controls/qstringprinter.h"
#include "shell/cpreferencesdlg.h"
#include "shell/cpreferencesstate.h"
#include "shell/cprojectdatadlg.h"
#include "shell/cprojectdatastate.h"
#include "shell/cshellsettings.h"
#include "support/dialogdriver.h"
#include "support/tempprofile.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(CProjectDataStateTest, TheVariantIsTheDocumentsUpgradeFlag) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CProjectDataState state;
  state.Load(doc);
  EXPECT_EQ(state.Variant(), 0);
  EXPECT_EQ(CProjectDataState::VariantNames(), QStringList({"VMX 7000", "VMX 7000 Upgrade"}));
  EXPECT_FALSE(state.Apply(doc)) << "nothing changed";
  EXPECT_FALSE(doc.IsModified());

  EXPECT_TRUE(state.SetVariant(1));
  EXPECT_FALSE(state.SetVariant(2));
  EXPECT_EQ(state.Variant(), 1);
  state.SetText(CProjectDataState::kCustomer, QStringLiteral("Town\nhall"));
  EXPECT_TRUE(state.Apply(doc));
  EXPECT_EQ(doc.GetUpgradeFlag(), 1);
  EXPECT_TRUE(doc.IsBigProject());
  EXPECT_EQ(doc.GetProjectData(CProjectDataState::kCustomer), QStringLiteral("Town hall")) << "one line";
  EXPECT_TRUE(doc.IsModified());

  state.SetText(CProjectDataState::kComment, QString(1000, QLatin1Char('x')));
  EXPECT_EQ(state.Text(CProjectDataState::kComment).size(), CProjectDataState::kMaxTextLength);
  state.SetText(99, QStringLiteral("ignored"));
  EXPECT_TRUE(state.Text(99).isEmpty());
}

TEST(CProjectDataDlgTest, OkWritesTheVariantCancelDoesNot) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  {
    CProjectDataDlg dialog(doc);
    dialog.findChild<QComboBox*>(QStringLiteral("variant"))->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>(QStringLiteral("text0"))->setText(QStringLiteral("Stadium"));
    dialog.reject();
  }
  EXPECT_EQ(doc.GetUpgradeFlag(), 0);
  EXPECT_FALSE(doc.IsModified());
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<CProjectDataDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>(QStringLiteral("variant"))->setCurrentIndex(1);
    dialog->findChild<QLineEdit*>(QStringLiteral("text0"))->setText(QStringLiteral("Stadium"));
    dialog->accept();
    ran = true;
  });
  CProjectDataDlg dialog(doc);
  dialog.exec();
  EXPECT_TRUE(ran);
  EXPECT_EQ(doc.GetUpgradeFlag(), 1);
  EXPECT_EQ(doc.GetProjectData(0), QStringLiteral("Stadium"));
}

TEST(CPreferencesStateTest, WritesOnlyWhatChanged) {
  TempProfile profile;
  CShellSettings::SetLanguage(CStringTable::Language::German);
  CPreferencesState state;
  state.Load();
  EXPECT_EQ(state.Language(), CStringTable::Language::German);
  EXPECT_EQ(state.StartupChoice(), CShellSettings::kStartNew);
  EXPECT_FALSE(state.Apply().Any());

  state.SetLanguage(CStringTable::Language::English);
  state.SetStartupChoice(2);
  state.SetSerialPort(QStringLiteral("  /dev/ttyS3 "));
  const CPreferencesState::Changes changes = state.Apply();
  EXPECT_TRUE(changes.language && changes.startupAction && changes.serialPort);
  EXPECT_EQ(CProfile::GetString(QStringLiteral("Settings"), QStringLiteral("Language")), QStringLiteral("English"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), -1), 2);
  EXPECT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort), QStringLiteral("/dev/ttyS3"));
}

TEST(CPreferencesStateTest, AStartupValueItDoesNotKnowReadsAsTheDefaultAndIsKept) {
  TempProfile profile;
  CShellSettings::SetStartupAction(9);
  EXPECT_EQ(CShellSettings::GetStartupAction(), CShellSettings::kStartNew);
  CShellSettings::SetStartupAction(-1);
  EXPECT_EQ(CShellSettings::GetStartupAction(), CShellSettings::kStartNew);
  CProfile::WriteString(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), QStringLiteral("two"));
  EXPECT_EQ(CShellSettings::GetStartupAction(), CShellSettings::kStartNew);
  for (int action = 0; action <= 2; ++action) {
    CShellSettings::SetStartupAction(action);
    EXPECT_EQ(CShellSettings::GetStartupAction(), action);
  }

  CShellSettings::SetStartupAction(9);
  CPreferencesState state;
  state.Load();
  EXPECT_EQ(state.StartupChoice(), CShellSettings::kStartNew) << "shown as the default";
  state.SetSerialPort(QString());
  EXPECT_FALSE(state.Apply().Any());
  // Left alone, the stored value of a newer version survives.
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), -1), 9);
  state.SetStartupChoice(5);
  EXPECT_EQ(state.StartupChoice(), CShellSettings::kStartNew);
}

TEST(CShellSettingsTest, TheFirstStartSpeaksTheDesktopsLanguageUntilTheUserChoosesOne) {
  struct Row {
    QStringList desktop;
    CStringTable::Language expected;
  };
  const Row rows[] = {
      {{"de-DE"}, CStringTable::Language::German},
      {{"de"}, CStringTable::Language::German},
      {{"de_AT", "en-US"}, CStringTable::Language::German},
      {{"DE-ch"}, CStringTable::Language::German},
      {{"en-US", "de-DE"}, CStringTable::Language::English},  // the first one is preferred
      {{"en-GB"}, CStringTable::Language::English},
      {{"fr-FR"}, CStringTable::Language::English},
      {{"dsb-DE"}, CStringTable::Language::English},  // Lower Sorbian, not German
      {{"C"}, CStringTable::Language::English},
      {{}, CStringTable::Language::English},
  };
  TempProfile profile;
  ASSERT_FALSE(CShellSettings::HasLanguage());
  for (const Row& row : rows)
    EXPECT_EQ(CShellSettings::GetLanguage(row.desktop), row.expected) << row.desktop.join(',').toStdString();

  // Chosen in Preferences, the profile's language holds on any desktop.
  CPreferencesState state;
  state.Load();
  state.SetLanguage(CStringTable::Language::German);
  state.Apply();
  EXPECT_EQ(CShellSettings::GetLanguage({QStringLiteral("en-US")}), CStringTable::Language::German);
  CShellSettings::SetLanguage(CStringTable::Language::English);
  EXPECT_EQ(CShellSettings::GetLanguage({QStringLiteral("de-DE")}), CStringTable::Language::English);

  // An OK that keeps the language shown stores it as the user's choice.
  CProfile::Remove(QString::fromLatin1(CShellSettings::kSettings), QString::fromLatin1(CShellSettings::kLanguageKey));
  ASSERT_FALSE(CShellSettings::HasLanguage());
  CPreferencesState kept;
  kept.Load();
  EXPECT_FALSE(kept.Apply().language) << "nothing to switch";
  EXPECT_TRUE(CShellSettings::HasLanguage());
}

TEST(CPreferencesStateTest, ThePortListShowsWhatTheSystemSaysOfEachPort) {
  using SystemPort = CPreferencesState::SystemPort;
  const std::vector<SystemPort> ports = {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"},
                                         {"/dev/ttyS0", "", ""},
                                         {"/dev/ttyACM0", "USB Serial", "usb serial"},
                                         {"/dev/ttyUSB1", "", "Prolific"}};
  const std::vector<CPreferencesState::PortChoice> choices =
      CPreferencesState::MakePortChoices(ports, QStringLiteral("/dev/no-such-port"));
  QStringList labels;
  QStringList names;
  for (const auto& choice : choices) {
    labels << choice.label;
    names << choice.port;
  }
  EXPECT_EQ(labels, (QStringList{"/dev/no-such-port (not present)", "/dev/ttyACM0 (USB Serial)", "/dev/ttyS0 (present)",
                                 "/dev/ttyUSB0 (FT232R USB UART, FTDI)", "/dev/ttyUSB1 (Prolific)"}));
  EXPECT_EQ(names, (QStringList{"/dev/no-such-port", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}));
  EXPECT_EQ(CPreferencesState::MakePortChoices(ports, QStringLiteral("/dev/ttyS0")).size(), 4u) << "listed once";
  // A chosen entry is its port; a typed name is itself.
  EXPECT_EQ(CPreferencesState::PortOfText(choices, QStringLiteral("/dev/ttyUSB0 (FT232R USB UART, FTDI)")),
            QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(CPreferencesState::PortOfText(choices, QStringLiteral(" /dev/ttyAMA0 ")), QStringLiteral("/dev/ttyAMA0"));
}

TEST(CPreferencesDlgTest, ThePortListHoldsTheSystemsPortsAndStoresThePortChosen) {
  TempProfile profile;
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, QStringLiteral("/dev/pts/77"));
  CPreferencesDlg dialog;
  auto* port = dialog.findChild<QComboBox*>(QStringLiteral("port"));
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->currentData().toString(), QStringLiteral("/dev/pts/77")) << "the stored port is chosen";
  QStringList system;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) system << info.systemLocation();
  EXPECT_EQ(port->count(), system.size() + 1);
  for (int i = 0; i < port->count(); ++i)
    EXPECT_TRUE(port->itemText(i).startsWith(port->itemData(i).toString())) << port->itemText(i).toStdString();
  // The last entry, chosen with the keyboard, is stored as its port.
  port->setFocus();
  port->setCurrentIndex(0);
  for (int i = 1; i < port->count(); ++i) QTest::keyClick(port, Qt::Key_Down);
  const QString chosen = port->currentData().toString();
  dialog.accept();
  EXPECT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort), chosen);
}

TEST(CPreferencesDlgTest, OkAppliesTheChoices) {
  TempProfile profile;
  CShellSettings::SetLanguage(CStringTable::Language::German);
  DriveNextModal([](QWidget* w) {
    auto* dialog = qobject_cast<CPreferencesDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QComboBox*>(QStringLiteral("language"))->setCurrentIndex(1);
    dialog->findChild<QComboBox*>(QStringLiteral("startup"))->setCurrentIndex(0);
    dialog->findChild<QComboBox*>(QStringLiteral("port"))->setCurrentText(QStringLiteral("/dev/ttyUSB1"));
    dialog->accept();
  });
  CPreferencesDlg dialog;
  ASSERT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(dialog.Changes().language);
  EXPECT_EQ(CShellSettings::GetLanguage(), CStringTable::Language::English);
  EXPECT_EQ(CShellSettings::GetStartupAction(), 0);
  EXPECT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort), QStringLiteral("/dev/ttyUSB1"));

  CPreferencesDlg cancelled;
  cancelled.findChild<QComboBox*>(QStringLiteral("language"))->setCurrentIndex(0);
  cancelled.reject();
  EXPECT_EQ(CShellSettings::GetLanguage(), CStringTable::Language::English);
}

TEST(CErrorFileViewerTest, ShowsTheFileAsLatin1AndSkipsEmptyFiles) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("site.err"));
  EXPECT_FALSE(CErrorFileViewer::ShowFile(path, nullptr)) << "missing";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(CErrorFileViewer::ShowFile(path, nullptr)) << "empty";
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Zone 3 : Saal f\xfcr 200 is missing\r\n");
  file.close();
  CErrorFileViewer viewer;
  ASSERT_TRUE(viewer.Load(path));
  EXPECT_TRUE(viewer.Text().contains(QStringLiteral("Saal f\u00fcr 200")));
  QString error;
  EXPECT_FALSE(viewer.Load(dir.filePath(QStringLiteral("none.err")), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(CAboutDlgTest, OpensAndCloses) {
  DriveNextModal([](QWidget* w) {
    ASSERT_NE(qobject_cast<CAboutDlg*>(w), nullptr);
    static_cast<QDialog*>(w)->accept();
  });
  CAboutDlg dialog;
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace
