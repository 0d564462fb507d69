// The string table: both languages complete, the same ids in both, and every
// id the program uses present.
#include "model/cstringtable.h"

#include "consoles/consolestrings.h"
#include "logic/logicstrings.h"
#include "model/modelstrings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace {

using Language = CStringTable::Language;

class LanguageScope final {
 public:
  explicit LanguageScope(Language language) : m_previous(CStringTable::GetLanguage()) {
    CStringTable::SetLanguage(language);
  }
  ~LanguageScope() { CStringTable::SetLanguage(m_previous); }

 private:
  Language m_previous;
};

QString SourceDir() { return QDir::cleanPath(QStringLiteral(SELV_TEST_DATA_DIR "/../../src")); }

// Ids the sources name: as arguments of the lookups, and as the values of
// string-id enumerators and constants (IDS_..., kStr..., kKind...: a kind is
// also the id of its name). Each with one place for the failure message.
struct SourceIds {
  std::map<uint32_t, QString> ids;
  std::vector<int> hitsPerPattern;
};

// Patterns from this index on find ids by the name they are given.
constexpr size_t kFirstNamePattern = 3;

SourceIds IdsUsedInSources() {
  const QRegularExpression patterns[] = {
      QRegularExpression(QStringLiteral(R"(\bLoadString\(\s*(\d{4,5})\b)")),
      QRegularExpression(QStringLiteral(R"(\bCStringTable::Load\(\s*(\d{4,5})\b)")),
      QRegularExpression(QStringLiteral(R"(\bAfxMessageBox\(\s*(\d{4,5})\b)")),
      QRegularExpression(QStringLiteral(R"(\bkStr\w*\s*=\s*(\d{4,5})\b)")),
      QRegularExpression(QStringLiteral(R"(\bkKind\w*\s*=\s*(\d{4,5})\b)")),
      QRegularExpression(QStringLiteral(R"(\bIDS_\w+\s*=\s*(\d{4,5})\b)")),
  };
  SourceIds out;
  out.hitsPerPattern.assign(std::size(patterns), 0);
  QDirIterator it(SourceDir(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(file.readAll());
    for (size_t p = 0; p < std::size(patterns); ++p) {
      auto matches = patterns[p].globalMatch(text);
      while (matches.hasNext()) {
        const uint32_t id = matches.next().captured(1).toUInt();
        ++out.hitsPerPattern[p];
        out.ids.emplace(id, QDir(SourceDir()).relativeFilePath(path));
      }
    }
  }
  return out;
}

// The printf conversions of a text, in order: a translation that drops or
// swaps one would format the wrong argument.
QStringList Conversions(const QString& text) {
  static const QRegularExpression re(QStringLiteral(R"(%[-+ #0]*\d*(?:\.\d+)?[diuxXcsfeEgG%])"));
  QStringList out;
  auto it = re.globalMatch(text);
  while (it.hasNext()) out << it.next().captured(0);
  return out;
}

}  // namespace

TEST(CStringTableTest, BothLanguagesHaveTheSameIds) {
  const std::vector<uint32_t> german = CStringTable::Ids(Language::German);
  const std::vector<uint32_t> english = CStringTable::Ids(Language::English);
  ASSERT_GT(english.size(), 300u) << "the English resource file was not loaded";
  std::vector<uint32_t> onlyGerman, onlyEnglish;
  std::set_difference(german.begin(), german.end(), english.begin(), english.end(), std::back_inserter(onlyGerman));
  std::set_difference(english.begin(), english.end(), german.begin(), german.end(), std::back_inserter(onlyEnglish));
  EXPECT_TRUE(onlyGerman.empty()) << "first id without English text: " << onlyGerman.front();
  EXPECT_TRUE(onlyEnglish.empty()) << "first id without German text: " << onlyEnglish.front();
}

TEST(CStringTableTest, EveryIdUsedInTheCodeHasBothTexts) {
  const SourceIds used = IdsUsedInSources();
  // The named ids are most of them: a pattern for names that finds nothing
  // has stopped looking (a moved folder, a changed spelling), and the check
  // below would pass for the wrong reason.
  for (size_t p = kFirstNamePattern; p < used.hitsPerPattern.size(); ++p)
    EXPECT_GT(used.hitsPerPattern[p], 0) << "pattern " << p;
  for (const auto& [id, where] : used.ids) {
    EXPECT_TRUE(CStringTable::Has(id, Language::German)) << id << " (used in " << where.toStdString() << ")";
    EXPECT_TRUE(CStringTable::Has(id, Language::English)) << id << " (used in " << where.toStdString() << ")";
  }
}

TEST(CStringTableTest, TranslationsKeepTheFormatConversions) {
  for (uint32_t id : CStringTable::Ids(Language::English)) {
    EXPECT_EQ(Conversions(CStringTable::Load(id, Language::German)),
              Conversions(CStringTable::Load(id, Language::English)))
        << id;
  }
}

TEST(CStringTableTest, TableFilesAreWellFormed) {
  // A repeated id would silently lose one text; a line without a tab is no entry.
  for (const char* name : {"strings_de.txt", "strings_en.txt"}) {
    QFile file(SourceDir() + QStringLiteral("/resources/") + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QSet<uint> seen;
    int lineNo = 0;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
      const QString line = in.readLine();
      ++lineNo;
      if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
      bool ok = false;
      const uint id = line.section(QLatin1Char('\t'), 0, 0).toUInt(&ok);
      EXPECT_TRUE(ok && line.contains(QLatin1Char('\t'))) << name << ":" << lineNo;
      EXPECT_FALSE(seen.contains(id)) << name << ":" << lineNo << " repeats " << id;
      seen.insert(id);
    }
  }
}

TEST(CStringTableTest, EnglishTextsAreTheSystemsOwn) {
  EXPECT_EQ(CStringTable::Load(34207, Language::English),
            QStringLiteral("Cannot create this device !\nYou have reached the maximum number of "
                           "devices of this type !\n"));
  EXPECT_EQ(CStringTable::Load(34499, Language::English), QStringLiteral("is missing"));
  EXPECT_EQ(CStringTable::Load(32790, Language::English),
            QStringLiteral("Warning!\nOUT%d is connected to %d amplifier inputs"));
  EXPECT_EQ(CStringTable::Load(34029, Language::English),
            QStringLiteral("Parser-error !\n\rUnknown selection parameter !"));
  EXPECT_EQ(CStringTable::Load(34242, Language::English), QStringLiteral(" "));
}

TEST(CStringTableTest, LoadFollowsTheChosenLanguage) {
  {
    LanguageScope german(Language::German);
    EXPECT_EQ(CStringTable::GetLanguage(), Language::German);
    EXPECT_EQ(LoadString(34499), QStringLiteral("fehlt"));
  }
  {
    LanguageScope english(Language::English);
    EXPECT_EQ(CStringTable::GetLanguage(), Language::English);
    EXPECT_EQ(LoadString(34499), QStringLiteral("is missing"));
  }
  EXPECT_TRUE(LoadString(1).isEmpty());
  EXPECT_FALSE(CStringTable::Has(1, Language::German));
}

TEST(CStringTableTest, CommandPathsAreTheSameInBothLanguages) {
  // These texts go to the unit, not to the user.
  for (uint32_t id : {34079u, 34107u, 34108u, 34109u, 34110u, 34369u, 34558u, 34559u, 34560u, 34282u})
    EXPECT_EQ(CStringTable::Load(id, Language::German), CStringTable::Load(id, Language::English)) << id;
}

TEST(CStringTableTest, ProfileValueChoosesTheLanguage) {
  EXPECT_EQ(CStringTable::LanguageFromProfileValue(QStringLiteral("German")), Language::German);
  EXPECT_EQ(CStringTable::LanguageFromProfileValue(QStringLiteral("English")), Language::English);
  EXPECT_EQ(CStringTable::LanguageFromProfileValue(QString()), Language::English);
  EXPECT_EQ(CStringTable::LanguageFromProfileValue(QStringLiteral("Deutsch")), Language::English);
}

TEST(CStringTableTest, FixedDeviceTextsOfTheReadyInputsHaveBothTexts) {
  // Named only by the first and last id; the ids between are computed.
  for (uint32_t id = IDS_DEVICE_TEXT_FIRST; id <= IDS_DEVICE_TEXT_LAST; ++id) {
    EXPECT_TRUE(CStringTable::Has(id, Language::German)) << id;
    EXPECT_TRUE(CStringTable::Has(id, Language::English)) << id;
  }
}

TEST(CStringTableTest, FormerBuiltInTextsAreInTheTable) {
  // English texts the lookups used to carry in code; they must read the same.
  EXPECT_EQ(CStringTable::Load(IDS_COND_INPUT, Language::English), QStringLiteral("Control input"));
  EXPECT_EQ(CStringTable::Load(IDS_DEVICE_TEXT_FIRST, Language::English), QStringLiteral("Mains failure"));
  EXPECT_EQ(CStringTable::Load(IDS_DEVICE_TEXT_LAST, Language::English), QStringLiteral("External fault"));
  EXPECT_EQ(CStringTable::Load(IDS_REP_MINUTELY, Language::English), QStringLiteral("minutely"));
  EXPECT_EQ(CStringTable::Load(IDS_CLOCK, Language::English), QStringLiteral("Clock"));
  EXPECT_EQ(CStringTable::Load(IDS_CLOCK, Language::German), QStringLiteral("Uhr"));
  EXPECT_EQ(CStringTable::Load(IDS_SPAREAMP_PATH, Language::English), QStringLiteral("/SPAREAMP"));
  EXPECT_EQ(CStringTable::Load(IDS_CONS_EXTENSION_DROPPED, Language::English),
            QStringLiteral("The console '%s' was saved with the extension RCX6350, which this project format does "
                           "not hold.\nConsole '%s' is now the model without the extension RCX6350.\nChoose the "
                           "extension again in the properties of '%s' if it is fitted."));
  EXPECT_TRUE(CStringTable::Load(IDS_CONS_EXTENSION_DROPPED, Language::German).contains(QLatin1String("RCX6350")));
}

TEST(CStringTableTest, PathsOfTheModelAreTheSameInBothLanguages) {
  for (uint32_t id : {uint32_t(IDS_AUDIO_PATH), uint32_t(IDS_COLLCALL_PATH), uint32_t(IDS_SERVICE_PATH),
                      uint32_t(IDS_MONI_PATH), uint32_t(IDS_SPAREAMP_PATH)})
    EXPECT_EQ(CStringTable::Load(id, Language::German), CStringTable::Load(id, Language::English)) << id;
}
