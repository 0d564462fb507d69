#ifndef SELV_LINK_CDRYRUN_H
#define SELV_LINK_CDRYRUN_H

#include "link/idevicelink.h"
#include "link/linkmode.h"

#include <QString>
#include <QStringList>

class CBaseDevice;
class CSelvantisDoc;
class IMessageSink;

// Steps objects' Download against a link that takes every line at once and
// sends nothing anywhere: the lines of a command file, and how many lines
// or queries a transfer will write, known before it starts. Installed as
// the device link (and the message sink, which answers every box with its
// default button unseen) from construction to destruction; the link and
// sink before it come back afterwards.
//
// A step that returns itself goes on while it sends (an object may send a
// list of lines from one step); one that returns itself without sending
// waits for something that never comes here (a full buffer, an answer) and
// ends that object's run. Lines shorten as the real link shortens them.
class CDryRun final : public IDeviceLink {
 public:
  // served: only lines for this document (or for none) count; null: all.
  // mode: the link mode the objects see (LINKMODE_UPLOAD for queries).
  CDryRun(const CSelvantisDoc* served, int mode);
  CDryRun(const CDryRun&) = delete;
  CDryRun& operator=(const CDryRun&) = delete;
  ~CDryRun() override;

  // Steps [first, end) of object, end -1 for its count (Download(bUpload,
  // countStep)); returns the lines it sent.
  int Run(CBaseDevice& object, bool bUpload, int first = 0, int end = -1, int countStep = -1);
  // Every line sent so far, shortened lines as " value".
  const QStringList& Lines() const { return m_lines; }

  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) override;
  void SendCommand(const QString& command, const CSelvantisDoc* doc) override;
  int OutBufferCount() const override { return 0; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  // Never long ago: a wait of an object for its answer does not run out
  // here and give up with a message; the run ends it instead.
  int64_t GetTimeSinceLastOutput() const override { return 0; }
  int64_t GetTimeSinceLastInput() const override { return 0; }
  QString SendQuery(const QString&) override { return QString(); }
  QString SendAndRead(const QString&, int) override { return QString(); }
  bool IsConnected() const override { return true; }
  void PumpMessages() override {}
  QString ErrorFilePath() const override { return QString(); }

 private:
  const CSelvantisDoc* m_served;
  int m_mode;
  QString m_lastPath;
  QStringList m_lines;
  IDeviceLink* m_previousLink;
  IMessageSink* m_previousSink;
};

#endif
