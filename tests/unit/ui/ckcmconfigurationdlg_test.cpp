// The card configuration dialog as the user meets it: the tree mirrors the
// project, the offer list follows the selection, a drop on the tree acts on
// the selected item, Delete removes, and Enter in a label edit only ends
// the edit.

#include "unit/ui/ckcmconfigurationdlg.h"
#include "amps/crelais.h"
#include "amps/ui/dragcursors.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizabletreectrl.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/ckcm.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Node = KCMConfigurationState::Node;

class CKCMConfigurationDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    dlg = std::make_unique<CKCMConfigurationDlg>(doc);
    dlg->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    dlg.reset();
    doc.PurgeDeleted();
  }

  QTreeWidgetItem* Item(const QString& text) {
    const auto found = dlg->Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
  }

  QStringList Offers() {
    QStringList texts;
    for (int row = 0; row < dlg->OfferList()->GetItemCount(); ++row) texts << dlg->OfferList()->GetItemText(row, 0);
    return texts;
  }

  void Select(QTreeWidgetItem* item) { dlg->Tree()->setCurrentItem(item); }

  // Drops the offer row on the tree where pos lies (the target is still the
  // selected item).
  void DropRow(int row, QPoint pos = QPoint(5, 5)) {
    std::unique_ptr<QMimeData> mime = CKCMConfigurationDlg::MakeOfferMime(row);
    Deliver(mime.get(), pos);
  }

  // The application routes a drop to the widget that accepted the drag's
  // entry, so the entry comes first.
  void Deliver(const QMimeData* mime, QPoint pos) {
    QDragEnterEvent enter(pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dlg->Tree()->viewport(), &enter);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dlg->Tree()->viewport(), &drop);
  }

  void DropOffer(const QString& itemText, const QString& offer) {
    QTreeWidgetItem* item = Item(itemText);
    ASSERT_NE(item, nullptr) << itemText.toStdString();
    Select(item);
    const int row = Offers().indexOf(offer);
    ASSERT_GE(row, 0) << offer.toStdString();
    DropRow(row);
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  std::unique_ptr<CKCMConfigurationDlg> dlg;
};

TEST_F(CKCMConfigurationDlgTest, EmptyProjectShowsRootAndOffersBusCard) {
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("KCM Configuration"));
  EXPECT_EQ(dlg->OfferList()->headerItem()->text(0), QStringLiteral("Selection list"));
  ASSERT_EQ(dlg->Tree()->topLevelItemCount(), 1);
  QTreeWidgetItem* root = dlg->Tree()->topLevelItem(0);
  EXPECT_EQ(root->text(0), QStringLiteral("KCM Modules"));
  EXPECT_EQ(root->childCount(), 0);
  EXPECT_TRUE(Offers().isEmpty());
  Select(root);
  EXPECT_EQ(Offers(), QStringList{QStringLiteral("KCM201")});
}

TEST_F(CKCMConfigurationDlgTest, DropGoesToTheSelectedItemNotTheOneUnderTheCursor) {
  DropOffer(QStringLiteral("KCM Modules"), QStringLiteral("KCM201"));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 1);
  QTreeWidgetItem* bus = Item(QStringLiteral("KCM201-1"));
  ASSERT_NE(bus, nullptr);
  EXPECT_TRUE(bus->isExpanded());

  Select(bus->child(1));
  EXPECT_EQ(Offers(), QStringList{QStringLiteral("KCM212")});
  // The cursor is over the root; the KCM212 still lands on the bus card.
  DropRow(0, dlg->Tree()->visualItemRect(dlg->Tree()->topLevelItem(0)).center());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM212), 1);
  ASSERT_NE(Item(QStringLiteral("KCM212: 0")), nullptr);
  EXPECT_EQ(Item(QStringLiteral("KCM212: 0"))->childCount(), 12);
  // The offer list was filled again for the input group.
  EXPECT_EQ(Offers(), QStringList{QStringLiteral("KCM212")});
}

TEST_F(CKCMConfigurationDlgTest, ForeignDropDataIsIgnored) {
  Select(dlg->Tree()->topLevelItem(0));
  QMimeData mime;
  mime.setText(QStringLiteral("0"));
  Deliver(&mime, QPoint(5, 5));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 0);
}

TEST_F(CKCMConfigurationDlgTest, ExpandingACardSwitchesItsPicture) {
  DropOffer(QStringLiteral("KCM Modules"), QStringLiteral("KCM201"));
  DropOffer(QStringLiteral("Output modules"), QStringLiteral("KCM208"));
  QTreeWidgetItem* card = Item(QStringLiteral("KCM208: 0"));
  ASSERT_NE(card, nullptr);
  Node* node = dlg->NodeOf(card);
  ASSERT_NE(node, nullptr);
  card->setExpanded(false);
  EXPECT_EQ(node->Image(), 4);
  card->setExpanded(true);
  EXPECT_EQ(node->Image(), 5);
}

TEST_F(CKCMConfigurationDlgTest, EnterInLabelEditRenamesAndKeepsTheDialogOpen) {
  DropOffer(QStringLiteral("KCM Modules"), QStringLiteral("KCM201"));
  DropOffer(QStringLiteral("Input modules"), QStringLiteral("KCM212"));
  DropOffer(QStringLiteral("3"), QStringLiteral("Label"));
  QTreeWidgetItem* label = Item(QStringLiteral("KCM212-3"));
  ASSERT_NE(label, nullptr);
  CBaseDevice* pad = dlg->NodeOf(label)->object;
  ASSERT_NE(pad, nullptr);

  // Cards refuse editing.
  EXPECT_FALSE(Item(QStringLiteral("KCM212: 3"))->flags() & Qt::ItemIsEditable);

  Select(label);
  dlg->Tree()->editItem(label, 0);
  const auto editors = dlg->Tree()->viewport()->findChildren<QLineEdit*>();
  ASSERT_FALSE(editors.isEmpty());
  QLineEdit* editor = editors.last();
  editor->setText(QStringLiteral("Fire door"));
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();

  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), 0);
  EXPECT_EQ(pad->GetName(), QStringLiteral("Fire door"));
  ASSERT_NE(Item(QStringLiteral("Fire door")), nullptr);

  // With no edit open, OK closes.
  dlg->accept();
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(CKCMConfigurationDlgTest, DeleteKeyRemovesAnIdleCard) {
  DropOffer(QStringLiteral("KCM Modules"), QStringLiteral("KCM201"));
  DropOffer(QStringLiteral("Output modules"), QStringLiteral("KCM209"));
  ASSERT_EQ(doc.GetIDManager().GetCount(DT_KCM209), 1);
  Select(Item(QStringLiteral("KCM209: 0")));
  QTest::keyClick(dlg->Tree(), Qt::Key_Delete);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM209), 0);
  EXPECT_EQ(Item(QStringLiteral("KCM209: 0")), nullptr);
  ASSERT_NE(Item(QStringLiteral("KCM201-1")), nullptr);
  EXPECT_TRUE(messages.Requests().empty());
}

// A collection call takes any free relay dropped on, not only the relays of
// a KCM208: here a relay of a KCM209 that an older project left as a zone
// relay, which offers the collection call.
TEST_F(CKCMConfigurationDlgTest, CollectionCallTakesARelayOfAnyCard) {
  DropOffer(QStringLiteral("KCM Modules"), QStringLiteral("KCM201"));
  DropOffer(QStringLiteral("Output modules"), QStringLiteral("KCM209"));
  QTreeWidgetItem* card = Item(QStringLiteral("KCM209: 0"));
  ASSERT_NE(card, nullptr);
  ASSERT_GE(card->childCount(), 1);
  QTreeWidgetItem* item = card->child(0);
  CBaseDevice* onCard = doc.GetIDManager().FindBaseDevice(1, DT_KCM209);
  ASSERT_NE(onCard, nullptr);
  ASSERT_NE(onCard->FindInputConnection(0), nullptr);
  auto* relay = dynamic_cast<CRelais*>(onCard->FindInputConnection(0)->pPeer);
  ASSERT_NE(relay, nullptr);
  relay->SetKind(CRelais::KIND_ZONE);
  Select(item);
  const int row = Offers().indexOf(QStringLiteral("Collection call"));
  ASSERT_GE(row, 0) << Offers().join(", ").toStdString();
  DropRow(row);
  ASSERT_NE(relay->FindInputConnection(0), nullptr);
  const CBaseDevice* call = relay->FindInputConnection(0)->pPeer;
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->GetType(), DT_COLLCALL);
  EXPECT_EQ(relay->GetKind(), CRelais::KIND_COLLCALL);
  EXPECT_NE(Item(call->GetName()), nullptr);
  EXPECT_TRUE(messages.Requests().empty());
}

QImage Picture(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// Whether a drag carrying data that enters target (delivered as the
// application does: to the first control up from target that takes it) is
// taken: then the dialog's inside cursor shows, not the refusing one.
bool TakesDrag(QWidget* target, const QMimeData* data) {
  QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

// While an offer is dragged the cursor is the plain arrow wherever the
// mouse is in the dialog and cursor 106 outside it; a drop anywhere but on
// the tree does nothing.
TEST_F(CKCMConfigurationDlgTest, DragShowsTheArrowInsideAndCursor106Outside) {
  Select(dlg->Tree()->topLevelItem(0));
  ASSERT_EQ(Offers(), QStringList{QStringLiteral("KCM201")});
  std::unique_ptr<QDrag> drag(dlg->MakeOfferDrag(0));
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(Picture(drag->dragCursor(Qt::CopyAction)), Picture(DragCursors::ForDrag(DragCursors::ArrowCursor())));
  EXPECT_EQ(Picture(drag->dragCursor(Qt::IgnoreAction)), Picture(DragCursors::ForDrag(DragCursors::RefusedCursor())));
  EXPECT_NE(Picture(DragCursors::ArrowCursor()), Picture(DragCursors::RefusedCursor()));
  EXPECT_EQ(dlg->MakeOfferDrag(5), nullptr);

  std::unique_ptr<QMimeData> offer = CKCMConfigurationDlg::MakeOfferMime(0);
  for (QWidget* part : {static_cast<QWidget*>(dlg->OfferList()->viewport()), dlg->Tree()->viewport(),
                        static_cast<QWidget*>(dlg->findChild<QPushButton*>("ok")),
                        static_cast<QWidget*>(dlg->findChild<QGroupBox*>()), static_cast<QWidget*>(dlg.get())}) {
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(TakesDrag(part, offer.get())) << part->metaObject()->className();
  }
  QDropEvent drop(QPointF(3, 3), Qt::CopyAction, offer.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dlg->OfferList()->viewport(), &drop);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 0);
  QMimeData foreign;
  foreign.setText(QStringLiteral("0"));
  EXPECT_FALSE(TakesDrag(dlg->findChild<QPushButton*>("ok"), &foreign));
}

}  // namespace
