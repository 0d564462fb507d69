#include "link/idevicelink.h"

#include <QThread>

namespace {

// Used while no link is installed: sends nothing, never busy, never
// connected. It keeps the mode it is given so callers see what they set.
class NullDeviceLink final : public IDeviceLink {
 public:
  void SendDeviceCommand(const QString&, const CSelvantisDoc*, bool) override {}
  int OutBufferCount() const override { return 0; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  int64_t GetTimeSinceLastOutput() const override { return INT64_MAX / 2; }
  QString SendQuery(const QString&) override { return QString(); }
  QString SendAndRead(const QString&, int) override { return QString(); }
  bool IsConnected() const override { return false; }
  void PumpMessages() override {}
  QString ErrorFilePath() const override { return QString(); }
  void SendCommand(const QString&, const CSelvantisDoc*) override {}
  bool SendCommandList(const QStringList& commands, bool, int, QObject*, int) override {
    int length = 0;
    for (const QString& command : commands) length += command.size() + 2;
    return length <= 512;
  }
  bool SendListAndWait(const QStringList&, QStringList* replies) override {
    if (replies) replies->clear();
    return false;
  }
  QString GetErrorFilePath() override { return QString(); }
  void ShowErrorFile() override {}
  void OnSaveVmxSettings() override {}

 private:
  int m_mode = LINKMODE_NORMAL;
};

NullDeviceLink g_nullLink;
IDeviceLink* g_link = nullptr;

}  // namespace

void IDeviceLink::AwaitEvents(int maxMs) {
  PumpMessages();
  QThread::msleep(maxMs > 0 ? 1 : 0);
}

IDeviceLink* GetDeviceLink() { return g_link ? g_link : &g_nullLink; }

IDeviceLink* SetDeviceLink(IDeviceLink* link) {
  IDeviceLink* previous = g_link;
  g_link = link;
  SetDeviceCommands(link);
  return previous;
}
