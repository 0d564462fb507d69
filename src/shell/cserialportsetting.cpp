#include "shell/cserialportsetting.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "shell/cportchoice.h"

QString CSerialPortSetting::Read() {
  const QString stored = CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort).trimmed();
  return !stored.isEmpty() ? stored : CPortChoice::FirstPort(CPortChoice::SystemPorts());
}

bool CSerialPortSetting::IsStored() {
  return !CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort).trimmed().isEmpty();
}

void CSerialPortSetting::Write(const QString& port) {
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, port);
}
