#ifndef SELV_TESTS_SUPPORT_PROJECTBYTES_H
#define SELV_TESTS_SUPPORT_PROJECTBYTES_H

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <memory>

class CBaseDevice;
class CSelvantisDoc;
struct ProjectFileResult;

// Project files in memory for the model tests: a project written to bytes
// and read back as the program reads its files, the bytes one object's
// record adds, and old records made by patching a class tag. A save or load
// that fails is a test failure (with the reason) where it happens.
//
//   auto back = RoundTrip(doc);                    // save, then load anew
//   EXPECT_EQ(OwnRecord(*fuse), Int32s({3, 3, 3, 3, 3}));
//   QByteArray bytes = SaveProject(doc);
//   ASSERT_TRUE(PatchSchema(bytes, "CZone", 1));   // as version 1 wrote it
//   auto old = LoadProject(bytes);

QByteArray SaveProject(const CSelvantisDoc& doc);
// Loads into doc and says how it went, for tests of files that must be
// refused (no test failure here).
ProjectFileResult TryLoadProject(CSelvantisDoc& doc, QByteArray bytes);
// Loads into doc; false (and a test failure) when the bytes are refused.
bool LoadProject(CSelvantisDoc& doc, QByteArray bytes);
// Loads into a new document.
std::unique_ptr<CSelvantisDoc> LoadProject(QByteArray bytes);
std::unique_ptr<CSelvantisDoc> RoundTrip(const CSelvantisDoc& doc);

// The bytes object's record adds after the base record all objects write.
QByteArray OwnRecord(CBaseDevice& object);
// 32-bit integers as the archive writes them (little-endian).
QByteArray Int32s(std::initializer_list<int32_t> values);

// Rewrites the schema in the class tag of className (new-class tag 0xFFFF,
// schema word, name as a length-prefixed string) as an older program
// version wrote it, without the checksum trailer. False when the tag is not
// found.
bool PatchSchema(QByteArray& bytes, const char* className, int schema);

// Rewrites the first archive string equal to text (shorter than 255
// characters) as replacement, without the checksum trailer, as another
// program or an older version may have written it: texts longer than their
// fields. False when the string is not found.
bool ReplaceText(QByteArray& bytes, const QString& text, const QString& replacement);

#endif
