#include "consoles/ui/consparamspagestate.h"

#include "consoles/cconsole.h"
#include "consoles/cconsoleobject.h"
#include "consoles/cconsprop.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/cinfoslot.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, ConsParamsPageState::kExtCount> kExtRadioTexts = {"not used", "AUX-source", "RCX6350",
                                                                                    "PTT-microphone"};
constexpr std::array<const char*, ConsParamsPageState::kPttPrioCount> kPttPrioTexts = {"PTT > Int.Mic", "PTT < Int.Mic",
                                                                                       "Blockprio"};

const CSelvantisDoc* DocOf(const CConsole& console, const CSelvantisDoc* doc) {
  return doc != nullptr ? doc : console.GetDocument();
}

int ParamInt(const CConsProp& prop, int code, int fallback) {
  int value = fallback;
  ScanInt(prop.GetParamText(code), &value);
  return value;
}

}  // namespace

void ConsParamsPageState::Reset() { *this = ConsParamsPageState(); }

void ConsParamsPageState::Load(CConsole& console, const CSelvantisDoc* doc) {
  doc = DocOf(console, doc);
  const CConsProp& prop = console.GetProp();
  m_type = prop.GetParamText(CConsProp::P_TYPE);
  m_address = Fmt("%d", console.GetAddress());
  const int port = console.GetUnitPort();
  // A console wired to no unit input has no slot and no input to show.
  if (port >= 0) {
    m_slot = Fmt("%d", port / 2 + 1);
    m_input = QLatin1String(port % 2 == 0 ? "A" : "B");
  } else {
    m_slot.clear();
    m_input.clear();
  }
  m_status.clear();

  // A stored ON_PRIO that is no multiple of ten or beyond the page's range
  // is shown as the nearest priority the page can hold.
  m_nOnPriority = std::clamp(ParamInt(prop, CConsProp::P_ONPRIO, 0) / kOnPrioScale, kMinOnPriority, kMaxOnPriority);
  m_bPreChime = ParamInt(prop, CConsProp::P_PRECHIME, 0) != 0;
  m_bBuzzer = ParamInt(prop, CConsProp::P_BUZZER, 0) != 0;
  m_bComp = ParamInt(prop, CConsProp::P_COMP, 0) != 0;
  m_bGerman = ParamInt(prop, CConsProp::P_GERMAN, 0) != 0;
  m_bDosChar = ParamInt(prop, CConsProp::P_DOSCHAR, 0) != 0;
  console.CheckExtension();
  SetExt(ParamInt(prop, CConsProp::P_EXT, 0));
  SetPttPrio(ParamInt(prop, CConsProp::P_PTTPRIO, -1));
  m_longCode = prop.GetParamText(CConsProp::P_LONGCODE);
  m_shortCode = prop.GetParamText(CConsProp::P_SHORTCODE);

  const CInfoSlot* info = CInfoSlot::Find(doc);
  m_bQueries = info != nullptr && info->IsConnected();
  const CConsoleObject* consoles = CConsoleObject::Find(doc);
  m_bFaultAvailable = consoles != nullptr;
  m_bFault = consoles != nullptr && consoles->IsReference(console.GetAddress() << 16 | 1);
}

std::vector<std::pair<int, QString>> ConsParamsPageState::ParamTexts() const {
  std::vector<std::pair<int, QString>> texts;
  texts.emplace_back(CConsProp::P_ONPRIO, Fmt("%d", m_nOnPriority * kOnPrioScale));
  texts.emplace_back(CConsProp::P_BUZZER, Fmt("%d", m_bBuzzer ? 1 : 0));
  // Without a choice the console keeps its own PTT priority.
  if (m_nPttPrio >= 0) texts.emplace_back(CConsProp::P_PTTPRIO, Fmt("%d", m_nPttPrio));
  texts.emplace_back(CConsProp::P_COMP, Fmt("%d", m_bComp ? 1 : 0));
  texts.emplace_back(CConsProp::P_GERMAN, Fmt("%d", m_bGerman ? 1 : 0));
  texts.emplace_back(CConsProp::P_DOSCHAR, Fmt("%d", m_bDosChar ? 1 : 0));
  texts.emplace_back(CConsProp::P_EXT, Fmt("%d", m_nExt));
  // Text that is no number counts as 0, which the store replaces by its
  // default like any other code out of range.
  texts.emplace_back(CConsProp::P_LONGCODE, Fmt("%d", m_longCode.toInt()));
  texts.emplace_back(CConsProp::P_SHORTCODE, Fmt("%d", m_shortCode.toInt()));
  return texts;
}

bool ConsParamsPageState::Save(CConsole& console, const CSelvantisDoc* doc) {
  doc = DocOf(console, doc);
  CConsProp& prop = console.GetProp();
  bool changed = false;
  for (const auto& [code, text] : ParamTexts()) {
    const QString before = prop.GetParamText(code);
    prop.SetParamText(code, text);
    changed = changed || prop.GetParamText(code) != before;
  }
  if (CConsoleObject* consoles = CConsoleObject::Find(doc)) {
    const int address = console.GetAddress();
    const bool before = consoles->IsReference(address << 16 | 1);
    if (before != m_bFault) {
      consoles->SetReference(1, address | (m_bFault ? 1 : 0) << 16);
      changed = true;
    }
  }
  if (changed) console.SetModified();
  // The page shows the codes the console now holds.
  m_longCode = prop.GetParamText(CConsProp::P_LONGCODE);
  m_shortCode = prop.GetParamText(CConsProp::P_SHORTCODE);
  return changed;
}

void ConsParamsPageState::SetExt(int ext) noexcept { m_nExt = ext >= 0 && ext < kExtCount ? ext : 0; }

QString ConsParamsPageState::ExtText() const { return ExtRadioText(m_nExt); }

QString ConsParamsPageState::ExtRadioText(int index) {
  return QString::fromLatin1(kExtRadioTexts[index >= 0 && index < kExtCount ? size_t(index) : 0]);
}

void ConsParamsPageState::SetPttPrio(int index) noexcept {
  m_nPttPrio = index >= 0 && index < kPttPrioCount ? index : -1;
}

QString ConsParamsPageState::PttPrioText(int index) {
  return index >= 0 && index < kPttPrioCount ? QString::fromLatin1(kPttPrioTexts[size_t(index)]) : QString();
}

bool ConsParamsPageState::SetOnPriority(int priority) noexcept {
  const bool ok = priority >= kMinOnPriority && priority <= kMaxOnPriority;
  m_nOnPriority = ok ? priority : 0;
  return ok;
}

QString ConsParamsPageState::QueryText(const CConsole& console, Query query) {
  QString path = console.GetPath();
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  return path + QLatin1String(query == Query::Release ? "/RELEASE ?" : "/OPLEVEL ?");
}

QString ConsParamsPageState::ReplyText(const QString& reply, const QString& query) {
  const QString path = query.section(QLatin1Char(' '), 0, 0);
  const QString prefix = path + QLatin1Char(' ');
  const QStringList lines = reply.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts);
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (!line.startsWith(prefix)) continue;
    const QString value = line.mid(prefix.size()).trimmed();
    if (!value.isEmpty() && value != QLatin1String("?")) return value;
  }
  // The unit may answer with a bare text ("console not connected"); a line
  // of another object's path is no answer to this query.
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (!line.isEmpty() && !line.startsWith(QLatin1Char('/'))) return line;
  }
  return QString();
}

QString ConsParamsPageState::NoAnswerText(Query query) {
  return QString::fromLatin1(query == Query::Release ? "Harborlight does not answer to version number request !"
                                                     : "Harborlight does not respond to userlevel-request.");
}
