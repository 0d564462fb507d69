#ifndef SELV_CONSOLES_CCONSPROP_H
#define SELV_CONSOLES_CCONSPROP_H

#include "consoles/cconskey.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CArchive;
class CConsole;

// The settings of one console that its CConsole embeds: the model and its
// number of programmable keys, the parameters the command language names
// (by parameter code), the two access codes, and the two key arrays, which
// it owns. Stored inline after the console's base record.
class CConsProp final {
 public:
  // Parameter codes (the low 16 bits of a code; GROUP carries the slot in
  // the high 16 bits).
  enum Code : int {
    P_BUZZER = 0,
    P_MODELFLAG = 2,
    P_DOSCHAR = 3,
    P_PRECHIME = 4,
    P_GERMAN = 5,
    P_PRIO = 6,
    P_PTTPRIO = 7,
    P_TYPE = 8,
    P_NAME = 11,
    P_COMP = 12,
    P_EXT = 13,
    P_LONGCODE = 14,
    P_SHORTCODE = 15,
    P_PASSW = 16,
    P_ONPRIO = 17,
    P_KEY = 254,
    P_GROUP = 255,
  };
  // Models (string ids of the model names, the console's kind).
  enum Model : int {
    RCX6010 = 34000,
    RCX6020 = 34001,
    RCX6510 = 34002,
    RCX6520 = 34003,
    RCX6550 = 34004,
    RCX6010X = 34005,
    RCX6020X = 34006,
    RCX6510X = 34007,
    RCX6520X = 34008,
    RCX6550X = 34009,
    RCX6530 = 34318,
    RCX6530X = 34319,
    RCX6106 = 34566,
  };
  // EXT connector use.
  enum Ext : int { EXT_OFF = 0, EXT_AUX = 1, EXT_6350 = 2, EXT_PTT = 3 };

  static constexpr int kDefaultPrio = 5;
  static constexpr int kMinPrio = 2;
  static constexpr int kMaxPrio = 10;
  static constexpr int kDefaultPttPrio = 1;
  static constexpr int kDefaultOnPrio = 40;
  static constexpr const char* kDefaultLongCode = "3971";
  static constexpr const char* kDefaultShortCode = "846";

  CConsProp();
  ~CConsProp();
  CConsProp(const CConsProp&) = delete;
  CConsProp& operator=(const CConsProp&) = delete;

  // ---- Models ------------------------------------------------------------------
  // The model's name ("RCX6010"); "" for an unknown id.
  static QString ModelName(int model);
  // Programmable keys of the model (0 for an unknown one).
  static int ModelKeyCount(int model);
  static bool ModelFlag(int model);
  static int ModelDefaultExt(int model);
  static bool IsKnownModel(int model);
  // 34005..34009 -> 34000..34004 (the model without its extension); other
  // models unchanged.
  static int BaseModelOf(int model);

  // Sets owner and model, the defaults, twelve fixed keys and the model's
  // programmable keys (any keys held before are dropped).
  void CreateKeys(int model, CConsole* owner);
  // Appends keys first..count-1 numbered i / 5 + (i % 5) * (count / 5) + 1,
  // so the array runs through a five-row grid whose numbers go down the
  // columns; bDisable programs each new key DISABLED (stored).
  void CreateProgrammableKeys(int first, int count, CConsole* owner, bool bDisable);

  // ---- Keys ------------------------------------------------------------------------
  // By number: 101 and more in the fixed array, others in the programmable
  // one; null when there is none.
  CConsKey* FindKey(int number) const;
  // By position: 101 and more is fixed position index - 101, below that
  // the programmable array position; null outside.
  CConsKey* GetKeyAt(int index) const;
  int GetProgrammableKeyCount() const { return static_cast<int>(m_keys.size()); }
  int GetFixedKeyCount() const { return static_cast<int>(m_fixedKeys.size()); }
  const std::vector<std::unique_ptr<CConsKey>>& GetProgrammableKeys() const { return m_keys; }
  const std::vector<std::unique_ptr<CConsKey>>& GetFixedKeys() const { return m_fixedKeys; }
  // Every key's owner.
  void SetOwner(CConsole* owner);
  CConsole* GetOwner() const noexcept { return m_pOwner; }
  // The owner's name.
  QString GetName() const;
  // The colour word of each key, by key number (see CConsKey).
  void SetKeyColours();
  static uint32_t KeyColour(int number);

  // ---- Parameters ------------------------------------------------------------------
  int GetModel() const noexcept { return m_nModel; }
  // The number of programmable keys (always the array's count).
  int GetKeyCount() const noexcept { return m_nKeys; }
  bool GetModelFlag() const noexcept { return m_bModelFlag; }
  // "%d" of the field for codes 0, 2..7, 12, 13, 17; the model name (8);
  // the owner's name (11); the codes (14, 15, and "short,long" for 16);
  // "" for any other code.
  QString GetParamText(int code) const;
  // True when the code is held. Flags become 0 or 1; PRIO outside 2..10
  // becomes 2; PTTPRIO outside 0..2 becomes 1, EXT outside 0..3 becomes 0;
  // the codes keep only all-digit texts within 1000..9999 (long) and
  // 100..999 (short), else their defaults; 16 is "short,long"; 11 renames
  // the owner (unique, with the message). A text that is no number leaves
  // a numeric field as it was. Codes 1, 2, 8..10, 18 and more, and negative
  // codes, return false.
  bool SetParamText(int code, const QString& text);
  int GetExt() const noexcept { return m_nExt; }
  int GetPttPrio() const noexcept { return m_nPttPrio; }

  // ---- Project file ----------------------------------------------------------------
  // Writes the record, or reads it as the console's schema (1..4) lays it
  // out; another schema shows 34189 and is read as schema 3.
  void SerializeData(CArchive& ar, int schema);

 private:
  void SetDefaults();
  static bool IsAllDigits(const QString& text);
  void ReadKeyArray(CArchive& ar, std::vector<std::unique_ptr<CConsKey>>& keys, bool fixed);
  void WriteKeyArray(CArchive& ar, const std::vector<std::unique_ptr<CConsKey>>& keys) const;
  static CConsKey* FindKeyIn(const std::vector<std::unique_ptr<CConsKey>>& keys, int number);

  int m_nPrio = kDefaultPrio;
  int m_nPttPrio = kDefaultPttPrio;
  bool m_bPreChime = false;
  bool m_bBuzzer = true;
  bool m_bComp = false;
  bool m_bGerman = true;
  bool m_bDosChar = false;
  int m_nExt = EXT_OFF;
  QString m_strType;
  QString m_strLongCode = QString::fromLatin1(kDefaultLongCode);
  QString m_strShortCode = QString::fromLatin1(kDefaultShortCode);
  int m_nOnPrio = kDefaultOnPrio;
  int m_nModel = 0;
  int m_nKeys = 0;
  bool m_bModelFlag = false;
  std::vector<std::unique_ptr<CConsKey>> m_keys;
  std::vector<std::unique_ptr<CConsKey>> m_fixedKeys;
  CConsole* m_pOwner = nullptr;
};

#endif
