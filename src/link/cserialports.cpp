#include "link/cserialports.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

CSerialPorts::Source& SourceOverride() {
  static CSerialPorts::Source source;
  return source;
}

bool IsUsbName(const QString& location) {
  return location.contains(QLatin1String("ttyUSB")) || location.contains(QLatin1String("ttyACM"));
}

// Compares names with their numbers as numbers: "ttyS2" before "ttyS10".
bool NaturalLess(const QString& a, const QString& b) {
  int i = 0;
  int j = 0;
  while (i < a.size() && j < b.size()) {
    if (a.at(i).isDigit() && b.at(j).isDigit()) {
      int endA = i;
      int endB = j;
      while (endA < a.size() && a.at(endA).isDigit()) ++endA;
      while (endB < b.size() && b.at(endB).isDigit()) ++endB;
      // Without leading zeros the longer number is the larger one.
      const QString numA = a.mid(i, endA - i).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
      const QString numB = b.mid(j, endB - j).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
      if (numA.size() != numB.size()) return numA.size() < numB.size();
      if (numA != numB) return numA < numB;
      i = endA;
      j = endB;
      continue;
    }
    if (a.at(i) != b.at(j)) return a.at(i) < b.at(j);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<CSerialPorts::SystemPort> CSerialPorts::SystemPorts() {
  std::vector<SystemPort> ports;
  if (SourceOverride()) {
    ports = SourceOverride()();
  } else {
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
      ports.push_back({info.systemLocation(), info.description(), info.manufacturer(),
                       info.hasVendorIdentifier() || IsUsbName(info.systemLocation())});
  }
  Order(ports);
  return ports;
}

void CSerialPorts::Order(std::vector<SystemPort>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const SystemPort& a, const SystemPort& b) {
    if (a.usb != b.usb) return a.usb;
    return NaturalLess(a.location, b.location);
  });
}

QString CSerialPorts::FirstPort(std::vector<SystemPort> ports) {
  Order(ports);
  return ports.empty() ? QString() : ports.front().location;
}

QString CSerialPorts::ProfilePort(bool* stored) {
  const QString port =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kPort))
          .trimmed();
  if (stored) *stored = !port.isEmpty();
  return !port.isEmpty() ? port : FirstPort(SystemPorts());
}

void CSerialPorts::SetSource(Source source) { SourceOverride() = std::move(source); }
