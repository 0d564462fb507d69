#include "support/projectbytes.h"

#include "model/carchive.h"
#include "model/cbasedevice.h"
#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <utility>

QByteArray SaveProject(const CSelvantisDoc& doc) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const ProjectFileResult result = doc.SaveTo(buffer);
  EXPECT_TRUE(result.ok) << result.message.toStdString();
  return bytes;
}

ProjectFileResult TryLoadProject(CSelvantisDoc& doc, QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return doc.LoadFrom(buffer);
}

bool LoadProject(CSelvantisDoc& doc, QByteArray bytes) {
  const ProjectFileResult result = TryLoadProject(doc, std::move(bytes));
  EXPECT_TRUE(result.ok) << result.message.toStdString();
  return result.ok;
}

std::unique_ptr<CSelvantisDoc> LoadProject(QByteArray bytes) {
  auto doc = std::make_unique<CSelvantisDoc>();
  LoadProject(*doc, std::move(bytes));
  return doc;
}

std::unique_ptr<CSelvantisDoc> RoundTrip(const CSelvantisDoc& doc) { return LoadProject(SaveProject(doc)); }

QByteArray OwnRecord(CBaseDevice& object) {
  auto record = [&object](bool baseOnly) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
      // The archive writes what it holds when it goes.
      CArchive ar(&buffer, CArchive::store);
      if (baseOnly)
        object.CBaseDevice::Serialize(ar);
      else
        object.Serialize(ar);
    }
    return bytes;
  };
  const QByteArray full = record(false);
  const QByteArray base = record(true);
  EXPECT_TRUE(full.startsWith(base));
  return full.mid(base.size());
}

QByteArray Int32s(std::initializer_list<int32_t> values) {
  QByteArray bytes;
  for (int32_t v : values) {
    for (int i = 0; i < 4; ++i) bytes.append(char((uint32_t(v) >> (8 * i)) & 0xFF));
  }
  return bytes;
}

bool PatchSchema(QByteArray& bytes, const char* className, int schema) {
  // Older versions wrote no checksum.
  if (CProjectFile::HasChecksumTrailer(bytes)) bytes.chop(CProjectFile::kTrailerBytes);
  const QByteArray name(className);
  const QByteArray needle = char(name.size()) + name;
  for (int at = bytes.indexOf(needle); at >= 4; at = bytes.indexOf(needle, at + 1)) {
    if (uchar(bytes[at - 4]) == 0xFF && uchar(bytes[at - 3]) == 0xFF) {
      bytes[at - 2] = char(schema & 0xFF);
      bytes[at - 1] = char((schema >> 8) & 0xFF);
      return true;
    }
  }
  return false;
}

bool ReplaceText(QByteArray& bytes, const QString& text, const QString& replacement) {
  if (CProjectFile::HasChecksumTrailer(bytes)) bytes.chop(CProjectFile::kTrailerBytes);
  const QByteArray needle = char(text.size()) + text.toLatin1();
  const int at = text.size() < 0xFF ? bytes.indexOf(needle) : -1;
  if (at < 0) return false;
  QByteArray encoded;
  const int size = static_cast<int>(replacement.size());
  if (size < 0xFF) {
    encoded.append(char(size));
  } else {
    encoded.append(char(0xFF));
    encoded.append(char(size & 0xFF));
    encoded.append(char((size >> 8) & 0xFF));
  }
  bytes.replace(at, needle.size(), encoded + replacement.toLatin1());
  return true;
}
