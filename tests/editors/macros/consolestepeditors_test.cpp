#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "editors/macros/cbuzzermacroview.h"
#include "editors/macros/clcdtextmacroview.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/consolestepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRect>
#include <QTest>

#include "editors/macros/macrosteptest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ConsoleStepTest : public MacroStepTest {
 protected:
  CConsole* AddConsole(int x, const QString& name) {
    CConsole* console = CConsole::CreateIn(*doc, CConsProp::RCX6010, QRect(x, 600, 64, 48));
    if (console) console->SetName(name);
    return console;
  }
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

}  // namespace

TEST_F(ConsoleStepTest, ConsoleListStartsWithAllConsolesThenConsolesByName) {
  CConsole* first = AddConsole(0, QStringLiteral("Lobby"));
  CConsole* second = AddConsole(200, QStringLiteral("Office"));
  ASSERT_TRUE(first && second);
  const MacroStepFields::Choices choices = ConsoleStepFields::ConsoleChoices(doc.get());
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[0].text, "All Consoles");
  EXPECT_EQ(choices[0].data, 0);
  EXPECT_EQ(choices[1].text, "Lobby");
  EXPECT_EQ(choices[1].data, first->GetID());
  EXPECT_EQ(choices[2].text, "Office");
  EXPECT_EQ(choices[2].data, second->GetID());
}

TEST_F(ConsoleStepTest, LcdEditorShowsTheMacroAndChoosingAllConsolesSendsAddressZero) {
  CConsole* console = AddConsole(0, QStringLiteral("Lobby"));
  ASSERT_NE(console, nullptr);
  CMacro* macro = Create(CMacro::kKindLCDText);
  ASSERT_NE(macro, nullptr);
  macro->SetParam(CMacro::P_CONSOLE, console->GetID());
  macro->SetParamText(CMacro::P_TEXT, QStringLiteral("FIRE EXIT"));
  macro->SetParam(CMacro::P_LINE, 2);
  macro->SetParam(CMacro::P_TIME, 30);
  macro->SetParam(CMacro::P_SET_RUN, 1);
  macro->SetParam(CMacro::P_SET_TIME, 0);
  frame->ShowMacroEditor();
  auto* view = StepView<CLCDTextMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->ConsoleList()->currentText(), "Lobby");
  EXPECT_EQ(view->TextEdit()->text(), "FIRE EXIT");
  EXPECT_FALSE(view->Line1()->isChecked());
  EXPECT_TRUE(view->Line2()->isChecked());
  EXPECT_EQ(view->DurationEdit()->text(), "30");
  EXPECT_TRUE(view->ClearOtherLine()->isChecked());
  EXPECT_FALSE(view->BuzzerOnNewText()->isChecked());
  // Filling the controls writes nothing back.
  EXPECT_EQ(macro->GetParam(CMacro::P_CONSOLE), console->GetID());

  view->ConsoleList()->setCurrentIndex(0);
  emit view->ConsoleList()->activated(0);
  EXPECT_EQ(macro->GetParam(CMacro::P_CONSOLE), 0);
  EXPECT_TRUE(HasLineEnding(macro->GetDownloadLines(false), QStringLiteral("/PARAM/ADDRESS 0")))
      << macro->GetDownloadLines(false).join(QLatin1Char('\n')).toStdString();
}

TEST_F(ConsoleStepTest, LcdLineOutsideOneOrTwoShowsNeitherButton) {
  CMacro* macro = Create(CMacro::kKindLCDText);
  ASSERT_NE(macro, nullptr);
  macro->SetParam(CMacro::P_LINE, 0);
  frame->ShowMacroEditor();
  auto* view = StepView<CLCDTextMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->Line1()->isChecked());
  EXPECT_FALSE(view->Line2()->isChecked());
  view->Line1()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_LINE), 1);
  EXPECT_TRUE(view->Line1()->isChecked());
  view->Line2()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_LINE), 2);
  EXPECT_FALSE(view->Line1()->isChecked());
  EXPECT_TRUE(view->Line2()->isChecked());
  view->BuzzerOnNewText()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_TIME), 1);
  view->ClearOtherLine()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_RUN), 1);
  view->ClearOtherLine()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_RUN), 0);
}

TEST_F(ConsoleStepTest, TypingTwentyCharactersKeepsSixteen) {
  CMacro* macro = Create(CMacro::kKindLCDText);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CLCDTextMacroView>();
  ASSERT_NE(view, nullptr);
  Type(view->TextEdit(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_TEXT), "ABCDEFGHIJKLMNOP");
  // The same limit without the edit's own.
  ConsoleStepFields::WriteText(*macro, QStringLiteral("01234567890123456789"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_TEXT), "0123456789012345");
}

TEST_F(ConsoleStepTest, DisplayDurationIsStoredOnEveryKeystroke) {
  CMacro* macro = Create(CMacro::kKindLCDText);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CLCDTextMacroView>();
  ASSERT_NE(view, nullptr);
  Type(view->DurationEdit(), QStringLiteral("12"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 12);
  ConsoleStepFields::WriteDisplayDuration(*macro, QStringLiteral("7 s"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 7);
  ConsoleStepFields::WriteDisplayDuration(*macro, QStringLiteral("abc"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 0);
  ConsoleStepFields::WriteDisplayDuration(*macro, QStringLiteral("-5"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 0);
}

TEST_F(ConsoleStepTest, ConsoleChoiceDropsAPairingInsteadOfFollowingIt) {
  CMacro* first = CMacro::CreateMacro(CMacro::kKindLCDText, *doc);
  CMacro* second = CMacro::CreateMacro(CMacro::kKindBuzzer, *doc);
  ASSERT_TRUE(first && second);
  CMacro::MakePair(*first, *second);
  ConsoleStepFields::WriteConsole(*first, 5);
  EXPECT_EQ(first->GetParam(CMacro::P_CONSOLE), 5);
  EXPECT_EQ(second->GetParam(CMacro::P_CONSOLE), 0);
  EXPECT_EQ(second->GetParam(CMacro::P_PARTNER), 0);
  EXPECT_EQ(first->GetPartner(), nullptr);
  EXPECT_EQ(second->GetPartner(), nullptr);
  // Without a partner the choice is just stored.
  ConsoleStepFields::WriteConsole(*second, 0);
  EXPECT_EQ(second->GetParam(CMacro::P_CONSOLE), 0);
  EXPECT_EQ(first->GetParam(CMacro::P_CONSOLE), 5);
}

TEST_F(ConsoleStepTest, BuzzerEditorShowsAndStoresItsFields) {
  CConsole* console = AddConsole(0, QStringLiteral("Desk"));
  ASSERT_NE(console, nullptr);
  CMacro* macro = Create(CMacro::kKindBuzzer);
  ASSERT_NE(macro, nullptr);
  macro->SetParam(CMacro::P_CONSOLE, console->GetID());
  macro->SetParamText(CMacro::P_TEXT, QStringLiteral("10101"));
  macro->SetParam(CMacro::P_TIME, 3);
  macro->SetParam(CMacro::P_BUZZ_REPEAT, 4);
  macro->SetParam(CMacro::P_BUZZ_PAUSE, 6);
  frame->ShowMacroEditor();
  auto* view = StepView<CBuzzerMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->ConsoleList()->currentText(), "Desk");
  EXPECT_EQ(view->PatternEdit()->text(), "10101");
  EXPECT_EQ(view->PatternTimeEdit()->text(), "3");
  EXPECT_EQ(view->RepeatEdit()->text(), "4");
  EXPECT_EQ(view->PauseEdit()->text(), "6");

  // The pattern time is typed after the fixed "0.": 5 means 0.5 s.
  bool fixedPrefix = false;
  for (const QLabel* label : view->findChildren<QLabel*>()) fixedPrefix |= label->text() == "0.";
  EXPECT_TRUE(fixedPrefix);
  Type(view->PatternTimeEdit(), QStringLiteral("5"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 5);
  EXPECT_TRUE(HasLineEnding(macro->GetDownloadLines(false), QStringLiteral("/PARAM/PTN_TIME 5")));

  Type(view->RepeatEdit(), QStringLiteral("12"));
  EXPECT_EQ(macro->GetParam(CMacro::P_BUZZ_REPEAT), 12);
  Type(view->PauseEdit(), QStringLiteral("200"));
  EXPECT_EQ(macro->GetParam(CMacro::P_BUZZ_PAUSE), 200);
  Type(view->PatternEdit(), QStringLiteral("1100"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_TEXT), "1100");

  view->ConsoleList()->setCurrentIndex(0);
  emit view->ConsoleList()->activated(0);
  EXPECT_EQ(macro->GetParam(CMacro::P_CONSOLE), 0);
  EXPECT_TRUE(HasLineEnding(macro->GetDownloadLines(false), QStringLiteral("/PARAM/ADDRESS 0")));
}

TEST_F(ConsoleStepTest, BuzzerNumbersAreKeptInTheirRanges) {
  CMacro* macro = CMacro::CreateMacro(CMacro::kKindBuzzer, *doc);
  ASSERT_NE(macro, nullptr);
  ConsoleStepFields::WritePatternTime(*macro, QStringLiteral("15"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 15);
  ConsoleStepFields::WritePatternTime(*macro, QStringLiteral("-1"));
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 0);
  ConsoleStepFields::WriteBuzzerCount(*macro, CMacro::P_BUZZ_REPEAT, QStringLiteral("300"));
  EXPECT_EQ(macro->GetParam(CMacro::P_BUZZ_REPEAT), 255);
  ConsoleStepFields::WriteBuzzerCount(*macro, CMacro::P_BUZZ_PAUSE, QStringLiteral("x"));
  EXPECT_EQ(macro->GetParam(CMacro::P_BUZZ_PAUSE), 0);
  ConsoleStepFields::WriteText(*macro, QStringLiteral("10101010101010101010"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_TEXT).size(), ConsoleStepFields::kTextMax);
}

// The pattern time takes every number the parameter holds, not one digit.
TEST_F(ConsoleStepTest, BuzzerPatternTimeTakesItsFullRange) {
  CMacro* macro = Create(CMacro::kKindBuzzer);
  ASSERT_NE(macro, nullptr);
  macro->SetParam(CMacro::P_TIME, 15);
  frame->ShowMacroEditor();
  auto* view = StepView<CBuzzerMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->PatternTimeEdit()->text(), "15");
  Type(view->PatternTimeEdit(), QStringLiteral("125"));
  EXPECT_EQ(view->PatternTimeEdit()->text(), "125");
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 125);
  EXPECT_TRUE(HasLineEnding(macro->GetDownloadLines(false), QStringLiteral("/PARAM/PTN_TIME 125")));
}

// The two lines are one choice: the arrow keys move it, and the move is
// stored.
TEST_F(ConsoleStepTest, LcdLineIsChosenWithTheArrowKeys) {
  CMacro* macro = Create(CMacro::kKindLCDText);
  ASSERT_NE(macro, nullptr);
  macro->SetParam(CMacro::P_LINE, 1);
  frame->ShowMacroEditor();
  auto* view = StepView<CLCDTextMacroView>();
  ASSERT_NE(view, nullptr);
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  ASSERT_TRUE(view->Line1()->isChecked());
  view->Line1()->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), view->Line1());
  QTest::keyClick(view->Line1(), Qt::Key_Right);
  EXPECT_TRUE(view->Line2()->isChecked());
  EXPECT_FALSE(view->Line1()->isChecked());
  EXPECT_EQ(macro->GetParam(CMacro::P_LINE), 2);
  QTest::keyClick(view->Line2(), Qt::Key_Left);
  EXPECT_TRUE(view->Line1()->isChecked());
  EXPECT_EQ(macro->GetParam(CMacro::P_LINE), 1);
}
