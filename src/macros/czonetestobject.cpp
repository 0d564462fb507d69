#include "macros/czonetestobject.h"

#include "link/linkmode.h"
#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "logic/logiclinks.h"
#include "macros/auxobjects.h"
#include "macros/cmacro.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CZonetestObject, 1)

namespace {

constexpr int kProviderOrder = 573;

QString ConsoleText(int console) {
  if (console == CZonetestObject::kAllConsoles) return QStringLiteral("ALL");
  if (console == 0) return QStringLiteral("OFF");
  return Fmt("%d", console);
}

bool ParseConsole(const QString& text, int* out) {
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0)
    *out = CZonetestObject::kAllConsoles;
  else if (t.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0)
    *out = 0;
  else
    return ScanInt(t, out);
  return true;
}

struct LineSpec {
  const char* key;
};
const LineSpec kLines[CZonetestObject::kStepCount] = {{"/TEST/AUTO"}, {"/TEST/TIME"}, {"/TEST/CONS"}, {"/IMP/AUTO"},
                                                      {"/IMP/CONS"},  {"/MACRO"},     {"/OUTPUT"}};

const bool kProviderRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) {
    if (CZonetestObject::Find(&doc)) return;
    auto zoneTest = std::make_unique<CZonetestObject>();
    if (zoneTest->CreateWithID(0, QStringLiteral("Zone test"), 1, CAT_LOGIC, &doc)) doc.AddObject(std::move(zoneTest));
  });
  return true;
}();

}  // namespace

CZonetestObject::CZonetestObject() { m_nType = DT_ZONETEST; }

QString CZonetestObject::BuildCommandPath() const { return QStringLiteral("/SERVICE/ZONETEST"); }

CZonetestObject* CZonetestObject::Find(const CSelvantisDoc* doc) {
  return doc ? dynamic_cast<CZonetestObject*>(doc->GetIDManager().FindBaseDevice(1, DT_ZONETEST)) : nullptr;
}

int CZonetestObject::GetParam(int index) const {
  switch (index) {
    case P_LINETEST: return m_lineTest ? 1 : 0;
    case P_TIME: return m_time;
    case P_LINE_CONS: return m_lineConsole;
    case P_CONDITION: {
      const CBaseDevice* c = GetAuxObject(*this, kPinCondition, DT_CONDITION);
      return c ? c->GetID() : 0;
    }
    case P_OUTPUT: {
      const CBaseDevice* out = GetAuxObject(*this, kPinLogicOut, DT_LOGICOUT);
      return out ? out->GetID() : 0;
    }
    case P_IMPTEST: return m_impTest ? 1 : 0;
    case P_IMP_CONS: return m_impConsole;
    default: return 0;
  }
}

int CZonetestObject::GetOutputPadID() const {
  const auto* out = dynamic_cast<const CLogicOut*>(GetAuxObject(*this, kPinLogicOut, DT_LOGICOUT));
  return out ? out->GetValue(4) : 0;
}

CBaseDevice* CZonetestObject::EnsureMacro() {
  if (CBaseDevice* macro = GetAuxObject(*this, kPinMacro, DT_MACRO)) return macro;
  if (!m_pDoc) return nullptr;
  CMacro* macro = CMacro::CreateMacro(CMacro::kKindLineTest, *m_pDoc);
  if (!macro) return nullptr;
  macro->SetUniqueName(QStringLiteral("ZT Line test"), false);
  macro->SetParam(CMacro::P_SWITCH, 1);
  macro->SetParam(CMacro::P_TEST_MODE, 1);
  if (CBaseDevice* root = m_pDoc->GetIDManager().FindBaseDevice(0, DT_GROUP)) macro->SetZones({root});
  SetAuxObject(*this, kPinMacro, macro);
  return macro;
}

CBaseDevice* CZonetestObject::EnsureCondition() {
  if (CBaseDevice* condition = GetAuxObject(*this, kPinCondition, DT_CONDITION)) return condition;
  if (!m_pDoc) return nullptr;
  CBaseDevice* macro = EnsureMacro();
  auto* condition =
      CreateAuxObject<CCondition>(*m_pDoc, CCondition::kKindMacro, CAT_ENTRIES, QStringLiteral("ZT Condition"));
  if (!condition) return nullptr;
  if (macro) condition->SetValue(4, macro->GetID());
  SetAuxObject(*this, kPinCondition, condition);
  return condition;
}

void CZonetestObject::ApplyConditionToOutput() {
  auto* out = dynamic_cast<CLogicOut*>(GetAuxObject(*this, kPinLogicOut, DT_LOGICOUT));
  if (out) out->SetValue(2, GetParam(P_CONDITION));
}

void CZonetestObject::SetParam(int index, int value, int) {
  switch (index) {
    case P_LINETEST:
      m_lineTest = value != 0;
      if (m_lineTest) EnsureMacro();
      break;
    case P_TIME:
      if (value >= kSecondsPerDay) {
        const QTime t = QDateTime::fromSecsSinceEpoch(value).time();
        value = t.hour() * 3600 + t.minute() * 60 + t.second();
      }
      m_time = std::max(0, value);
      break;
    case P_LINE_CONS:
    case P_IMP_CONS: {
      const int maxConsole = CIDManager::GetPoolMaxID(DT_CONSOLE);
      if (value < kAllConsoles || value > maxConsole) value = 0;
      (index == P_LINE_CONS ? m_lineConsole : m_impConsole) = value;
      break;
    }
    case P_CONDITION: {
      CBaseDevice* condition = value > 0 ? FindOrCreatePlaceholder(m_pDoc, DT_CONDITION, value) : nullptr;
      SetAuxObject(*this, kPinCondition, condition);
      ApplyConditionToOutput();
      break;
    }
    case P_OUTPUT: {
      auto* out = dynamic_cast<CLogicOut*>(GetAuxObject(*this, kPinLogicOut, DT_LOGICOUT));
      if (value <= 0) {
        // No output is switched any more: the ZT logic output goes.
        SetAuxObject(*this, kPinLogicOut, nullptr);
        if (out && m_pDoc && out->GetName().startsWith(QLatin1String("ZT"))) m_pDoc->DeleteObject(out);
        break;
      }
      if (!out && m_pDoc) {
        out = CreateAuxObject<CLogicOut>(*m_pDoc, CLogicOut::kKindLogicOut, CAT_ENTRIES, QStringLiteral("ZT Output"));
        if (!out) break;
        SetAuxObject(*this, kPinLogicOut, out);
      }
      if (!out) break;
      out->SetValue(4, value);
      EnsureCondition();
      ApplyConditionToOutput();
      break;
    }
    case P_IMPTEST: m_impTest = value != 0; break;
    default: return;
  }
  SetModified();
}

QString CZonetestObject::StepLine(int nStep, bool bQuery) const {
  if (nStep < 0 || nStep >= kStepCount) return QString();
  QString value;
  switch (nStep) {
    case 0: value = OnOffText(m_lineTest); break;
    case 1: value = Fmt("%02d:%02d", m_time / 3600, (m_time / 60) % 60); break;
    case 2: value = ConsoleText(m_lineConsole); break;
    case 3: value = OnOffText(m_impTest); break;
    case 4: value = ConsoleText(m_impConsole); break;
    case 5: {
      const CBaseDevice* macro = GetAuxObject(*this, kPinMacro, DT_MACRO);
      value = Fmt("%d", macro ? macro->GetID() : 0);
      break;
    }
    case 6: value = Fmt("%d", GetParam(P_OUTPUT)); break;
  }
  const QString path = m_strPath.isEmpty() ? BuildCommandPath() : m_strPath;
  return path + QLatin1String(kLines[nStep].key) + QLatin1Char(' ') + (bQuery ? QStringLiteral("?") : value);
}

int CZonetestObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  if (IsLinkBusy()) return nStep;
  SendCommandLine(StepLine(nStep, bQuery));
  return nStep + 1 < kStepCount ? nStep + 1 : -1;
}

bool CZonetestObject::Upload(const QString& line, QString&, int mode) {
  QString key, value;
  if (mode != LINKMODE_UPLOAD || !SplitUploadLine(line, &key, &value)) return false;
  const QString v = value.trimmed();
  int step = -1;
  for (int i = 0; i < kStepCount; ++i)
    if (key == QLatin1String(kLines[i].key)) step = i;
  bool flag = false;
  int number = 0;
  switch (step) {
    case 0:
    case 3:
      if (!ParseBoolText(v, &flag) && v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0) return false;
      SetParam(step == 0 ? P_LINETEST : P_IMPTEST, flag ? 1 : 0);
      return true;
    case 1: {
      const QStringList parts = v.split(QLatin1Char(':'));
      if (parts.size() < 2) return false;
      bool okH = false, okM = false;
      const int h = parts[0].toInt(&okH);
      const int m = parts[1].toInt(&okM);
      if (!okH || !okM || h < 0 || h > 23 || m < 0 || m > 59) return false;
      SetParam(P_TIME, h * 3600 + m * 60);
      return true;
    }
    case 2:
    case 4:
      if (!ParseConsole(v, &number)) return false;
      SetParam(step == 2 ? P_LINE_CONS : P_IMP_CONS, number);
      return true;
    case 5:
      if (!ScanInt(v, &number)) return false;
      SetAuxObject(*this, kPinMacro, number > 0 && m_pDoc ? CMacro::FindOrCreatePlaceholder(*m_pDoc, number) : nullptr);
      return true;
    case 6:
      if (!ScanInt(v, &number)) return false;
      SetAuxObject(*this, kPinLogicOut,
                   number > 0 && m_pDoc ? m_pDoc->GetIDManager().FindBaseDevice(number, DT_LOGICOUT) : nullptr);
      return true;
    default: return false;
  }
}

void CZonetestObject::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_lineTest) << static_cast<int32_t>(m_time) << static_cast<int32_t>(m_lineConsole)
       << static_cast<int32_t>(m_impTest) << static_cast<int32_t>(m_impConsole);
    return;
  }
  int32_t lineTest = 0, time = 0, lineConsole = 0, impTest = 0, impConsole = 0;
  ar >> lineTest >> time >> lineConsole >> impTest >> impConsole;
  m_lineTest = lineTest != 0;
  m_time = time >= 0 && time < kSecondsPerDay ? time : 0;
  const int maxConsole = CIDManager::GetPoolMaxID(DT_CONSOLE);
  m_lineConsole = lineConsole >= kAllConsoles && lineConsole <= maxConsole ? lineConsole : 0;
  m_impTest = impTest != 0;
  m_impConsole = impConsole >= kAllConsoles && impConsole <= maxConsole ? impConsole : 0;
}
