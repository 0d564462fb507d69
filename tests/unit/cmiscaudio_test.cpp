// The unit's audio settings: the conversions between stored and wire values
// both ways, the clamps of the text setter, replies that must change nothing
// (echoed queries, unreadable values, unknown keywords), the input-level
// replies that share the branch, lines for a document that is not the active
// one, the C locale on the wire, and the file record.
#include "unit/cmiscaudio.h"
#include "link/linkmode.h"
#include "model/cselvantisdoc.h"
#include "support/commalocale.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unit/caudioinputslot.h"
#include "unitmoduletest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CMiscAudioTest : public UnitModuleTest<CMiscAudio> {
 protected:
  QStringList Texts() const {
    QStringList texts;
    for (int code = 0; code < CMiscAudio::kCodeCount; ++code) texts << audio->GetParamText(code);
    return texts;
  }

  CMiscAudio*& audio = module;
};

const QStringList kDefaultLines = {"/AUDIO/ALARM_VOL -14.8", "/AUDIO/CHIME_VOL -9.0", "/AUDIO/MESSAGE_VOL -3.6",
                                   "/AUDIO/PANIC_VOL 0.0",   "/AUDIO/BACK_ATT -127",  "/AUDIO/EXT_ALARM_INP 3",
                                   "/AUDIO/EXT_MSG_INP 3",   "/AUDIO/BACK_INP 4"};

TEST_F(CMiscAudioTest, NewObjectDownloadsTheUnitsDefaults) {
  EXPECT_EQ(audio->GetPath(), "AUDIO");
  EXPECT_EQ(audio->Download(false, -1), 8);
  EXPECT_EQ(DownloadAll(false), kDefaultLines);
  EXPECT_EQ(Texts(), (QStringList{"-14.8", "-9.0", "-3.6", "0.0", "-41", "2", "2", "3"}));
}

TEST_F(CMiscAudioTest, QueryDownloadAsksForEverySetting) {
  QStringList expected;
  for (const QString& line : kDefaultLines) expected << line.left(line.indexOf(QLatin1Char(' '))) + " ?";
  EXPECT_EQ(DownloadAll(true), expected);
}

TEST_F(CMiscAudioTest, FullBufferRepeatsTheStep) {
  link.SetOutBufferCount(512);
  EXPECT_EQ(audio->Download(false, -1), 8);
  for (int step = 0; step < 8; ++step) EXPECT_EQ(audio->Download(false, step), step);
  link.SetOutBufferCount(0);
  EXPECT_EQ(audio->Download(false, 8), 8);
  EXPECT_EQ(audio->Download(false, -2), -2);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CMiscAudioTest, UploadConvertsTheUnitsValues) {
  struct Row {
    const char* line;
    int code;
    const char* stored;
    const char* sentAgain;  // what a download then sends for the code
  };
  const Row rows[] = {
      {"/AUDIO/ALARM_VOL -150.0", CMiscAudio::ALARM_VOL, "-80.0", "/AUDIO/ALARM_VOL -150.0"},
      {"/AUDIO/CHIME_VOL -95.5", CMiscAudio::CHIME_VOL, "-80.0", "/AUDIO/CHIME_VOL -150.0"},
      {"/AUDIO/MESSAGE_VOL -12.25", CMiscAudio::MESSAGE_VOL, "-12.2", "/AUDIO/MESSAGE_VOL -12.2"},
      {"/AUDIO/PANIC_VOL 10", CMiscAudio::PANIC_VOL, "6.0", "/AUDIO/PANIC_VOL 6.0"},
      {"/AUDIO/BACK_ATT -127", CMiscAudio::BACK_ATT, "-41", "/AUDIO/BACK_ATT -127"},
      {"/AUDIO/BACK_ATT -12.7", CMiscAudio::BACK_ATT, "-12", "/AUDIO/BACK_ATT -12"},
      {"/AUDIO/BACK_ATT -40.5", CMiscAudio::BACK_ATT, "-40", "/AUDIO/BACK_ATT -40"},
      {"/AUDIO/BACK_ATT 3", CMiscAudio::BACK_ATT, "0", "/AUDIO/BACK_ATT 0"},
      {"/AUDIO/BACK_INP 1", CMiscAudio::BACK_INP, "0", "/AUDIO/BACK_INP 1"},
      {"/AUDIO/BACK_INP 3", CMiscAudio::BACK_INP, "2", "/AUDIO/BACK_INP 3"},
      {"/AUDIO/EXT_MSG_INP 9", CMiscAudio::EXT_MSG_INP, "3", "/AUDIO/EXT_MSG_INP 4"},
      {"/AUDIO/EXT_ALARM_INP -2147483648", CMiscAudio::EXT_ALARM_INP, "0", "/AUDIO/EXT_ALARM_INP 1"},
      // The keyword is cut at its first digit.
      {"/AUDIO/ALARM_VOL2 -3.0", CMiscAudio::ALARM_VOL, "-3.0", "/AUDIO/ALARM_VOL -3.0"},
  };
  MessageRecorder messages;
  for (const Row& row : rows) {
    EXPECT_TRUE(Route(QString::fromLatin1(row.line))) << row.line;
    EXPECT_EQ(audio->GetParamText(row.code), row.stored) << row.line;
    link.Clear();
    EXPECT_EQ(audio->SendSetting(row.code, false, false), row.sentAgain);
    EXPECT_EQ(link.TakeLines(), QStringList{row.sentAgain});
  }
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CMiscAudioTest, UploadIsTakenInEveryLinkMode) {
  Route(QStringLiteral("/AUDIO/CHIME_VOL -20.0"), LINKMODE_NORMAL);
  EXPECT_EQ(audio->GetParamText(CMiscAudio::CHIME_VOL), "-20.0");
  Route(QStringLiteral("/AUDIO/CHIME_VOL -21.0"), LINKMODE_COMMANDLIST);
  EXPECT_EQ(audio->GetParamText(CMiscAudio::CHIME_VOL), "-21.0");
}

TEST_F(CMiscAudioTest, MalformedRepliesChangeNothing) {
  MessageRecorder messages;
  const QStringList before = Texts();
  // An echoed query is no value: it must not read as 0 dB.
  EXPECT_FALSE(Route(QStringLiteral("/AUDIO/ALARM_VOL ?")));
  EXPECT_TRUE(messages.Requests().empty());
  for (const char* line : {"/AUDIO/BACK_INP abc", "/AUDIO/ALARM_VOL", "/AUDIO/PANIC_VOL nan", "/AUDIO/BACK_ATT x",
                           "/AUDIO/UNKNOWN_VOL 3", "/AUDIO/alarm_vol -3.0", "/AUDIO 5"}) {
    messages.Clear();
    EXPECT_FALSE(Route(QString::fromLatin1(line))) << line;
    EXPECT_EQ(Texts(), before) << line;
    ASSERT_EQ(messages.Requests().size(), 1u) << line;
    EXPECT_TRUE(messages.Saw(CMiscAudio::kParserError)) << line;
  }
}

TEST_F(CMiscAudioTest, TextSetterClamps) {
  struct Row {
    int code;
    const char* text;
    bool ok;
    const char* stored;
  };
  const Row rows[] = {
      {CMiscAudio::ALARM_VOL, "10", true, "6.0"},      {CMiscAudio::ALARM_VOL, "-80.0", true, "-80.0"},
      {CMiscAudio::ALARM_VOL, "-79.9", true, "-79.9"}, {CMiscAudio::ALARM_VOL, "-200", true, "-80.0"},
      {CMiscAudio::BACK_ATT, "-45", true, "-41"},      {CMiscAudio::BACK_ATT, "-40", true, "-40"},
      {CMiscAudio::BACK_ATT, "5", true, "0"},          {CMiscAudio::BACK_ATT, "-1", true, "-1"},
      {CMiscAudio::EXT_MSG_INP, "7", true, "3"},       {CMiscAudio::EXT_MSG_INP, "0", true, "0"},
      {CMiscAudio::EXT_MSG_INP, "2", true, "2"},       {CMiscAudio::EXT_MSG_INP, "-3", true, "0"},
      {CMiscAudio::BACK_INP, "dB", false, "3"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(audio->SetParamText(row.code, QString::fromLatin1(row.text)), row.ok) << row.code << row.text;
    EXPECT_EQ(audio->GetParamText(row.code), row.stored) << row.code << row.text;
  }
  EXPECT_FALSE(audio->SetParamText(9, QStringLiteral("1")));
  EXPECT_FALSE(audio->SetParamText(-1, QStringLiteral("1")));
  EXPECT_EQ(audio->GetParamText(9), "");
  EXPECT_EQ(audio->SendSetting(9, false, false), "");
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CMiscAudioTest, InputLevelRepliesReachTheirInputSlot) {
  auto* slot2 = dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().FindBaseDevice(2, DT_AUDIOINPUTSLOT));
  ASSERT_NE(slot2, nullptr);
  MessageRecorder messages;
  const QStringList before = Texts();
  EXPECT_TRUE(Route(QStringLiteral("/AUDIO/IN3/VOL -12.5")));
  EXPECT_TRUE(Route(QStringLiteral("/AUDIO/IN4/VOL 2.0")));
  EXPECT_FLOAT_EQ(slot2->GetLevel(0), -12.5f);
  EXPECT_FLOAT_EQ(slot2->GetLevel(1), 2.0f);
  EXPECT_EQ(Texts(), before);
  EXPECT_TRUE(messages.Requests().empty());
  // No slot holds input 9: a parser error, as for any key the project cannot place.
  EXPECT_FALSE(Route(QStringLiteral("/AUDIO/IN9/VOL -1.0")));
  EXPECT_TRUE(messages.Saw(CMiscAudio::kParserError));
}

TEST_F(CMiscAudioTest, SendsForItsOwnDocumentWhenAnotherIsActive) {
  CSelvantisDoc other;
  other.OnNewDocument();
  SetActiveDoc(&other);
  link.SetServedDocument(&doc);  // the link serves the project being downloaded
  EXPECT_EQ(DownloadAll(false), kDefaultLines);
  EXPECT_EQ(audio->SendSetting(CMiscAudio::CHIME_VOL, true, true), "/AUDIO/CHIME_VOL ?");
  EXPECT_EQ(link.TakeLines(), QStringList{"/AUDIO/CHIME_VOL ?"});
  // The active document's own object is not served: its lines go nowhere.
  CMiscAudio::Find(&other)->SendSetting(CMiscAudio::CHIME_VOL, false, false);
  EXPECT_TRUE(link.Lines().isEmpty());
  SetActiveDoc(nullptr);
}

TEST_F(CMiscAudioTest, WireNumbersIgnoreTheUserLocale) {
  CommaLocale comma;
  if (!comma.Ok()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(DownloadAll(false), kDefaultLines);
  Route(QStringLiteral("/AUDIO/CHIME_VOL -20.5"));
  EXPECT_EQ(audio->GetParamText(CMiscAudio::CHIME_VOL), "-20.5");
}

TEST_F(CMiscAudioTest, RecordIsFourFloatsThenFourIntegers) {
  audio->SetParamText(CMiscAudio::ALARM_VOL, QStringLiteral("-80"));
  audio->SetParamText(CMiscAudio::PANIC_VOL, QStringLiteral("1.5"));
  audio->SetParamText(CMiscAudio::BACK_ATT, QStringLiteral("-7"));
  audio->SetParamText(CMiscAudio::BACK_INP, QStringLiteral("1"));
  const QByteArray own = OwnRecord(*audio);
  ASSERT_EQ(own.size(), 32);
  float volumes[4];
  int32_t values[4];
  std::memcpy(volumes, own.constData(), 16);
  std::memcpy(values, own.constData() + 16, 16);
  EXPECT_FLOAT_EQ(volumes[0], -80.0f);
  EXPECT_FLOAT_EQ(volumes[1], -9.0f);
  EXPECT_FLOAT_EQ(volumes[2], -3.6f);
  EXPECT_FLOAT_EQ(volumes[3], 1.5f);
  EXPECT_EQ(values[0], -7);
  EXPECT_EQ(values[1], 2);
  EXPECT_EQ(values[2], 2);
  EXPECT_EQ(values[3], 1);

  const QStringList before = Texts();
  auto back = RoundTrip(doc);
  CMiscAudio* loaded = CMiscAudio::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  for (int code = 0; code < CMiscAudio::kCodeCount; ++code) EXPECT_EQ(loaded->GetParamText(code), before[code]);
  EXPECT_EQ(back->FindObjectByPath(QStringLiteral("AUDIO")), loaded);
}

}  // namespace
