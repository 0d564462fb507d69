#include "logic/cglobalreadyinput.h"

#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "logic/creadyinput.h"
#include "logic/logicentries.h"
#include "logic/logicstrings.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/replytext.h"

#include <QRegularExpression>

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CGlobalReadyInput, 1)

namespace {

QString DefaultUserText(int index) { return LogicString(IDS_TEXT) + Fmt("%d", index + 1); }

// The unit takes a text up to the end of its line: no control characters.
QString CleanText(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() != 0x7F) out += c;
  }
  return out;
}

float ClampMaskTime(float value) {
  if (value != value) return CGlobalReadyInput::kDefaultMaskTime;
  return std::clamp(value, 0.0f, CGlobalReadyInput::kMaxMaskTime);
}

}  // namespace

CGlobalReadyInput::CGlobalReadyInput() {
  SetType(DT_GLOBALREADYINPUT);
  for (int i = 0; i < kUserTextCount; ++i) m_userTexts << DefaultUserText(i);
}

void CGlobalReadyInput::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_maskTime << m_userTexts;
    return;
  }
  float maskTime = kDefaultMaskTime;
  QStringList texts;
  ar >> maskTime >> texts;
  m_maskTime = ClampMaskTime(maskTime);
  for (int i = 0; i < kUserTextCount; ++i)
    m_userTexts[i] = i < texts.size() ? CleanText(texts.at(i)) : DefaultUserText(i);
}

QString CGlobalReadyInput::Path() { return QStringLiteral("/READYINP"); }

QString CGlobalReadyInput::BuildCommandPath() const { return Path(); }

int CGlobalReadyInput::GetTextCount(int which) const {
  switch (which) {
    case 0: return kTextCount;
    case 3: return kUserTextCount;
    default: return 0;
  }
}

QString CGlobalReadyInput::GetText(int index) const {
  if (index >= 0 && index < kUserTextCount) return m_userTexts.at(index);
  if (index >= kUserTextCount && index < kTextCount) {
    return LogicString(IDS_DEVICE_TEXT_FIRST + static_cast<uint32_t>(index - kUserTextCount));
  }
  return QString();
}

void CGlobalReadyInput::GetColumnText(QString& out, int code) const {
  const int column = code & 0xFFFF;
  const int index = code >> 16;
  if (column == 1) {
    out = GetText(index);
  } else if (column == 2) {
    out = Fmt("%2.1f", static_cast<double>(m_maskTime));
  } else {
    out.clear();
  }
}

bool CGlobalReadyInput::SetUserText(int index, const QString& text) {
  if (index < 0 || index >= kUserTextCount) return false;
  m_userTexts[index] = ReplyText::Field(CleanText(text), ReplyText::TextField::FaultText);
  SetModified();
  return true;
}

void CGlobalReadyInput::SetColumnText(int code, const QString& text, int reserved) {
  (void)reserved;
  const int column = code & 0xFFFF;
  if (column == 1) {
    SetUserText(code >> 16, text);
  } else if (column == 2) {
    float value = 0.0f;
    if (!ScanFloat(text, &value)) return;
    m_maskTime = ClampMaskTime(value);
    SetModified();
  }
}

int CGlobalReadyInput::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    m_canClear = CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("READYINP_CLR"), 0) != 0;
    m_cleared = false;
    return kStepCount;
  }
  if (nStep >= kStepCount) return -1;
  if (IsLinkBusy()) return nStep;
  const QString q = QStringLiteral("?");
  QString line;
  if (nStep == 0) {
    if (!bQuery && m_canClear) {
      line = Path() + QStringLiteral(" READYINP_CLR");
      m_cleared = true;
    }
  } else if (nStep == 1) {
    line = Path() + QStringLiteral("/MASKTIME ") + (bQuery ? q : Fmt("%2.1f", static_cast<double>(m_maskTime)));
  } else if (nStep <= 1 + kUserTextCount) {
    const int index = nStep - 2;
    // A text of an older project file may be longer than the unit's field.
    line = Path() + Fmt("/TEXT%d ", index + 1) +
           (bQuery ? q : ReplyText::Field(m_userTexts.at(index), ReplyText::TextField::FaultText));
  } else {
    const int id = (nStep - 7) / 6 + 1;
    const int field = (nStep - 7) % 6;
    const auto* input = FindEntry<const CReadyInput>(GetDocument(), DT_READYINPUT, id);
    if (input != nullptr || bQuery || (!m_cleared && field == CReadyInput::FIELD_INPUT)) {
      line = CReadyInput::FieldLine(id, field, input, bQuery);
    }
  }
  if (!line.isEmpty()) GetDeviceLink()->SendDeviceCommand(line, GetDocument(), false);
  return nStep + 1;
}

bool CGlobalReadyInput::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  if (key.compare(QLatin1String("/MASKTIME"), Qt::CaseInsensitive) == 0) {
    float time = 0.0f;
    if (!ScanFloat(value, &time)) return false;
    m_maskTime = ClampMaskTime(time);
    SetModified();
    return true;
  }
  static const QRegularExpression kText(QStringLiteral("^/TEXT(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch text = kText.match(key);
  if (text.hasMatch()) return SetUserText(text.captured(1).toInt() - 1, value);

  static const QRegularExpression kEntry(QStringLiteral("^/INP(\\d+)/([A-Z]+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kEntry.match(key);
  CSelvantisDoc* doc = GetDocument();
  if (!match.hasMatch() || doc == nullptr) return false;
  const int id = match.captured(1).toInt();
  const int field = CReadyInput::FieldOfKey(match.captured(2));
  if (id < 1 || id > kMaxReadyInputs || field < 0) return false;
  // An input is in use on the unit when it names one.
  const bool inUse = field == CReadyInput::FIELD_INPUT && !IsOffValue(value);
  auto* input = FindOrAdoptEntry<CReadyInput>(doc, DT_READYINPUT, id, inUse, CReadyInput::kKindReadyInput, CAT_ENTRIES,
                                              IDS_READYINP);
  return input != nullptr && input->ParseField(match.captured(2), value, errorFilePath);
}
