// Print Console from the key view: one page, or two for a console with an
// extension, printed into a PDF file; the print dialog cancelled prints
// nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "../consoletestsupport.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "consoles/ui/conskeybutton.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

namespace {

class KeyViewPrintFakeHost final : public IKeyViewHost {
 public:
  bool AskKeyRange(int*, int*, int*) override { return false; }
  bool AskCopyDestination(const std::vector<CBaseDevice*>&, CConsole*, const QString&, CConsole**) override {
    return false;
  }
};

class CKeyViewPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetActiveDoc(&doc);
    doc.SetPathName(QStringLiteral("/projects/site.sxm"));
  }
  void TearDown() override { SetActiveDoc(nullptr); }

  // The number of pages of the PDF the view prints.
  int PrintedPages(CConsole* console) {
    CKeyView view(*console, host);
    view.resize(1400, 360);
    view.CreateKeyButtons();
    const QString file = dir.filePath(QStringLiteral("console%1.pdf").arg(++printed));
    {
      QPdfWriter writer(file);
      writer.setPageSize(QPageSize(QPageSize::A4));
      writer.setResolution(300);
      QString error;
      if (!view.PrintTo(writer, &error)) {
        ADD_FAILURE() << error.toStdString();
        return -1;
      }
    }
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
  }

  CSelvantisDoc doc;
  KeyViewPrintFakeHost host;
  QTemporaryDir dir;
  int printed = 0;
};

TEST_F(CKeyViewPrintTest, FiftyKeysPrintOnePage) {
  ASSERT_TRUE(dir.isValid());
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6550);
  ASSERT_EQ(console->GetProp().GetProgrammableKeyCount(), 50);
  EXPECT_EQ(PrintedPages(console), 1);
}

TEST_F(CKeyViewPrintTest, FiftyOneKeysPrintTheExtensionOnASecondPage) {
  ASSERT_TRUE(dir.isValid());
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6550);
  console->GetProp().CreateProgrammableKeys(50, 51, console, false);
  ASSERT_EQ(console->GetProp().GetProgrammableKeyCount(), 51);
  EXPECT_EQ(PrintedPages(console), 2);
  CConsole* extended = constest::AddConsole(doc, CConsProp::RCX6010X, 200);
  EXPECT_EQ(PrintedPages(extended), 2);
}

TEST_F(CKeyViewPrintTest, TheExtensionHousingLiesLeftOfTheConsole) {
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010X);
  CKeyView view(*console, host);
  view.resize(5000, 360);
  view.CreateKeyButtons();
  QTemporaryDir tmp;
  QPdfWriter writer(tmp.filePath(QStringLiteral("x.pdf")));
  ASSERT_TRUE(view.PrintTo(writer));
  const KeyBox& extension = view.GetExtensionRect();
  ASSERT_FALSE(extension.IsEmpty());
  EXPECT_LT(extension.right, view.ButtonOf(console->FindKey(CConsKey::kTalkKey))->geometry().left());
  EXPECT_EQ(extension.left, view.GetDrawingRect().left);
}

TEST_F(CKeyViewPrintTest, CancellingThePrintDialogPrintsNothing) {
  CConsole* console = constest::AddConsole(doc, CConsProp::RCX6010);
  CKeyView view(*console, host);
  view.resize(900, 360);
  view.CreateKeyButtons();
  MessageRecorder messages;
  bool ran = false;
  DriveNextModal([&](QWidget* dialog) {
    dialog->close();
    ran = true;
  });
  EXPECT_FALSE(view.OnCommand(CKeyView::ID_CONSOLE_PRINT));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(messages.Requests().empty());
}

}  // namespace
