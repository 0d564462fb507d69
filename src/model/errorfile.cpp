#include "model/errorfile.h"

#include "model/cfilename.h"
#include "model/ctext.h"
#include "model/modelstrings.h"

#include <QFile>

bool AppendErrorLine(const QString& filePath, const QString& line) {
  // No error file for this transfer: never write one relative to the working directory.
  if (filePath.isEmpty()) return false;
  QFile file;
  if (!CFileName::OpenForWriting(file, filePath, true, nullptr)) return false;
  const QByteArray bytes = ToUnitText(line) + "\r\n";
  return file.write(bytes) == bytes.size();
}

bool AppendMissingLine(const QString& filePath, uint32_t nameId, int number, const QString& text) {
  return AppendErrorLine(
      filePath, ModelString(nameId) + Fmt(" %d : ", number) + text + QLatin1Char(' ') + ModelString(IDS_IS_MISSING));
}

bool AppendMismatchLine(const QString& filePath, const QString& text, const QString& expected, const QString& actual) {
  return AppendErrorLine(filePath, QStringLiteral("ERROR: ") + text + QStringLiteral(" >>") + actual +
                                       QStringLiteral("<< should be >>") + expected + QStringLiteral("<<"));
}
