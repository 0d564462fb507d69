// The service dialog: what it sends on opening, on its timer, its buttons
// and register edits, and how the routed replies reach its texts.
#include "online/cservicedlg.h"

#include "online/clinestatebar.h"
#include "online/onlinetestsupport.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Edits a cell as the user does: the cell's editor opens, takes the text
// and a key ends the edit (Enter takes the text, Esc drops it).
void EditCell(QTableWidget* table, int row, int column, const QString& text, Qt::Key end = Qt::Key_Return) {
  QTableWidgetItem* item = table->item(row, column);
  ASSERT_NE(item, nullptr);
  table->setCurrentItem(item);
  table->editItem(item);
  QLineEdit* editor = nullptr;
  for (QLineEdit* candidate : table->viewport()->findChildren<QLineEdit*>()) {
    if (!candidate->isHidden()) editor = candidate;
  }
  ASSERT_NE(editor, nullptr);
  editor->setText(text);
  QTest::keyClick(editor, end);
  // The view ends the edit from its event queue.
  QCoreApplication::processEvents();
}

class CServiceDlgTest : public OnlineTest {
 protected:
  CInternalSlot* ServiceSlot() { return CInternalSlot::FindByKind(&m_doc, CInternalSlot::KIND_SERVICE); }
  MessageRecorder m_messages;
};

TEST_F(CServiceDlgTest, OpeningAsksStatusAndRegistersAndAnnouncesItself) {
  Connect();
  CInternalSlot slot;
  {
    CServiceDlg dialog(&slot);
    EXPECT_EQ(slot.GetServiceWindow(), &dialog);
    const QStringList lines = m_link.Commands();
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines.first(), "/SERVICE/ONTIME ?");
    EXPECT_EQ(lines.last(), "/SERVICE/SPI/LOGIC/IN ?");
    EXPECT_TRUE(dialog.IsPolling());
    EXPECT_EQ(dialog.TestSelection()->count(), 21);
    EXPECT_EQ(dialog.RegisterList()->item(2, 2)->text(), "SPI3");
    EXPECT_EQ(dialog.RegisterList()->item(7, 2)->text(), "LOGIC");
    m_link.Clear();
    dialog.OnTimer();
    EXPECT_EQ(m_link.Commands(), (QStringList{"/SERVICE/ONTIME ?", "/SERVICE/ONCOUNT ?"}));
  }
  EXPECT_EQ(slot.GetServiceWindow(), nullptr);
}

TEST_F(CServiceDlgTest, RoutedRepliesFillTheTexts) {
  CInternalSlot slot;
  CServiceDlg dialog(&slot);
  dialog.ParseReply("SERVICE/ONTIME 1234");
  dialog.ParseReply("SERVICE/ONCOUNT 42");
  dialog.ParseReply("SERVICE/VER 5.1");
  dialog.ParseReply("SERVICE/SPI3/IN 7");
  dialog.ParseReply("SERVICE/LOGIC/OUT 9");
  EXPECT_EQ(dialog.OnlineTimeText()->text(), "1234");
  EXPECT_EQ(dialog.PowerOnCountText()->text(), "42");
  EXPECT_EQ(dialog.VersionText()->text(), "5.1");
  EXPECT_EQ(dialog.RegisterList()->item(2, 1)->text(), "7");
  EXPECT_EQ(dialog.RegisterList()->item(7, 0)->text(), "9");
  // Filling a cell from a reply never writes it back.
  m_link.Clear();
  dialog.ParseReply("SERVICE/SPI1/OUT 3");
  EXPECT_TRUE(m_link.Commands().isEmpty());
  // The same time again leaves a text the user may have changed alone.
  dialog.OnlineTimeText()->setText("x");
  dialog.ParseReply("SERVICE/ONTIME 1234");
  EXPECT_EQ(dialog.OnlineTimeText()->text(), "x");
}

TEST_F(CServiceDlgTest, StartWithoutSelectionSendsTheBlank) {
  Connect();
  CServiceDlg dialog(nullptr);
  m_link.Clear();
  dialog.findChild<QPushButton*>("startTest")->click();
  EXPECT_EQ(m_link.Commands(), QStringList{"/SERVICE/START "});
  m_link.Clear();
  dialog.TestSelection()->setCurrentIndex(7);
  dialog.findChild<QPushButton*>("startTest")->click();
  EXPECT_EQ(m_link.Commands(), QStringList{"/SERVICE/START RTC"});
}

TEST_F(CServiceDlgTest, EditingSpi3WritesThenReadsItsInput) {
  Connect();
  CServiceDlg dialog(nullptr);
  dialog.show();
  m_link.Clear();
  EditCell(dialog.RegisterList(), 2, 0, "12");
  EXPECT_EQ(m_link.Commands(), (QStringList{"/SERVICE/SPI3/OUT 12", "/SERVICE/SPI3/IN ?"}));
  EXPECT_EQ(dialog.RegisterList()->item(2, 0)->text(), "12");
  m_link.Clear();
  dialog.findChild<QPushButton*>("readRegisters")->click();
  const QStringList lines = m_link.Commands();
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[14], "/SERVICE/LOGIC/OUT ?");
}

TEST_F(CServiceDlgTest, EditEndedWithTheShownValueWritesItAgain) {
  Connect();
  CServiceDlg dialog(nullptr);
  dialog.show();
  dialog.ParseReply("SERVICE/SPI5/OUT 40");
  m_link.Clear();
  // The unit may have changed its output since the cell was read: Enter on
  // the unchanged text still writes the register.
  EditCell(dialog.RegisterList(), 4, 0, "40");
  EXPECT_EQ(m_link.Commands(), (QStringList{"/SERVICE/SPI5/OUT 40", "/SERVICE/SPI5/IN ?"}));
  m_link.Clear();
  // Esc ends the edit without a text: nothing is written, the cell keeps
  // its value.
  EditCell(dialog.RegisterList(), 4, 0, "41", Qt::Key_Escape);
  EXPECT_TRUE(m_link.Commands().isEmpty());
  EXPECT_EQ(dialog.RegisterList()->item(4, 0)->text(), "40");
  // Programmatic changes (the unit's answers) never write.
  dialog.RegisterList()->item(4, 0)->setText("7");
  EXPECT_TRUE(m_link.Commands().isEmpty());
}

TEST_F(CServiceDlgTest, ServiceSlotOpensTheDialogAndRoutesReplies) {
  CInternalSlot* slot = ServiceSlot();
  ASSERT_NE(slot, nullptr);
  QString onlineTime;
  DriveNextModal([&](QWidget* widget) {
    auto* dialog = qobject_cast<CServiceDlg*>(widget);
    ASSERT_NE(dialog, nullptr);
    QString error;
    slot->Upload("SERVICE/ONTIME 77", error, 0);
    onlineTime = dialog->OnlineTimeText()->text();
    dialog->reject();
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(onlineTime, "77");
  EXPECT_EQ(slot->GetServiceWindow(), nullptr);
}

TEST_F(CServiceDlgTest, OffLineItAsksNothingAndCommandsSayTheyWereNotSent) {
  CServiceDlg dialog(nullptr);
  dialog.show();
  EXPECT_TRUE(m_link.Commands().isEmpty());
  EXPECT_FALSE(dialog.IsPolling());
  EXPECT_EQ(dialog.PowerOnCountText()->text(), CServiceDlg::NotAnsweredText());
  EXPECT_EQ(dialog.VersionText()->text(), CServiceDlg::NotAnsweredText());
  dialog.TestSelection()->setCurrentIndex(7);
  dialog.findChild<QPushButton*>("startTest")->click();
  dialog.findChild<QPushButton*>("readRegisters")->click();
  EXPECT_TRUE(m_link.Commands().isEmpty());
  ASSERT_NE(dialog.LineBar(), nullptr);
  EXPECT_TRUE(dialog.LineBar()->Text().contains("Not sent")) << dialog.LineBar()->Text().toStdString();
  // Connected, it asks everything and polls.
  Connect();
  EXPECT_TRUE(dialog.IsPolling());
  EXPECT_EQ(m_link.Commands().size(), 19);
}

}  // namespace
