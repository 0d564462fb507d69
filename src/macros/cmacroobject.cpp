#include "macros/cmacroobject.h"

#include "link/linkmode.h"
#include "macros/cmacro.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CMacroObject, 1)

namespace {

constexpr int kProviderOrder = 570;

const bool kProviderRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) {
    if (CMacroObject::Find(&doc)) return;
    auto block = std::make_unique<CMacroObject>();
    if (block->CreateWithID(0, QStringLiteral("Macros"), 1, CAT_LOGIC, &doc)) doc.AddObject(std::move(block));
  });
  return true;
}();

}  // namespace

CMacroObject::CMacroObject() { m_nType = DT_MACROOBJECT; }

QString CMacroObject::BuildCommandPath() const { return QStringLiteral("/MACRO"); }

CMacroObject* CMacroObject::Find(const CSelvantisDoc* doc) {
  return doc ? dynamic_cast<CMacroObject*>(doc->GetIDManager().FindBaseDevice(1, DT_MACROOBJECT)) : nullptr;
}

void CMacroObject::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

int CMacroObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    m_pendingStep = -1;
    m_pendingLines.clear();
    return kStepCount;
  }
  if (nStep >= kStepCount) return -1;
  const int next = nStep + 1 < kStepCount ? nStep + 1 : -1;
  if (nStep == kClearStep) {
    if (bQuery || CProfile::GetInt(QStringLiteral("VMX7000"), QLatin1String(kClearCapability), 0) == 0) return next;
    if (IsLinkBusy()) return nStep;
    SendCommandLine(QLatin1String(kClearLine));
    return next;
  }
  if (nStep > kLastMacroStep) return next;
  if (m_pendingStep != nStep) {
    // A new step (or the caller went elsewhere): start this macro afresh.
    m_pendingStep = nStep;
    const CMacro* macro = CMacro::Find(m_pDoc, nStep);
    m_pendingLines = macro ? macro->GetDownloadLines(bQuery) : QStringList();
  }
  if (m_pendingLines.isEmpty()) {
    m_pendingStep = -1;
    return next;
  }
  if (IsLinkBusy()) return nStep;
  SendCommandLine(m_pendingLines.takeFirst());
  if (!m_pendingLines.isEmpty()) return nStep;
  m_pendingStep = -1;
  return next;
}

bool CMacroObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (mode != LINKMODE_UPLOAD || !SplitUploadLine(line, &key, &value)) return false;
  // "/ENTRY12/..." of a macro the project does not hold.
  if (!key.startsWith(QLatin1String("/ENTRY"))) return false;
  int id = 0;
  if (!ScanInt(key.mid(6), &id) || id < CMacro::kFirstID || id > CMacro::kMaxID) return false;
  if (key.endsWith(QLatin1String("/TYPE")) && value.trimmed().compare(QLatin1String("NONE"), Qt::CaseInsensitive) != 0)
    AppendMissingLine(errorFilePath, CMacro::kSelectMacro, id, value.trimmed());
  return true;
}
