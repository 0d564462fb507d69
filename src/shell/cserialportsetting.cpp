#include "shell/cserialportsetting.h"

#include "link/cserialports.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"

QString CSerialPortSetting::Read() {
  return CSerialPorts::ProfilePort();
}

bool CSerialPortSetting::IsStored() {
  return !CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort).trimmed().isEmpty();
}

void CSerialPortSetting::Write(const QString& port) {
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, port);
}
