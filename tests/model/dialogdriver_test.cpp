// The dialog driver used by every widget test: it must run the action on
// the dialog that opens, and fail rather than hang when something is wrong.
#include "support/dialogdriver.h"

#include "support/waituntil.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(DialogDriverTest, RunsTheActionOnTheModalDialog) {
  QDialog dialog;
  auto* edit = new QLineEdit(&dialog);
  edit->setObjectName(QStringLiteral("name"));
  QWidget* seen = nullptr;
  DriveNextModal([&](QWidget* w) {
    seen = w;
    w->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Hall"));
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(seen, &dialog);
  EXPECT_EQ(edit->text(), QStringLiteral("Hall"));
  EXPECT_EQ(PendingModalDrivers(), 0);
}

TEST(DialogDriverTest, DrivesNestedDialogsInOrder) {
  QDialog outer;
  QDialog inner(&outer);
  int innerResult = -1;
  DriveNextModal([&](QWidget* w) {
    EXPECT_EQ(w, &outer);
    innerResult = inner.exec();
    static_cast<QDialog*>(w)->accept();
  });
  DriveNextModal([&](QWidget* w) {
    EXPECT_EQ(w, &inner);
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(outer.exec(), QDialog::Accepted);
  EXPECT_EQ(innerResult, QDialog::Rejected);
}

TEST(DialogDriverTest, ActionThatLeavesTheDialogOpenFailsButDoesNotHang) {
  QDialog dialog;
  int result = -1;
  EXPECT_NONFATAL_FAILURE(
      {
        DriveNextModal([](QWidget*) {}, 50);
        result = dialog.exec();
      },
      "left the dialog open");
  EXPECT_EQ(result, QDialog::Rejected);
}

TEST(DialogDriverTest, DialogThatNeverComesFails) {
  EXPECT_NONFATAL_FAILURE(
      {
        DriveNextModal([](QWidget*) {}, 50);
        // Until the driver has given up, however long the machine takes.
        EXPECT_TRUE(WaitUntil([] { return PendingModalDrivers() == 0; }));
      },
      "no modal dialog appeared");
  EXPECT_EQ(PendingModalDrivers(), 0);
}

TEST(DialogDriverTest, WaitingInVainClosesTheModalThatIsOpen) {
  // The first action leaves its dialog open; the second driver waits for a
  // new dialog that never comes, gives up, and rejects the open one.
  QDialog dialog;
  int result = -1;
  EXPECT_NONFATAL_FAILURE(
      {
        DriveNextModal([](QWidget*) {});
        DriveNextModal([](QWidget*) {}, 50);
        result = dialog.exec();
      },
      "no modal dialog appeared");
  EXPECT_EQ(result, QDialog::Rejected);
}

TEST(DialogDriverTest, AnActionMayTakeLongerThanTheLimit) {
  // The limit counts from when the action returns: a long action (one that
  // walks every window of a host, say) is not cut short.
  QDialog dialog;
  bool finished = false;
  DriveNextModal(
      [&](QWidget* w) {
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 200) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        finished = true;
        static_cast<QDialog*>(w)->accept();
      },
      50);
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(finished);
}

TEST(DialogDriverTest, CancelDisarmsPendingDrivers) {
  DriveNextModal([](QWidget*) {});
  EXPECT_EQ(PendingModalDrivers(), 1);
  EXPECT_EQ(CancelModalDrivers(), 1);
  EXPECT_EQ(PendingModalDrivers(), 0);
}
