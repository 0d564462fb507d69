#include "online/crecorderwindowstate.h"

#include "macros/rangelist.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "unit/cinternalmessagerec.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace {

using MR = CInternalMessageRec;

constexpr int kSourceCount = 4;
constexpr int kDestinationCount = 5;
// The banks' bit set: room for 8 banks, the unit has 4.
constexpr unsigned kBankBits = 8;

QString Path(const QString& key) { return QString::fromLatin1(CRecorderWindowState::kPathRoot) + key; }

}  // namespace

CRecorderWindowState::CRecorderWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

CInternalMessageRec* CRecorderWindowState::Recorder() const { return MR::Find(m_doc.data()); }

QStringList CRecorderWindowState::SourceTexts() {
  QStringList texts;
  for (int n = 1; n <= kSourceCount; ++n) texts.append(Fmt("IN%d", n));
  return texts;
}

QStringList CRecorderWindowState::DestinationTexts() {
  QStringList texts{QCoreApplication::translate("CRecorderWindowState", "No output")};
  for (int n = 1; n < kDestinationCount; ++n) texts.append(Fmt("OUT%d", n));
  return texts;
}

QStringList CRecorderWindowState::QualityTexts() { return {MR::QualityLinear(), MR::QualityMuLaw()}; }

QStringList CRecorderWindowState::MessageNames() const {
  QStringList names;
  if (const MR* rec = Recorder()) rec->ListChoices(MR::P_NAME, &names);
  return names;
}

int CRecorderWindowState::SourceIndex() const {
  const MR* rec = Recorder();
  const int index = rec ? rec->GetParam(MR::P_INPUT) - 1 : -1;
  return index >= 0 && index < kSourceCount ? index : -1;
}

int CRecorderWindowState::MessageIndex() const {
  const MR* rec = Recorder();
  const int index = rec ? rec->GetParam(MR::P_FILE) - 1 : -1;
  return index >= 0 && index < MR::kMessageCount ? index : -1;
}

int CRecorderWindowState::DestinationIndex() const {
  const MR* rec = Recorder();
  const int index = rec ? rec->GetParam(MR::P_OUTPUT) : -1;
  return index >= 0 && index < kDestinationCount ? index : -1;
}

QString CRecorderWindowState::Quality() const {
  const MR* rec = Recorder();
  return rec ? rec->GetParamText(MR::P_QUALITY) : QString();
}

QString CRecorderWindowState::MaxTimeText() const {
  const MR* rec = Recorder();
  return Fmt("%3.1f", rec ? static_cast<double>(rec->GetParamFloat(MR::P_MAXTIME)) : 0.0);
}

QStringList CRecorderWindowState::ChooseSource(int index, bool online) {
  MR* rec = Recorder();
  if (!rec || index < 0 || index >= kSourceCount) return {};
  rec->SetParam(MR::P_INPUT, index + 1);
  if (!online) return {};
  return {Path(Fmt("INPUT %d", index + 1))};
}

QStringList CRecorderWindowState::ChooseMessage(int index, bool online) {
  MR* rec = Recorder();
  if (!rec || index < 0 || index >= MR::kMessageCount) return {};
  rec->SetParam(MR::P_FILE, index + 1);
  if (!online) return {};
  return {Path(Fmt("FILE %d", index + 1)), Path(QStringLiteral("INFO ?"))};
}

bool CRecorderWindowState::RenameMessage(const QString& name) {
  MR* rec = Recorder();
  // No message chosen (the unit reported none): there is nothing to rename.
  const int position = MessageIndex();
  if (!rec || position < 0) return false;
  return rec->SetParamText(MR::NameCode(MR::P_SET_NAME, position), name);
}

QStringList CRecorderWindowState::ChooseDestination(int index, bool online) {
  MR* rec = Recorder();
  if (!rec || index < 0 || index >= kDestinationCount) return {};
  rec->SetParam(MR::P_OUTPUT, index);
  if (!online) return {};
  return {index == 0 ? Path(QStringLiteral("OUTPUT NONE")) : Path(Fmt("OUTPUT %d", index))};
}

QStringList CRecorderWindowState::ChooseQuality(const QString& text, bool online) {
  MR* rec = Recorder();
  if (!rec || !rec->SetParamText(MR::P_QUALITY, text)) return {};
  if (!online) return {};
  return {Path(QStringLiteral("QUALITY ")) + Quality()};
}

QStringList CRecorderWindowState::MaxTimeFromText(const QString& text, bool online) {
  MR* rec = Recorder();
  if (!rec) return {};
  float value = 0.0f;
  if (ScanFloat(text, &value)) rec->SetParamFloat(MR::P_MAXTIME, value);
  if (!online) return {};
  return {Path(Fmt("MAXTIME %.1f", static_cast<double>(rec->GetParamFloat(MR::P_MAXTIME))))};
}

QStringList CRecorderWindowState::FunctionCommands(const QString& function) {
  return {Path(QStringLiteral("FUNCTION ")) + function};
}

QStringList CRecorderWindowState::InfoCommands() { return {Path(QStringLiteral("INFO ?"))}; }

QStringList CRecorderWindowState::FormatCommands(const std::array<bool, kBankCount>& chosen) {
  BitSet bits = MakeBitSet(kBankBits);
  bool any = false;
  for (int bank = 0; bank < kBankCount; ++bank) {
    if (!chosen[bank]) continue;
    SetBit(bits, static_cast<unsigned>(bank), true);
    any = true;
  }
  if (!any) return {};
  return {Path(QStringLiteral("FORMAT ")) + FormatRangeList(bits, kBankBits)};
}

QStringList CRecorderWindowState::QueryCommands() {
  QStringList lines;
  for (const char* key : {"INPUT ?", "OUTPUT ?", "FILE ?", "QUALITY ?", "MAXTIME ?", "INFO ?", "FORMAT ?"})
    lines.append(Path(QString::fromLatin1(key)));
  return lines;
}

QStringList CRecorderWindowState::PollCommands() {
  return {Path(QStringLiteral("TIME ?")), Path(QStringLiteral("FUNCTION ?")), Path(QStringLiteral("FREE ?"))};
}

QString CRecorderWindowState::PaneText(int pane) const {
  return pane >= 0 && pane < kPaneCount ? m_panes[pane] : QString();
}

bool CRecorderWindowState::IsBankOffered(int bank) const { return bank >= 0 && bank < kBankCount && m_banks[bank]; }

CRecorderWindowState::Changes CRecorderWindowState::ApplyReply(const QStringList& lines) {
  Changes changes;
  MR* rec = Recorder();
  // What the unit reports of its recorder (source, message, destination,
  // quality, record time) is the recorder's state of the moment, which the
  // project neither sends nor reads back: taking it, as on every opening,
  // is no edit of the project. The message names, which the macros use,
  // change only by the user's hand.
  const bool wasModified = m_doc && m_doc->IsModified();
  const auto keepModified = qScopeGuard([this, wasModified] {
    if (m_doc && !wasModified) m_doc->SetModifiedFlag(false);
  });
  for (const COnlineReplyParser::Item& item : COnlineReplyParser::Parse(lines, QString::fromLatin1(kPathRoot))) {
    const QString& key = item.key;
    const QString& value = item.value;
    if (key == QLatin1String("INFO") || key == QLatin1String("FUNCTION") || key == QLatin1String("FREE") ||
        key == QLatin1String("TIME")) {
      const int pane = key == QLatin1String("INFO")       ? 0
                       : key == QLatin1String("FUNCTION") ? 1
                       : key == QLatin1String("TIME")     ? 2
                                                          : 3;
      m_panes[pane] = pane == 2 ? value + QStringLiteral(" s") : value;
      changes.panes = true;
      continue;
    }
    if (key == QLatin1String("FORMAT")) {
      // The range list is parsed whatever its length; a list that does not
      // read offers no bank.
      BitSet bits = MakeBitSet(kBankBits);
      if (!ParseRangeList(value.trimmed(), bits, kBankBits)) bits = MakeBitSet(kBankBits);
      for (int bank = 0; bank < kBankCount; ++bank) m_banks[bank] = TestBit(bits, static_cast<unsigned>(bank));
      changes.banks = true;
      continue;
    }
    if (!rec) continue;
    if (key == QLatin1String("QUALITY")) {
      rec->SetParamText(MR::P_QUALITY, value);
      changes.settings = true;
      continue;
    }
    if (key == QLatin1String("MAXTIME")) {
      float time = 0.0f;
      if (!ScanFloat(value, &time)) continue;
      rec->SetParamFloat(MR::P_MAXTIME, time);
      changes.settings = true;
      continue;
    }
    int code = -1;
    QString text = value.trimmed();
    if (key == QLatin1String("INPUT")) {
      code = MR::P_INPUT;
    } else if (key == QLatin1String("OUTPUT")) {
      code = MR::P_OUTPUT;
      if (text == QLatin1String("NONE")) text = QStringLiteral("0");
    } else if (key == QLatin1String("FILE")) {
      code = MR::P_FILE;
      if (text == QLatin1String("OFF")) text = QStringLiteral("0");
    } else {
      continue;
    }
    int number = 0;
    if (!ScanInt(text, &number)) continue;
    rec->SetParam(code, number);
    changes.settings = true;
  }
  return changes;
}
