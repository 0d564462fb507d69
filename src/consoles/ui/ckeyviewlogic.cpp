#include "consoles/ui/ckeyviewlogic.h"

#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "link/ctransfer.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

constexpr uint32_t kStrAreYouSure = 34183;
constexpr uint32_t kStrNoConsoles = 34185;
constexpr uint32_t kStrCopyReady = 34186;
constexpr uint32_t kStrTheConsole = 34187;
constexpr uint32_t kStrHasVersion = 34188;
constexpr int kConsoleType = 7;
// Keys from this number on show a picture instead of a label.
constexpr int kFirstPictureKey = 109;
const char* const kLockOn = "/MACRO/LOCK ON";
const char* const kLockOff = "/MACRO/LOCK OFF";

bool Contains(const KeyBox& box, int x, int y) {
  return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

}  // namespace

KeyBox CKeyViewLogic::DrawingRect(const KeyBox& client, const KeyBox& key108) {
  KeyBox r{client.left + 10, client.top + 5, client.right - 10, client.bottom - 5};
  r.right = key108.right + static_cast<int>(0.66 * (key108.right - key108.left));
  return r;
}

int CKeyViewLogic::ScrollWidth(int clientWidth, const KeyBox& key108) {
  const int total = 2 * key108.right - key108.left;
  return clientWidth < total ? total : 0;
}

int CKeyViewLogic::MainLeftWithExtension(const KeyBox& key1) { return key1.left - 2 * key1.Width() / 3; }

KeyBox CKeyViewLogic::ExtensionRect(const KeyBox& drawing, const KeyBox& key1) {
  return KeyBox{drawing.left, drawing.top, key1.left - 5 * key1.Width() / 3, drawing.bottom};
}

KeyBox CKeyViewLogic::NameRect(const KeyBox& key103, const KeyBox& key105) {
  const int h = key103.Height();
  const int up = static_cast<int>(1.33 * h);
  return KeyBox{key103.left, key103.top - up, key105.right, key103.bottom - up};
}

bool CKeyViewLogic::HasNameDisplay(const CConsProp& prop) { return prop.GetModelFlag(); }

KeyBox CKeyViewLogic::ExtensionField(const KeyBox& extension, const KeyBox& key1, int bx, int by) {
  const int w = key1.Width();
  KeyBox field{extension.left + bx * 5 / 2, extension.top + by, extension.right - bx * 5 / 2, extension.bottom - by};
  field.right = static_cast<int>((key1.left - w / 4.0) - 1.875 * w);
  return field;
}

CKeyViewLogic::KeyFace CKeyViewLogic::FaceOf(const CConsKey& key) {
  const int number = key.GetNumber();
  const CConsole* console = key.GetOwner();
  if ((number == 101 || number == 102) && console != nullptr && console->GetProp().GetModel() == CConsProp::RCX6106)
    return KeyFace::Hidden;
  if (number >= kFirstPictureKey && number <= CConsKey::kLastFixedKey)
    return key.IsInUse() && key.GetPicture() != 0 ? KeyFace::Picture : KeyFace::Blank;
  return KeyFace::Label;
}

bool CKeyViewLogic::HasKeyViewMenu(const CConsKey& key) {
  return key.IsInUse() && (key.GetNumber() == 110 || key.GetNumber() == 111);
}

int CKeyViewLogic::CheckedKeyView(const CConsKey& key) {
  return key.GetPicture() == CConsKey::kPictureKeySwitch ? ID_KEY_KEY_SWITCH : ID_KEY_ALARM_SWITCH;
}

bool CKeyViewLogic::SetKeyView(CConsKey& key, int command) {
  int picture = 0;
  if (command == ID_KEY_ALARM_SWITCH) picture = CConsKey::kPictureAlarmSwitch;
  if (command == ID_KEY_KEY_SWITCH) picture = CConsKey::kPictureKeySwitch;
  if (picture == 0) return false;
  if (key.GetPicture() != picture) {
    key.SetPicture(picture);
    // The picture is part of the key's record in the project file.
    if (CConsole* console = key.GetOwner()) console->SetModified();
  }
  return true;
}

KeyBox CKeyViewLogic::LabelArea(const KeyBox& cell, int baseWidth, int baseHeight) {
  const KeyBox area{cell.left + baseWidth / 4, cell.bottom - baseHeight * 1300 / 1600, cell.right - baseWidth / 4,
                    cell.bottom};
  return area.Moved(0, -(baseHeight * 300 / 1600));
}

QString CKeyViewLogic::DisplayName(const QString& name) {
  if (name.size() <= kMaxNameChars) return name;
  return name.left(kMaxNameChars) + QStringLiteral("...");
}

QString CKeyViewLogic::MasterTitle(const QString& name, bool bExtension) {
  return bExtension ? name + QStringLiteral("  'Master'") : name;
}

QString CKeyViewLogic::SlaveTitle(const QString& name) { return name + QStringLiteral("  'Slave'"); }

CConsKey* CKeyViewLogic::HitTestKey(const CConsProp& prop, int x, int y, const KeyRectFn& rectOf) {
  for (int n = 1; n <= prop.GetProgrammableKeyCount(); ++n) {
    CConsKey* key = prop.FindKey(n);
    if (key == nullptr) break;
    if (Contains(rectOf(*key), x, y)) return key;
  }
  for (int i = 0; i < prop.GetFixedKeyCount(); ++i) {
    CConsKey* key = prop.FindKey(CConsKey::kFirstFixedKey + i);
    if (key == nullptr) break;
    if (Contains(rectOf(*key), x, y)) return key;
  }
  return nullptr;
}

CConsKey* CKeyViewLogic::FindKeyByTarget(const CConsProp& prop, const CBaseDevice* target) {
  if (target == nullptr) return nullptr;
  for (const auto& key : prop.GetProgrammableKeys())
    if (key->GetKeyType() == CConsKey::SEL && key->GetTarget().object == target) return key.get();
  return nullptr;
}

void CKeyViewLogic::ClearAllKeys(CConsole& console) { console.ClearAllKeys(); }

bool CKeyViewLogic::RangeKeyProgramming(CConsole& console, IKeyViewHost& host) {
  int first = 1;
  int stop = console.GetProp().GetKeyCount();
  int startLine = 1;
  if (!host.AskKeyRange(&first, &stop, &startLine)) return false;
  // Edits of other keys still pending on the page reach the links first:
  // the group check reads the keys back from them.
  host.ApplyPage();
  console.ProgramKeyRange(first, stop, startLine);
  host.CheckGroups();
  host.SetModelCommitted();
  return true;
}

bool CKeyViewLogic::ClearAllKeyProgramming(CConsole& console, IKeyViewHost& host) {
  if (AfxMessageBox(kStrAreYouSure, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return false;
  ClearAllKeys(console);
  host.SetModelCommitted();
  return true;
}

bool CKeyViewLogic::CopyKeyProgramming(CConsole& console, IKeyViewHost& host) {
  std::vector<CBaseDevice*> consoles;
  GetActiveDocDeviceList(consoles, kConsoleType);
  if (consoles.size() < 2) {
    AfxMessageBox(kStrNoConsoles, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  CConsole* destination = nullptr;
  const QString text = QStringLiteral("'") + console.GetName() + QStringLiteral("'");
  if (!host.AskCopyDestination(consoles, &console, text, &destination)) return false;
  host.ApplyPage();
  // Copying a console onto itself would clear the source first.
  if (destination == nullptr || destination == &console) return false;
  ClearAllKeys(*destination);
  console.CopyKeyProgrammingTo(destination);
  AfxMessageBox(kStrCopyReady, MB_OK | MB_ICONINFORMATION);
  return true;
}

bool CKeyViewLogic::TransferConsole(CConsole& console, bool bUpload, IDeviceLink& link) {
  // The loop lets events in: a second start from another window, or a
  // project transfer, would mix its lines and link modes with these.
  static bool s_bRunning = false;
  if (s_bRunning || CTransfer::IsRunning()) {
    AfxMessageBox(CTransfer::ResultMessage(CTransfer::Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  // The line is this transfer's until it ends: no window sends between its
  // lines or changes the mode.
  CLineToken line = link.TakeLine(LinePurpose::Transfer);
  if (!line) {
    AfxMessageBox(CTransfer::ResultMessage(CTransfer::Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  const CLineToken::Presented mine = line.Present();
  s_bRunning = true;
  struct Running {
    ~Running() { s_bRunning = false; }
  } running;
  CTransfer::Result result = CTransfer::Result::Done;
  if (!bUpload) link.SendDeviceCommand(QString::fromLatin1(kLockOn), nullptr, false);
  const int count = console.Download(bUpload, -1);
  link.SetLinkMode(bUpload ? LINKMODE_UPLOAD : LINKMODE_DOWNLOAD);
  bool ok = true;
  int step = 0;
  QElapsedTimer sinceProgress;
  sinceProgress.start();
  while (step >= 0 && step < count) {
    if (!link.IsConnected()) {
      ok = false;
      result = CTransfer::Result::LinkLost;
      break;
    }
    const int next = console.Download(bUpload, step);
    link.PumpMessages();
    if (next != step) sinceProgress.restart();
    // A step that cannot go out (the line stays full) must not hang the view.
    if (next == step && sinceProgress.elapsed() > kDrainLimitMs) {
      ok = false;
      result = CTransfer::Result::NoProgress;
      break;
    }
    if (console.IsTransferAborted()) break;
    step = next;
  }
  if (!bUpload) link.SendDeviceCommand(QString::fromLatin1(kLockOff), nullptr, false);
  QElapsedTimer wait;
  wait.start();
  while (link.IsConnected() && link.OutBufferCount() > 0 && wait.elapsed() < kDrainLimitMs) link.PumpMessages();
  if (link.OutBufferCount() > 0) {
    ok = false;
    if (result == CTransfer::Result::Done)
      result = link.IsConnected() ? CTransfer::Result::NoProgress : CTransfer::Result::LinkLost;
  }
  wait.restart();
  while (link.IsConnected() && link.GetTimeSinceLastOutput() < kQuietLineMs && wait.elapsed() < kDrainLimitMs)
    link.PumpMessages();
  link.PumpMessages();
  link.SetLinkMode(LINKMODE_NORMAL);
  // A transfer that stopped says why; the lock is released and the link
  // back in its normal mode either way.
  if (result != CTransfer::Result::Done)
    AfxMessageBox(CTransfer::ResultMessage(result, false), MB_OK | MB_ICONEXCLAMATION);
  return ok;
}

QString CKeyViewLogic::GetSwVersion(CConsole& console, IDeviceLink& link) {
  const QString query = console.GetVersionQuery();
  const QString reply = link.SendAndRead(query, kVersionReadMs);
  const QString version = CConsole::ParseVersionReply(reply, query).trimmed();
  if (version.isEmpty()) {
    AfxMessageBox(
        QCoreApplication::translate("CKeyViewLogic", "Harborlight does not answer to version number request !"),
        MB_OK | MB_ICONEXCLAMATION);
    return QString();
  }
  AfxMessageBox(LoadString(kStrTheConsole) + console.GetName() + LoadString(kStrHasVersion) + version,
                MB_OK | MB_ICONINFORMATION);
  return version;
}
