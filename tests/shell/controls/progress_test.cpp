#include "link/ctransfer.h"
#include "model/cstringtable.h"
#include "shell/clanguageswitcher.h"
#include "shell/controls/cprogressdlg.h"
#include "shell/controls/ctextfitguard.h"
#include "shell/controls/progressstate.h"
#include "shell/controls/qstringprinter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

TEST(ProgressStateTest, PositionStaysWithinTheRangeAndPercentNeverDividesByZero) {
  ProgressState state;
  state.SetRange(0, 200);
  EXPECT_TRUE(state.SetPos(50));
  EXPECT_EQ(state.Percent(), 25);
  EXPECT_FALSE(state.SetPos(50));
  state.SetPos(500);
  EXPECT_EQ(state.Pos(), 200);
  state.SetPos(-3);
  EXPECT_EQ(state.Pos(), 0);

  state.SetRange(10, 5);  // reversed: empty range
  EXPECT_EQ(state.Upper(), 10);
  EXPECT_EQ(state.Percent(), 0);

  state.SetProgress(0, 0);  // an object with no steps
  EXPECT_EQ(state.Percent(), 0);
  state.SetProgress(7, 7);
  EXPECT_EQ(state.Percent(), 100);
}

TEST(ProgressStateTest, CancelReachesTheTransferOnce) {
  ProgressState state;
  int cancels = 0;
  state.SetCancelHandler([&] { ++cancels; });
  EXPECT_TRUE(state.RequestCancel());
  EXPECT_FALSE(state.RequestCancel());
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(state.IsCancelRequested());
}

TEST(CProgressDlgTest, CancelButtonAndCloseBoxCallTheTransfersCancelOnce) {
  CProgressDlg dlg;
  int cancels = 0;
  dlg.SetCancelHandler([&] { ++cancels; });
  dlg.SetText("Download");
  dlg.SetProgress(3, 12);
  dlg.show();
  auto* bar = dlg.findChild<QProgressBar*>("progress");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 12);
  EXPECT_EQ(bar->value(), 3);

  auto* cancel = dlg.findChild<QPushButton*>("cancel");
  ASSERT_NE(cancel, nullptr);
  cancel->click();
  EXPECT_EQ(cancels, 1);
  EXPECT_FALSE(cancel->isEnabled());
  dlg.close();  // the close box asks again: nothing more happens
  EXPECT_EQ(cancels, 1);
  // Cancel only asks: the window stays until the transfer has ended.
  EXPECT_TRUE(dlg.isVisible());
  dlg.Finish();
  EXPECT_FALSE(dlg.isVisible());
}

// Stands for the transfer driver: the dialog needs only these two calls.
struct FakeTransfer {
  std::function<void(int, int)> progress;
  std::function<void()> end;
  bool canceled = false;
  void SetProgressHandler(std::function<void(int, int)> handler) { progress = std::move(handler); }
  void SetEndHandler(std::function<void()> handler) { end = std::move(handler); }
  void Cancel() { canceled = true; }
};

TEST(CProgressDlgTest, AttachedTransferReportsProgressAndIsCanceledByTheButton) {
  CProgressDlg dlg;
  FakeTransfer transfer;
  dlg.AttachTo(transfer);
  ASSERT_TRUE(transfer.progress);
  transfer.progress(40, 160);
  EXPECT_EQ(dlg.State().Percent(), 25);
  EXPECT_EQ(dlg.findChild<QProgressBar*>("progress")->value(), 40);
  dlg.findChild<QPushButton*>("cancel")->click();
  EXPECT_TRUE(transfer.canceled);
  // The transfer's end takes the window away.
  dlg.show();
  ASSERT_TRUE(transfer.end);
  transfer.end();
  EXPECT_FALSE(dlg.isVisible());
}

// The window shows the share done once: the bar's own figure rounds where
// the line below does not (249 of 1000: "25%" above "24 %").
TEST(CProgressDlgTest, ShowsTheShareDoneAsOneFigure) {
  CProgressDlg dlg;
  FakeTransfer transfer;
  dlg.AttachTo(transfer);
  dlg.show();
  const QRegularExpression percent(QStringLiteral("(\\d+) ?%"));
  for (const auto& [done, total] : {std::pair{249, 1000}, std::pair{3, 12}, std::pair{1000, 1000}}) {
    SCOPED_TRACE(done);
    transfer.progress(done, total);
    QStringList figures;
    auto collect = [&](const QString& text) {
      for (auto it = percent.globalMatch(text); it.hasNext();) figures << it.next().captured(1);
    };
    for (const QLabel* label : dlg.findChildren<QLabel*>())
      if (label->isVisible()) collect(label->text());
    const auto* bar = dlg.findChild<QProgressBar*>("progress");
    if (bar->isTextVisible()) collect(bar->text());
    EXPECT_EQ(figures, QStringList{QString::number(done * 100 / total)});
  }
}

TEST(CProgressDlgTest, CancelReachesTheRealTransferDriver) {
  CTransfer transfer;
  CProgressDlg dlg;
  dlg.AttachTo(transfer);
  dlg.findChild<QPushButton*>("cancel")->click();
  EXPECT_TRUE(transfer.IsCanceled());
}

}  // namespace

TEST(CProgressDlgTest, IsAsWideAsTheTitleOfEveryTransferInBothLanguages) {
  CLanguageSwitcher switcher;
  for (CStringTable::Language language : {CStringTable::Language::English, CStringTable::Language::German}) {
    switcher.Apply(language);
    for (const char* title : {"Download to the unit", "Upload from the unit"}) {
      CProgressDlg dlg;
      dlg.setWindowTitle(QCoreApplication::translate("CLinkPanel", title));
      dlg.SetText(dlg.windowTitle());
      dlg.show();
      QApplication::processEvents();
      const int needed = CTextFitGuard::TitleWidth(dlg);
      EXPECT_GE(dlg.minimumWidth(), needed) << dlg.windowTitle().toStdString();
      EXPECT_GE(dlg.width(), needed) << dlg.windowTitle().toStdString();
      dlg.Finish();
    }
  }
  switcher.Apply(CStringTable::Language::English);
}
