// File names as bytes: every name the system can hold (any byte but "/" and
// NUL) comes back to it as it was, whatever it holds: a byte-order mark,
// overlong or cut UTF-8 forms, stray continuation bytes, Latin-1, control
// characters. Shown as text, a name may be escaped, never changed.
#include "model/cfilename.h"

#include "model/coutputfile.h"
#include "support/fulldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileNameCase {
  const char* what;
  QByteArray bytes;
};

// Names that a decoder which is not strict about UTF-8 changes.
const FileNameCase kFileNameCases[] = {
    {"a byte-order mark at the start", "\xef\xbb\xbfnotes.txt"},
    {"a byte-order mark inside", "notes\xef\xbb\xbf.txt"},
    {"a byte-order mark alone", "\xef\xbb\xbf"},
    {"two byte-order marks", "\xef\xbb\xbf\xef\xbb\xbfx"},
    {"the mark's bytes in the wrong order", "\xbb\xef\xbf.txt"},
    {"an overlong \"/\" of two bytes", "a\xc0\xaf"
                                       "b"},
    {"an overlong \"/\" of three bytes", "a\xe0\x80\xaf"
                                         "b"},
    {"an overlong \"/\" of four bytes", "a\xf0\x80\x80\xaf"
                                        "b"},
    {"an overlong NUL", "a\xc0\x80"
                        "b"},
    {"an overlong \".\"", "\xc0\xae\xc0\xae"},
    {"a lone continuation byte", "\x80"},
    {"continuation bytes only", "\x80\xbf\x80"},
    {"a continuation byte after ASCII", "x\xbfy"},
    {"a cut two-byte form", "caf\xc3"},
    {"a cut three-byte form", "\xe2\x82"
                              ".txt"},
    {"a cut four-byte form", "\xf0\x9f\x98"},
    {"a surrogate half in UTF-8", "\xed\xa0\x80.sxm"},
    {"a low surrogate half in UTF-8", "\xed\xb2\x80.sxm"},
    {"beyond U+10FFFF", "\xf4\x90\x80\x80"},
    {"a lead byte that never starts a form", "\xf8\x88\x80\x80\x80"},
    {"bytes FE and FF", "\xfe\xff"},
    {"Latin-1", "caf\xe9.sxm"},
    {"Latin-1 that looks like UTF-8 pairs", "\xc3\x28\xa9"},
    {"valid two-byte characters", "\xc3\xa9t\xc3\xa9.sxm"},
    {"a valid three-byte character", "\xe2\x82\xac.txt"},
    {"a valid four-byte character", "\xf0\x9f\x98\x80.sxm"},
    {"the character whose low half looks like a stored byte", "\xf0\x90\x82\x80"},
    {"U+FFFD itself", "\xef\xbf\xbd"},
    {"a zero-width space", "a\xe2\x80\x8b"
                           "b"},
    {"a right-to-left override", "\xe2\x80\xaegpj.exe"},
    {"a line break inside", "two\nlines"},
    {"a tab and a carriage return", "a\tb\rc"},
    {"control bytes", "\x01\x02\x1f\x7f"},
    {"a backslash and quotes", "a\\x41\"'"},
    {"blanks", " lead and trail "},
    {"a dash first", "-o"},
};

QByteArray FileNameHex(const QByteArray& bytes) { return bytes.toHex(' '); }

// Empties a folder by the bytes of its names (the temporary folder's own
// removal goes by names as text and leaves the ones that are not UTF-8).
int FileNameTestEmptyEntry(const char* path, const struct stat*, int, FTW* at) {
  if (at->level > 0) ::remove(path);
  return 0;
}
void FileNameTestEmpty(const QString& folder) {
  ::nftw(QFile::encodeName(folder).constData(), &FileNameTestEmptyEntry, 16, FTW_DEPTH | FTW_PHYS);
}

bool FileNameHasSlashOrNul(const QString& name) {
  return name.contains(QLatin1Char('/')) || name.contains(QChar(u'\0'));
}

}  // namespace

// Each name comes back byte for byte, never decodes to a "/" or NUL (an
// overlong form is no character), and names the file it was written as.
TEST(CFileNameTest, EveryNameComesBackByteForByte) {
  QTemporaryDir dir;
  std::set<QByteArray> expected;
  for (const FileNameCase& c : kFileNameCases) {
    SCOPED_TRACE(c.what);
    const QString name = CFileName::FromSystem(c.bytes);
    EXPECT_EQ(FileNameHex(CFileName::ToSystem(name)), FileNameHex(c.bytes));
    EXPECT_EQ(FileNameHex(CFileName::ToSystem(CFileName::FromSystem(c.bytes.constData()))), FileNameHex(c.bytes));
    EXPECT_FALSE(FileNameHasSlashOrNul(name));
    // Written under its name and read back through it.
    const QString path = dir.path() + QLatin1Char('/') + name;
    QString reason;
    ASSERT_TRUE(COutputFile::WriteFile(path, c.bytes, &reason)) << reason.toStdString();
    QFile file;
    ASSERT_TRUE(CFileName::OpenForReading(file, path, &reason)) << reason.toStdString();
    EXPECT_EQ(FileNameHex(file.readAll()), FileNameHex(c.bytes));
    expected.insert(c.bytes);
  }
  const QList<QByteArray> names = NamesIn(dir.path());
  EXPECT_EQ(std::set<QByteArray>(names.begin(), names.end()), expected);
  FileNameTestEmpty(dir.path());
}

// A name shown to the user: what is invisible or would break the line is
// escaped, the rest is as it reads.
TEST(CFileNameTest, AShownNameEscapesWhatCannotBeSeen) {
  const struct {
    QByteArray bytes;
    const char* shown;
  } cases[] = {
      {"\xef\xbb\xbfnotes.txt", "\\uFEFFnotes.txt"},
      {"caf\xe9.sxm", "caf\\xE9.sxm"},
      {"a\xe0\x80\xaf"
       "b",
       "a\\xE0\\x80\\xAFb"},
      {"two\nlines", "two\\x0Alines"},
      {"\xe2\x80\xaegpj.exe", "\\u202Egpj.exe"},
      {"\xc3\xa9t\xc3\xa9.sxm", "\xc3\xa9t\xc3\xa9.sxm"},
      {"\xf0\x9f\x98\x80.sxm", "\xf0\x9f\x98\x80.sxm"},
      {"plain.txt", "plain.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CFileName::Display(CFileName::FromSystem(c.bytes)).toStdString(), std::string(c.shown))
        << FileNameHex(c.bytes).toStdString();
}

// Random names of every kind, from a fixed seed: the bytes come back as they
// were, and no name decodes to a "/" or NUL. A hundred of them also as files
// on the disk.
TEST(CFileNameTest, RandomNamesComeBackByteForByte) {
  // Pieces that a decoder gets wrong more often than random bytes do.
  const QByteArray pieces[] = {"\xef\xbb\xbf", "\xc3\xa9",         "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\xe0\x80\xaf",
                               "\xc0\xaf",     "\xed\xa0\x80",     "\xf4\x90\x80\x80", "\xf0\x90\x82\x80",
                               "\xc3",         "\xe2\x82",         "\x80",         "\xef\xbf\xbd"};
  std::mt19937 random(44);
  std::uniform_int_distribution<int> length(1, 16);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<int> highByte(0x80, 0xFF);
  std::uniform_int_distribution<int> piece(0, static_cast<int>(std::size(pieces)) - 1);
  auto randomName = [&] {
    QByteArray name;
    for (int n = length(random); name.size() < n;) {
      const int k = kind(random);
      if (k < 3) {
        const char c = static_cast<char>(anyByte(random));
        if (c != '/') name += c;
      } else if (k < 6) {
        name += static_cast<char>(highByte(random));
      } else if (k < 9) {
        name += pieces[piece(random)];
      } else {
        name += static_cast<char>('a' + random() % 26);
      }
    }
    return name;
  };

  constexpr int kRandomNames = 300000;
  int mismatches = 0;
  for (int i = 0; i < kRandomNames; ++i) {
    const QByteArray bytes = randomName();
    const QString name = CFileName::FromSystem(bytes);
    if (CFileName::ToSystem(name) != bytes || FileNameHasSlashOrNul(name)) {
      if (++mismatches <= 5) ADD_FAILURE() << "changed: " << FileNameHex(bytes).toStdString();
    }
  }
  EXPECT_EQ(mismatches, 0);

  // On the disk: what the folder lists is what was written.
  QTemporaryDir dir;
  std::set<QByteArray> written;
  for (int i = 0; i < 120; ++i) {
    QByteArray bytes = randomName();
    if (bytes == "." || bytes == ".." || written.count(bytes) != 0) continue;
    QString reason;
    ASSERT_TRUE(COutputFile::WriteFile(dir.path() + QLatin1Char('/') + CFileName::FromSystem(bytes), bytes, &reason))
        << FileNameHex(bytes).toStdString() << ": " << reason.toStdString();
    written.insert(bytes);
  }
  const QList<QByteArray> names = NamesIn(dir.path());
  EXPECT_EQ(std::set<QByteArray>(names.begin(), names.end()), written);
  FileNameTestEmpty(dir.path());
}

// A relative name is made absolute against the current folder and cleaned
// with every byte kept, and a link is followed to what it names.
TEST(CFileNameTest, AbsoluteAndResolvedNamesKeepTheirBytes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  const QString folder = CFileName::FromSystem(QFile::encodeName(QDir::currentPath()));
  for (const FileNameCase& c : kFileNameCases) {
    SCOPED_TRACE(c.what);
    const QString name = CFileName::FromSystem(c.bytes);
    EXPECT_EQ(FileNameHex(CFileName::ToSystem(CFileName::Absolute(name))),
              FileNameHex(CFileName::ToSystem(folder) + '/' + c.bytes));
    EXPECT_EQ(FileNameHex(CFileName::ToSystem(CFileName::Absolute(QStringLiteral("x/../") + name))),
              FileNameHex(CFileName::ToSystem(folder) + '/' + c.bytes));
    EXPECT_EQ(FileNameHex(CFileName::ToSystem(CFileName::Absolute(QStringLiteral("/a//b/./") + name))),
              FileNameHex("/a/b/" + c.bytes));
    // A link under the name leads to the folder's file "target".
    const QByteArray link = QFile::encodeName(dir.path()) + '/' + c.bytes;
    ASSERT_EQ(::symlink("target", link.constData()), 0);
    EXPECT_TRUE(CFileName::Resolved(name).isEmpty()) << "the link leads nowhere yet";
    EXPECT_FALSE(CFileName::Exists(name));
    QFile target(dir.filePath(QStringLiteral("target")));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.close();
    EXPECT_TRUE(CFileName::Exists(name));
    EXPECT_EQ(CFileName::Resolved(name), folder + QStringLiteral("/target"));
    ::unlink(link.constData());
    target.remove();
  }
  QDir::setCurrent(previous);
}
