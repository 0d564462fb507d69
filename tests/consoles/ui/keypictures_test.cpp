// The pictures of the key properties dialog: function icons, and zone,
// group and "used by a selection key" pictures in the destination list.
#include "../consoletestsupport.h"
#include "consoles/cconsprop.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeypropertieslogic.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "shell/cbitmapmanager.h"

#include <QImage>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

class NoHost final : public IKeyViewHost {
 public:
  bool AskKeyRange(int*, int*, int*) override { return false; }
  bool AskCopyDestination(const std::vector<CBaseDevice*>&, CConsole*, const QString&, CConsole**) override {
    return false;
  }
  void SetModified() override {}
  void SetModelCommitted() override {}
};

bool SamePicture(const QIcon& shown, int strip, int index) {
  const QImage a = shown.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage b =
      CBitmapManager::Icon(strip, index).pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
  return !a.isNull() && a == b;
}

QListWidgetItem* ItemNamed(QListWidget* list, const QString& name) {
  const auto items = list->findItems(name, Qt::MatchExactly);
  return items.isEmpty() ? nullptr : items.first();
}

TEST(KeyPicturesTest, DestinationImagesTellZoneGroupAndSelectionUse) {
  EXPECT_EQ(CKeyPropertiesLogic::DestinationImage(true, false), 22);
  EXPECT_EQ(CKeyPropertiesLogic::DestinationImage(false, false), 21);
  EXPECT_EQ(CKeyPropertiesLogic::DestinationImage(true, true), 24);
  EXPECT_EQ(CKeyPropertiesLogic::DestinationImage(false, true), 23);
  EXPECT_EQ(CKeyPropertiesLogic::SignalImage(1), 1);
  EXPECT_EQ(CKeyPropertiesLogic::SignalImage(4), 3);
  EXPECT_EQ(CKeyPropertiesLogic::SignalImage(8), 4);
  // Every image the dialog asks for is in the strip.
  EXPECT_GE(CBitmapManager::ImageCount(CKeyPropertiesLogic::kKeyImages), 25);
  EXPECT_GE(CBitmapManager::ImageCount(CKeyPropertiesLogic::kSignalImages), 5);
}

TEST(KeyPicturesTest, ListsShowFunctionAndDestinationPictures) {
  CSelvantisDoc doc;
  SetActiveDoc(&doc);
  const std::vector<CZone*> zones = constest::AddZones(doc, 2);
  zones[0]->SetName(QStringLiteral("Lobby"));
  zones[1]->SetName(QStringLiteral("Hall"));
  CGroup* group = constest::AddGroup(doc, {zones[1]});
  group->SetName(QStringLiteral("Floor"));
  CConsole* console = constest::AddConsole(doc);
  // Key 2 selects the lobby; key 1 is a selection key too.
  console->FindKey(2)->SetProgramming(CConsKey::SEL, 0, 0, 0, KeyTarget::Of(zones[0]), CAT_ZONES, true);
  console->FindKey(1)->SetProgramming(CConsKey::SEL, 0, 0, 0, KeyTarget::Of(zones[1]), CAT_ZONES, true);
  NoHost host;
  {
    CKeyView view(*console, host);
    view.resize(900, 360);
    view.CreateKeyButtons();
    view.OpenKeyProperties(console->FindKey(1));
    CKeyPropertiesDlg* dlg = view.GetKeyDialog();
    ASSERT_NE(dlg, nullptr);

    // Functions: icon = function number + 4.
    QListWidgetItem* disabled = dlg->FunctionList()->item(0);
    ASSERT_NE(disabled, nullptr);
    EXPECT_TRUE(SamePicture(disabled->icon(), CKeyPropertiesLogic::kKeyImages, 4));
    QListWidgetItem* selection = ItemNamed(dlg->FunctionList(), QStringLiteral("Selection"));
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(SamePicture(selection->icon(), CKeyPropertiesLogic::kKeyImages, CConsKey::SEL + 4));
    EXPECT_EQ(selection->foreground().color(), QColor(0, 0, 128));

    // Destinations: the lobby is taken by key 2, the hall by key 1 (this
    // key), the group by none.
    QListWidgetItem* lobby = ItemNamed(dlg->DestinationList(), QStringLiteral("Lobby"));
    QListWidgetItem* floor = ItemNamed(dlg->DestinationList(), QStringLiteral("Floor"));
    ASSERT_NE(lobby, nullptr);
    ASSERT_NE(floor, nullptr);
    EXPECT_TRUE(SamePicture(lobby->icon(), CKeyPropertiesLogic::kKeyImages, 24));
    EXPECT_TRUE(SamePicture(floor->icon(), CKeyPropertiesLogic::kKeyImages, 21));
    EXPECT_FALSE(lobby->font().bold()) << "the picture marks it, not bold text";
    EXPECT_EQ(floor->foreground().color(), QColor(64, 64, 64));
    view.CloseKeyDialog();
  }
  SetActiveDoc(nullptr);
}

}  // namespace
