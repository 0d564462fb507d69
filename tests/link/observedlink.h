#ifndef SELV_TESTS_LINK_OBSERVEDLINK_H
#define SELV_TESTS_LINK_OBSERVEDLINK_H

#include "link/idevicelink.h"

#include <vector>

// A link that hands every call to another one (the real link on the
// simulated unit) and notes how a transfer ended its mode: the limit each
// EndTransferMode was given.
class ObservedLink final : public IDeviceLink {
 public:
  explicit ObservedLink(IDeviceLink& link) : m_link(link) {}

  std::vector<int> endLimits;

  void SendDeviceCommand(const QString& c, const CSelvantisDoc* d, bool s) override {
    m_link.SendDeviceCommand(c, d, s);
  }
  int OutBufferCount() const override { return m_link.OutBufferCount(); }
  int GetLinkMode() const override { return m_link.GetLinkMode(); }
  void SetLinkMode(int mode) override { m_link.SetLinkMode(mode); }
  int64_t GetTimeSinceLastOutput() const override { return m_link.GetTimeSinceLastOutput(); }
  QString SendQuery(const QString& c) override { return m_link.SendQuery(c); }
  QString SendAndRead(const QString& c, int ms) override { return m_link.SendAndRead(c, ms); }
  bool IsConnected() const override { return m_link.IsConnected(); }
  void PumpMessages() override { m_link.PumpMessages(); }
  void AwaitEvents(int maxMs) override { m_link.AwaitEvents(maxMs); }
  QString ErrorFilePath() const override { return m_link.ErrorFilePath(); }
  void SendCommand(const QString& c, const CSelvantisDoc* d) override { m_link.SendCommand(c, d); }
  bool SendCommandList(const QStringList& c, bool all, int r, QObject* t, int tag) override {
    return m_link.SendCommandList(c, all, r, t, tag);
  }
  bool SendListAndWait(const QStringList& c, QStringList* r) override { return m_link.SendListAndWait(c, r); }
  QString GetErrorFilePath() override { return m_link.GetErrorFilePath(); }
  void ShowErrorFile() override { m_link.ShowErrorFile(); }
  int64_t GetTimeSinceLastInput() const override { return m_link.GetTimeSinceLastInput(); }
  void OnSaveVmxSettings() override { m_link.OnSaveVmxSettings(); }
  bool CountsAnswers() const override { return m_link.CountsAnswers(); }
  int OwedAnswers() const override { return m_link.OwedAnswers(); }
  QString FirstOwedPath() const override { return m_link.FirstOwedPath(); }
  bool IsLineHeld() const override { return m_link.IsLineHeld(); }
  void ReleaseLine() override { m_link.ReleaseLine(); }
  void DeferLossMessage(bool defer) override { m_link.DeferLossMessage(defer); }
  QString TakeLossReason() override { return m_link.TakeLossReason(); }
  int DiscardQueued() override { return m_link.DiscardQueued(); }
  CLineToken TakeLine(LinePurpose purpose) override { return m_link.TakeLine(purpose); }
  QString LineRefusal() const override { return m_link.LineRefusal(); }
  LineUse CurrentLineUse() const override { return m_link.CurrentLineUse(); }
  void CancelTransfer() override { m_link.CancelTransfer(); }
  bool EndTransferMode(bool endLine, int limitMs) override {
    endLimits.push_back(limitMs);
    return m_link.EndTransferMode(endLine, limitMs);
  }
  QString UnclosedWarning() const override { return m_link.UnclosedWarning(); }
  bool ConfirmsLines() const override { return m_link.ConfirmsLines(); }
  void StartTally() override { m_link.StartTally(); }
  void StopTally() override { m_link.StopTally(); }
  Tally CurrentTally() const override { return m_link.CurrentTally(); }
  QString FirstUnconfirmedPath() const override { return m_link.FirstUnconfirmedPath(); }
  QString FirstRefusedPath() const override { return m_link.FirstRefusedPath(); }

 private:
  IDeviceLink& m_link;
};

#endif
