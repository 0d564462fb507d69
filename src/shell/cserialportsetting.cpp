#include "shell/cserialportsetting.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"

QString CSerialPortSetting::Read() {
  return CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort,
                             QString::fromLatin1(LinkProfile::kDefaultPort));
}

void CSerialPortSetting::Write(const QString& port) {
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, port);
}
