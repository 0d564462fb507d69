// In-place cell editors: Enter commits, Escape and focus loss cancel, and
// whatever happens afterwards (the editor closing, a message box taking the
// focus) never reports a second end.
#include "shell/controls/cinplacedatetimectrl.h"
#include "shell/controls/cinplaceedit.h"
#include "shell/controls/inplaceeditsession.h"
#include "shell/controls/qstringprinter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct End {
  int row;
  int column;
  QString text;
  bool cancelled;
};

TEST(InPlaceEditSessionTest, OnlyTheFirstEndIsReported) {
  std::vector<InPlaceEditResult> ends;
  InPlaceEditSession session(3, 2, [&](const InPlaceEditResult& r) { ends.push_back(r); });
  EXPECT_TRUE(session.Commit("Hall"));
  EXPECT_FALSE(session.FocusLost());
  EXPECT_FALSE(session.Cancel());
  EXPECT_FALSE(session.Commit("other"));
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].row, 3);
  EXPECT_EQ(ends[0].column, 2);
  EXPECT_FALSE(ends[0].Cancelled());
  EXPECT_EQ(*ends[0].text, "Hall");
}

TEST(InPlaceEditSessionTest, CancelReportsNoTextEvenForAnEmptyCommitLater) {
  std::vector<InPlaceEditResult> ends;
  InPlaceEditSession session(0, 1, [&](const InPlaceEditResult& r) { ends.push_back(r); });
  EXPECT_TRUE(session.FocusLost());
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_TRUE(ends[0].Cancelled());
  EXPECT_FALSE(ends[0].text.has_value());
  // An empty committed text is a text, not a cancel.
  InPlaceEditSession other(0, 1, [&](const InPlaceEditResult& r) { ends.push_back(r); });
  other.Commit(QString());
  ASSERT_EQ(ends.size(), 2u);
  EXPECT_FALSE(ends[1].Cancelled());
}

TEST(InPlaceEditSessionTest, KeysMapToCommitAndCancel) {
  EXPECT_EQ(InPlaceEditSession::ActionForKey(Qt::Key_Return), InPlaceEditSession::Action::Commit);
  EXPECT_EQ(InPlaceEditSession::ActionForKey(Qt::Key_Enter), InPlaceEditSession::Action::Commit);
  EXPECT_EQ(InPlaceEditSession::ActionForKey(Qt::Key_Escape), InPlaceEditSession::Action::Cancel);
  EXPECT_EQ(InPlaceEditSession::ActionForKey(Qt::Key_A), InPlaceEditSession::Action::None);
  EXPECT_EQ(InPlaceEditSession::ActionForKey(Qt::Key_Tab), InPlaceEditSession::Action::None);
}

class InPlaceEditTest : public testing::Test {
 protected:
  void SetUp() override {
    m_window.resize(300, 200);
    auto* layout = new QVBoxLayout(&m_window);
    m_other = new QLineEdit(&m_window);
    layout->addWidget(m_other);
    layout->addStretch();
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
  }

  template <typename Editor>
  void Watch(Editor* editor) {
    QObject::connect(editor, &Editor::endEdit, [this](int row, int column, const QString& text, bool cancelled) {
      m_ends.push_back(End{row, column, text, cancelled});
    });
  }

  QWidget m_window;
  QLineEdit* m_other = nullptr;
  std::vector<End> m_ends;
};

TEST_F(InPlaceEditTest, EnterCommitsTheTypedTextAndTheEditGoes) {
  QPointer<CInPlaceEdit> edit = new CInPlaceEdit(4, 3, "old", &m_window, QRect(10, 50, 120, 22));
  Watch(edit.data());
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  QTest::keyClicks(edit, "new");  // the initial text is selected, so typing replaces it
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_EQ(m_ends[0].row, 4);
  EXPECT_EQ(m_ends[0].column, 3);
  EXPECT_EQ(m_ends[0].text, "new");
  EXPECT_FALSE(m_ends[0].cancelled);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(edit.isNull());
}

TEST_F(InPlaceEditTest, EscapeCancelsWithoutText) {
  auto* edit = new CInPlaceEdit(1, 0, "old", &m_window, QRect(10, 50, 120, 22));
  Watch(edit);
  QTest::keyClicks(edit, "typed");
  QTest::keyClick(edit, Qt::Key_Escape);
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_TRUE(m_ends[0].cancelled);
  EXPECT_TRUE(m_ends[0].text.isEmpty());
}

TEST_F(InPlaceEditTest, LosingTheFocusCancels) {
  auto* edit = new CInPlaceEdit(2, 5, "old", &m_window, QRect(10, 50, 120, 22));
  Watch(edit);
  QTest::keyClicks(edit, "typed");
  m_other->setFocus(Qt::MouseFocusReason);
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_TRUE(m_ends[0].cancelled);
}

TEST_F(InPlaceEditTest, TheFocusLeavingAfterEnterDoesNotReportASecondEnd) {
  auto* edit = new CInPlaceEdit(0, 0, "old", &m_window, QRect(10, 50, 120, 22));
  Watch(edit);
  // The owner moves the focus away while handling the end, as a message box would.
  QObject::connect(edit, &CInPlaceEdit::endEdit, [this] { m_other->setFocus(); });
  QTest::keyClick(edit, Qt::Key_Return);
  QApplication::processEvents();
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_FALSE(m_ends[0].cancelled);
  EXPECT_EQ(m_ends[0].text, "old");
}

TEST_F(InPlaceEditTest, DatePickerCommitsTheDateInTheGivenLocale) {
  const QLocale german(QLocale::German, QLocale::Germany);
  auto* picker = new CInPlaceDateTimeCtrl(6, 3, "24.12.2024", CellDateTimeFormat::Kind::Date, &m_window,
                                          QRect(10, 50, 150, 24), german);
  Watch(picker);
  EXPECT_EQ(picker->date(), QDate(2024, 12, 24));
  picker->setDate(QDate(2025, 1, 6));
  QTest::keyClick(picker, Qt::Key_Return);
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_EQ(m_ends[0].text, "06.01.2025");
  EXPECT_FALSE(m_ends[0].cancelled);
}

TEST_F(InPlaceEditTest, TimePickerStartsFromTheCellAndEscapeCancels) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  auto* picker = new CInPlaceDateTimeCtrl(0, 1, "17:45", CellDateTimeFormat::Kind::Time, &m_window,
                                          QRect(10, 50, 150, 24), english);
  Watch(picker);
  EXPECT_EQ(picker->time(), QTime(17, 45));
  EXPECT_EQ(picker->CurrentText(), "17:45");  // 24-hour clock even for this locale
  QTest::keyClick(picker, Qt::Key_Escape);
  ASSERT_EQ(m_ends.size(), 1u);
  EXPECT_TRUE(m_ends[0].cancelled);
}

TEST_F(InPlaceEditTest, PickerOnAnEmptyCellStartsToday) {
  auto* picker = new CInPlaceDateTimeCtrl(0, 1, "", CellDateTimeFormat::Kind::Date, &m_window, QRect(10, 50, 150, 24),
                                          QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(picker->date(), QDate::currentDate());
  picker->deleteLater();
}

}  // namespace
