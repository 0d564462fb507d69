#ifndef SELV_TESTS_SUPPORT_SIMUNITLINK_H
#define SELV_TESTS_SUPPORT_SIMUNITLINK_H

#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "support/waituntil.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CSelvantisDoc;
class UnitSimulator;

// A synchronous link to the simulated unit for transfer tests that step
// objects by hand: every command line goes to the simulator's
// pseudo-terminal at once, and the call returns when the unit has echoed it
// and, for a query, answered; answers are routed through the document as the
// real link does in its current mode. The caller says which command families
// the unit knows (RegisterLogicHandlers, RegisterMacroHandlers, ...). Installs
// itself as the device link while it lives. A unit that does not answer
// within kReplyTimeoutMs fails the exchange (Errors() says which).
//
//   SimUnitLink link(doc.get(), RegisterLogicHandlers);
//   ASSERT_TRUE(link.IsOpen()) << link.Errors().join('\n').toStdString();
//   link.SetLinkMode(LINKMODE_DOWNLOAD);
//   ... object.Download(false, step) ...
//   EXPECT_EQ(link.Sim().Value("/TRIGGER/TRG1/COND"), "4");
class SimUnitLink final : public IDeviceLink {
 public:
  static constexpr int kReplyTimeoutMs = kHangLimitMs;
  using Families = std::function<void(UnitSimulator& sim)>;

  SimUnitLink(CSelvantisDoc* doc, const Families& registerFamilies);
  ~SimUnitLink() override;
  SimUnitLink(const SimUnitLink&) = delete;
  SimUnitLink& operator=(const SimUnitLink&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  UnitSimulator& Sim() { return *m_sim; }
  const QStringList& Errors() const { return m_errors; }
  // The document answers are routed to.
  void SetDocument(CSelvantisDoc* doc) { m_doc = doc; }

  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) override;
  int OutBufferCount() const override { return 0; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  int64_t GetTimeSinceLastOutput() const override { return 10000; }
  QString SendQuery(const QString& command) override;
  QString SendAndRead(const QString& command, int delayMs) override;
  bool IsConnected() const override { return IsOpen(); }
  void PumpMessages() override {}
  QString ErrorFilePath() const override { return QString(); }
  void SendCommand(const QString& command, const CSelvantisDoc* doc) override {
    SendDeviceCommand(command, doc, false);
  }
  bool SendCommandList(const QStringList&, bool, int, QObject*, int) override { return false; }
  bool SendListAndWait(const QStringList&, QStringList*) override { return false; }
  QString GetErrorFilePath() override { return QString(); }
  void ShowErrorFile() override {}
  void OnSaveVmxSettings() override {}

 private:
  // The next line from the unit; false after the time-out.
  bool ReadLine(QString* line);
  QStringList Exchange(const QString& command);

  CSelvantisDoc* m_doc;
  std::unique_ptr<UnitSimulator> m_sim;
  int m_fd = -1;
  int m_mode = LINKMODE_NORMAL;
  QByteArray m_pending;
  QStringList m_errors;
  DeviceLinkScope m_scope;
};

#endif
