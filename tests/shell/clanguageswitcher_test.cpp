// The German user interface: every translation of the project's .ts files
// comes out of the compiled translators, texts of different areas switch
// with the language, and English brings the source texts back.
#include "shell/clanguageswitcher.h"
#include "consoles/ui/ckeypropertieslogic.h"
#include "model/cmessagesink.h"
#include "model/cprojectfile.h"
#include "model/cstringtable.h"
#include "shell/controls/cpropertysheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TsMessage {
  QString file;
  QString context;
  QString source;
  QString comment;
  QString translation;
};

QString ResourceDir() { return QDir::cleanPath(QStringLiteral(SELV_TEST_DATA_DIR "/../../src/resources")); }

QStringList TsFiles() {
  QStringList files{ResourceDir() + QStringLiteral("/selvantis_de.ts")};
  const QDir areas(ResourceDir() + QStringLiteral("/i18n"));
  for (const QString& name : areas.entryList({QStringLiteral("*_de.ts")}, QDir::Files, QDir::Name))
    files << areas.filePath(name);
  return files;
}

// The messages of one .ts file that lrelease compiles: translated, neither
// vanished nor obsolete; plural forms are left out.
std::vector<TsMessage> ReadTs(const QString& path, QString* error) {
  std::vector<TsMessage> messages;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return messages;
  }
  QXmlStreamReader xml(&file);
  QString context;
  TsMessage current;
  bool usable = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      if (xml.name() == QLatin1String("context")) {
        context.clear();
      } else if (xml.name() == QLatin1String("name")) {
        context = xml.readElementText();
      } else if (xml.name() == QLatin1String("message")) {
        current = TsMessage{path, context, {}, {}, {}};
        usable = xml.attributes().value(QLatin1String("numerus")) != QLatin1String("yes");
      } else if (xml.name() == QLatin1String("source")) {
        current.source = xml.readElementText();
      } else if (xml.name() == QLatin1String("comment")) {
        current.comment = xml.readElementText();
      } else if (xml.name() == QLatin1String("translation")) {
        const auto type = xml.attributes().value(QLatin1String("type"));
        if (type == QLatin1String("vanished") || type == QLatin1String("obsolete")) usable = false;
        current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
      if (usable && !current.translation.isEmpty()) messages.push_back(current);
    }
  }
  if (xml.hasError()) *error = xml.errorString();
  return messages;
}

QString Translate(const TsMessage& message) {
  const QByteArray context = message.context.toUtf8();
  const QByteArray source = message.source.toUtf8();
  const QByteArray comment = message.comment.toUtf8();
  return QCoreApplication::translate(context.constData(), source.constData(),
                                     message.comment.isEmpty() ? nullptr : comment.constData());
}

class LanguageSwitcherTest : public testing::Test {
 protected:
  void TearDown() override { switcher.Apply(CStringTable::Language::English); }

  CLanguageSwitcher switcher;
};

TEST_F(LanguageSwitcherTest, EveryTranslationOfEveryAreaComesOutGerman) {
  ASSERT_TRUE(switcher.HasGermanTranslation());
  switcher.Apply(CStringTable::Language::German);

  const QStringList files = TsFiles();
  ASSERT_GT(files.size(), 1) << ResourceDir().toStdString();
  int checked = 0;
  QStringList wrong;
  for (const QString& path : files) {
    QString error;
    const std::vector<TsMessage> messages = ReadTs(path, &error);
    EXPECT_TRUE(error.isEmpty()) << path.toStdString() << ": " << error.toStdString();
    EXPECT_FALSE(messages.empty()) << path.toStdString();
    for (const TsMessage& message : messages) {
      ++checked;
      const QString actual = Translate(message);
      // A different text means the file was not compiled or loaded, or
      // another file translates the same context and source differently.
      if (actual != message.translation)
        wrong << QStringLiteral("%1: %2: \"%3\" -> \"%4\", expected \"%5\"")
                     .arg(QFileInfo(message.file).fileName(), message.context, message.source, actual,
                          message.translation);
    }
  }
  EXPECT_GT(checked, 500);
  EXPECT_TRUE(wrong.isEmpty()) << wrong.size() << " of " << checked << " texts:\n"
                               << wrong.mid(0, 25).join(QLatin1Char('\n')).toStdString();
}

TEST_F(LanguageSwitcherTest, TextsOfDifferentAreasFollowTheLanguage) {
  switcher.Apply(CStringTable::Language::German);
  // Shell, shared controls, the unit's slot menus, consoles, on-line windows.
  EXPECT_EQ(QCoreApplication::translate("CMainFrame", "&File"), QStringLiteral("&Datei"));
  EXPECT_EQ(QCoreApplication::translate("CLinkPanel", "%1: done"), QStringLiteral("%1: fertig"));
  EXPECT_EQ(QCoreApplication::translate("CDigitalSlotMenu", "&Empty slot"), QStringLiteral("&Leerer Steckplatz"));
  EXPECT_EQ(QCoreApplication::translate("KCMConfigurationState", "KCM Modules"), QStringLiteral("KCM-Module"));
  EXPECT_EQ(QCoreApplication::translate("CConsoleMenu", "Properties ..."), QStringLiteral("Eigenschaften ..."));
  EXPECT_EQ(QCoreApplication::translate("CEventLogView", "Audio signals"), QStringLiteral("Audiosignale"));

  switcher.Apply(CStringTable::Language::English);
  EXPECT_EQ(QCoreApplication::translate("CMainFrame", "&File"), QStringLiteral("&File"));
  EXPECT_EQ(QCoreApplication::translate("CDigitalSlotMenu", "&Empty slot"), QStringLiteral("&Empty slot"));
}

TEST_F(LanguageSwitcherTest, ButtonsOfThePropertySheetAreGerman) {
  switcher.Apply(CStringTable::Language::German);
  CPropertySheet sheet(QStringLiteral("Sheet"));
  ASSERT_NE(sheet.GetButton(IDCANCEL), nullptr);
  EXPECT_EQ(sheet.GetButton(IDOK)->text(), QStringLiteral("OK"));
  EXPECT_EQ(sheet.GetButton(IDCANCEL)->text(), QStringLiteral("Abbrechen"));
  EXPECT_EQ(sheet.GetButton(CPropertySheet::ID_APPLY_NOW)->text(), QStringLiteral("&Übernehmen"));
}

// Texts passed through a file's own one-argument wrapper rather than tr().
TEST_F(LanguageSwitcherTest, TextsOfLocalWrappersAreGerman) {
  switcher.Apply(CStringTable::Language::German);
  const auto functions = CKeyPropertiesLogic::FunctionList(0xFFF, true);
  ASSERT_GE(functions.size(), 2u);
  EXPECT_EQ(functions[0].text, QStringLiteral("Deaktiviert"));
  EXPECT_EQ(functions[1].text, QStringLiteral("Auswahl"));

  QByteArray junk("not a project at all");
  QBuffer buffer(&junk);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  CProjectFile::Contents contents;
  const ProjectFileResult result = CProjectFile::Read(buffer, contents);
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.message.contains(QStringLiteral("Die Datei ist keine Projektdatei dieses Programms.")))
      << result.message.toStdString();

  switcher.Apply(CStringTable::Language::English);
  EXPECT_EQ(CKeyPropertiesLogic::FunctionList(0xFFF, true)[0].text, QStringLiteral("Disabled"));
}

}  // namespace
