#include "unit/cmiscaudio.h"

#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "unit/caudioinputslot.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

SELV_IMPLEMENT_SERIAL(CMiscAudio, 1)

namespace {

constexpr int kProviderOrder = 201;

constexpr const char* kKeywords[CMiscAudio::kCodeCount] = {"ALARM_VOL", "CHIME_VOL",     "MESSAGE_VOL", "PANIC_VOL",
                                                           "BACK_ATT",  "EXT_ALARM_INP", "EXT_MSG_INP", "BACK_INP"};

float ClampVolume(float value) {
  if (value <= CMiscAudio::kMinVolume) return CMiscAudio::kMinVolume;
  if (value >= CMiscAudio::kMaxVolume) return CMiscAudio::kMaxVolume;
  return value;
}

int ClampBackAtt(int value) {
  if (value < CMiscAudio::kMinBackAtt) return CMiscAudio::kBackAttOff;
  if (value >= 0) return 0;
  return value;
}

int ClampInput(int value) {
  if (value < 1) return 0;
  if (value >= CMiscAudio::kMaxInput) return CMiscAudio::kMaxInput;
  return value;
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CMiscAudio::EnsureIn(doc); });
  return true;
}();

}  // namespace

CMiscAudio::CMiscAudio() { SetType(DT_MISCAUDIO); }

void CMiscAudio::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (float volume : m_volume) ar << volume;
    for (int value : m_value) ar << int32_t(value);
    return;
  }
  // Every schema holds the same fields. A damaged value is brought into
  // range as the setters would.
  for (int code = 0; code < kVolumeCount; ++code) {
    float volume = 0.0f;
    ar >> volume;
    if (std::isfinite(volume)) m_volume[code] = ClampVolume(volume);
  }
  for (int code = BACK_ATT; code < kCodeCount; ++code) {
    int32_t value = 0;
    ar >> value;
    m_value[code - kVolumeCount] = code == BACK_ATT ? ClampBackAtt(value) : ClampInput(value);
  }
}

QString CMiscAudio::KeywordOf(int code) {
  return code >= 0 && code < kCodeCount ? QString::fromLatin1(kKeywords[code]) : QString();
}

int CMiscAudio::CodeOf(const QString& keyword) {
  for (int code = 0; code < kCodeCount; ++code) {
    if (keyword == QLatin1String(kKeywords[code])) return code;
  }
  return -1;
}

QString CMiscAudio::GetParamText(int code) const {
  const int low = code & 0xFFFF;
  if (IsVolume(low)) return Fmt("%2.1f", static_cast<double>(m_volume[low]));
  if (low >= BACK_ATT && low < kCodeCount) return Fmt("%d", m_value[low - kVolumeCount]);
  return QString();
}

void CMiscAudio::SetVolume(int code, float value) {
  value = ClampVolume(value);
  if (m_volume[code] == value) return;
  m_volume[code] = value;
  SetModified();
}

void CMiscAudio::SetValue(int code, int value) {
  value = code == BACK_ATT ? ClampBackAtt(value) : ClampInput(value);
  int& slot = m_value[code - kVolumeCount];
  if (slot == value) return;
  slot = value;
  SetModified();
}

bool CMiscAudio::SetParamText(int code, const QString& text) {
  if (code < 0 || code >= kCodeCount) return false;
  if (IsVolume(code)) {
    float volume = 0.0f;
    if (!ScanFloat(text, &volume)) return false;
    SetVolume(code, volume);
    return true;
  }
  int value = 0;
  if (!ScanInt(text, &value)) return false;
  SetValue(code, value);
  return true;
}

QString CMiscAudio::GetUnitValueText(int code) const {
  if (code < 0 || code >= kCodeCount) return QString();
  if (IsVolume(code)) {
    // The comparison is on the number: any stored value at the floor is silent.
    if (m_volume[code] <= kMinVolume) return Fmt("%.1f", kUnitSilentVolume);
    return GetParamText(code);
  }
  const int value = m_value[code - kVolumeCount];
  if (code == BACK_ATT) return value == kBackAttOff ? Fmt("%d", kUnitBackAttOff) : Fmt("%d", value);
  return Fmt("%d", value + 1);
}

QString CMiscAudio::SendSetting(int code, bool bShorten, bool bQuery) {
  if (code < 0 || code >= kCodeCount || GetPath().isEmpty()) return QString();
  QString path = GetPath();
  while (path.startsWith(QLatin1Char('/'))) path.remove(0, 1);
  QString command = QLatin1Char('/') + path + QLatin1Char('/') + KeywordOf(code);
  command += QLatin1Char(' ');
  command += bQuery ? QStringLiteral("?") : GetUnitValueText(code);
  // Sent for this object's document, which need not be the active one (a
  // download of a project in another window).
  SendCommandLine(command, bShorten);
  return command;
}

int CMiscAudio::Download(bool bQuery, int nStep) {
  if (nStep == -1) return kCodeCount;
  if (nStep < 0 || nStep >= kCodeCount) return nStep;
  if (IsLinkBusy()) return nStep;
  SendSetting(nStep, false, bQuery);
  return nStep + 1;
}

bool CMiscAudio::UnitToStoredText(int code, const QString& unitValue, QString* stored) {
  if (IsVolume(code)) {
    double volume = 0.0;
    if (!ScanDouble(unitValue, &volume)) return false;
    *stored = Fmt("%f", std::max(volume, static_cast<double>(kMinVolume)));
    return true;
  }
  if (code == BACK_ATT) {
    double att = 0.0;
    if (!ScanDouble(unitValue, &att)) return false;
    // -127 (and anything at or below -41) is off; else the whole dB.
    const double whole = std::clamp(std::trunc(att), static_cast<double>(kBackAttOff), 0.0);
    *stored = Fmt("%d", static_cast<int>(whole));
    return true;
  }
  int input = 0;
  if (!ScanInt(unitValue, &input)) return false;
  *stored = Fmt("%d", std::clamp(input, 0, kMaxInput + 1) - 1);
  return true;
}

bool CMiscAudio::ForwardInputLevel(const QString& keyword, const QString& value, bool* taken) {
  static const QRegularExpression kLevelKey(QStringLiteral("^IN\\d+/VOL$"), QRegularExpression::CaseInsensitiveOption);
  if (!kLevelKey.match(keyword).hasMatch()) return false;
  *taken = false;
  if (GetDocument() == nullptr) return true;
  std::vector<CBaseDevice*> inputSlots;
  GetDocument()->GetIDManager().GetBaseDeviceList(inputSlots, DT_AUDIOINPUTSLOT);
  for (CBaseDevice* object : inputSlots) {
    auto* slot = dynamic_cast<CAudioInputSlot*>(object);
    if (slot != nullptr && slot->ParseLevelReply(keyword, value)) {
      *taken = true;
      break;
    }
  }
  return true;
}

bool CMiscAudio::Upload(const QString& line, QString& /*errorFilePath*/, int /*mode*/) {
  QString key;
  QString value;
  // An echoed query ("AUDIO/ALARM_VOL ?") is no value: it must not read as 0 dB.
  if (!SplitUploadLine(line, &key, &value)) return false;
  QString keyword = key;
  while (keyword.startsWith(QLatin1Char('/'))) keyword.remove(0, 1);

  bool taken = false;
  if (ForwardInputLevel(keyword, value, &taken)) {
    if (!taken) AfxMessageBox(kParserError, MB_OK | MB_ICONEXCLAMATION);
    return taken;
  }

  for (int i = 0; i < keyword.size(); ++i) {
    if (keyword.at(i).isDigit()) {
      keyword.truncate(i);
      break;
    }
  }
  const int code = CodeOf(keyword);
  QString stored;
  if (code < 0 || !UnitToStoredText(code, value, &stored) || !SetParamText(code, stored)) {
    AfxMessageBox(kParserError, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

CMiscAudio* CMiscAudio::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CMiscAudio*>(doc->GetIDManager().FindBaseDevice(1, DT_MISCAUDIO)) : nullptr;
}

CMiscAudio* CMiscAudio::EnsureIn(CSelvantisDoc& doc) {
  if (CMiscAudio* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_MISCAUDIO) != nullptr) return nullptr;
  auto audio = std::make_unique<CMiscAudio>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("Audio");
  if (!audio->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(audio));
}
