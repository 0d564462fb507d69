#include "online/cfusewindowstate.h"

#include "link/idevicelink.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "online/conlinereplyparser.h"
#include "unit/caudioinputslot.h"
#include "unit/cfuse.h"

namespace {

constexpr const char* kFuseKeys[CFuseWindowState::kFuseCount] = {"SLOT1/A", "SLOT1/B", "SLOT2/A", "SLOT2/B", "AMP485"};
constexpr int kRatingsMa[CFuseWindowState::kRatingCount] = {0, 330, 660, 990};

bool IsFuse(int fuse) { return fuse >= 0 && fuse < CFuseWindowState::kFuseCount; }

// The fuse a key "<fuse key>/<item>" names, and the item; -1 for another key.
int SplitKey(const QString& key, QString* item) {
  for (int fuse = 0; fuse < CFuseWindowState::kFuseCount; ++fuse) {
    const QString prefix = QString::fromLatin1(kFuseKeys[fuse]) + QLatin1Char('/');
    if (key.startsWith(prefix)) {
      *item = key.mid(prefix.size());
      return fuse;
    }
  }
  return -1;
}

}  // namespace

CFuseWindowState::CFuseWindowState(CSelvantisDoc* doc) : m_doc(doc) { m_enabled.fill(true); }

CFuse* CFuseWindowState::Fuse() const {
  if (!m_doc) return nullptr;
  return dynamic_cast<CFuse*>(m_doc->GetIDManager().GetBaseDevice(1, DT_FUSE));
}

void CFuseWindowState::Load() {
  m_blown.fill(false);
  m_cooling.fill(false);
  m_enabled.fill(true);
  if (!m_doc) return;
  // A slot input's fuse protects a console input; without one the fuse is
  // of no use. A slot the project lacks leaves its fuses as they are.
  for (int slot = 1; slot <= 2; ++slot) {
    const auto* inputs =
        dynamic_cast<const CAudioInputSlot*>(m_doc->GetIDManager().GetBaseDevice(slot, DT_AUDIOINPUTSLOT));
    if (!inputs) continue;
    for (int input = 0; input < CAudioInputSlot::kInputs; ++input)
      m_enabled[(slot - 1) * 2 + input] = inputs->GetModuleKind(input) == CAudioInputSlot::MODULE_CONSOLE;
  }
}

int CFuseWindowState::Selection(int fuse) const {
  const CFuse* object = Fuse();
  if (!object || !IsFuse(fuse)) return -1;
  const int rating = object->GetRating(fuse);
  return rating >= 0 && rating < kRatingCount ? rating : -1;
}

bool CFuseWindowState::IsEnabled(int fuse) const { return IsFuse(fuse) && m_enabled[fuse]; }
bool CFuseWindowState::IsBlown(int fuse) const { return IsFuse(fuse) && m_blown[fuse]; }
bool CFuseWindowState::IsCooling(int fuse) const { return IsFuse(fuse) && m_cooling[fuse]; }

QStringList CFuseWindowState::RatingTexts() {
  QStringList texts;
  for (int ma : kRatingsMa) texts.append(Fmt("%d", ma));
  return texts;
}

QString CFuseWindowState::FuseKey(int fuse) { return IsFuse(fuse) ? QString::fromLatin1(kFuseKeys[fuse]) : QString(); }

bool CFuseWindowState::Choose(int fuse, int index) {
  CFuse* object = Fuse();
  if (!object || !IsFuse(fuse) || index < 0 || index >= kRatingCount) return false;
  // SetRating marks the project changed when the value differs: a choice
  // that is only in the window would be lost when the project is closed.
  object->SetRating(fuse, index);
  return true;
}

QStringList CFuseWindowState::PollQueries() {
  QStringList lines;
  for (const char* key : kFuseKeys) {
    const QString path = QString::fromLatin1(kPathRoot) + QString::fromLatin1(key);
    lines.append(path + QStringLiteral("/BLOWN ?"));
    lines.append(path + QStringLiteral("/COOLING ?"));
  }
  return lines;
}

QStringList CFuseWindowState::TransferCommands(bool bUpload) const {
  const CFuse* object = Fuse();
  QStringList lines;
  for (int fuse = 0; fuse < kFuseCount; ++fuse) {
    const QString path =
        QString::fromLatin1(kPathRoot) + QString::fromLatin1(kFuseKeys[fuse]) + QStringLiteral("/VALUE ");
    if (bUpload)
      lines.append(path + QLatin1Char('?'));
    else
      lines.append(path + Fmt("%d", object ? object->GetRating(fuse) : CFuse::kDefaultRating));
  }
  return lines;
}

bool CFuseWindowState::Poll(IDeviceLink& link, QObject* replyTarget) const {
  if (link.OutBufferCount() != 0) return false;
  return link.SendCommandList(PollQueries(), true, 0, replyTarget, 0);
}

bool CFuseWindowState::Transfer(IDeviceLink& link, QObject* replyTarget, bool bUpload) const {
  // A download needs the project's values: without a fuse object there is
  // nothing to send.
  if (!bUpload && !Fuse()) return false;
  return link.SendCommandList(TransferCommands(bUpload), true, 0, replyTarget, 0);
}

bool CFuseWindowState::ApplyReply(const QStringList& lines) {
  bool changed = false;
  for (const COnlineReplyParser::Item& item : COnlineReplyParser::Parse(lines, QString::fromLatin1(kPathRoot)))
    changed |= ApplyOne(item.key, item.value);
  return changed;
}

bool CFuseWindowState::ApplyOne(const QString& key, const QString& value) {
  QString item;
  const int fuse = SplitKey(key, &item);
  if (fuse < 0) return false;
  if (item == QLatin1String("VALUE")) {
    int rating = 0;
    CFuse* object = Fuse();
    if (!object || !ScanInt(value, &rating)) return false;
    // Stored as the unit reports it; a value outside the list shows no
    // entry.
    const bool differs = object->GetRating(fuse) != rating;
    object->SetRating(fuse, rating);
    return differs;
  }
  const bool on = value == QLatin1String("YES");
  bool* state = nullptr;
  if (item == QLatin1String("BLOWN"))
    state = &m_blown[fuse];
  else if (item == QLatin1String("COOLING"))
    state = &m_cooling[fuse];
  else
    return false;
  const bool differs = *state != on;
  *state = on;
  return differs;
}
