#ifndef SELV_TESTS_MACROS_MACROSIMLINK_H
#define SELV_TESTS_MACROS_MACROSIMLINK_H

#include "link/idevicelink.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CSelvantisDoc;
class UnitSimulator;

// A link to the simulated unit that knows the macro families, for transfer
// tests: each command line goes to the simulator's pseudo-terminal and the
// call returns once the unit has echoed it and, for a query, answered; the
// answers are routed through the document in the link's mode. A unit that
// stays silent for kReplyTimeoutMs fails the exchange (Errors()).
class MacroSimLink final : public IDeviceLink {
 public:
  static constexpr int kReplyTimeoutMs = 3000;

  explicit MacroSimLink(CSelvantisDoc* doc);
  ~MacroSimLink() override;
  MacroSimLink(const MacroSimLink&) = delete;
  MacroSimLink& operator=(const MacroSimLink&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  UnitSimulator& Sim() { return *m_sim; }
  const QStringList& Errors() const { return m_errors; }
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
  bool ReadLine(QString* line);
  QStringList Exchange(const QString& command);

  CSelvantisDoc* m_doc;
  std::unique_ptr<UnitSimulator> m_sim;
  int m_fd = -1;
  int m_mode = 4;
  QByteArray m_pending;
  QStringList m_errors;
  DeviceLinkScope m_scope;
};

#endif
