#include "shell/controls/valueeditcache.h"
#include "shell/controls/cvalueedit.h"
#include "shell/controls/qstringprinter.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(ValueEditCacheTest, UnchangedValueIsNotWrittenAgainUnlessForced) {
  ValueEditCache cache;
  EXPECT_EQ(cache.SetInt(5, false), std::optional<QString>("5"));  // first value always shows
  EXPECT_EQ(cache.SetInt(5, false), std::nullopt);
  EXPECT_EQ(cache.SetInt(5, true), std::optional<QString>("5"));
  EXPECT_EQ(cache.SetInt(6, false, "%03d"), std::optional<QString>("006"));

  EXPECT_EQ(cache.SetFloat(2.5, false, "%2.1f"), std::optional<QString>("2.5"));
  EXPECT_EQ(cache.SetFloat(2.5, false, "%2.1f"), std::nullopt);
}

TEST(ValueEditCacheTest, ReadingTakesTheTextOnlyWhenItScans) {
  ValueEditCache cache;
  cache.SetInt(40, true);
  EXPECT_EQ(cache.GetInt(true, "17"), 17);
  EXPECT_EQ(cache.GetInt(true, "abc"), 17);  // not a number: the cached value stays
  EXPECT_EQ(cache.GetInt(false, "99"), 17);  // without bRead the text is not looked at
  EXPECT_EQ(cache.GetInt(true, " 12 s"), 12);

  cache.SetFloat(1.0, true);
  EXPECT_DOUBLE_EQ(cache.GetFloat(true, "360.4"), 360.4);
  EXPECT_DOUBLE_EQ(cache.GetFloat(true, ""), 360.4);
}

TEST(ValueEditCacheTest, AReadValueCountsAsCachedForTheNextRefresh) {
  ValueEditCache cache;
  cache.SetInt(3, true);
  cache.GetInt(true, "8");
  // The unit now reports the value the user typed: nothing to rewrite.
  EXPECT_EQ(cache.SetInt(8, false), std::nullopt);
}

TEST(CValueEditTest, RefreshLeavesTypingAloneAndEnterHandsBackTheFocus) {
  QWidget parent;
  parent.setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QVBoxLayout(&parent);
  auto* edit = new CValueEdit(&parent);
  layout->addWidget(edit);
  parent.show();
  parent.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));

  edit->SetInt(100);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "42");
  edit->SetInt(100);  // periodic refresh with the same value
  EXPECT_EQ(edit->text(), "42");

  QSignalSpy killFocus(edit, &CValueEdit::killFocus);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(edit->hasFocus());
  EXPECT_EQ(killFocus.count(), 1);
  EXPECT_EQ(edit->GetInt(true), 42);
}

}  // namespace
