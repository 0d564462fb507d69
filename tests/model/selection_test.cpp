// The selection dialog and its providers: what a kind offers, which rows
// start out chosen, and the result the caller reads after OK, with one and
// with several choices.
#include "model/cbasedevice.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/ui/cconnectionsdlg.h"
#include "model/ui/connectionstable.h"
#include "model/ui/cselectiondlg.h"
#include "model/ui/selectionstate.h"
#include "shell/controls/qstringprinter.h"
#include "support/dialogdriver.h"
#include "support/tempprofile.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint32_t kKindMacro = 32806;
constexpr uint32_t kKindIgnore = 34600;
constexpr uint32_t kKindTarget = 34383;
constexpr uint32_t kKindEvent = 34234;

SelectionRequest Req(uint32_t kind, bool multiple = false) {
  SelectionRequest request;
  request.kind = kind;
  request.multiple = multiple;
  return request;
}

class TestDevice final : public CBaseDevice {
 public:
  explicit TestDevice(int type) { SetType(type); }
  const char* GetClassName() const override { return "SelectionTestDevice"; }
};

CBaseDevice* AddDevice(CSelvantisDoc& doc, int type, int id, const QString& name) {
  auto device = std::make_unique<TestDevice>(type);
  if (!device->CreateWithID(0, name, id, CAT_ENTRIES, &doc)) {
    return nullptr;
  }
  return doc.AddObject(std::move(device));
}

// Macros of the document, by ID, named: as a macro class registers itself.
SelectionList ListMacros(const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  if (!doc) {
    return list;
  }
  std::vector<CBaseDevice*> macros;
  doc->GetIDManager().GetBaseDeviceList(macros, DT_MACRO);
  for (const CBaseDevice* macro : macros) {
    SelectionChoice choice;
    choice.columns = {macro->GetName(), macro->GetIDString()};
    choice.number = macro->GetID();
    list.choices.push_back(choice);
  }
  list.titles = {"Macro", "ID"};
  return list;
}

// Ignore flags: a bit set; the provider marks the set bits itself, since
// the caller's text uses keywords, not the shown names.
SelectionList ListIgnoreFlags(const CSelvantisDoc*, const SelectionRequest& request) {
  SelectionList list;
  const struct {
    const char* name;
    const char* keyword;
    uint32_t bit;
  } flags[] = {{"+ Tol.", "POSTOL", 1},
               {"- Tol.", "NEGTOL", 2},
               {"Ground Fault", "GNDFLT", 4},
               {"Voltage Error", "OVF_U", 8},
               {"Current Error", "OVF_I", 16}};
  for (const auto& f : flags) {
    SelectionChoice choice;
    choice.columns = {f.name};
    choice.bits = f.bit;
    choice.text = f.keyword;
    choice.preselected = request.selection.split(',').contains(f.keyword);
    list.choices.push_back(choice);
  }
  list.noneText = "NONE";
  return list;
}

// Targets of a watch: amplifier channels (type 2) or ready inputs (type 38).
SelectionList ListTargets(const CSelvantisDoc*, const SelectionRequest&) {
  SelectionList list;
  for (int ch = 1; ch <= 2; ++ch) {
    SelectionChoice choice;
    choice.columns = {Fmt("AMP 5 CH%d", ch)};
    choice.number = ch;
    choice.type = 2;
    choice.value = 5;
    choice.channel = ch;
    list.choices.push_back(choice);
  }
  SelectionChoice ready;
  ready.columns = {"Ready input 3"};
  ready.number = 3;
  ready.type = 38;
  ready.value = 3;
  list.choices.push_back(ready);
  return list;
}

// Repetition choices, numbered by their string ids.
SelectionList ListRepetitions(const CSelvantisDoc*, const SelectionRequest&) {
  SelectionList list;
  int id = 34600;
  for (const char* text : {"OFF", "onetime", "annual", "monthly", "weekly", "daily", "hourly", "minutely"}) {
    SelectionChoice choice;
    choice.columns = {text};
    choice.number = id++;
    list.choices.push_back(choice);
  }
  return list;
}

class SelectionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_providers.Register(kKindMacro, ListMacros));
    ASSERT_TRUE(m_providers.Register(kKindIgnore, ListIgnoreFlags));
    ASSERT_TRUE(m_providers.Register(kKindTarget, ListTargets));
    ASSERT_TRUE(m_providers.Register(kKindEvent, ListRepetitions));
    ASSERT_NE(AddDevice(m_doc, DT_MACRO, 1, "Alarm"), nullptr);
    ASSERT_NE(AddDevice(m_doc, DT_MACRO, 4, "Evacuation"), nullptr);
    ASSERT_NE(AddDevice(m_doc, DT_MACRO, 2, "Chime"), nullptr);
  }

  // Runs the dialog; the action picks rows by their first column.
  int Run(CSelectionDlg& dlg, const QStringList& rowsToPick, bool pressOk = true) {
    DriveNextModal([&](QWidget* w) {
      auto* list = w->findChild<QTreeWidget*>("choices");
      ASSERT_NE(list, nullptr);
      list->clearSelection();  // a user action: the preset goes
      for (const QString& text : rowsToPick) {
        const auto items = list->findItems(text, Qt::MatchExactly, 0);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        items.front()->setSelected(true);
      }
      auto* buttons = w->findChild<QDialogButtonBox*>();
      ASSERT_NE(buttons, nullptr);
      if (pressOk) {
        buttons->button(QDialogButtonBox::Ok)->click();
      } else {
        buttons->button(QDialogButtonBox::Cancel)->click();
      }
    });
    return dlg.DoModal();
  }

  TempProfile m_profile;
  CSelvantisDoc m_doc;
  CSelectionProvider m_providers;
};

TEST(CSelectionProviderTest, OneProviderPerKind) {
  CSelectionProvider providers;
  EXPECT_TRUE(providers.Register(1, ListRepetitions));
  EXPECT_FALSE(providers.Register(1, ListTargets));
  EXPECT_FALSE(providers.Register(2, nullptr));
  EXPECT_TRUE(providers.Has(1));
  EXPECT_FALSE(providers.Has(2));
  EXPECT_EQ(providers.ListChoices(nullptr, Req(1)).choices.size(), 8u);
  EXPECT_TRUE(providers.ListChoices(nullptr, Req(2)).choices.empty());
  EXPECT_EQ(providers.Kinds(), (std::vector<uint32_t>{1}));
}

constexpr uint32_t kRegisteredByMacroKind = 0x7FFF0101;
SELV_REGISTER_SELECTION(kRegisteredByMacroKind, ListTargets)

TEST(CSelectionProviderTest, ClassesRegisterThroughTheMacroBeforeMainRuns) {
  EXPECT_TRUE(CSelectionProvider::Global().Has(kRegisteredByMacroKind));
}

TEST_F(SelectionTest, ProviderSeesTheDocumentAndTheRequest) {
  SelectionState state(m_providers);
  state.Load(&m_doc, Req(kKindMacro));
  ASSERT_EQ(state.RowCount(), 3);
  // Identifier order, as the pools give them.
  EXPECT_EQ(state.List().choices[0].columns, (QStringList{"Alarm", "1"}));
  EXPECT_EQ(state.List().choices[2].number, 4);
  state.Load(nullptr, Req(kKindMacro));
  EXPECT_EQ(state.RowCount(), 0);
}

TEST_F(SelectionTest, PresetByTextElseByCurrentNumber) {
  SelectionState state(m_providers);
  SelectionRequest request = Req(kKindMacro);
  request.selection = "evacuation";  // as typed in a cell: case does not matter
  state.Load(&m_doc, request);
  EXPECT_EQ(state.ChosenRows(), (std::vector<int>{2}));

  request.selection = "";
  request.current = 2;
  state.Load(&m_doc, request);
  EXPECT_EQ(state.ChosenRows(), (std::vector<int>{1}));

  request.selection = "no such macro";
  request.current = 99;
  state.Load(&m_doc, request);
  EXPECT_TRUE(state.ChosenRows().empty());
  EXPECT_FALSE(state.CanAccept());
}

TEST_F(SelectionTest, SingleChoiceKeepsOneRow) {
  SelectionState state(m_providers);
  state.Load(&m_doc, Req(kKindMacro));
  state.SetChosen(0, true);
  state.SetChosen(2, true);
  EXPECT_EQ(state.ChosenRows(), (std::vector<int>{2}));
  state.SetChosen(7, true);  // outside: ignored
  state.SetChosen(-1, true);
  EXPECT_EQ(state.ChosenRows(), (std::vector<int>{2}));
  EXPECT_TRUE(state.CanAccept());
  EXPECT_EQ(state.Result().number, 4);
  EXPECT_EQ(state.Result().selection, "Evacuation");
}

TEST_F(SelectionTest, SeveralChoicesCombineTheirBits) {
  SelectionState state(m_providers);
  SelectionRequest request = Req(kKindIgnore, true);
  request.selection = "POSTOL,OVF_U";
  state.Load(&m_doc, request);
  EXPECT_EQ(state.ChosenRows(), (std::vector<int>{0, 3}));
  EXPECT_EQ(state.Result().bits, 9u);
  EXPECT_EQ(state.Result().number, 9);
  EXPECT_EQ(state.Result().selection, "POSTOL,OVF_U");
  // None chosen is an answer too.
  state.SetChosenRows({});
  EXPECT_TRUE(state.CanAccept());
  EXPECT_EQ(state.Result().bits, 0u);
  EXPECT_EQ(state.Result().selection, "NONE");
}

TEST_F(SelectionTest, KindWithoutProviderCannotBeConfirmed) {
  SelectionState state(m_providers);
  state.Load(&m_doc, Req(12345, true));
  EXPECT_FALSE(state.HasProvider());
  EXPECT_FALSE(state.CanAccept());
}

TEST_F(SelectionTest, DialogReturnsTheChosenMacro) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindMacro);
  dlg.SetSelection("Alarm");
  ASSERT_EQ(Run(dlg, {"Chime"}), IDOK);
  EXPECT_EQ(dlg.GetResult(), 2);
  EXPECT_EQ(dlg.GetSelection(), "Chime");
}

TEST_F(SelectionTest, DialogReturnsTypeValueAndChannelOfATarget) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindTarget);
  ASSERT_EQ(Run(dlg, {"AMP 5 CH2"}), IDOK);
  EXPECT_EQ(dlg.GetResultType(), 2);
  EXPECT_EQ(dlg.GetResultValue(), 5);
  EXPECT_EQ(dlg.GetResultChannel(), 2);
}

TEST_F(SelectionTest, DialogWithSeveralChoicesReturnsTheBitMaskAndTheTexts) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindIgnore);
  dlg.SetMultiple(true);
  dlg.SetSelection("GNDFLT");
  DriveNextModal([&](QWidget* w) {
    auto* list = w->findChild<QTreeWidget*>("choices");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::MultiSelection);
    ASSERT_EQ(list->selectedItems().size(), 1);  // the preset from the caller's text
    EXPECT_EQ(list->selectedItems().front()->text(0), "Ground Fault");
    // The user adds two more by clicking them.
    for (int row : {1, 4}) {
      const QRect rect = list->visualItemRect(list->topLevelItem(row));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetResultBits(), 2u | 4u | 16u);
  EXPECT_EQ(dlg.GetResult(), 22);
  EXPECT_EQ(dlg.GetSelection(), "NEGTOL,GNDFLT,OVF_I");
}

TEST_F(SelectionTest, AListThatAlwaysAllowsSeveralChoicesOverridesTheRequest) {
  constexpr uint32_t kKindSeveral = 0x7FFF0202;
  m_providers.Register(kKindSeveral, [](const CSelvantisDoc*, const SelectionRequest&) {
    SelectionList list;
    list.multiple = true;
    for (const char* name : {"A", "B", "C"}) {
      SelectionChoice choice;
      choice.columns << name;
      list.choices.push_back(choice);
    }
    return list;
  });
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindSeveral);  // the caller does not ask for several
  DriveNextModal([&](QWidget* w) {
    auto* list = w->findChild<QTreeWidget*>("choices");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::MultiSelection);
    // A double click does not close a dialog of several choices.
    const QRect middle = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, middle.center());
    EXPECT_TRUE(w->isVisible());
    list->clearSelection();
    for (int row : {0, 2}) {
      const QRect rect = list->visualItemRect(list->topLevelItem(row));
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dlg.State().Request().multiple);
  EXPECT_EQ(dlg.GetSelection(), QStringLiteral("A,C"));
}

TEST_F(SelectionTest, DoubleClickChoosesAndCloses) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindEvent);
  dlg.SetSelection("OFF");
  DriveNextModal([&](QWidget* w) {
    auto* list = w->findChild<QTreeWidget*>("choices");
    const QRect rect = list->visualItemRect(list->topLevelItem(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetResult(), 34603);
  EXPECT_EQ(dlg.GetSelection(), "monthly");
}

TEST_F(SelectionTest, CancelLeavesThePresetAndTheCurrentNumber) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindMacro);
  dlg.SetCurrent(4);
  dlg.SetSelection("Evacuation");
  ASSERT_EQ(Run(dlg, {"Alarm"}, false), IDCANCEL);
  EXPECT_EQ(dlg.GetResult(), 4);
  EXPECT_EQ(dlg.GetSelection(), "Evacuation");
}

TEST_F(SelectionTest, OkIsOffUntilARowIsChosenAndForUnknownKinds) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindMacro);
  dlg.SetCurrent(77);  // not in the list: nothing preset
  DriveNextModal([&](QWidget* w) {
    QPushButton* ok = w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    auto* list = w->findChild<QTreeWidget*>("choices");
    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(ok->isEnabled());
    ok->click();
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetResult(), 1);

  CSelectionDlg unknown(nullptr, m_providers);
  unknown.SetKind(999);
  unknown.SetMultiple(true);
  DriveNextModal([&](QWidget* w) {
    EXPECT_FALSE(w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(unknown.DoModal(), IDCANCEL);
}

TEST_F(SelectionTest, TitleAndKindText) {
  CSelectionDlg dlg(nullptr, m_providers);
  dlg.SetDocument(&m_doc);
  dlg.SetKind(kKindMacro);
  dlg.show();
  EXPECT_EQ(dlg.windowTitle(), "Selection");
  auto* kind = dlg.findChild<QLabel*>("kind");
  ASSERT_NE(kind, nullptr);
  EXPECT_FALSE(kind->text().isEmpty());
  dlg.reject();
}

}  // namespace

// The other shared dialog of the model: the connection records of one object.
namespace {

TEST(CConnectionsDlgTest, ListsInputsThenOutputsAndForgetsADeletedObject) {
  TempProfile profile;
  CSelvantisDoc doc;
  CBaseDevice* zone = AddDevice(doc, DT_ZONE, 1, "Hall");
  CBaseDevice* amp = AddDevice(doc, DT_AMPLIFIER, 1, "Amp 1");
  CBaseDevice* relay = AddDevice(doc, DT_RELAY, 7, "Relay 7");
  ASSERT_TRUE(zone && amp && relay);
  ASSERT_TRUE(CBaseDevice::Connect(amp, 2, zone, 0));
  ASSERT_TRUE(CBaseDevice::Connect(zone, 1, relay, 0));

  const std::vector<ConnectionsTable::Row> rows = ConnectionsTable::Build(zone);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows[0].input);
  EXPECT_EQ(rows[0].peerName, "Amp 1");
  EXPECT_EQ(rows[0].ownPin, 0);
  EXPECT_EQ(rows[0].peerPin, 2);
  EXPECT_FALSE(rows[1].input);
  EXPECT_EQ(rows[1].peerName, "Relay 7");
  EXPECT_EQ(rows[1].Cells().size(), ConnectionsTable::Titles().size());
  EXPECT_TRUE(ConnectionsTable::Build(nullptr).empty());

  CConnectionsDlg dlg;
  dlg.SetObject(zone);
  dlg.show();
  auto* list = dlg.findChild<QTreeWidget*>("connections");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(dlg.windowTitle(), "Connections");
  // The object goes while the dialog shows it: the dialog lets go of it.
  ASSERT_TRUE(doc.DeleteObject(zone));
  EXPECT_EQ(dlg.GetObject(), nullptr);
  EXPECT_EQ(list->topLevelItemCount(), 0);
  dlg.reject();
}

}  // namespace
