#include "parserfuzzchecks.h"

#include "link/ccommandfile.h"
#include "macros/rangelist.h"
#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QStringList>

#include <cstdint>

namespace {

QString Show(const QString& text) { return text.left(200).toHtmlEscaped(); }

// Bits at count and beyond, in the last byte, must stay clear.
bool OnlyBitsBelow(const BitSet& bits, unsigned count) {
  for (unsigned i = count; i < bits.size() * 8; ++i)
    if (TestBit(bits, i)) return false;
  return true;
}

// Every bit below count set, the rest clear: a list that is read starts
// from nothing.
BitSet AllSet(unsigned count) {
  BitSet bits = MakeBitSet(count);
  for (unsigned i = 0; i < count; ++i) SetBit(bits, i, true);
  return bits;
}

}  // namespace

QString CheckProjectFile(const QByteArray& input) {
  QByteArray bytes = CProjectFile::WithMatchingChecksum(input);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  CSelvantisDoc doc;
  const ProjectFileResult result = doc.LoadFrom(buffer);
  if (!result.ok) return result.message.isEmpty() ? QStringLiteral("a refusal without a message") : QString();
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetDocument() != &doc) return QStringLiteral("an object outside its document");
  // What loads must save and load again: a file the program accepts may not
  // turn into a project it cannot write or read back.
  QByteArray saved;
  QBuffer out(&saved);
  out.open(QIODevice::WriteOnly);
  const ProjectFileResult save = doc.SaveTo(out);
  if (!save.ok) return QStringLiteral("a loaded project does not save: ") + save.message;
  out.close();
  QBuffer in(&saved);
  in.open(QIODevice::ReadOnly);
  CSelvantisDoc again;
  const ProjectFileResult reload = again.LoadFrom(in);
  if (!reload.ok) return QStringLiteral("a saved project does not load: ") + reload.message;
  if (again.GetTotalObjectCount() != doc.GetTotalObjectCount())
    return QStringLiteral("%1 objects saved, %2 loaded")
        .arg(doc.GetTotalObjectCount())
        .arg(again.GetTotalObjectCount());
  return {};
}

QString CheckCommandFile(const QByteArray& bytes) {
  const QStringList lines = CCommandFile::ParseLines(bytes);
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty()) return QStringLiteral("an empty command line was read");
    if (line.contains(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
      return QStringLiteral("a command line keeps its line end: \"%1\"").arg(Show(line));
  }
  const QStringList again = CCommandFile::ParseLines(CCommandFile::FormatLines(lines));
  if (again != lines)
    return QStringLiteral("%1 command lines read back as %2 other lines").arg(lines.size()).arg(again.size());
  return {};
}

QString CheckRangeList(const QByteArray& bytes) {
  if (bytes.size() < 3) return {};
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  const unsigned count = 1 + ((data[0] | unsigned(data[1]) << 8) % 2048);
  const bool hex = (data[2] & 1) != 0;
  const QString text = QString::fromLatin1(bytes.mid(3));

  BitSet bits = AllSet(count);
  if (ParseRangeListFmt(text, bits, count, hex)) {
    if (!OnlyBitsBelow(bits, count)) return QStringLiteral("\"%1\" sets a bit beyond %2").arg(Show(text)).arg(count);
    const QString formatted = FormatRangeList(bits, count, hex);
    BitSet again = AllSet(count);
    if (!ParseRangeListFmt(formatted, again, count, hex))
      return QStringLiteral("\"%1\", formatted as \"%2\", is refused").arg(Show(text), Show(formatted));
    if (again != bits)
      return QStringLiteral("\"%1\", formatted as \"%2\", reads as another set").arg(Show(text), Show(formatted));
    const QString shown = FormatRangeListForDisplay(bits, count);
    if (shown.size() > 285 + 16) return QStringLiteral("the display text of \"%1\" is too long").arg(Show(text));
  }
  if ((data[2] & 2) != 0) {
    BitSet zeroBased = AllSet(count);
    if (ParseRangeListFmt(text, zeroBased, count, 0, hex ? 'x' : 'u') && !OnlyBitsBelow(zeroBased, count))
      return QStringLiteral("\"%1\" (from 0) sets a bit beyond %2").arg(Show(text)).arg(count);
  }
  return {};
}
