#include "model/cstringtable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QStringList>

#include <cstdio>
#include <map>

#if defined(__unix__)
#include <dlfcn.h>
#endif

// Where the installed program keeps the English resource file; set by the
// build from the installation prefix (never from the build folder, so that
// two builds of one source give the same binaries).
#ifndef SELV_ENGLISH_RCC_INSTALLED
#define SELV_ENGLISH_RCC_INSTALLED ""
#endif

namespace {

constexpr const char* kEnglishFileName = "svresenu.rcc";
constexpr const char* kGermanTable = ":/strings/de.txt";
constexpr const char* kEnglishTable = ":/strings/en.txt";

using Table = std::map<uint32_t, QString>;

CStringTable::Language g_language = CStringTable::Language::German;

// "\n", "\r", "\t" and "\\" in the table files; any other backslash stays.
QString Unescape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    const QChar next = text.at(i + 1);
    if (next == QLatin1Char('n'))
      out += QLatin1Char('\n');
    else if (next == QLatin1Char('r'))
      out += QLatin1Char('\r');
    else if (next == QLatin1Char('t'))
      out += QLatin1Char('\t');
    else if (next == QLatin1Char('\\'))
      out += QLatin1Char('\\');
    else {
      out += c;
      out += next;
    }
    ++i;
  }
  return out;
}

Table ParseTable(const QString& resourcePath) {
  Table table;
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) return table;
  const QString content = QString::fromUtf8(file.readAll());
  const QStringList lines = content.split(QLatin1Char('\n'));
  for (int n = 0; n < lines.size(); ++n) {
    QString line = lines.at(n);
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const int tab = line.indexOf(QLatin1Char('\t'));
    bool ok = false;
    const uint32_t id = tab > 0 ? line.left(tab).toUInt(&ok) : 0;
    if (!ok) {
      std::fprintf(stderr, "%s:%d: not a string-table line\n", resourcePath.toLocal8Bit().constData(), n + 1);
      continue;
    }
    table.emplace(id, Unescape(line.mid(tab + 1)));  // a repeated id keeps its first text
  }
  return table;
}

// The folder of the core library as the loader found it ("" where the
// system cannot say).
QString CoreLibraryDir() {
#if defined(__unix__)
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&CStringTable::GetLanguage), &info) != 0 && info.dli_fname != nullptr)
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
#endif
  return QString();
}

bool RegisterEnglish() {
  QStringList candidates;
  // A build tree: the build leaves the file beside the core library (the
  // tests and tools run from other folders of the tree).
  const QString libraryDir = CoreLibraryDir();
  if (!libraryDir.isEmpty()) candidates << QDir(libraryDir).filePath(QLatin1String(kEnglishFileName));
  // Installed: data of the program in share/selvantis beside its bin/, or
  // where the installation put it.
  const QDir programDir(QCoreApplication::applicationDirPath());
  candidates << programDir.filePath(QStringLiteral("../share/selvantis/") + QLatin1String(kEnglishFileName));
  const QString installed = QString::fromLocal8Bit(SELV_ENGLISH_RCC_INSTALLED);
  if (!installed.isEmpty()) candidates << installed;
  for (const QString& path : candidates) {
    if (QFileInfo::exists(path) && QResource::registerResource(path)) return true;
  }
  std::fprintf(stderr, "warning: the English texts (%s) were not found; using German\n", kEnglishFileName);
  return false;
}

const Table& German() {
  static const Table table = ParseTable(QLatin1String(kGermanTable));
  return table;
}

// Loaded on first use, so a German session never touches the file.
const Table& English() {
  static const Table table = RegisterEnglish() ? ParseTable(QLatin1String(kEnglishTable)) : Table();
  return table;
}

const Table& TableOf(CStringTable::Language language) {
  return language == CStringTable::Language::English ? English() : German();
}

}  // namespace

void CStringTable::SetLanguage(Language language) {
  if (language == Language::English && English().empty()) language = Language::German;
  g_language = language;
}

CStringTable::Language CStringTable::GetLanguage() { return g_language; }

CStringTable::Language CStringTable::LanguageFromProfileValue(const QString& value) {
  return value.trimmed().compare(QLatin1String("German"), Qt::CaseInsensitive) == 0 ? Language::German
                                                                                    : Language::English;
}

QString CStringTable::Load(uint32_t id) { return Load(id, g_language); }

QString CStringTable::Load(uint32_t id, Language language) {
  const Table& table = TableOf(language);
  auto it = table.find(id);
  if (it != table.end()) return it->second;
  // A text missing from the English table is better shown in German than not at all.
  if (language == Language::English) {
    auto de = German().find(id);
    if (de != German().end()) return de->second;
  }
  return QString();
}

bool CStringTable::Has(uint32_t id, Language language) { return TableOf(language).count(id) != 0; }

std::vector<uint32_t> CStringTable::Ids(Language language) {
  std::vector<uint32_t> ids;
  for (const auto& entry : TableOf(language)) ids.push_back(entry.first);
  return ids;
}
