#include "link/cdryrun.h"

#include "link/commandtext.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"

namespace {

// Answers every message box of a dry run with its default button.
class SilentSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

SilentSink g_silent;

// Calls of a step that returns itself without sending before the run gives
// the object up.
constexpr int kIdleCalls = 3;

}  // namespace

CDryRun::CDryRun(const CSelvantisDoc* served, int mode)
    : m_served(served),
      m_mode(mode),
      m_previousLink(SetDeviceLink(this)),
      m_previousSink(CMessageSink::Install(&g_silent)) {}

CDryRun::~CDryRun() {
  CMessageSink::Install(m_previousSink);
  SetDeviceLink(m_previousLink);
}

void CDryRun::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  if (doc && m_served && doc != m_served) return;
  const QString line = CommandText::Shortened(command, m_lastPath, bShorten);
  m_lines.append(line);
  m_lastPath = CommandText::NextPath(line, m_lastPath);
}

void CDryRun::SendCommand(const QString& command, const CSelvantisDoc* doc) { SendDeviceCommand(command, doc, false); }

int CDryRun::Run(CBaseDevice& object, bool bUpload, int first, int end, int countStep) {
  const int before = static_cast<int>(m_lines.size());
  const int count = object.Download(bUpload, countStep);
  const int last = end < 0 ? count : qMin(end, count);
  int step = qMax(0, first);
  int idle = 0;
  while (step < last) {
    const int sent = static_cast<int>(m_lines.size());
    const int next = object.Download(bUpload, step);
    if (next < 0 || next < step) break;
    if (next > step) {
      step = next;
      idle = 0;
    } else if (m_lines.size() == sent && ++idle >= kIdleCalls) {
      break;
    }
  }
  return static_cast<int>(m_lines.size()) - before;
}
