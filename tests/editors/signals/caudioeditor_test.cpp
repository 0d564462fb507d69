// The audio-signal editor as a user drives it: the list, the page switch,
// Apply without a selection, rename, delete and the common settings page.
#include "editors/signals/caudioeditor.h"
#include "editors/signals/cbackgroundpage.h"
#include "editors/signals/csignalkindpage.h"
#include "editors/signals/csignallistdlg.h"
#include "editors/signals/signallistlogic.h"
#include "macros/calarmgenerator.h"
#include "macros/caudiosignal.h"
#include "macros/cgong.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "shell/clanguageswitcher.h"
#include "shell/controls/cnumericedit.h"
#include "shell/controls/cspinbuttons.h"
#include "shell/controls/ctickslider.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "support/tempprofile.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cinternalslot.h"
#include "unit/cmiscaudio.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class CAudioEditorTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    CInternalMessageRec::EnsureIn(doc);
    CMiscAudio::EnsureIn(doc);
  }
  int SignalCount() const { return int(SignalListLogic::ListedSignals(doc).size()); }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

TEST_F(CAudioEditorTest, EmptyProjectOpensOnTheAlarmPageAndApplyCreatesASignal) {
  CAlarmGenerator* generator = CAlarmGenerator::CreateIn(doc);
  ASSERT_NE(generator, nullptr);
  CAudioEditor editor(doc);
  EXPECT_EQ(editor.ActivePageIndex(), 0);
  EXPECT_EQ(editor.List()->GetSelectedSignal(nullptr), nullptr);
  editor.findChild<QPushButton*>("apply")->click();
  ASSERT_EQ(SignalCount(), 1);
  CAudioSignal* made = SignalListLogic::ListedSignals(doc).front();
  EXPECT_EQ(made->GetKind(), CAudioSignal::kKindAlarm);
  EXPECT_EQ(made->GetSource(), generator);
  EXPECT_EQ(editor.List()->GetSelectedSignal(nullptr), made);
  EXPECT_EQ(editor.List()->Tree()->topLevelItem(0)->text(1), generator->GetName());
  EXPECT_EQ(editor.CancelButton()->text(), "Close");
}

TEST_F(CAudioEditorTest, ApplyWithoutGeneratorShowsTheMessageAndAddsNothing) {
  CAudioEditor editor(doc);
  editor.findChild<QPushButton*>("apply")->click();
  EXPECT_TRUE(messages.Saw(34274));
  EXPECT_EQ(SignalCount(), 0);
  EXPECT_EQ(editor.List()->RowCount(), 0);
}

TEST_F(CAudioEditorTest, SelectingAChimeBringsUpTheChimePageWithItsGong) {
  CAudioSignal* alarm = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal* chime = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  CGong* gong = CGong::CreateIn(doc);
  ASSERT_TRUE(alarm && chime && gong);
  chime->SetSource(gong);
  chime->SetValueText(1, "3");
  CAudioEditor editor(doc);
  EXPECT_EQ(editor.ActivePageIndex(), 0);
  editor.List()->SelectRow(1);
  EXPECT_EQ(editor.ActivePageIndex(), 1);
  EXPECT_EQ(editor.List()->Tree()->topLevelItem(1)->text(1), gong->GetName());
  EXPECT_EQ(editor.Page(1)->findChild<QSlider*>("priority")->value(), 3);
  EXPECT_FALSE(editor.Page(1)->IsModified());
}

// The record of a link at one end: the peer, both pins and the category.
struct LinkRecord {
  const CBaseDevice* peer;
  int ownPin;
  int peerPin;
  int category;
  bool operator==(const LinkRecord& o) const {
    return peer == o.peer && ownPin == o.ownPin && peerPin == o.peerPin && category == o.category;
  }
};

void PrintTo(const LinkRecord& r, std::ostream* os) {
  *os << "{" << (r.peer ? r.peer->GetName().toStdString() : std::string("none")) << ", pin " << r.ownPin << " to "
      << r.peerPin << ", category " << r.category << "}";
}

std::vector<LinkRecord> Records(const std::vector<ConnectionRecord>& list) {
  std::vector<LinkRecord> out;
  for (const ConnectionRecord& r : list) out.push_back({r.pPeer, r.nOwnPin, r.nPeerPin, r.nPeerCategory});
  return out;
}

void ClickRow(QListWidget* list, int row) {
  ASSERT_NE(list, nullptr);
  ASSERT_LT(row, list->count());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The generator of an alarm and the gong of a chime are linked on pin 0 of
// both, each record with category 16; the macros keep theirs (15 at the
// signal, 16 at the macro). The project file keeps them as they are.
TEST_F(CAudioEditorTest, ApplyLinksTheGeneratorAndTheGongWithCategorySixteenAtBothEnds) {
  CAlarmGenerator* other = CAlarmGenerator::CreateIn(doc);
  CAlarmGenerator* generator = CAlarmGenerator::CreateIn(doc);
  CGong* gong = CGong::CreateIn(doc);
  CMacro* start = CMacro::CreateMacro(CMacro::kKindAlarm, doc);
  CAudioSignal* alarm = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal* chime = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  ASSERT_TRUE(other && generator && gong && start && alarm && chime);
  CAudioEditor editor(doc);
  editor.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
  ASSERT_EQ(editor.List()->GetSelectedSignal(nullptr), alarm);
  CSignalPage* alarmPage = editor.Page(0);
  QTest::mouseClick(alarmPage->findChild<QRadioButton*>("internal"), Qt::LeftButton);
  ClickRow(alarmPage->findChild<QListWidget*>("sources"), 1);
  auto* startCombo = alarmPage->findChild<QComboBox*>("startMacro");
  ASSERT_NE(startCombo, nullptr);
  startCombo->setFocus();
  QTest::keyClick(startCombo, Qt::Key_Down);
  ASSERT_EQ(startCombo->currentIndex(), 1);
  QTest::mouseClick(editor.findChild<QPushButton*>("apply"), Qt::LeftButton);
  // The chime's row, clicked in the list: the chime page comes up with it.
  QTreeWidget* signalTree = editor.List()->Tree();
  auto clickSignal = [signalTree](int row) {
    QTest::mouseClick(signalTree->viewport(), Qt::LeftButton, {},
                      signalTree->visualItemRect(signalTree->topLevelItem(row)).center());
  };
  clickSignal(1);
  ASSERT_EQ(editor.ActivePageIndex(), 1);
  if (editor.List()->GetSelectedSignal(nullptr) != chime) clickSignal(1);
  ASSERT_EQ(editor.List()->GetSelectedSignal(nullptr), chime);
  ClickRow(editor.Page(1)->findChild<QListWidget*>("sources"), 0);
  QTest::mouseClick(editor.findChild<QPushButton*>("apply"), Qt::LeftButton);

  auto check = [](const CBaseDevice* signal, const CBaseDevice* source, const CBaseDevice* macro) {
    std::vector<LinkRecord> inputs{{source, 0, 0, CAT_MISC}};
    if (macro != nullptr) inputs.insert(inputs.begin(), {macro, 0, 0, CAT_MACROS});
    EXPECT_EQ(Records(signal->GetInputConnections()), inputs) << signal->GetName().toStdString();
    EXPECT_EQ(Records(source->GetOutputConnections()), (std::vector<LinkRecord>{{signal, 0, 0, CAT_MISC}}))
        << source->GetName().toStdString();
    if (macro != nullptr) {
      EXPECT_EQ(Records(macro->GetOutputConnections()), (std::vector<LinkRecord>{{signal, 0, 0, CAT_MISC}}));
    }
  };
  check(alarm, generator, start);
  check(chime, gong, nullptr);
  EXPECT_TRUE(other->GetOutputConnections().empty());

  // Saved and loaded again, the records are as they were.
  auto back = RoundTrip(doc);
  ASSERT_NE(back, nullptr);
  auto find = [&back](const CBaseDevice* object) {
    return back->GetIDManager().FindBaseDevice(object->GetID(), object->GetType());
  };
  ASSERT_TRUE(find(alarm) && find(generator) && find(start) && find(chime) && find(gong));
  check(find(alarm), find(generator), find(start));
  check(find(chime), find(gong), nullptr);
  EXPECT_EQ(static_cast<CAudioSignal*>(find(alarm))->GetSource(), find(generator));
}

// The attenuation's label reads as one line, its word whole, in English
// and in German.
TEST_F(CAudioEditorTest, TheAttenuationLabelKeepsItsWordWholeInBothLanguages) {
  CLanguageSwitcher language;
  const struct {
    CStringTable::Language language;
    const char* text;
  } rows[] = {
      {CStringTable::Language::English, "Attenuation during announcement :"},
      {CStringTable::Language::German, "Absenkung w\u00e4hrend Durchsage :"},
  };
  for (const auto& row : rows) {
    language.Apply(row.language);
    if (row.language == CStringTable::Language::German) {
      ASSERT_TRUE(language.HasGermanTranslation());
    }
    CAudioEditor editor(doc);
    QStringList labels;
    for (const QLabel* label : editor.findChildren<QLabel*>())
      if (label->text().contains(QStringLiteral(" :"))) labels << label->text();
    EXPECT_TRUE(labels.contains(QString::fromUtf8(row.text))) << labels.join(QStringLiteral(" | ")).toStdString();
    for (const QString& text : labels) EXPECT_FALSE(text.contains(QStringLiteral("- "))) << text.toStdString();
  }
  language.Apply(CStringTable::Language::English);
}

TEST_F(CAudioEditorTest, RefusedRenameKeepsTheOldLabel) {
  CAudioSignal* first = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal* second = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  ASSERT_TRUE(first && second);
  const QString old = second->GetName();
  CAudioEditor editor(doc);
  QTreeWidgetItem* item = editor.List()->Tree()->topLevelItem(1);
  item->setText(0, first->GetName());
  EXPECT_EQ(item->text(0), old);
  EXPECT_EQ(second->GetName(), old);
  item->setText(0, "Evacuation");
  EXPECT_EQ(second->GetName(), "Evacuation");
  EXPECT_EQ(item->text(0), "Evacuation");
}

TEST_F(CAudioEditorTest, DeleteRemovesTheSignalAndSelectsTheLastRow) {
  CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  CAudioSignal::CreateSignal(CAudioSignal::kKindText, doc);
  CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  CAudioEditor editor(doc);
  ASSERT_EQ(editor.List()->RowCount(), 3);
  EXPECT_EQ(editor.ActivePageIndex(), 2);
  editor.List()->findChild<QToolButton*>("delete")->click();
  EXPECT_EQ(SignalCount(), 2);
  EXPECT_EQ(editor.List()->RowCount(), 2);
  int row = -1;
  EXPECT_NE(editor.List()->GetSelectedSignal(&row), nullptr);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(editor.CancelButton()->text(), "Close");
}

TEST_F(CAudioEditorTest, CommonSettingsPageGreysTheListAndRestoresItsSelection) {
  CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioEditor editor(doc);
  editor.List()->SelectRow(1);
  editor.ActivatePage(3);
  EXPECT_FALSE(editor.List()->Tree()->isEnabled());
  EXPECT_TRUE(editor.List()->findChild<QToolButton*>("add")->isHidden());
  EXPECT_EQ(editor.List()->GetSelectedSignal(nullptr), nullptr);
  editor.ActivatePage(0);
  EXPECT_TRUE(editor.List()->Tree()->isEnabled());
  int row = -1;
  editor.List()->GetSelectedSignal(&row);
  EXPECT_EQ(row, 1);
}

TEST_F(CAudioEditorTest, LeavingAPageDropsThePickedRowSoApplyAddsASignalOfTheNewPage) {
  CAudioSignal* alarm = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  ASSERT_NE(alarm, nullptr);
  alarm->SetValueText(1, "4");
  CAudioEditor editor(doc);
  ASSERT_EQ(editor.List()->GetSelectedSignal(nullptr), alarm);
  editor.ActivatePage(1);
  EXPECT_EQ(editor.List()->GetSelectedSignal(nullptr), nullptr);
  editor.findChild<QPushButton*>("apply")->click();
  ASSERT_EQ(SignalCount(), 2);
  CAudioSignal* chime = editor.List()->GetSelectedSignal(nullptr);
  ASSERT_NE(chime, nullptr);
  EXPECT_EQ(chime->GetKind(), CAudioSignal::kKindChime);
  EXPECT_EQ(alarm->GetValueText(1), "4");
}

TEST_F(CAudioEditorTest, MessageSourceRadiosKeepTheChosenMessage) {
  CAudioSignal* message = CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  ASSERT_NE(message, nullptr);
  message->SetValueText(2, "3");
  CAudioEditor editor(doc);
  ASSERT_EQ(editor.ActivePageIndex(), 2);
  CSignalPage* page = editor.Page(2);
  auto* list = page->findChild<QListWidget*>("sources");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentRow(), 3);
  page->findChild<QRadioButton*>("external")->click();
  EXPECT_EQ(list->currentRow(), 3);
  editor.findChild<QPushButton*>("apply")->click();
  EXPECT_EQ(message->GetValueText(2), "0");
  page->findChild<QRadioButton*>("internal")->click();
  EXPECT_EQ(list->currentRow(), 3);
  editor.findChild<QPushButton*>("apply")->click();
  EXPECT_EQ(message->GetValueText(2), "3");
}

TEST_F(CAudioEditorTest, VolumeControlsFollowEachOther) {
  CAudioEditor editor(doc);
  editor.ActivatePage(3);
  auto* page = dynamic_cast<CBackgroundPage*>(editor.Page(3));
  ASSERT_NE(page, nullptr);
  auto* textEdit = page->findChild<CNumericEdit*>("volumeEdit2");
  textEdit->setText("-20");
  page->OnVolumeEdited(2);
  EXPECT_EQ(page->findChild<QSlider*>("volumeSlider2")->value(), 64);
  page->OnSliderMoved(CMiscAudio::ALARM_VOL, 50);
  EXPECT_EQ(page->findChild<CNumericEdit*>("volumeEdit0")->text(), "-6.0");
  EXPECT_EQ(CMiscAudio::Find(&doc)->GetParamText(CMiscAudio::ALARM_VOL), "-6.0");
  page->OnSliderMoved(CMiscAudio::PANIC_VOL, 0);
  EXPECT_EQ(page->findChild<CNumericEdit*>("volumeEdit3")->text(), "6.0");
  EXPECT_EQ(page->findChild<QSlider*>("volumeSlider0")->minimum(), 25);
  page->OnAttenuationStepped(-50);
  EXPECT_EQ(CMiscAudio::Find(&doc)->GetParamText(CMiscAudio::BACK_ATT), "-41");
  EXPECT_TRUE(page->IsModified());
}

// The marks of the volume sliders stand at +3, 0, -3 and -6 dB and at -20,
// -40 and -60 dB; the spins beside the level edits are arrows without a
// number of their own.
TEST_F(CAudioEditorTest, VolumeSlidersMarkTheScaleAndSpinsShowNoCounter) {
  CAudioEditor editor(doc);
  editor.show();
  editor.ActivatePage(3);
  auto* page = dynamic_cast<CBackgroundPage*>(editor.Page(3));
  ASSERT_NE(page, nullptr);
  for (int i = 0; i < 4; ++i) {
    auto* slider = page->findChild<CTickSlider*>(QStringLiteral("volumeSlider%1").arg(i));
    ASSERT_NE(slider, nullptr) << i;
    const bool panic = i == CMiscAudio::PANIC_VOL;
    EXPECT_EQ(slider->TickPositions(),
              panic ? (std::vector<int>{12, 25, 37, 50, 64, 75, 82}) : (std::vector<int>{25, 37, 50, 64, 75, 82}))
        << i;
    auto* spin = page->findChild<CSpinButtons*>(QStringLiteral("volumeSpin%1").arg(i));
    ASSERT_NE(spin, nullptr) << i;
    for (const QLineEdit* edit : spin->findChildren<QLineEdit*>()) EXPECT_FALSE(edit->isVisible()) << i;
    EXPECT_LT(spin->width(), page->findChild<CNumericEdit*>(QStringLiteral("volumeEdit%1").arg(i))->width());
  }
  auto* attenuation = page->findChild<CSpinButtons*>("attenuationSpin");
  ASSERT_NE(attenuation, nullptr);
  for (const QLineEdit* edit : attenuation->findChildren<QLineEdit*>()) EXPECT_FALSE(edit->isVisible());
  // The spins still count: one step up from 0 dB on the chime slider.
  auto* chimeSpin = page->findChild<CSpinButtons*>("volumeSpin1");
  const int before = page->findChild<CTickSlider*>("volumeSlider1")->value();
  chimeSpin->stepDown();
  EXPECT_EQ(page->findChild<CTickSlider*>("volumeSlider1")->value(), before + 1);
}

}  // namespace

namespace {

TEST_F(CAudioEditorTest, InternalSlotOpensTheEditorThroughItsHook) {
  CInternalSlot::AudioEditorHook hook = CInternalSlot::SetAudioEditorHook({});
  CInternalSlot::SetAudioEditorHook(hook);
  ASSERT_TRUE(static_cast<bool>(hook));
  bool shown = false;
  ASSERT_TRUE(DriveNextModal([&](QWidget* w) {
    auto* editor = qobject_cast<CAudioEditor*>(w);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Audio signal editor");
    editor->reject();
    shown = true;
  }));
  EXPECT_TRUE(hook(doc));
  EXPECT_TRUE(shown);
}

}  // namespace

namespace {

// Pixels of the list's grid colour along a line of the viewport.
int GridPixels(QTreeWidget* list, QPoint from, QPoint to) {
  QStyleOptionViewItem option;
  option.initFrom(list);
  const QColor grid =
      QColor::fromRgba(static_cast<QRgb>(list->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, list)));
  const QImage image = list->viewport()->grab().toImage();
  int count = 0;
  for (QPoint p = from; p.x() <= to.x() && p.y() <= to.y(); p += QPoint(from.y() == to.y(), from.x() == to.x()))
    count += QColor(image.pixel(p)).rgb() == grid.rgb() ? 1 : 0;
  return count;
}

TEST_F(CAudioEditorTest, TheSignalListHasGridLines) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc), nullptr);
  CAudioEditor editor(doc);
  editor.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
  QTreeWidget* list = editor.List()->Tree();
  ASSERT_EQ(list->topLevelItemCount(), 3);
  // Row 1 is not selected: its cells show the plain background.
  const QRect cell = list->visualRect(list->model()->index(1, 1));
  ASSERT_TRUE(cell.isValid());
  // A line under the row and one at the right of each cell.
  EXPECT_GE(GridPixels(list, QPoint(cell.left() + 1, cell.bottom()), QPoint(cell.right() - 1, cell.bottom())),
            cell.width() * 3 / 4);
  const QRect first = list->visualRect(list->model()->index(1, 0));
  EXPECT_GE(GridPixels(list, QPoint(first.right(), first.top() + 1), QPoint(first.right(), first.bottom() - 1)),
            first.height() * 3 / 4);
}

}  // namespace
