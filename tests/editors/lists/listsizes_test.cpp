// Lists sized to what they hold, in both languages: the macro kinds that
// New offers all in sight, and column titles that neither get cut nor run
// into the next one.
#include "editors/lists/busylistmodel.h"
#include "editors/lists/cbusydlgfrm.h"
#include "editors/lists/cbusydlgview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "macros/cmacro.h"
#include "model/cselectionprovider.h"
#include "model/ui/cselectiondlg.h"
#include "shell/clanguageswitcher.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const CStringTable::Language kLanguages[] = {CStringTable::Language::English, CStringTable::Language::German};

const char* NameOf(CStringTable::Language language) {
  return language == CStringTable::Language::German ? "German" : "English";
}

TEST(ListSizesTest, NewMacroShowsEveryKindUpToTheLastInBothLanguages) {
  TempProfile profile;
  CLanguageSwitcher switcher;
  auto doc = NewListProject();
  for (CStringTable::Language language : kLanguages) {
    switcher.Apply(language);
    CSelectionDlg dialog;
    dialog.SetDocument(doc.get());
    dialog.SetKind(CMacro::kSelectMacroKind);
    dialog.show();
    QApplication::processEvents();
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("choices"));
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->topLevelItemCount(), 10) << NameOf(language);
    QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
    const QString noEntry = language == CStringTable::Language::German ? QStringLiteral("Kein Eintrag")
                                                                        : QStringLiteral("No entry");
    EXPECT_EQ(last->text(0), noEntry) << NameOf(language);
    const QRect shown = list->viewport()->rect();
    EXPECT_TRUE(shown.contains(list->visualItemRect(last)))
        << NameOf(language) << ": the last kind lies at " << list->visualItemRect(last).bottom() << " of "
        << shown.height();
    for (int column = 0; column < list->columnCount(); ++column) {
      const int needed = list->fontMetrics().horizontalAdvance(last->text(column));
      EXPECT_LE(needed, list->columnWidth(column)) << NameOf(language);
    }
    dialog.reject();
  }
  switcher.Apply(CStringTable::Language::English);
}

TEST(ListSizesTest, TheBusyListsTitlesFitTheirColumnsInBothLanguages) {
  TempProfile profile;
  CLanguageSwitcher switcher;
  auto doc = NewListProject();
  SetActiveDoc(doc.get());
  for (CStringTable::Language language : kLanguages) {
    switcher.Apply(language);
    CBusyDlgFrm frame(HostFrameContext{doc.get(), nullptr, HostFrameKind::BusyConditions});
    frame.resize(900, 400);
    frame.show();
    QApplication::processEvents();
    CBusyDlgView* view = frame.GetBusyView();
    ASSERT_NE(view, nullptr);
    const QStringList titles = BusyListModel::ColumnTitles();
    for (int column = 0; column < BusyListModel::kColumnCount; ++column) {
      const QString title = view->headerItem()->text(column);
      EXPECT_EQ(title, titles.at(column));
      // The header's own measure of the title, margins and all.
      EXPECT_GE(view->header()->sectionSize(column), view->header()->sectionSizeHint(column))
          << NameOf(language) << ": \"" << title.toStdString() << "\" is cut";
      EXPECT_GT(view->header()->sectionSize(column), view->fontMetrics().horizontalAdvance(title))
          << NameOf(language) << ": \"" << title.toStdString() << "\"";
    }
  }
  switcher.Apply(CStringTable::Language::English);
  SetActiveDoc(nullptr);
}

}  // namespace
