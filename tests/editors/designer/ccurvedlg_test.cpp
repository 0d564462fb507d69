// The properties dialog of a virtual-controller item: value clamping and the
// live value command, name checks and the unique rename on OK, the wiring
// texts, Cancel, and the double click in the items pane that opens it.
#include "editors/designer/ccurvedlg.h"
#include "editors/designer/cdesignerview.h"
#include "editors/designer/curvedlgstate.h"
#include "editors/designer/virtctrlvaluequeue.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cidmanager.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAbstractSlider>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class CurveDlgStateTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    block = CVirtCtrl::Find(&doc);
    ASSERT_NE(block, nullptr);
  }
  CVirtCtrlItem* Item(const char* name) {
    CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
    EXPECT_NE(item, nullptr);
    if (item) item->Rename(QString::fromLatin1(name), false);
    return item;
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CVirtCtrl* block = nullptr;
};

TEST_F(CurveDlgStateTest, ValuesAreKeptInRangeToOneDecimal) {
  struct Case {
    double in;
    double out;
    int slider;
  };
  const Case cases[] = {
      {std::numeric_limits<double>::quiet_NaN(), 0.0, 0},
      {-5.0, 0.0, 0},
      {-std::numeric_limits<double>::infinity(), 0.0, 0},
      {0.0, 0.0, 0},
      {12.34, 12.3, 123},
      {12.36, 12.4, 124},
      {99.96, 100.0, 1000},
      {100.04, 100.0, 1000},
      {250.0, 100.0, 1000},
      {std::numeric_limits<double>::infinity(), 100.0, 1000},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(CurveDlgState::ClampValue(c.in), c.out) << c.in;
    EXPECT_EQ(CurveDlgState::SliderPosition(c.in), c.slider) << c.in;
  }
  EXPECT_DOUBLE_EQ(CurveDlgState::SliderValue(555), 55.5);
  EXPECT_DOUBLE_EQ(CurveDlgState::SliderValue(-3), 0.0);
  EXPECT_DOUBLE_EQ(CurveDlgState::SliderValue(2000), 100.0);
}

TEST_F(CurveDlgStateTest, OnlyAChangedValueIsSent) {
  CurveDlgState state(Item("Gain"));
  state.Load();
  EXPECT_FALSE(state.ChangeValue(0.0).has_value());  // what the dialog starts with
  ASSERT_TRUE(state.ChangeValue(42.42).has_value());
  EXPECT_DOUBLE_EQ(state.Value(), 42.4);
  EXPECT_FALSE(state.ChangeValue(42.44).has_value());  // the same after rounding
  const std::optional<double> top = state.ChangeValue(250.0);
  ASSERT_TRUE(top.has_value());
  EXPECT_DOUBLE_EQ(*top, 100.0);
  state.Forget();
  EXPECT_FALSE(state.ChangeValue(3.0).has_value());  // the item is gone
}

TEST_F(CurveDlgStateTest, ShowsWhatDrivesTheItemAndWhatItDrives) {
  CVirtCtrlItem* gain = Item("Gain");
  CVirtCtrlItem* tone = Item("Tone");
  CVirtCtrlItem* bass = Item("Bass");
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_ITEM, tone->GetID() - 1, gain->GetID()));  // Tone drives Gain
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_ENCODER, 0, gain->GetID()));
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_ENCODER, 1, gain->GetID()));
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_ALARM, 0, gain->GetID()));
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_ITEM, gain->GetID() - 1, bass->GetID()));  // Gain drives Bass

  CurveDlgState state(gain);
  state.Load();
  EXPECT_EQ(state.Name(), QStringLiteral("Gain"));
  EXPECT_EQ(state.IdText(), QStringLiteral("1"));
  EXPECT_TRUE(state.DrivenBy().contains(QStringLiteral("Tone"))) << state.DrivenBy().toStdString();
  EXPECT_TRUE(state.DrivenBy().contains(QStringLiteral("ENC"))) << state.DrivenBy().toStdString();
  EXPECT_FALSE(state.DrivenBy().contains(QStringLiteral("Bass")));
  EXPECT_TRUE(state.Drives().startsWith(QStringLiteral("Bass,"))) << state.Drives().toStdString();
  EXPECT_TRUE(state.Drives().contains(QStringLiteral("ALARM")));

  CurveDlgState unwired(bass);
  unwired.Load();
  EXPECT_TRUE(unwired.Drives().isEmpty());
  EXPECT_TRUE(unwired.DrivenBy().contains(QStringLiteral("Gain")));
}

TEST_F(CurveDlgStateTest, RenameIsMadeUniqueAndReported) {
  Item("Gain");
  CVirtCtrlItem* tone = Item("Tone");
  CurveDlgState state(tone);
  state.Load();
  EXPECT_TRUE(state.ApplyName(QStringLiteral("Gain")));
  EXPECT_EQ(tone->GetName(), QStringLiteral("Gain_1"));
  EXPECT_EQ(state.Name(), QStringLiteral("Gain_1"));
  EXPECT_TRUE(state.Renamed());
  EXPECT_TRUE(messages.Saw(34213));
}

TEST_F(CurveDlgStateTest, NamesThatCannotBeTakenAreRefused) {
  CVirtCtrlItem* tone = Item("Tone");
  struct Case {
    QString text;
    CurveDlgState::NameCheck check;
    uint32_t message;
  };
  const Case cases[] = {
      {QString(), CurveDlgState::NameCheck::Empty, 34212},
      {QStringLiteral("   "), CurveDlgState::NameCheck::Empty, 34212},
      {QString::fromUtf8("Saal \u03a9"), CurveDlgState::NameCheck::NotLatin1, 0},
  };
  for (const Case& c : cases) {
    messages.Clear();
    CurveDlgState state(tone);
    state.Load();
    EXPECT_EQ(state.CheckName(c.text), c.check);
    EXPECT_FALSE(state.ApplyName(c.text));
    EXPECT_EQ(tone->GetName(), QStringLiteral("Tone"));
    EXPECT_FALSE(state.Renamed());
    ASSERT_EQ(messages.Requests().size(), 1u) << c.text.toStdString();
    if (c.message != 0) {
      EXPECT_EQ(messages.Requests()[0].id, c.message);
    }
  }
}

TEST_F(CurveDlgStateTest, UnchangedNameIsNoRenameAndBlanksAreDropped) {
  CVirtCtrlItem* tone = Item("Tone");
  CurveDlgState state(tone);
  state.Load();
  EXPECT_EQ(state.CheckName(QStringLiteral(" Tone ")), CurveDlgState::NameCheck::Unchanged);
  EXPECT_TRUE(state.ApplyName(QStringLiteral("Tone")));
  EXPECT_FALSE(state.Renamed());
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(state.ApplyName(QString::fromLatin1("  Sa\xe4l ")));
  EXPECT_EQ(tone->GetName(), QString::fromLatin1("Sa\xe4l"));
  EXPECT_TRUE(state.Renamed());
}

class CCurveDlgTest : public CurveDlgStateTest {
 protected:
  void SetUp() override {
    CurveDlgStateTest::SetUp();
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    pane.reset();
    SetActiveDoc(nullptr);
  }
  void OpenPane() {
    pane = std::make_unique<CDesignerView>(&doc);
    pane->FillItems();
    ASSERT_NE(pane->ValueQueue(), nullptr);
  }
  static void ClickOk(QWidget* dlg) {
    auto* buttons = dlg->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::Ok)->click();
  }
  QString Pending() const { return pane->ValueQueue()->Pending(); }
  RecordingLink link;
  std::unique_ptr<CDesignerView> pane;
};

TEST_F(CCurveDlgTest, OpeningSendsNothingAndShowsTheItem) {
  Item("Gain");
  CVirtCtrlItem* tone = Item("Tone");
  block->SetLink(CVirtCtrl::G_CHIME, 0, tone->GetID());
  OpenPane();
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    ASSERT_NE(qobject_cast<CCurveDlg*>(w), nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Properties"));
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("name"))->text(), QStringLiteral("Tone"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("id"))->text(), QStringLiteral("2"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("drives"))->text(), QStringLiteral("CHIME"));
    EXPECT_EQ(w->findChild<QSlider*>(QStringLiteral("valueSlider"))->value(), 0);
    EXPECT_TRUE(Pending().isEmpty());
    EXPECT_FALSE(pane->ValueQueue()->IsArmed());
    ClickOk(w);
    ran = true;
  });
  pane->OnDoubleClick(1, 0);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(Pending().isEmpty());
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CCurveDlgTest, MovingTheValueQueuesTheValueCommand) {
  Item("Gain");
  Item("Tone");
  OpenPane();
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* slider = w->findChild<QSlider*>(QStringLiteral("valueSlider"));
    auto* spin = w->findChild<QDoubleSpinBox*>(QStringLiteral("valueSpin"));
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(spin, nullptr);
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Pending(), QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 10.000000"));
    EXPECT_DOUBLE_EQ(spin->value(), 10.0);
    EXPECT_TRUE(pane->ValueQueue()->IsArmed());
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Pending(), QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 10.100000"));
    spin->setValue(42.5);
    EXPECT_EQ(Pending(), QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 42.500000"));
    EXPECT_EQ(slider->value(), 425);
    spin->setValue(1000.0);  // the box keeps its range
    EXPECT_EQ(Pending(), QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 100.000000"));
    EXPECT_EQ(slider->value(), 1000);
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    ran = true;
  });
  pane->OnDoubleClick(1, 1);
  EXPECT_TRUE(ran);
  // Sent once, with the latest value, when the timer fires.
  EXPECT_TRUE(pane->ValueQueue()->OnTimer());
  EXPECT_EQ(link.Lines(), QStringList{QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 100.000000")});
}

TEST_F(CCurveDlgTest, RenameOnOkIsUniqueAndRefillsThePanes) {
  Item("Gain");
  Item("Tone");
  Item("Bass");
  OpenPane();
  QSignalSpy changed(pane.get(), &CDesignerView::panesChanged);
  DriveNextModal([&](QWidget* w) {
    w->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Gain"));
    ClickOk(w);
  });
  pane->OnDoubleClick(2, 0);
  CBaseDevice* bass = doc.GetIDManager().FindBaseDevice(3, DT_VIRTCTRLITEM);
  EXPECT_EQ(bass->GetName(), QStringLiteral("Gain_1"));
  EXPECT_TRUE(messages.Saw(34213));
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(pane->CellText(2, 0), QStringLiteral("Gain_1"));
  // The renamed item stays selected, also over the frame's refill.
  EXPECT_EQ(pane->FirstSelectedRow(), 2);
  pane->FillList();
  EXPECT_EQ(pane->FirstSelectedRow(), 2);
}

TEST_F(CCurveDlgTest, EmptyNameKeepsTheDialogOpen) {
  CVirtCtrlItem* gain = Item("Gain");
  OpenPane();
  QSignalSpy changed(pane.get(), &CDesignerView::panesChanged);
  bool stayedOpen = false;
  DriveNextModal([&](QWidget* w) {
    w->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QString());
    ClickOk(w);
    stayedOpen = w->isVisible();
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  });
  pane->OnDoubleClick(0, 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(messages.Saw(34212));
  EXPECT_EQ(gain->GetName(), QStringLiteral("Gain"));
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(CCurveDlgTest, CancelChangesNothing) {
  CVirtCtrlItem* gain = Item("Gain");
  OpenPane();
  doc.SetModifiedFlag(false);
  QSignalSpy changed(pane.get(), &CDesignerView::panesChanged);
  DriveNextModal([&](QWidget* w) {
    w->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("Other"));
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  });
  pane->OnDoubleClick(0, 0);
  EXPECT_EQ(gain->GetName(), QStringLiteral("Gain"));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(changed.count(), 0);
  EXPECT_TRUE(Pending().isEmpty());
}

TEST_F(CCurveDlgTest, DialogClosesWhenItsItemGoes) {
  CVirtCtrlItem* gain = Item("Gain");
  CCurveDlg dlg(gain, nullptr);
  bool ran = false;
  DriveNextModal([&](QWidget*) {
    EXPECT_TRUE(gain->OnCommand(ID_DELETE_OBJECT));
    ran = true;
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(dlg.State().HasItem());
}

TEST_F(CCurveDlgTest, NoItemNoDialog) {
  OpenPane();
  pane->OnDoubleClick(0, 0);  // no rows: nothing opens
  EXPECT_EQ(PendingModalDrivers(), 0);
  CCurveDlg dlg(nullptr, nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
