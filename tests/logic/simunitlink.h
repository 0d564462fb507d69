#ifndef SELV_TESTS_LOGIC_SIMUNITLINK_H
#define SELV_TESTS_LOGIC_SIMUNITLINK_H

#include "link/idevicelink.h"

#include <QString>
#include <QStringList>

#include <memory>

class CSelvantisDoc;
class UnitSimulator;

// A link to the simulated unit (with the logic handlers) for transfer
// tests: every command line goes to the simulator's pseudo-terminal at
// once, and the call returns when the unit has echoed it and, for a query,
// answered; answers are routed through the document as the real link does
// in its current mode. Installs itself while it lives. A unit that does not
// answer within kReplyTimeoutMs fails the exchange (Errors() says which).
class SimUnitLink final : public IDeviceLink {
 public:
  static constexpr int kReplyTimeoutMs = 3000;

  explicit SimUnitLink(CSelvantisDoc* doc);
  ~SimUnitLink() override;
  SimUnitLink(const SimUnitLink&) = delete;
  SimUnitLink& operator=(const SimUnitLink&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  UnitSimulator& Sim() { return *m_sim; }
  const QStringList& Errors() const { return m_errors; }
  // Every line the unit sent that was not an echo.
  const QStringList& Answers() const { return m_answers; }
  void SetErrorFile(const QString& path) { m_errorFile = path; }
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
  QString ErrorFilePath() const override { return m_errorFile; }
  void SendCommand(const QString& command, const CSelvantisDoc* doc) override { SendDeviceCommand(command, doc, false); }
  bool SendCommandList(const QStringList&, bool, int, QObject*, int) override { return false; }
  bool SendListAndWait(const QStringList&, QStringList*) override { return false; }
  QString GetErrorFilePath() override { return m_errorFile; }
  void ShowErrorFile() override {}
  void OnSaveVmxSettings() override {}

 private:
  // The next line from the unit, or an empty text after the time-out.
  bool ReadLine(QString* line);
  QStringList Exchange(const QString& command);

  CSelvantisDoc* m_doc;
  std::unique_ptr<UnitSimulator> m_sim;
  int m_fd = -1;
  int m_mode = 4;
  QString m_errorFile;
  QByteArray m_pending;
  QStringList m_errors;
  QStringList m_answers;
  DeviceLinkScope m_scope;
};

#endif
