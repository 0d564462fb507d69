#ifndef SELV_TESTS_SUPPORT_RECORDINGLINK_H
#define SELV_TESTS_SUPPORT_RECORDINGLINK_H

#include "link/idevicelink.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CSelvantisDoc;
class QObject;

// A device link without a unit: records every line the code under test sends
// and installs itself as the global link while it lives (the previous link
// comes back afterwards). It behaves as the real link does where tests care:
// CR LF is not recorded, bShorten sends " value" when the path repeats, lines
// for another document than the served one are dropped (when one is set),
// entering LINKMODE_DOWNLOAD records "/MACRO/LOCK ON" and leaving it
// "/MACRO/LOCK OFF", command lists over 512 characters are refused.
//
//   RecordingLink link;                      // connected, output buffer empty
//   zone.Download(false, 0);
//   EXPECT_EQ(link.Lines(), QStringList{"/VMX/ZONE1/NAME Hall"});
//
//   link.SetOutBufferCount(512);             // full: Download repeats its step
//   EXPECT_EQ(zone.Download(false, 0), 0);
//
//   link.SetResponder([](const QString& line) {   // answers for uploads
//     return QStringList{"/VMX/ZONE1/NAME Foyer"};
//   });                                      // routed to the document
//
//   window.Poll();                           // sends a command list
//   link.DeliverReply({"/FUSE/SLOT1/A/BLOWN YES"});  // its OnCommReply runs
class RecordingLink final : public IDeviceLink {
 public:
  RecordingLink();
  RecordingLink(const RecordingLink&) = delete;
  RecordingLink& operator=(const RecordingLink&) = delete;
  ~RecordingLink() override;

  // ---- What was sent ------------------------------------------------------------
  // Every line in the order sent, as the unit would get it (shortened lines
  // start with a blank). SendAndRead, SendQuery and SendListAndWait record
  // their commands too.
  const QStringList& Lines() const { return m_lines; }
  QStringList TakeLines();
  // Forgets the lines and the calls.
  void Clear() {
    m_lines.clear();
    m_calls.clear();
  }
  // Every SendDeviceCommand and SendCommand as the code under test made it:
  // the whole command, the document and the shorten flag (SendCommand: not
  // shortened), before any shortening or dropping.
  struct Call {
    QString command;
    const CSelvantisDoc* doc = nullptr;
    bool shorten = false;
  };
  const std::vector<Call>& Calls() const { return m_calls; }
  // The commands of Calls().
  QStringList Commands() const;
  // Every mode set, in order (also repeated ones).
  const QList<int>& Modes() const { return m_modes; }
  int ErrorFileRequests() const { return m_errorFileRequests; }
  int ErrorFileShows() const { return m_errorFileShows; }

  // ---- Knobs -------------------------------------------------------------------------
  void SetOutBufferCount(int count) { m_outBuffer = count; }
  void SetConnected(bool connected) { m_connected = connected; }
  // Milliseconds since the last output that the link reports (large by
  // default, so transfers do not wait).
  void SetTimeSinceLastOutput(int64_t ms) { m_sinceOutput = ms; }
  // Lines for another document are dropped; null (the default) takes all.
  void SetServedDocument(const CSelvantisDoc* doc) { m_served = doc; }
  // Answers of SendQuery and SendAndRead by command (without the echo);
  // other commands get "".
  void SetAnswer(const QString& command, const QString& answer);
  // The replies SendListAndWait returns, and its result.
  void SetListReplies(const QStringList& replies, bool ok = true);
  // Called for every line sent; the lines it returns are handed to the
  // document's reply routing as the real link does in LINKMODE_NORMAL and
  // LINKMODE_UPLOAD (values "?" dropped in LINKMODE_UPLOAD).
  using Responder = std::function<QStringList(const QString& line)>;
  void SetResponder(Responder responder, CSelvantisDoc* doc);
  void SetErrorFilePath(const QString& path) { m_errorFile = path; }

  // ---- Command lists -----------------------------------------------------------------
  QObject* ReplyTarget() const { return m_target.data(); }
  int ReplyTag() const { return m_tag; }
  // Calls the reply target's OnCommReply with the tag and lines; false
  // without a target (or one without that slot).
  bool DeliverReply(const QStringList& lines);

  // ---- IDeviceLink -------------------------------------------------------------------
  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) override;
  int OutBufferCount() const override { return m_outBuffer; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override;
  int64_t GetTimeSinceLastOutput() const override { return m_sinceOutput; }
  QString SendQuery(const QString& command) override;
  QString SendAndRead(const QString& command, int delayMs) override;
  bool IsConnected() const override { return m_connected; }
  void PumpMessages() override;
  QString ErrorFilePath() const override { return m_errorFile; }
  void SendCommand(const QString& command, const CSelvantisDoc* doc) override;
  bool SendCommandList(const QStringList& commands, bool bCountAll, int reserved, QObject* replyTarget,
                       int tag) override;
  bool SendListAndWait(const QStringList& commands, QStringList* replies) override;
  QString GetErrorFilePath() override;
  void ShowErrorFile() override;
  void OnSaveVmxSettings() override;

 private:
  void Record(const QString& line);

  IDeviceLink* m_previous;
  QStringList m_lines;
  std::vector<Call> m_calls;
  QList<int> m_modes;
  QString m_lastPath;
  int m_outBuffer = 0;
  bool m_connected = true;
  int64_t m_sinceOutput = 1000000;
  int m_mode = LINKMODE_NORMAL;
  const CSelvantisDoc* m_served = nullptr;
  QStringList m_queryCommands;
  QStringList m_queryAnswers;
  QStringList m_listReplies;
  bool m_listOk = true;
  Responder m_responder;
  QPointer<CSelvantisDoc> m_responderDoc;
  QPointer<QObject> m_target;
  int m_tag = 0;
  QString m_errorFile;
  int m_errorFileRequests = 0;
  int m_errorFileShows = 0;
};

#endif
