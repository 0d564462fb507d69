#include "profilefuzzchecks.h"

#include "editors/macros/macrolistmodel.h"
#include "link/cmscomm.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/ctext.h"
#include "online/cvolumewindowstate.h"
#include "online/czoneliststate.h"
#include "shell/controls/dialogrectstore.h"
#include "shell/cserialportsetting.h"
#include "shell/cshellsettings.h"

#include <QFile>
#include <QStringList>

#include <cmath>
#include <cstdint>

namespace {

QString ProfileShow(const QString& text) { return text.left(200).toHtmlEscaped(); }

QString CheckValueParsers(const QString& text) {
  // Numbers.
  bool ok = false;
  const int number = CProfile::ParseInt(text, 7, &ok);
  if (!ok && number != 7) return QStringLiteral("a refused number did not give the default");
  if (ok && CProfile::ParseInt(QString::number(number), 7) != number)
    return QStringLiteral("the number %1 does not read back").arg(number);

  // Serial settings.
  CMSComm::LineSettings line;
  if (CMSComm::ParseSettings(text, &line)) {
    if (line.baud <= 0 || !QByteArray("noems").contains(line.parity) || line.dataBits < 5 || line.dataBits > 8 ||
        (line.stopBits != 1 && line.stopBits != 2))
      return QStringLiteral("serial settings out of range from \"%1\"").arg(ProfileShow(text));
    CMSComm::LineSettings again;
    const QString formatted = Fmt("%d,%c,%d,%d", line.baud, line.parity, line.dataBits, line.stopBits);
    if (!CMSComm::ParseSettings(formatted, &again) || again.baud != line.baud || again.parity != line.parity ||
        again.dataBits != line.dataBits || again.stopBits != line.stopBits)
      return QStringLiteral("serial settings \"%1\" do not read back").arg(formatted);
  }

  // Dialog rectangles.
  if (const std::optional<QRect> rect = DialogRectStore::FromText(text)) {
    if (rect->width() <= 0 || rect->height() <= 0)
      return QStringLiteral("an empty rectangle from \"%1\"").arg(ProfileShow(text));
    const std::optional<QRect> again = DialogRectStore::FromText(DialogRectStore::ToText(*rect));
    if (!again || *again != *rect) return QStringLiteral("the rectangle of \"%1\" does not read back").arg(ProfileShow(text));
    const QRect screen(0, 0, 1920, 1080);
    const QRect fitted = DialogRectStore::FitToScreen(*rect, screen);
    if (!screen.contains(fitted)) return QStringLiteral("the rectangle of \"%1\" is not fitted").arg(ProfileShow(text));
  }

  // Column widths of the macro list and the zone list.
  const std::array<int, 3> macroWidths = MacroListModel::ParseColumnWidths(text);
  for (int width : macroWidths)
    if (width <= 0 || width >= 10000) return QStringLiteral("macro column width %1").arg(width);
  if (MacroListModel::ParseColumnWidths(MacroListModel::FormatColumnWidths(macroWidths)) != macroWidths)
    return QStringLiteral("the macro column widths of \"%1\" do not read back").arg(ProfileShow(text));
  const auto zoneWidths = CZoneListState::ParseWidths(text);
  for (int width : zoneWidths)
    if (width < 0 || width > 10000) return QStringLiteral("zone list column width %1").arg(width);
  if (CZoneListState::ParseWidths(CZoneListState::FormatWidths(zoneWidths)) != zoneWidths)
    return QStringLiteral("the zone list widths of \"%1\" do not read back").arg(ProfileShow(text));

  // Decimal numbers (volume limits).
  double value = 0.0;
  ScanDouble(text, &value);
  return {};
}

QString CheckProfileReaders() {
  const int startup = CShellSettings::GetStartupAction();
  if (startup < CShellSettings::kStartNothing || startup > CShellSettings::kStartReopenLast)
    return QStringLiteral("start-up action %1").arg(startup);
  CShellSettings::GetLanguage();
  CSerialPortSetting::Read();
  CProfile::GetInt(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kEchoOn), 1);
  const QString settings =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  QString fault = CheckValueParsers(settings);
  if (!fault.isEmpty()) return fault;
  for (unsigned id : {0u, 1u, 100u}) {
    const std::optional<QRect> rect = DialogRectStore::ForTemplate(id).Load();
    if (rect && (rect->width() <= 0 || rect->height() <= 0)) return QStringLiteral("an empty dialog rectangle");
  }
  for (int width : CZoneListState::ReadWidths())
    if (width < 0 || width > 10000) return QStringLiteral("stored zone list column width %1").arg(width);
  for (int channel = 0; channel < CVolumeWindowState::kChannelCount; ++channel) {
    const double limit = CVolumeWindowState::LowerLimit(channel);
    if (!std::isfinite(limit) || limit < -150.0 || limit > 6.0) return QStringLiteral("volume limit %1").arg(limit);
  }
  return {};
}

}  // namespace

ProfileValueChecker::ProfileValueChecker() { m_previousProfile = CProfile::IniFile(); }

ProfileValueChecker::~ProfileValueChecker() { CProfile::UseIniFile(m_previousProfile); }

QString ProfileValueChecker::Check(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  const uint8_t steer = static_cast<uint8_t>(bytes[0]);
  const QByteArray rest = bytes.mid(1);
  const QString text = (steer & 1) != 0 ? QString::fromUtf8(rest) : QString::fromLatin1(rest);
  QString fault = CheckValueParsers(text);
  if (!fault.isEmpty() || (steer & 2) == 0) return fault;

  const QString path = m_dir.filePath(QStringLiteral("profile.ini"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(rest) != rest.size())
    return QStringLiteral("the profile cannot be written");
  file.close();
  CProfile::UseIniFile(path);
  fault = CheckProfileReaders();
  CProfile::UseIniFile(m_previousProfile);
  return fault;
}
