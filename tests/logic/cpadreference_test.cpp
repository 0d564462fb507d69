// The two lines that name a control pad: the download values for a pad, no
// pad and an object the unit cannot address; the upload's keyword waiting for
// its number, "OFF" in any case, a number without keyword, and a pad the
// project lacks noted in the error file.
#include "logic/cpadreference.h"
#include "logic/logicstrings.h"
#include "logictestsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

TEST(CPadReferenceTest, DownloadValuesNameThePadOrOff) {
  auto doc = NewProject();
  CControlPad* pad = MakeOutputPad(*doc);
  EXPECT_EQ(CPadReference::KeywordValue(pad), "DIGOUT");
  EXPECT_EQ(CPadReference::NumberValue(pad), "5");
  EXPECT_EQ(CPadReference::KeywordValue(nullptr), "OFF");
  EXPECT_EQ(CPadReference::NumberValue(nullptr), "0");
  // Not a pad: the unit cannot address it.
  CLogicTestTerminal* other = MakeTerminal(*doc, DT_DIGITALSLOT, 2, CAT_SLOTS, QStringLiteral("Slot6"));
  EXPECT_EQ(CPadReference::KeywordValue(other), "OFF");
  EXPECT_EQ(CPadReference::NumberValue(other), "0");
}

TEST(CPadReferenceTest, KeywordWaitsForItsNumberAndIsUsedUp) {
  auto doc = NewProject();
  CControlPad* pad = MakeOutputPad(*doc);
  CPadReference reference;
  EXPECT_FALSE(reference.HasKeyword());
  EXPECT_FALSE(reference.TakeKeyword(QStringLiteral(" DIGOUT ")));
  EXPECT_TRUE(reference.HasKeyword());
  EXPECT_EQ(reference.TakeNumber(5, doc.get(), IDS_LOGIC_STATE, 1, QString()), pad->GetID());
  EXPECT_FALSE(reference.HasKeyword());
  // A second number line without its keyword names nothing.
  EXPECT_EQ(reference.TakeNumber(5, doc.get(), IDS_LOGIC_STATE, 1, QString()), 0);
}

TEST(CPadReferenceTest, OffInAnyCaseNamesNoPadAndDropsAWaitingKeyword) {
  CPadReference reference;
  reference.TakeKeyword(QStringLiteral("DIGOUT"));
  EXPECT_TRUE(reference.TakeKeyword(QStringLiteral("off")));
  EXPECT_FALSE(reference.HasKeyword());
  EXPECT_TRUE(reference.TakeKeyword(QStringLiteral(" OFF")));
  reference.TakeKeyword(QStringLiteral("DIGOUT"));
  reference.Forget();
  EXPECT_FALSE(reference.HasKeyword());
}

TEST(CPadReferenceTest, PadTheProjectLacksIsNotedAsMissingFromItsOwner) {
  auto doc = NewProject();
  MakeOutputPad(*doc);
  QTemporaryDir dir;
  const QString errorFile = dir.filePath(QStringLiteral("p.err"));
  CPadReference reference;
  reference.TakeKeyword(QStringLiteral("DIGOUT"));
  EXPECT_EQ(reference.TakeNumber(6, doc.get(), IDS_READYINP, 7, errorFile), 0);
  EXPECT_FALSE(reference.HasKeyword());
  const QString text = ReadFile(errorFile);
  EXPECT_TRUE(text.contains(QLatin1String("DIGOUT 6"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QLatin1String(" 7 : "))) << text.toStdString();
  // Without a keyword nothing is looked up and nothing noted.
  EXPECT_EQ(reference.TakeNumber(6, doc.get(), IDS_READYINP, 7, errorFile), 0);
  EXPECT_EQ(ReadFile(errorFile), text);
  // Without a document no pad can be found either.
  reference.TakeKeyword(QStringLiteral("DIGOUT"));
  EXPECT_EQ(reference.TakeNumber(5, nullptr, IDS_READYINP, 7, QString()), 0);
}

}  // namespace
