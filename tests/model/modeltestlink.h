#ifndef SELV_TESTS_MODEL_MODELTESTLINK_H
#define SELV_TESTS_MODEL_MODELTESTLINK_H

#include "link/idevicelink.h"

#include <QString>
#include <QStringList>

#include <vector>

// A link that records the command lines model objects send, with the
// document and the shorten flag, and reports an output-buffer count the test
// sets. Installs itself while it lives.
class ModelTestLink final : public IDeviceLink {
 public:
  struct Sent {
    QString command;
    const CSelvantisDoc* doc;
    bool shorten;
  };

  ModelTestLink() : m_scope(this) {}
  ModelTestLink(const ModelTestLink&) = delete;
  ModelTestLink& operator=(const ModelTestLink&) = delete;

  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) override {
    m_sent.push_back(Sent{command, doc, bShorten});
  }
  int OutBufferCount() const override { return m_outBuffer; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  int64_t GetTimeSinceLastOutput() const override { return 10000; }
  QString SendQuery(const QString&) override { return QString(); }
  QString SendAndRead(const QString&, int) override { return QString(); }
  bool IsConnected() const override { return true; }
  void PumpMessages() override {}
  QString ErrorFilePath() const override { return QString(); }
  void SendCommand(const QString& command, const CSelvantisDoc* doc) override {
    m_sent.push_back(Sent{command, doc, false});
  }
  bool SendCommandList(const QStringList&, bool, int, QObject*, int) override { return false; }
  bool SendListAndWait(const QStringList&, QStringList*) override { return false; }
  QString GetErrorFilePath() override { return QString(); }
  void ShowErrorFile() override {}
  void OnSaveVmxSettings() override {}

  QStringList Commands() const {
    QStringList out;
    for (const Sent& s : m_sent) out.append(s.command);
    return out;
  }

  std::vector<Sent> m_sent;
  int m_outBuffer = 0;
  int m_mode = 4;

 private:
  DeviceLinkScope m_scope;
};

#endif
