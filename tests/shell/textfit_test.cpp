// Texts are never cut: in both languages every column of every list of the
// editor host is at least as wide as its header, and dialogs are at least
// as wide as their title.
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/clanguageswitcher.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/ctextfitguard.h"
#include "shell/controls/hostframekind.h"
#include "shell/cpreferencesdlg.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The columns of the shown lists in widget whose header text does not fit.
QStringList CutColumns(QWidget& widget) {
  QStringList cut;
  for (QHeaderView* header : widget.findChildren<QHeaderView*>()) {
    if (header->orientation() != Qt::Horizontal || !header->isVisible() || !header->model()) continue;
    for (int logical = 0; logical < header->count(); ++logical) {
      if (header->isSectionHidden(logical)) continue;
      const QHeaderView::ResizeMode mode = header->sectionResizeMode(logical);
      if (mode == QHeaderView::Stretch || mode == QHeaderView::ResizeToContents) continue;
      if (header->stretchLastSection() && header->visualIndex(logical) == header->count() - 1) continue;
      const int needed = CTextFitGuard::HeaderTextWidth(*header, logical);
      if (header->sectionSize(logical) < needed)
        cut << QStringLiteral("\"%1\" %2 < %3")
                   .arg(header->model()->headerData(logical, Qt::Horizontal).toString())
                   .arg(header->sectionSize(logical))
                   .arg(needed);
    }
  }
  return cut;
}

class TextFitTest : public testing::TestWithParam<CStringTable::Language> {
 protected:
  void SetUp() override {
    CTextFitGuard::Install();
    m_switcher.Apply(GetParam());
    m_doc.OnNewDocument();
    SetActiveDoc(&m_doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    m_switcher.Apply(CStringTable::Language::English);
  }

  TempProfile m_profile;
  MessageRecorder m_messages;
  RecordingLink m_link;
  CLanguageSwitcher m_switcher;
  CSelvantisDoc m_doc;
};

TEST_P(TextFitTest, EveryListOfTheHostShowsItsHeadersWhole) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    QApplication::processEvents();
    const QStringList cut = CutColumns(host);
    EXPECT_TRUE(cut.isEmpty()) << s.frameClass << ": " << cut.join(QStringLiteral(", ")).toStdString();
    host.reject();
  }
}

TEST_P(TextFitTest, ColumnsMadeNarrowByCodeOrRenamedStayWhole) {
  QTreeWidget list;
  list.setColumnCount(3);
  list.setHeaderLabels({QStringLiteral("Amp. channel"), QStringLiteral("Impedance test"), QStringLiteral("X")});
  list.show();
  QApplication::processEvents();
  list.header()->resizeSection(0, 20);
  list.header()->resizeSection(1, 30);
  EXPECT_TRUE(CutColumns(list).isEmpty()) << CutColumns(list).join(QStringLiteral(", ")).toStdString();
  list.headerItem()->setText(1, QStringLiteral("Prerecorded Text Message, a longer header"));
  EXPECT_TRUE(CutColumns(list).isEmpty()) << CutColumns(list).join(QStringLiteral(", ")).toStdString();

  QStandardItemModel model(2, 2);
  model.setHorizontalHeaderLabels({QStringLiteral("Virtual controller"), QStringLiteral("Prerecorded Text Message")});
  QTableView table;
  table.setModel(&model);
  table.horizontalHeader()->setDefaultSectionSize(40);
  table.show();
  QApplication::processEvents();
  EXPECT_TRUE(CutColumns(table).isEmpty()) << CutColumns(table).join(QStringLiteral(", ")).toStdString();
}

TEST_P(TextFitTest, DialogsAreAsWideAsTheirTitle) {
  CPreferencesDlg preferences;
  preferences.show();
  QApplication::processEvents();
  EXPECT_GE(preferences.width(), CTextFitGuard::TitleWidth(preferences)) << preferences.windowTitle().toStdString();
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    QApplication::processEvents();
    EXPECT_GE(host.width(), CTextFitGuard::TitleWidth(host)) << s.frameClass;
    host.reject();
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextFitTest,
                         testing::Values(CStringTable::Language::English, CStringTable::Language::German),
                         [](const testing::TestParamInfo<CStringTable::Language>& info) {
                           return info.param == CStringTable::Language::German ? std::string("German")
                                                                               : std::string("English");
                         });

}  // namespace
