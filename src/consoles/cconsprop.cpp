#include "consoles/cconsprop.h"

#include "consoles/cconsole.h"
#include "consoles/consolestrings.h"
#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/ctext.h"
#include "model/replytext.h"

#include <QLoggingCategory>

#include <array>

Q_LOGGING_CATEGORY(lcConsProp, "sx.consoles")

namespace {

struct ModelRow {
  int model;
  const char* name;
  int keys;
  bool flag;
  int ext;
};

constexpr std::array<ModelRow, 13> kModels = {{
    {CConsProp::RCX6010, "RCX6010", 10, false, CConsProp::EXT_OFF},
    {CConsProp::RCX6020, "RCX6020", 20, false, CConsProp::EXT_OFF},
    {CConsProp::RCX6510, "RCX6510", 10, true, CConsProp::EXT_OFF},
    {CConsProp::RCX6520, "RCX6520", 20, true, CConsProp::EXT_OFF},
    {CConsProp::RCX6550, "RCX6550", 50, true, CConsProp::EXT_OFF},
    {CConsProp::RCX6010X, "RCX6010X", 60, false, CConsProp::EXT_6350},
    {CConsProp::RCX6020X, "RCX6020X", 70, false, CConsProp::EXT_6350},
    {CConsProp::RCX6510X, "RCX6510X", 60, true, CConsProp::EXT_6350},
    {CConsProp::RCX6520X, "RCX6520X", 70, true, CConsProp::EXT_6350},
    {CConsProp::RCX6550X, "RCX6550X", 100, true, CConsProp::EXT_6350},
    {CConsProp::RCX6530, "RCX6530", 30, true, CConsProp::EXT_OFF},
    {CConsProp::RCX6530X, "RCX6530X", 80, true, CConsProp::EXT_6350},
    {CConsProp::RCX6106, "RCX6106", 0, true, CConsProp::EXT_OFF},
}};

const ModelRow* FindModel(int model) {
  for (const ModelRow& row : kModels)
    if (row.model == model) return &row;
  return nullptr;
}

// Flags of the record's eighth field.
enum : uint32_t {
  F_GERMAN = 0x01,
  F_PRECHIME = 0x02,
  F_BUZZER = 0x04,
  F_COMP = 0x08,
  F_MODEL = 0x10,
  F_DOS = 0x20,
};

constexpr int kFixedKeyBytes = 6;  // the least a key's object record takes

}  // namespace

CConsProp::CConsProp() = default;

CConsProp::~CConsProp() = default;

// ---- Models -------------------------------------------------------------------------

QString CConsProp::ModelName(int model) {
  const ModelRow* row = FindModel(model);
  return row != nullptr ? QString::fromLatin1(row->name) : QString();
}

int CConsProp::ModelKeyCount(int model) {
  const ModelRow* row = FindModel(model);
  return row != nullptr ? row->keys : 0;
}

bool CConsProp::ModelFlag(int model) {
  const ModelRow* row = FindModel(model);
  return row != nullptr && row->flag;
}

int CConsProp::ModelDefaultExt(int model) {
  const ModelRow* row = FindModel(model);
  return row != nullptr ? row->ext : EXT_OFF;
}

bool CConsProp::IsKnownModel(int model) { return FindModel(model) != nullptr; }

int CConsProp::BaseModelOf(int model) {
  return model >= RCX6010X && model <= RCX6550X ? model - (RCX6010X - RCX6010) : model;
}

void CConsProp::SetDefaults() {
  m_nPrio = kDefaultPrio;
  m_nPttPrio = kDefaultPttPrio;
  m_bPreChime = false;
  m_bBuzzer = true;
  m_bComp = false;
  m_bGerman = true;
  m_bDosChar = false;
  m_strLongCode = QString::fromLatin1(kDefaultLongCode);
  m_strShortCode = QString::fromLatin1(kDefaultShortCode);
  m_nOnPrio = kDefaultOnPrio;
}

void CConsProp::CreateKeys(int model, CConsole* owner) {
  m_pOwner = owner;
  m_nModel = model;
  m_strType = ModelName(model);
  SetDefaults();
  m_keys.clear();
  m_fixedKeys.clear();
  for (int position = 0; position < CConsKey::kFixedKeyCount; ++position)
    m_fixedKeys.push_back(std::make_unique<CConsKey>(CConsKey::kFirstFixedKey + position, owner));
  m_nKeys = ModelKeyCount(model);
  m_bModelFlag = ModelFlag(model);
  m_nExt = ModelDefaultExt(model);
  CreateProgrammableKeys(0, m_nKeys, owner, false);
  SetKeyColours();
}

void CConsProp::CreateProgrammableKeys(int first, int count, CConsole* owner, bool bDisable) {
  const int rows = count / 5;
  for (int i = std::max(first, 0); i < count && i < CConsKey::kMaxProgrammableKey; ++i) {
    auto key = std::make_unique<CConsKey>(i / 5 + (i % 5) * rows + 1, owner);
    if (bDisable) key->SetFunctionFromText(CConsKey::DISABLED, QString(), true);
    m_keys.push_back(std::move(key));
  }
  m_nKeys = static_cast<int>(m_keys.size());
}

// ---- Keys ---------------------------------------------------------------------------------

CConsKey* CConsProp::FindKey(int number) const {
  const auto& keys = number >= CConsKey::kFirstFixedKey ? m_fixedKeys : m_keys;
  for (const auto& key : keys)
    if (key->GetNumber() == number) return key.get();
  return nullptr;
}

CConsKey* CConsProp::GetKeyAt(int index) const {
  if (index >= CConsKey::kFirstFixedKey) {
    const size_t position = static_cast<size_t>(index - CConsKey::kFirstFixedKey);
    return position < m_fixedKeys.size() ? m_fixedKeys[position].get() : nullptr;
  }
  if (index < 0 || static_cast<size_t>(index) >= m_keys.size()) return nullptr;
  return m_keys[static_cast<size_t>(index)].get();
}

void CConsProp::SetOwner(CConsole* owner) {
  m_pOwner = owner;
  for (auto& key : m_keys) key->SetOwner(owner);
  for (auto& key : m_fixedKeys) key->SetOwner(owner);
}

QString CConsProp::GetName() const { return m_pOwner != nullptr ? m_pOwner->GetName() : QString(); }

uint32_t CConsProp::KeyColour(int number) {
  // By key number 101..112; the low 12 bits are the functions the key
  // dialog offers (see CConsKey).
  static constexpr std::array<uint32_t, CConsKey::kFixedKeyCount> kFixed = {
      0x80000011, 0x80000200, 0x80000440, 0x80000080, 0x80000100, 0x80000018,
      0x8000041E, 0x80000010, 0x80000854, 0x80000854, 0x80000854, 0x80000820};
  if (number >= CConsKey::kFirstFixedKey && number <= CConsKey::kLastFixedKey)
    return kFixed[static_cast<size_t>(number - CConsKey::kFirstFixedKey)];
  return CConsKey::kProgrammableColour;
}

void CConsProp::SetKeyColours() {
  for (auto& key : m_keys) key->SetColour(KeyColour(key->GetNumber()));
  for (auto& key : m_fixedKeys) key->SetColour(KeyColour(key->GetNumber()));
}

// ---- Parameters ---------------------------------------------------------------------------

QString CConsProp::GetParamText(int code) const {
  switch (code) {
    case P_BUZZER: return Fmt("%d", m_bBuzzer ? 1 : 0);
    case P_MODELFLAG: return Fmt("%d", m_bModelFlag ? 1 : 0);
    case P_DOSCHAR: return Fmt("%d", m_bDosChar ? 1 : 0);
    case P_PRECHIME: return Fmt("%d", m_bPreChime ? 1 : 0);
    case P_GERMAN: return Fmt("%d", m_bGerman ? 1 : 0);
    case P_PRIO: return Fmt("%d", m_nPrio);
    case P_PTTPRIO: return Fmt("%d", m_nPttPrio);
    case P_COMP: return Fmt("%d", m_bComp ? 1 : 0);
    case P_EXT: return Fmt("%d", m_nExt);
    case P_ONPRIO: return Fmt("%d", m_nOnPrio);
    case P_TYPE: return m_strType;
    case P_NAME: return GetName();
    case P_LONGCODE: return m_strLongCode;
    case P_SHORTCODE: return m_strShortCode;
    case P_PASSW: return m_strShortCode + QLatin1Char(',') + m_strLongCode;
    default: return QString();
  }
}

bool CConsProp::IsAllDigits(const QString& text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

bool CConsProp::SetParamText(int code, const QString& text) {
  const QString value = text.trimmed();
  int number = 0;
  const bool isNumber = ScanInt(value, &number);
  auto setFlag = [&](bool& flag) {
    if (isNumber) flag = number != 0;
    return true;
  };
  auto setCode = [&](QString& field, int min, int max, const char* fallback) {
    // "1234abc" passes a number test: only a text of digits is a code.
    const bool ok = IsAllDigits(value) && value.size() <= 5 && value.toInt() >= min && value.toInt() <= max;
    field = ok ? Fmt("%d", value.toInt()) : QString::fromLatin1(fallback);
    return true;
  };
  switch (code) {
    case P_BUZZER: return setFlag(m_bBuzzer);
    case P_DOSCHAR: return setFlag(m_bDosChar);
    case P_PRECHIME: return setFlag(m_bPreChime);
    case P_GERMAN: return setFlag(m_bGerman);
    case P_COMP: return setFlag(m_bComp);
    case P_PRIO:
      if (isNumber) m_nPrio = number >= kMinPrio && number <= kMaxPrio ? number : kMinPrio;
      return true;
    case P_PTTPRIO:
      // An index outside the table would be read past it on the next line.
      if (isNumber) m_nPttPrio = number >= 0 && number <= 2 ? number : kDefaultPttPrio;
      return true;
    case P_EXT:
      if (isNumber) m_nExt = number >= EXT_OFF && number <= EXT_PTT ? number : EXT_OFF;
      return true;
    case P_ONPRIO:
      if (isNumber) m_nOnPrio = number;
      return true;
    case P_NAME:
      if (m_pOwner != nullptr)
        m_pOwner->SetUniqueName(ReplyText::Field(text, ReplyText::TextField::Name).trimmed(), true,
                                ReplyText::kNameChars);
      return true;
    case P_LONGCODE: return setCode(m_strLongCode, 1000, 9999, kDefaultLongCode);
    case P_SHORTCODE: return setCode(m_strShortCode, 100, 999, kDefaultShortCode);
    case P_PASSW: {
      const int comma = value.indexOf(QLatin1Char(','));
      SetParamText(P_SHORTCODE, comma < 0 ? value : value.left(comma));
      SetParamText(P_LONGCODE, comma < 0 ? QString() : value.mid(comma + 1));
      return true;
    }
    default: return false;
  }
}

// ---- Project file -----------------------------------------------------------------------------

void CConsProp::WriteKeyArray(CArchive& ar, const std::vector<std::unique_ptr<CConsKey>>& keys) const {
  ar.WriteCount(static_cast<uint32_t>(keys.size()));
  for (const auto& key : keys) ar.WriteObject(key.get());
}

void CConsProp::ReadKeyArray(CArchive& ar, std::vector<std::unique_ptr<CConsKey>>& keys, bool fixed) {
  const uint32_t count = ar.ReadCount(kFixedKeyBytes);
  const uint32_t limit = fixed ? CConsKey::kFixedKeyCount : CConsKey::kMaxProgrammableKey;
  if (count > limit)
    throw CArchiveException(CArchiveException::Cause::BadCount,
                            Fmt("A console holds %u keys where %u are possible.", count, limit));
  keys.clear();
  for (uint32_t i = 0; i < count; ++i) {
    std::unique_ptr<CObject> record(ar.ReadObject());
    auto* key = dynamic_cast<CConsKey*>(record.get());
    if (key == nullptr)
      throw CArchiveException(CArchiveException::Cause::BadClass,
                              QStringLiteral("A console's key array holds a record that is no key."));
    const int number = key->GetNumber();
    if (fixed != key->IsFixed() || FindKeyIn(keys, number) != nullptr)
      throw CArchiveException(CArchiveException::Cause::Generic,
                              Fmt("A console holds key %d twice or in the wrong array.", number));
    record.release();
    keys.emplace_back(key);
  }
}

CConsKey* CConsProp::FindKeyIn(const std::vector<std::unique_ptr<CConsKey>>& keys, int number) {
  for (const auto& key : keys)
    if (key->GetNumber() == number) return key.get();
  return nullptr;
}

void CConsProp::SerializeData(CArchive& ar, int schema) {
  if (ar.IsStoring()) {
    uint32_t flags = 0;
    if (m_bGerman) flags |= F_GERMAN;
    if (m_bPreChime) flags |= F_PRECHIME;
    if (m_bBuzzer) flags |= F_BUZZER;
    if (m_bComp) flags |= F_COMP;
    if (m_bModelFlag) flags |= F_MODEL;
    if (m_bDosChar) flags |= F_DOS;
    ar << int32_t(m_nPrio) << int32_t(m_nPttPrio) << int32_t(m_nModel) << int32_t(m_nKeys) << int32_t(m_nExt);
    ar << m_strLongCode << m_strShortCode;
    ar << flags;
    ar << int32_t(m_nOnPrio);
    WriteKeyArray(ar, m_keys);
    WriteKeyArray(ar, m_fixedKeys);
    return;
  }

  if (schema < 1 || schema > CConsole::kSchema) {
    AfxMessageBox(ConsoleString(IDS_CONS_WRONG_SCHEMA), MB_OK | MB_ICONINFORMATION, IDS_CONS_WRONG_SCHEMA);
    schema = 3;
  }
  int32_t prio = 0, pttPrio = 0, model = 0, keys = 0, ext = 0;
  uint32_t flags = 0;
  ar >> prio >> pttPrio >> model >> keys >> ext;
  ar >> m_strLongCode >> m_strShortCode;
  ar >> flags;
  int32_t onPrio = kDefaultOnPrio;
  if (schema == 4) ar >> onPrio;
  // Values a damaged or hand-made file may hold are brought into range, as
  // every other writer does.
  m_nPrio = prio >= kMinPrio && prio <= kMaxPrio ? prio : kMinPrio;
  m_nPttPrio = pttPrio >= 0 && pttPrio <= 2 ? pttPrio : kDefaultPttPrio;
  m_nExt = ext >= EXT_OFF && ext <= EXT_PTT ? ext : EXT_OFF;
  m_nModel = model;
  m_bGerman = (flags & F_GERMAN) != 0;
  m_bPreChime = (flags & F_PRECHIME) != 0;
  m_bBuzzer = (flags & F_BUZZER) != 0;
  m_bComp = (flags & F_COMP) != 0;
  m_bModelFlag = (flags & F_MODEL) != 0;
  m_bDosChar = (flags & F_DOS) != 0;
  m_nOnPrio = onPrio;
  if (schema == 1) {
    m_bDosChar = false;
    m_nPttPrio = 0;
  }
  if (!IsAllDigits(m_strLongCode)) SetParamText(P_LONGCODE, m_strLongCode);
  if (!IsAllDigits(m_strShortCode)) SetParamText(P_SHORTCODE, m_strShortCode);
  // The model name follows the console's kind.
  if (m_pOwner != nullptr) m_nModel = m_pOwner->GetKind() != 0 ? m_pOwner->GetKind() : m_nModel;
  m_strType = ModelName(m_nModel);

  ReadKeyArray(ar, m_keys, false);
  ReadKeyArray(ar, m_fixedKeys, true);
  // The array is what the console has; a stored count that disagrees is
  // not trusted.
  if (keys != static_cast<int32_t>(m_keys.size()))
    qCWarning(lcConsProp) << "console key count" << keys << "differs from its" << m_keys.size() << "keys";
  m_nKeys = static_cast<int>(m_keys.size());
  SetOwner(m_pOwner);
  SetKeyColours();

  if (schema < 3 && m_nModel >= RCX6010X && m_nModel <= RCX6550X) {
    m_nModel = BaseModelOf(m_nModel);
    m_strType = ModelName(m_nModel);
    if (m_pOwner != nullptr) {
      m_pOwner->SetKind(m_nModel);
      const QString name = m_pOwner->GetName();
      AfxMessageBox(FormatText(ConsoleString(IDS_CONS_EXTENSION_DROPPED), {name, name, name}), MB_OK | MB_ICONSTOP,
                    IDS_CONS_EXTENSION_DROPPED);
    }
  }
  if (schema < 4) {
    if (CConsKey* talk = FindKey(CConsKey::kTalkKey)) {
      talk->SyncFunction(true);
      m_bPreChime = talk->GetEditFunction().p2 != 0;
    }
  }
}
