#include "online/cfaultwindowstate.h"

#include "link/idevicelink.h"
#include "logic/cfault.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "online/cstatuslamp.h"

#include <vector>

const CFaultWindowState::Source CFaultWindowState::kSources[kSourceCount] = {
    {CFault::kUnknown, "UNKNOWN", 1220, 1538},
    {CFault::kReadyInput, "RDYINP", 1218, 1536},
    {CFault::kKCM, "KCM", 1528, 1531},
    {CFault::kAmplifier, "AMP", 1214, 1532},
    {CFault::kInternal, "VMXINT", 1215, 1533},
    {CFault::kConsole, "CONS", 1216, 1534},
    {CFault::kSpareAmp, "SPAREAMP", 1217, 1535},
    {CFault::kManual, "MANUAL", 1219, 1537},
    {CFault::kAnyGroundFault, "ANYGNDFLT", 1221, 1544},
    {CFault::kZoneMeasurement, "ZONEMEAS", 1222, 1543},
    {CFault::kZoneGroundFault, "ZONEGNDFLT", 1223, 1542},
};

namespace {

constexpr uint32_t kOffText = 34235;
constexpr uint32_t kAllConsolesText = 34273;

}  // namespace

CFaultWindowState::CFaultWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

CFault* CFaultWindowState::Fault() const {
  if (!m_doc) return nullptr;
  return dynamic_cast<CFault*>(m_doc->GetIDManager().FindBaseDevice(1, DT_FAULT));
}

int CFaultWindowState::SourceIndexOf(int checkBoxId) {
  for (int i = 0; i < kSourceCount; ++i) {
    if (kSources[i].checkBoxId == checkBoxId) return i;
  }
  return -1;
}

bool CFaultWindowState::ShowsLineSources() const { return m_doc && m_doc->IsBigProject(); }

uint32_t CFaultWindowState::Sources() const {
  const CFault* fault = Fault();
  return fault ? static_cast<uint32_t>(fault->GetValue(0)) : 0u;
}

bool CFaultWindowState::IsLatched() const {
  const CFault* fault = Fault();
  return fault && fault->GetValue(1) != 0;
}

int CFaultWindowState::DisplayConsole() const {
  const CFault* fault = Fault();
  return fault ? fault->GetValue(2) : CFault::kDisplayNone;
}

QString CFaultWindowState::DisplayText() const {
  QString text;
  if (const CFault* fault = Fault()) fault->GetColumnText(text, 6);
  return text;
}

QVector<CFaultWindowState::Choice> CFaultWindowState::ConsoleChoices() const {
  QVector<Choice> choices;
  choices.append({LoadString(kOffText), CFault::kDisplayNone});
  choices.append({LoadString(kAllConsolesText), CFault::kDisplayAll});
  if (!m_doc) return choices;
  std::vector<CBaseDevice*> consoles;
  m_doc->GetIDManager().GetBaseDeviceList(consoles, DT_CONSOLE);
  for (const CBaseDevice* console : consoles) {
    if (console) choices.append({console->GetName(), console->GetID()});
  }
  return choices;
}

bool CFaultWindowState::SetSources(uint32_t bits) {
  CFault* fault = Fault();
  if (!fault) return false;
  fault->SetValue(0, static_cast<int>(bits));
  return true;
}

bool CFaultWindowState::SetLatched(bool on) {
  CFault* fault = Fault();
  if (!fault) return false;
  fault->SetValue(1, on ? 1 : 0);
  return true;
}

bool CFaultWindowState::SetDisplayConsole(int data) {
  CFault* fault = Fault();
  if (!fault) return false;
  fault->SetValue(2, data);
  return true;
}

QString CFaultWindowState::ManualCommand(bool on) {
  return on ? QStringLiteral("/FAULT/MANUAL ON") : QStringLiteral("/FAULT/MANUAL OFF");
}

QString CFaultWindowState::RelayAcknowledgeCommand() { return QStringLiteral("/FAULT/STATE QUIT"); }

void CFaultWindowState::SendManual(IDeviceLink& link, bool on) const {
  link.SendCommand(ManualCommand(on), m_doc.data());
}

void CFaultWindowState::SendRelayAcknowledge(IDeviceLink& link) const {
  link.SendCommand(RelayAcknowledgeCommand(), m_doc.data());
}

QString CFaultWindowState::AnswerValue(const QString& answer) {
  int end = answer.size();
  while (end > 0 && answer.at(end - 1).isSpace()) --end;
  const QString text = answer.left(end);
  const int blank = text.lastIndexOf(QLatin1Char(' '));
  return blank < 0 ? text : text.mid(blank + 1);
}

bool CFaultWindowState::Poll(IDeviceLink& link) {
  if (link.CurrentLineUse() != LineUse::Free) return false;
  const QString active = link.SendAndRead(QStringLiteral("/FAULT/ACTIVE ?"), kActiveWaitMs);
  const QString state = link.SendAndRead(QStringLiteral("/FAULT/STATE ?"), kStateWaitMs);
  const QString manual = link.SendAndRead(QStringLiteral("/FAULT/MANUAL ?"), kManualWaitMs);
  ApplyAnswers(active, state, manual);
  return true;
}

bool CFaultWindowState::IsRefusal(const QString& answer) {
  for (const QString& line : answer.split(QLatin1Char('\n'))) {
    if (line.trimmed().startsWith(QLatin1String("ERROR"))) return true;
  }
  return false;
}

int CFaultWindowState::RelayIcon() const {
  if (m_relayRefused) return CStatusLamp::kNone;
  return m_relayActive ? kIconRelayActive : kIconRelayIdle;
}

void CFaultWindowState::ApplyAnswers(const QString& active, const QString& state, const QString& manual) {
  // A refusal's last word is the path it names, never a value.
  if (CFault* fault = Fault(); fault && !IsRefusal(active)) fault->SetColumnText(4, AnswerValue(active));
  m_relayRefused = IsRefusal(state);
  m_relayActive = !m_relayRefused && AnswerValue(state) == QLatin1String("TRUE");
  if (!IsRefusal(manual)) m_manualOn = AnswerValue(manual) == QLatin1String("ON");
}

uint32_t CFaultWindowState::ActiveSources() const {
  const CFault* fault = Fault();
  return fault ? static_cast<uint32_t>(fault->GetValue(4)) : 0u;
}

bool CFaultWindowState::IsSourceActive(int index) const {
  return index >= 0 && index < kSourceCount && (ActiveSources() & kSources[index].bit) != 0;
}

CTransfer::Result CFaultWindowState::Transfer(IDeviceLink* link, bool bUpload,
                                              CTransfer::ProgressHandler progress) const {
  CFault* fault = Fault();
  if (!fault) return CTransfer::Result::Failed;
  CTransfer transfer(link);
  if (progress) transfer.SetProgressHandler(std::move(progress));
  return bUpload ? transfer.UploadObject(*fault) : transfer.DownloadObject(*fault);
}
