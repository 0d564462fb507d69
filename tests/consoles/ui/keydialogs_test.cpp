// The range, copy and macro activation dialogs, driven offscreen.
#include "consoles/ui/ccopykeydlg.h"
#include "consoles/ui/ckeydialoghost.h"
#include "consoles/ui/ckeyrangedlg.h"
#include "consoles/ui/cmacrokeytypesdlg.h"
#include "consoles/ui/cmacrokeytypeslogic.h"

#include "../consoletestsupport.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(CKeyRangeDlgTest, ValidatesZoneLineAndNumbers) {
  const struct {
    const char* first;
    const char* stop;
    const char* zone;
    int failed;
  } rows[] = {
      {"1", "16", "1", 0},
      {"1", "16", "100", 0},
      {"1", "16", "0", CKeyRangeDlg::IDC_FIRST_ZONE},
      {"1", "16", "101", CKeyRangeDlg::IDC_FIRST_ZONE},
      {"x", "16", "5", CKeyRangeDlg::IDC_FIRST_KEY},
      {"1", "", "5", CKeyRangeDlg::IDC_STOP_KEY},
      // Key numbers have no range here; the console checks them.
      {"0", "500", "5", 0},
  };
  for (const auto& row : rows) {
    const auto f = CKeyRangeDlg::Validate(QString::fromLatin1(row.first), QString::fromLatin1(row.stop),
                                          QString::fromLatin1(row.zone));
    EXPECT_EQ(f.failedField, row.failed) << row.first << " " << row.stop << " " << row.zone;
    EXPECT_EQ(f.message.isEmpty(), row.failed == 0);
  }
  const auto ok = CKeyRangeDlg::Validate(QStringLiteral(" 3"), QStringLiteral("9"), QStringLiteral("7"));
  EXPECT_EQ(ok.firstKey, 3);
  EXPECT_EQ(ok.stopKey, 9);
  EXPECT_EQ(ok.firstZone, 7);
  EXPECT_EQ(CKeyRangeDlg::Validate("1", "2", "101").message,
            QStringLiteral("Please enter an integer between 1 and 100."));
}

TEST(CKeyRangeDlgTest, OkRefusesBadZoneThenHostReturnsFields) {
  MessageRecorder messages;
  CKeyDialogHost host;
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CKeyRangeDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->Edit(CKeyRangeDlg::IDC_STOP_KEY)->text(), QStringLiteral("48"));
    dlg->Edit(CKeyRangeDlg::IDC_FIRST_ZONE)->setText(QStringLiteral("101"));
    dlg->accept();
    EXPECT_TRUE(dlg->isVisible());
    dlg->Edit(CKeyRangeDlg::IDC_FIRST_KEY)->setText(QStringLiteral("5"));
    dlg->Edit(CKeyRangeDlg::IDC_FIRST_ZONE)->setText(QStringLiteral("12"));
    dlg->accept();
  });
  int first = 1, stop = 48, line = 1;
  EXPECT_TRUE(host.AskKeyRange(&first, &stop, &line));
  EXPECT_EQ(first, 5);
  EXPECT_EQ(stop, 48);
  EXPECT_EQ(line, 12);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(QStringLiteral("between 1 and 100")));

  DriveNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_FALSE(host.AskKeyRange(&first, &stop, &line));
  EXPECT_EQ(first, 5);
  CKeyRangeDlg fresh;
  EXPECT_EQ(fresh.GetFirstZone(), 0);
}

TEST(CCopyKeyDlgTest, SourceIsNeverADestination) {
  CSelvantisDoc doc;
  CConsole* a = constest::AddConsole(doc, CConsProp::RCX6010, 1000);
  CConsole* b = constest::AddConsole(doc, CConsProp::RCX6010, 1200);
  CConsole* c = constest::AddConsole(doc, CConsProp::RCX6010, 1400);
  const std::vector<CBaseDevice*> list{a, b, c};
  EXPECT_EQ(CCopyKeyDlg::Destinations(list, b), (std::vector<CConsole*>{a, c}));
  EXPECT_EQ(CCopyKeyDlg::Destinations({b}, b), std::vector<CConsole*>{});

  CKeyDialogHost host;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CCopyKeyDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->SourceEdit()->text(), QStringLiteral("'Hall'"));
    ASSERT_EQ(dlg->DestinationCombo()->count(), 2);
    EXPECT_EQ(dlg->DestinationCombo()->currentIndex(), 0);
    EXPECT_EQ(dlg->DestinationCombo()->itemText(1), c->GetName());
    dlg->DestinationCombo()->setCurrentIndex(1);
    dlg->accept();
  });
  CConsole* destination = nullptr;
  EXPECT_TRUE(host.AskCopyDestination(list, a, QStringLiteral("'Hall'"), &destination));
  EXPECT_EQ(destination, c);

  // Nothing to choose: Copy gives no destination.
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CCopyKeyDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->DestinationCombo()->count(), 0);
    dlg->accept();
  });
  EXPECT_TRUE(host.AskCopyDestination({a}, a, QStringLiteral("'A'"), &destination));
  EXPECT_EQ(destination, nullptr);

  CCopyKeyDlg dlg;
  dlg.SetNameText(QString(40, QLatin1Char('x')));
  DriveNextModal([](QWidget* w) {
    EXPECT_EQ(static_cast<CCopyKeyDlg*>(w)->SourceEdit()->text().size(), CCopyKeyDlg::kMaxNameChars);
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(dlg.exec(), QDialog::Rejected);
}

TEST(CMacroKeyTypesDlgTest, ActivityComboWritesKeyAndNotifiesOwner) {
  MessageRecorder messages;
  CSelvantisDoc doc;
  constest::AddMacros(doc, 3);
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(2);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::MACSWT, QStringLiteral("1,3"), true));
  std::vector<CMacroKeyTypesDlg::MacroEntry> macros;
  for (int id = 1; id <= 3; ++id) macros.push_back({doc.FindObjectById(CAT_MACROS, id)->GetName(), id});

  CMacroKeyTypesDlg dlg(nullptr, key, macros);
  QSignalSpy changed(&dlg, &CMacroKeyTypesDlg::MacroTypeChanged);
  QSignalSpy closed(&dlg, &CMacroKeyTypesDlg::MacroDlgNotify);
  EXPECT_EQ(dlg.GetActivity(), 2);
  EXPECT_EQ(dlg.ActivityCombo()->currentIndex(), 2);
  EXPECT_EQ(dlg.MacroBCombo()->currentIndex(), 2);
  EXPECT_FALSE(dlg.MacroBGroup()->isHidden());
  EXPECT_TRUE(dlg.RateGroup()->isHidden());
  EXPECT_EQ(changed.count(), 0);

  emit dlg.ActivityCombo()->activated(3);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACREP);
  EXPECT_EQ(key->GetFunction().p2, 3);
  EXPECT_FALSE(dlg.RateGroup()->isHidden());
  EXPECT_TRUE(dlg.MacroBGroup()->isHidden());
  EXPECT_EQ(dlg.RateSpin()->value(), 3);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).toInt(), 3);

  dlg.RateSpin()->stepBy(20);
  EXPECT_EQ(key->GetFunction().p2, 10);
  EXPECT_EQ(changed.count(), 2);

  emit dlg.ActivityCombo()->activated(0);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACRO);
  EXPECT_EQ(key->GetFunction().p2, 0);

  emit dlg.ActivityCombo()->activated(1);
  emit dlg.MacroBCombo()->activated(0);
  EXPECT_EQ(key->GetFunction().p2, 1);
  EXPECT_EQ(changed.last().at(0).toInt(), 1);

  // Another key: the controls follow without telling the owner.
  CConsKey* other = console->FindKey(3);
  ASSERT_TRUE(other->SetFunctionFromText(CConsKey::MACRAD, QStringLiteral("2,7"), true));
  const int before = changed.count();
  dlg.SetKey(other);
  EXPECT_EQ(dlg.GetActivity(), 4);
  EXPECT_EQ(dlg.RadioSpin()->value(), 7);
  EXPECT_EQ(changed.count(), before);
  EXPECT_EQ(other->GetFunction().p2, 7);

  dlg.show();
  dlg.close();
  ASSERT_EQ(closed.count(), 1);
  EXPECT_EQ(closed.at(0).at(0).toInt(), 300);
  EXPECT_TRUE(messages.Requests().empty());
}

// With no macro B chosen (macros 2 and 3 listed), "button" picked with the
// keyboard stores macro 1, not the first listed one.
TEST(CMacroKeyTypesDlgTest, ButtonWithoutAChosenMacroBStoresOne) {
  MessageRecorder messages;
  CSelvantisDoc doc;
  constest::AddMacros(doc, 3);
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(2);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::MACRO, QStringLiteral("1"), true));
  std::vector<CMacroKeyTypesDlg::MacroEntry> macros;
  for (int id = 2; id <= 3; ++id) macros.push_back({doc.FindObjectById(CAT_MACROS, id)->GetName(), id});
  CMacroKeyTypesDlg dlg(nullptr, key, macros);
  dlg.show();
  ASSERT_EQ(dlg.GetActivity(), 0);
  EXPECT_EQ(dlg.MacroBCombo()->currentIndex(), -1);
  QTest::keyClick(dlg.ActivityCombo(), Qt::Key_Down);
  EXPECT_EQ(dlg.GetActivity(), 1);
  EXPECT_EQ(key->GetFunction().type, CConsKey::MACRO);
  EXPECT_EQ(key->GetFunction().p2, 1);
  EXPECT_EQ(dlg.MacroBCombo()->currentIndex(), -1);
  // Choosing macro 3 with the keyboard stores it.
  QTest::keyClick(dlg.MacroBCombo(), Qt::Key_Down);
  QTest::keyClick(dlg.MacroBCombo(), Qt::Key_Down);
  EXPECT_EQ(key->GetFunction().p2, 3);
  dlg.close();
}

// A repeat or radio key's number selects the macro B entry with that
// identifier, as macro B's own does: switched to "switch" and then
// "button" with the keyboard, the key starts that macro B.
TEST(CMacroKeyTypesDlgTest, TheSecondParameterSelectsItsMacroBForEveryKind) {
  MessageRecorder messages;
  CSelvantisDoc doc;
  constest::AddMacros(doc, 4);
  CConsole* console = constest::AddConsole(doc);
  std::vector<CMacroKeyTypesDlg::MacroEntry> macros;
  for (int id = 1; id <= 4; ++id) macros.push_back({doc.FindObjectById(CAT_MACROS, id)->GetName(), id});
  struct Row {
    int type;
    const char* text;
    int activity;
    int keysUp;  // key presses from the key's own entry to "button"
    int macroB;
  };
  const Row rows[] = {
      {CConsKey::MACREP, "1,2", 3, 2, 2},
      {CConsKey::MACRAD, "1,3", 4, 3, 3},
      {CConsKey::MACSWT, "1,4", 2, 1, 4},
      // A number no entry carries leaves none chosen: "button" takes 1.
      {CConsKey::MACRAD, "1,9", 4, 3, 1},
  };
  int number = 1;
  for (const Row& row : rows) {
    CConsKey* key = console->FindKey(number++);
    ASSERT_TRUE(key->SetFunctionFromText(row.type, QString::fromLatin1(row.text), true)) << row.text;
    CMacroKeyTypesDlg dlg(nullptr, key, macros);
    dlg.show();
    ASSERT_EQ(dlg.GetActivity(), row.activity) << row.text;
    EXPECT_EQ(dlg.MacroBCombo()->currentIndex(), row.macroB > 1 ? row.macroB - 1 : -1) << row.text;
    dlg.ActivityCombo()->setFocus();
    for (int i = 0; i < row.keysUp; ++i) QTest::keyClick(dlg.ActivityCombo(), Qt::Key_Up);
    ASSERT_EQ(dlg.GetActivity(), CMacroKeyTypesLogic::kButton) << row.text;
    EXPECT_EQ(key->GetFunction().type, CConsKey::MACRO) << row.text;
    EXPECT_EQ(key->GetFunction().p2, row.macroB) << row.text;
    EXPECT_EQ(key->GetSecondTarget().object, doc.FindObjectById(CAT_MACROS, row.macroB)) << row.text;
    dlg.close();
  }
  EXPECT_TRUE(messages.Requests().empty());
}

// A step of the repeat or radio arrows is told to the owner with 0, what
// ever the key's activity; the key takes the clamped number.
TEST(CMacroKeyTypesDlgTest, ASpinStepIsToldWithActivityZero) {
  MessageRecorder messages;
  CSelvantisDoc doc;
  constest::AddMacros(doc, 2);
  CConsole* console = constest::AddConsole(doc);
  std::vector<CMacroKeyTypesDlg::MacroEntry> macros{{doc.FindObjectById(CAT_MACROS, 1)->GetName(), 1}};
  struct Row {
    int type;
    const char* text;
    bool radio;
    Qt::Key arrow;
    int stored;
  };
  const Row rows[] = {
      {CConsKey::MACREP, "1,9", false, Qt::Key_Up, 10},  {CConsKey::MACREP, "1,10", false, Qt::Key_Up, 10},
      {CConsKey::MACREP, "1,2", false, Qt::Key_Down, 1}, {CConsKey::MACRAD, "1,49", true, Qt::Key_Up, 50},
      {CConsKey::MACRAD, "1,7", true, Qt::Key_Down, 6},
  };
  int number = 1;
  for (const Row& row : rows) {
    CConsKey* key = console->FindKey(number++);
    ASSERT_TRUE(key->SetFunctionFromText(row.type, QString::fromLatin1(row.text), true)) << row.text;
    CMacroKeyTypesDlg dlg(nullptr, key, macros);
    QSignalSpy changed(&dlg, &CMacroKeyTypesDlg::MacroTypeChanged);
    dlg.show();
    QSpinBox* spin = row.radio ? dlg.RadioSpin() : dlg.RateSpin();
    ASSERT_FALSE(spin->isHidden()) << row.text;
    QTest::keyClick(spin, row.arrow);
    EXPECT_EQ(key->GetFunction().p2, row.stored) << row.text;
    EXPECT_EQ(spin->value(), row.stored) << row.text;
    for (const QList<QVariant>& args : changed) EXPECT_EQ(args.at(0).toInt(), 0) << row.text;
    // At a limit the arrow changes nothing and tells nothing.
    EXPECT_EQ(changed.count(), QString::fromLatin1(row.text).endsWith(",10") ? 0 : 1) << row.text;
    dlg.close();
  }
  EXPECT_TRUE(messages.Requests().empty());
}

}  // namespace
