// Hostile texts from the simulated unit over the real link: each text
// parameter of the macros and each event-log mask keeps no more than its
// width of an upload, cleaned of control characters, and the next download
// sends it back no longer; nor does a download send more of a project file
// whose texts are longer than their fields.
#include "link/ctransfer.h"
#include "macrohandlers.h"
#include "macros/ceventlog.h"
#include "macros/cmacro.h"
#include "macros/cmacroobject.h"
#include "support/hostiletext.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class MacroTextWidthSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    StartSim(RegisterMacroHandlers);
  }

  CMacro* Add(int kind) {
    CMacro* macro = CMacro::CreateMacro(kind, doc);
    EXPECT_NE(macro, nullptr);
    return macro;
  }
};

QString PathOf(const CMacro* macro, const char* key) {
  return QStringLiteral("/MACRO/ENTRY%1/PARAM/%2").arg(macro->GetID()).arg(QLatin1String(key));
}

}  // namespace

TEST_F(MacroTextWidthSimTest, EveryTextParameterAndMaskIsCutToItsWidthAndSentBackNoLonger) {
  CMacro* lcd = Add(CMacro::kKindLCDText);
  CMacro* buzzer = Add(CMacro::kKindBuzzer);
  CMacro* controller = Add(CMacro::kKindVirtCtrl);
  CMacro* supply = Add(CMacro::kKindAmpSupply);
  CMacro* mute = Add(CMacro::kKindAmpMute);
  CMacroObject* block = CMacroObject::Find(&doc);
  CEventLog* log = CEventLog::Find(&doc);
  ASSERT_TRUE(lcd && buzzer && controller && supply && mute && block && log);

  auto param = [](CMacro* macro, int index) { return [=] { return macro->GetParamText(index); }; };
  std::vector<HostileTextField> rows = {
      {PathOf(lcd, "TEXT"), 16, 308, block, param(lcd, CMacro::P_TEXT)},
      {PathOf(buzzer, "TEXT"), 16, 308, block, param(buzzer, CMacro::P_TEXT)},
      {PathOf(controller, "TITLE"), 16, 308, block, param(controller, CMacro::P_TEXT)},
      {PathOf(controller, "UNIT"), 16, 308, block, param(controller, CMacro::P_UNIT)},
      // Range lists are long: the unit's text is longer than their width.
      {PathOf(supply, "ADR"), 499, 700, block, param(supply, CMacro::P_AMPS)},
      {PathOf(mute, "CHAN"), 499, 700, block, param(mute, CMacro::P_AMP_CHANNELS)},
  };
  const struct {
    const char* key;
    int index;
  } masks[] = {{"/MASK/ON", CEventLog::I_GENERAL},           {"/MASK/AUDIO/ON", CEventLog::I_AUDIO},
               {"/MASK/MACRO/ON", CEventLog::I_MACRO},       {"/MASK/FAULT/ON", CEventLog::I_FAULT},
               {"/MASK/READYINP/ON", CEventLog::I_READYINP}, {"/MASK/VIRTCTRL/ON", CEventLog::I_VIRTCTRL}};
  for (const auto& mask : masks) {
    const int index = mask.index;
    rows.push_back({"/EVENT/LOG" + QLatin1String(mask.key), 499, 700, log, [=] { return log->GetParamText(index); }});
  }

  ASSERT_TRUE(Connect());
  CTransfer transfer;
  // The unit holds the macros' kinds, as a download leaves them.
  ASSERT_EQ(transfer.DownloadObject(*block), CTransfer::Result::Done);
  for (const HostileTextField& row : rows) sim.SetValue(row.path, HostileText(row.chars));
  ASSERT_EQ(transfer.UploadObject(*block), CTransfer::Result::Done);
  ASSERT_EQ(transfer.UploadObject(*log), CTransfer::Result::Done);
  for (const HostileTextField& row : rows) {
    const QString cut = HostileTextCut(row.width, row.chars);
    ASSERT_EQ(cut.size(), row.width);
    EXPECT_EQ(row.stored(), cut) << row.path.toStdString();
  }

  sim.ClearLog();
  ASSERT_EQ(transfer.DownloadObject(*block), CTransfer::Result::Done);
  ASSERT_EQ(transfer.DownloadObject(*log), CTransfer::Result::Done);
  for (const HostileTextField& row : rows) {
    const QString line = row.path + " " + HostileTextCut(row.width, row.chars);
    EXPECT_EQ(LinesUnder(row.path + " "), QStringList{line}) << row.path.toStdString();
  }
}

TEST_F(MacroTextWidthSimTest, OverLongTextsOfAProjectFileAreSentNoLonger) {
  CSelvantisDoc source;
  ASSERT_TRUE(source.OnNewDocument());
  const struct {
    int kind;
    int index;
    const char* key;
    int width;
  } params[] = {{CMacro::kKindLCDText, CMacro::P_TEXT, "TEXT", 16},
                {CMacro::kKindBuzzer, CMacro::P_TEXT, "TEXT", 16},
                {CMacro::kKindVirtCtrl, CMacro::P_TEXT, "TITLE", 16},
                {CMacro::kKindVirtCtrl, CMacro::P_UNIT, "UNIT", 16},
                {CMacro::kKindAmpSupply, CMacro::P_AMPS, "ADR", 499},
                {CMacro::kKindAmpMute, CMacro::P_AMP_CHANNELS, "CHAN", 499}};
  const char* const masks[] = {"/MASK/ON",       "/MASK/AUDIO/ON",    "/MASK/MACRO/ON",
                               "/MASK/FAULT/ON", "/MASK/READYINP/ON", "/MASK/VIRTCTRL/ON"};
  const int maskIndexes[] = {CEventLog::I_GENERAL, CEventLog::I_AUDIO,    CEventLog::I_MACRO,
                             CEventLog::I_FAULT,   CEventLog::I_READYINP, CEventLog::I_VIRTCTRL};
  struct Line {
    QString path;
    QString text;  // as the file holds it
    int width;
  };
  std::vector<Line> lines;
  CMacro* controller = nullptr;
  for (const auto& p : params) {
    CMacro* macro = p.kind == CMacro::kKindVirtCtrl && controller ? controller : CMacro::CreateMacro(p.kind, source);
    ASSERT_NE(macro, nullptr);
    if (p.kind == CMacro::kKindVirtCtrl) controller = macro;
    const QString mark = QStringLiteral("Mark%1").arg(lines.size() + 10);
    macro->SetParamText(p.index, mark);
    lines.push_back({PathOf(macro, p.key), mark, p.width});
  }
  CEventLog* sourceLog = CEventLog::Find(&source);
  for (int i = 0; i < 6; ++i) {
    const QString mark = QStringLiteral("Mark%1").arg(lines.size() + 10);
    sourceLog->SetParamText(maskIndexes[i], mark);
    lines.push_back({"/EVENT/LOG" + QLatin1String(masks[i]), mark, 499});
  }
  QByteArray bytes = SaveProject(source);
  for (Line& line : lines) {
    const QString longer = line.text + QString(600, QChar('x'));
    ASSERT_TRUE(ReplaceText(bytes, line.text, longer)) << line.path.toStdString();
    line.text = longer;
  }
  ASSERT_TRUE(LoadProject(doc, bytes));

  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*CMacroObject::Find(&doc)), CTransfer::Result::Done);
  ASSERT_EQ(transfer.DownloadObject(*CEventLog::Find(&doc)), CTransfer::Result::Done);
  for (const Line& line : lines) {
    EXPECT_EQ(LinesUnder(line.path + " "), QStringList{line.path + " " + line.text.left(line.width)})
        << line.path.toStdString();
  }
}
