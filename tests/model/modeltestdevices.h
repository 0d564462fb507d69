#ifndef SELV_TESTS_MODEL_MODELTESTDEVICES_H
#define SELV_TESTS_MODEL_MODELTESTDEVICES_H

// Small model classes for the tests of the model core: enough behaviour to
// exercise pools, paths, connections, uploads and the project file without
// the real classes of later subsystems.

#include "model/cbasedevice.h"
#include "model/cobject.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CSelvantisDoc;

// A plain object of any type; schema 3 adds a text, schema 2 a level (older
// records get kOldLevel), and it records the reply lines routed to it.
class CModelTestDevice : public CBaseDevice {
  SELV_DECLARE_SERIAL(CModelTestDevice)
 public:
  static constexpr int32_t kOldLevel = -99;
  static constexpr int kSchema = 3;

  explicit CModelTestDevice(int type = DT_MEMOFLAG) { m_nType = type; }
  void Serialize(CArchive& ar) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  int Download(bool bQuery, int nStep) override;
  int OnAfterLoad() override;
  void SetID(int id) override;

  using CBaseDevice::RequestFreshID;
  using CBaseDevice::SetCommandPath;
  using CBaseDevice::SetType;
  using CBaseDevice::SplitUploadLine;

  // Stores an identifier without the pool (to write damaged files).
  void ForceStoredID(int id) { m_nID = id; }

  int32_t m_level = 0;
  QString m_text;  // from schema 3
  int m_loadedFileVersion = 0;
  QStringList m_uploads;         // lines routed here
  std::vector<int> m_idHistory;  // identifiers given through SetID
  int m_afterLoadCalls = 0;
  static std::vector<const CBaseDevice*>& AfterLoadOrder();
};

// An addressable amplifier with a bus address and a channel count.
class CModelTestAmp final : public CModelTestDevice {
  SELV_DECLARE_SERIAL(CModelTestAmp)
 public:
  CModelTestAmp() : CModelTestDevice(DT_AMPLIFIER) {}
  bool IsAddressableAmplifier() const override { return m_addressable; }
  int GetAmplifierBusAddress() const override { return m_address; }
  int GetAmplifierChannelCount() const override { return m_channels; }
  void Serialize(CArchive& ar) override;

  bool m_addressable = true;
  int m_address = 0;
  int m_channels = 1;
};

// A control pad with a keyword and a number.
class CModelTestPad final : public CModelTestDevice {
  SELV_DECLARE_SERIAL(CModelTestPad)
 public:
  CModelTestPad() : CModelTestDevice(DT_CONTROLPAD) {}
  bool MatchesPadKeyword(const QString& keyword, int number) const override {
    return m_keyword == keyword && m_number == number;
  }
  QString m_keyword;
  int m_number = 0;
};

// A card whose records below schema 2 must not keep their identifier.
class CModelTestCard final : public CModelTestDevice {
  SELV_DECLARE_SERIAL(CModelTestCard)
 public:
  CModelTestCard() : CModelTestDevice(DT_KCM212) {}
  void Serialize(CArchive& ar) override;
};

// Creates an object of type with Create in doc and hands it to the document.
CModelTestDevice* AddTestObject(CSelvantisDoc& doc, int type, int category, const QString& name = QString(),
                                int kind = 0);
// The same under a given identifier.
CModelTestDevice* AddTestObjectWithID(CSelvantisDoc& doc, int type, int category, int id,
                                      const QString& name = QString(), int kind = 0);

#endif
