#include "model/cmessagesink.h"
#include "shell/controls/cpropertypage.h"
#include "shell/controls/cpropertysheet.h"
#include "support/dialogdriver.h"

#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page that logs every notification and can refuse to be left or
// cancelled.
class LogPage final : public CPropertyPage {
 public:
  LogPage(const char* name, std::vector<std::string>& log) : CPropertyPage(1, name), m_name(name), m_log(log) {}
  bool OnSetActive() override { return Log("set") && CPropertyPage::OnSetActive(); }
  bool OnKillActive() override { return Log("kill") && m_bLeave; }
  bool OnApply() override { return Log("apply") && CPropertyPage::OnApply(); }
  void OnCancel() override { Log("cancel"); }
  bool OnQueryCancel() override { return Log("query") && m_bCancel; }

  bool m_bLeave = true;
  bool m_bCancel = true;

 private:
  bool Log(const char* what) {
    m_log.push_back(m_name + ":" + what);
    return true;
  }
  std::string m_name;
  std::vector<std::string>& m_log;
};

struct Sheet {
  Sheet() : one(new LogPage("one", log)), two(new LogPage("two", log)) {
    sheet.AddPage(one);
    sheet.AddPage(two);
  }
  std::vector<std::string> log;
  CPropertySheet sheet{"Test"};
  LogPage* one;
  LogPage* two;
};

using Log = std::vector<std::string>;

TEST(PropertySheetTest, ApplyFollowsTheModifiedPagesAndAppliesOnlyThem) {
  Sheet s;
  s.sheet.show();
  EXPECT_FALSE(s.sheet.IsApplyEnabled());
  s.two->SetModified();
  EXPECT_TRUE(s.sheet.IsApplyEnabled());
  s.log.clear();
  s.sheet.GetButton(CPropertySheet::ID_APPLY_NOW)->click();
  EXPECT_EQ(s.log, (Log{"one:kill", "two:apply"}));
  EXPECT_FALSE(s.sheet.IsApplyEnabled());
  EXPECT_TRUE(s.sheet.isVisible());
}

TEST(PropertySheetTest, TabSwitchAsksTheOldPageWhichMayRefuse) {
  Sheet s;
  s.sheet.show();
  EXPECT_EQ(s.log, (Log{"one:set"}));
  s.one->m_bLeave = false;
  s.sheet.GetTabControl()->setCurrentIndex(1);
  EXPECT_EQ(s.sheet.GetActiveIndex(), 0);
  EXPECT_EQ(s.sheet.GetTabControl()->currentIndex(), 0);
  s.one->m_bLeave = true;
  s.log.clear();
  s.sheet.GetTabControl()->setCurrentIndex(1);
  EXPECT_EQ(s.log, (Log{"one:kill", "two:set"}));
  EXPECT_EQ(s.sheet.GetActivePage(), s.two);
}

TEST(PropertySheetTest, OkAppliesEveryShownPageAndCancelCanBeRefused) {
  {
    Sheet s;
    DriveNextModal([&](QWidget*) {
      s.sheet.SetActivePage(1);
      s.log.clear();
      s.sheet.PressButton(CPropertySheet::PSBTN_OK);
    });
    EXPECT_EQ(s.sheet.DoModal(), IDOK);
    EXPECT_EQ(s.log, (Log{"two:kill", "one:apply", "two:apply"}));
  }
  {
    Sheet s;
    DriveNextModal([&](QWidget*) {
      s.one->m_bCancel = false;
      s.sheet.reject();  // Escape
      EXPECT_TRUE(s.sheet.isVisible());
      s.one->m_bCancel = true;
      s.log.clear();
      s.sheet.PressButton(CPropertySheet::PSBTN_CANCEL);
    });
    EXPECT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(s.log, (Log{"one:query", "one:cancel", "two:cancel"}));
  }
}

}  // namespace
