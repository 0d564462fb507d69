// The project-file archive: byte layout of every primitive, object records
// with schemas and references, and damaged input that must end in
// CArchiveException (never a crash, never a huge allocation).
#include "model/carchive.h"
#include "model/cobject.h"
#include "support/archivesamples.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

QByteArray Store(const std::function<void(CArchive&)>& write) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  {
    CArchive ar(&buffer, CArchive::store);
    write(ar);
  }
  return data;
}

// Runs read over data; returns the cause of the CArchiveException it raised.
std::optional<CArchiveException::Cause> LoadFails(const QByteArray& data, const std::function<void(CArchive&)>& read) {
  QByteArray copy(data);
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  try {
    read(ar);
  } catch (const CArchiveException& e) {
    EXPECT_FALSE(e.Message().isEmpty());
    return e.GetCause();
  }
  return std::nullopt;
}

void Load(const QByteArray& data, const std::function<void(CArchive&)>& read) {
  QByteArray copy(data);
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  read(ar);
  EXPECT_EQ(ar.BytesLeft(), 0);
}

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

std::unique_ptr<CSampleNode> Node(const QString& name, int32_t value) {
  auto node = std::make_unique<CSampleNode>();
  node->m_name = name;
  node->m_value = value;
  return node;
}

using Cause = CArchiveException::Cause;

}  // namespace

TEST(CArchiveTest, PrimitivesAreLittleEndian) {
  const QByteArray data = Store([](CArchive& ar) {
    ar << uint8_t(0x12) << uint16_t(0x3456) << uint32_t(0x789ABCDE) << int32_t(-2) << int16_t(-3) << 1.5f << -0.1;
  });
  EXPECT_EQ(data.toHex(), QByteArray("12"
                                     "5634"
                                     "debc9a78"
                                     "feffffff"
                                     "fdff"
                                     "0000c03f"
                                     "9a9999999999b9bf"));
  uint8_t b;
  uint16_t w;
  uint32_t d;
  int32_t i;
  int16_t s;
  float f;
  double x;
  Load(data, [&](CArchive& ar) { ar >> b >> w >> d >> i >> s >> f >> x; });
  EXPECT_EQ(b, 0x12);
  EXPECT_EQ(w, 0x3456);
  EXPECT_EQ(d, 0x789ABCDEu);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(s, -3);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(x, -0.1);
}

TEST(CArchiveTest, StringLengthPrefixGrowsWithTheText) {
  struct Row {
    int length;
    const char* prefix;
  };
  const Row rows[] = {
      {0, "00"},
      {254, "fe"},
      {255, "ffff00"},  // 0xFF, then the length as WORD
      {0xFFFD, "fffdff"},
      {0xFFFE, "fffffffeff0000"},  // 0xFF, 0xFFFF, then the length as DWORD
      {70000, "ffffff70110100"},
  };
  for (const Row& row : rows) {
    const QString text(row.length, QLatin1Char('a'));
    const QByteArray data = Store([&](CArchive& ar) { ar << text; });
    const QByteArray prefix = Hex(row.prefix);
    EXPECT_EQ(data.left(prefix.size()).toHex(), prefix.toHex()) << row.length;
    EXPECT_EQ(data.size(), prefix.size() + row.length) << row.length;
    QString back;
    Load(data, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, text) << row.length;
  }
}

TEST(CArchiveTest, TextIsLatin1) {
  const QByteArray data = Store([](CArchive& ar) { ar << QStringLiteral("10KHZ \u00b5-LAW"); });
  EXPECT_EQ(data, QByteArray("\x0b"
                             "10KHZ \xb5-LAW"));
  QString back;
  Load(data, [&](CArchive& ar) { ar >> back; });
  EXPECT_EQ(back, QStringLiteral("10KHZ \u00b5-LAW"));
}

TEST(CArchiveTest, CountsUseAWordOrAnEscapedDword) {
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFE); }).toHex(), QByteArray("feff"));
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFF); }).toHex(), QByteArray("ffffffff0000"));
  const QByteArray data = Store([](CArchive& ar) {
    ar.WriteCount(70000);
    ar.WriteBytes(QByteArray(70000, 'x').constData(), 70000);
  });
  Load(data, [](CArchive& ar) {
    EXPECT_EQ(ar.ReadCount(1), 70000u);
    QByteArray rest(70000, 0);
    ar.ReadBytes(rest.data(), 70000);
  });
}

TEST(CArchiveTest, StringListsRoundTrip) {
  const QStringList list = {QStringLiteral("Play message 1"), QString(), QString(300, QLatin1Char('z'))};
  const QByteArray data = Store([&](CArchive& ar) { ar << list << QStringList(); });
  QStringList back, empty = {QStringLiteral("old")};
  Load(data, [&](CArchive& ar) { ar >> back >> empty; });
  EXPECT_EQ(back, list);
  EXPECT_TRUE(empty.isEmpty());
}

TEST(CArchiveTest, ObjectRecordsCarryClassNameAndSchemaOnce) {
  CSampleLeaf a, b;
  const QByteArray data = Store([&](CArchive& ar) {
    ar.WriteObject(&a);
    ar.WriteObject(nullptr);
    ar.WriteObject(&b);
  });
  // First record: new-class tag, schema 1, name; the second of the class
  // refers to class index 0.
  const QByteArray leaf =
      Hex("0000000000000000"
          "00000000"
          "0000"
          "00"
          "0000"
          "00000000");
  EXPECT_EQ(data, Hex("ffff"
                      "0100") +
                      QByteArray("\x0b"
                                 "CSampleLeaf") +
                      leaf + Hex("0000") + Hex("0080") + leaf);
}

TEST(CArchiveTest, ObjectsRoundTripWithReferencesBothWays) {
  // root -> children [first, second]; first refers forward to second,
  // second back to root, root to itself.
  auto root = Node(QStringLiteral("root"), 7);
  auto first = Node(QStringLiteral("first"), 1);
  auto second = Node(QStringLiteral("second"), 2);
  auto leaf = std::make_unique<CSampleLeaf>();
  leaf->m_double = 3.25;
  leaf->m_bytes = QByteArray("\0\1\2", 3);
  first->m_peer = second.get();
  second->m_peer = root.get();
  root->m_peer = root.get();
  second->m_children.push_back(std::move(leaf));
  second->m_tags = QStringList{QStringLiteral("a"), QStringLiteral("b")};
  root->m_children.push_back(std::move(first));
  root->m_children.push_back(std::move(second));
  CSampleNode other;
  other.m_peer = root->m_children[1].get();

  const QByteArray data = WriteSampleArchive({root.get(), &other});
  auto objects = ReadSampleArchive(data);
  ASSERT_EQ(objects.size(), 2u);
  auto* r = dynamic_cast<CSampleNode*>(objects[0].get());
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->m_children.size(), 2u);
  auto* f = dynamic_cast<CSampleNode*>(r->m_children[0].get());
  auto* s = dynamic_cast<CSampleNode*>(r->m_children[1].get());
  ASSERT_TRUE(f && s);
  EXPECT_EQ(r->m_value, 7);
  EXPECT_EQ(r->m_peer, r);
  EXPECT_EQ(f->m_peer, s);
  EXPECT_EQ(s->m_peer, r);
  EXPECT_EQ(s->m_tags, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
  auto* l = dynamic_cast<CSampleLeaf*>(s->m_children.at(0).get());
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->m_double, 3.25);
  EXPECT_EQ(l->m_bytes, QByteArray("\0\1\2", 3));
  EXPECT_EQ(dynamic_cast<CSampleNode*>(objects[1].get())->m_peer, s);
  // Writing what was read gives the same bytes.
  EXPECT_EQ(WriteSampleArchive({objects[0].get(), objects[1].get()}), data);
}

TEST(CArchiveTest, ReferenceToAnObjectNeverStoredReadsAsNull) {
  CSampleNode lonely;
  CSampleNode elsewhere;
  lonely.m_peer = &elsewhere;
  const QByteArray data = WriteSampleArchive({&lonely});
  auto objects = ReadSampleArchive(data);
  EXPECT_EQ(static_cast<CSampleNode*>(objects[0].get())->m_peer, nullptr);
}

TEST(CArchiveTest, OlderSchemasCanBeWrittenAndAreConverted) {
  auto node = Node(QStringLiteral("old"), 99);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  {
    CArchive ar(&buffer, CArchive::store);
    ar.SetStoreSchemaOverride(QStringLiteral("CSampleNode"), 1);
    ar.WriteCount(1);
    ar.WriteObject(node.get());
  }
  EXPECT_EQ(data.mid(2, 4).toHex(), QByteArray("ffff0100"));  // schema 1 in the class tag
  auto objects = ReadSampleArchive(data);
  auto* back = static_cast<CSampleNode*>(objects[0].get());
  EXPECT_EQ(back->m_loadedSchema, 1);
  EXPECT_EQ(back->m_name, QStringLiteral("old"));
  EXPECT_EQ(back->m_value, CSampleNode::kOldValue);  // the field schema 1 lacked
}

TEST(CArchiveTest, SchemaIsKnownOnlyWhileTheRecordIsRead) {
  auto node = Node(QStringLiteral("n"), 1);
  node->m_children.push_back(std::make_unique<CSampleLeaf>());
  node->m_children.push_back(Node(QStringLiteral("after the leaf"), 2));
  const QByteArray data = WriteSampleArchive({node.get()});
  QByteArray copy(data);
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  EXPECT_EQ(ar.GetObjectSchema(), -1);
  ar.ReadCount();
  std::unique_ptr<CObject> back(ar.ReadObject());
  EXPECT_EQ(ar.GetObjectSchema(), -1);
  // The second child read its schema-2 field after the schema-1 leaf.
  auto* second = static_cast<CSampleNode*>(static_cast<CSampleNode*>(back.get())->m_children[1].get());
  EXPECT_EQ(second->m_loadedSchema, 2);
  EXPECT_EQ(second->m_value, 2);
  EXPECT_EQ(ar.ObjectCount(), 3u);
}

TEST(CArchiveTest, NewerSchemaIsRefused) {
  QByteArray data = WriteSampleArchive({Node(QStringLiteral("x"), 1).get()});
  data[4] = 3;  // schema 3 > 2
  EXPECT_EQ(LoadFails(data,
                      [](CArchive& ar) {
                        ar.ReadCount();
                        delete ar.ReadObject();
                      }),
            Cause::BadSchema);
}

TEST(CArchiveTest, UnknownClassIsRefused) {
  QByteArray data = WriteSampleArchive({Node(QStringLiteral("x"), 1).get()});
  data.replace("CSampleNode", "CSampleNude");
  EXPECT_EQ(LoadFails(data,
                      [](CArchive& ar) {
                        ar.ReadCount();
                        delete ar.ReadObject();
                      }),
            Cause::BadClass);
  // A class index that was never defined, and a tag that is neither.
  EXPECT_EQ(LoadFails(Hex("0180"), [](CArchive& ar) { delete ar.ReadObject(); }), Cause::BadClass);
  EXPECT_EQ(LoadFails(Hex("0500"), [](CArchive& ar) { delete ar.ReadObject(); }), Cause::BadClass);
}

TEST(CArchiveTest, EveryTruncationRaisesTheError) {
  auto root = Node(QStringLiteral("root"), 7);
  root->m_children.push_back(std::make_unique<CSampleLeaf>());
  root->m_children.push_back(Node(QString(300, QLatin1Char('n')), 3));
  root->m_peer = root->m_children[1].get();
  root->m_tags = QStringList{QStringLiteral("t")};
  const QByteArray data = WriteSampleArchive({root.get()});
  for (int n = 0; n < data.size(); ++n) {
    try {
      ReadSampleArchive(data.left(n));
      ADD_FAILURE() << "a file cut to " << n << " bytes was read";
    } catch (const CArchiveException& e) {
      EXPECT_TRUE(e.GetCause() == Cause::EndOfFile || e.GetCause() == Cause::BadCount) << n;
    }
  }
  EXPECT_EQ(ReadSampleArchive(data).size(), 1u);
}

TEST(CArchiveTest, LengthsAndCountsAreCheckedBeforeAllocating) {
  // A string claiming 4 GB, a count claiming 4 billion items: refused by
  // size, without trying to reserve the memory.
  QString s;
  EXPECT_EQ(LoadFails(Hex("ffffff"
                          "f0ffffff"
                          "414243"),
                      [&](CArchive& ar) { ar >> s; }),
            Cause::BadCount);
  EXPECT_TRUE(s.isEmpty());
  QStringList list;
  EXPECT_EQ(LoadFails(Hex("ffff"
                          "ffffffff"
                          "00"),
                      [&](CArchive& ar) { ar >> list; }),
            Cause::BadCount);
  EXPECT_EQ(LoadFails(Hex("0300"
                          "0000"),
                      [&](CArchive& ar) { ar.ReadCount(2); }),
            Cause::BadCount);
  // Exactly enough is fine.
  EXPECT_FALSE(LoadFails(Hex("0200"
                             "0000"),
                         [&](CArchive& ar) { ar.ReadCount(1); })
                   .has_value());
}

TEST(CArchiveTest, ReferenceBeyondTheObjectsReadIsRefused) {
  CSampleNode node;
  QByteArray data = WriteSampleArchive({&node});
  // The peer reference follows the count (2), class tag (2), schema (2),
  // name (12) and the empty name (1) and value (4).
  const int at = 2 + 2 + 2 + 12 + 1 + 4;
  ASSERT_EQ(data.mid(at, 4), Hex("00000000"));
  data[at] = 2;
  try {
    ReadSampleArchive(data);
    ADD_FAILURE() << "a reference to object 2 of 1 was accepted";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.GetCause(), Cause::BadReference);
  }
}

TEST(CArchiveTest, DeepNestingIsRefusedNotOverflowingTheStack) {
  // Each node holds one child node: 100000 levels in a few megabytes.
  QByteArray data = Hex("0100");
  data += Hex("ffff0200") +
          QByteArray(
              "\x0b"
              "CSampleNode") +
          Hex("00"
              "00000000"
              "00000000"
              "0100");
  const QByteArray level =
      Hex("0080"
          "00"
          "00000000"
          "00000000"
          "0100");
  for (int i = 0; i < 100000; ++i) data += level;
  try {
    ReadSampleArchive(data);
    ADD_FAILURE() << "the nested file was read";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.GetCause(), Cause::BadCount);
  }
}

TEST(CArchiveTest, FailedRecordLeavesNoReferenceToFreedObjects) {
  // The second top-level record breaks after its child was read; resolving
  // afterwards must not touch the freed child.
  auto good = Node(QStringLiteral("good"), 1);
  auto bad = Node(QStringLiteral("bad"), 2);
  auto child = Node(QStringLiteral("child"), 3);
  child->m_peer = good.get();  // a slot inside the child that ResolveReferences would fill
  bad->m_children.push_back(std::move(child));
  const QByteArray data = WriteSampleArchive({good.get(), bad.get()});
  const QByteArray cut = data.left(data.size() - 2);  // drop the bad node's tag list
  QByteArray copy(cut);
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  ar.ReadCount();
  std::unique_ptr<CObject> first(ar.ReadObject());
  EXPECT_THROW(delete ar.ReadObject(), CArchiveException);
  EXPECT_EQ(ar.ObjectCount(), 1u);
  EXPECT_NO_THROW(ar.ResolveReferences());
}

TEST(CArchiveTest, UnregisteredClassCannotBeStored) {
  class CNotRegistered final : public CObject {
   public:
    const char* GetClassName() const override { return "CNotRegistered"; }
  };
  CNotRegistered object;
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  CArchive ar(&buffer, CArchive::store);
  EXPECT_THROW(ar.WriteObject(&object), CArchiveException);
}

TEST(CArchiveTest, WriteErrorIsReported) {
  QBuffer readOnly;
  readOnly.open(QIODevice::ReadOnly);
  CArchive ar(&readOnly, CArchive::store);
  EXPECT_THROW(ar << uint32_t(1), CArchiveException);
}

TEST(CArchiveTest, StoresToAFileWithForwardReferences) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.sxm"));
  auto a = Node(QStringLiteral("a"), 1);
  auto b = Node(QStringLiteral("b"), 2);
  a->m_peer = b.get();
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(2);
    ar.WriteObject(a.get());
    ar.WriteObject(b.get());
    EXPECT_EQ(ar.UnresolvedReferenceCount(), 0);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  auto objects = ReadSampleArchive(file.readAll());
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(static_cast<CSampleNode*>(objects[0].get())->m_peer, objects[1].get());
}

TEST(CArchiveTest, DamagedCorpusGivesTheErrorNeverACrash) {
  const QDir corpus(QStringLiteral(SELV_TEST_DATA_DIR "/archive-corpus"));
  const QFileInfoList files = corpus.entryInfoList(QDir::Files);
  ASSERT_GE(files.size(), 12);
  for (const QFileInfo& info : files) {
    QFile file(info.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    if (info.fileName().startsWith(QLatin1String("good-"))) {
      EXPECT_NO_THROW(ReadSampleArchive(data)) << info.fileName().toStdString();
      continue;
    }
    // The cause proves the file fails for the damage it was made with.
    const QString name = info.fileName();
    Cause expected = Cause::EndOfFile;
    if (name.startsWith(QLatin1String("huge-")) || name.startsWith(QLatin1String("deep-")))
      expected = Cause::BadCount;
    else if (name.contains(QLatin1String("class")) || name.startsWith(QLatin1String("invalid-tag")))
      expected = Cause::BadClass;
    else if (name.startsWith(QLatin1String("newer-schema")))
      expected = Cause::BadSchema;
    else if (name.startsWith(QLatin1String("bad-reference")))
      expected = Cause::BadReference;
    else if (name.startsWith(QLatin1String("trailing-")))
      expected = Cause::Generic;
    try {
      ReadSampleArchive(data);
      ADD_FAILURE() << name.toStdString() << " was read";
    } catch (const CArchiveException& e) {
      // A cut inside a text or byte block shows as a length beyond the end.
      const bool cut = name.startsWith(QLatin1String("truncated-")) && e.GetCause() == Cause::BadCount;
      EXPECT_TRUE(e.GetCause() == expected || cut) << name.toStdString() << ": " << e.what();
    }
  }
}
