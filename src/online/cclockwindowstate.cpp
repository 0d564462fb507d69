#include "online/cclockwindowstate.h"

#include "link/idevicelink.h"
#include "logic/cclock.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "online/cstatuslamp.h"

#include <QDebug>

#include <ctime>
#include <vector>

namespace {

const char* const kKeyPaths[CClockTexts::KeyCount] = {
    "/MAIN/TIME",  "/MAIN/DATE", "/DCF/TIME",     "/DCF/DATE",       "/DCF/RECEIVE",
    "/SLAVE/TIME", "/SLAVE/RUN", "/SLAVE/INVERT", "/SLAVE/OVERLOAD",
};

// The number at the start of a text (after blanks), as "%d" reads it; -1
// when there is none.
int LeadingNumber(const QString& text) {
  int i = 0;
  while (i < text.size() && text.at(i).isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
    negative = text.at(i) == QLatin1Char('-');
    ++i;
  }
  const int start = i;
  long value = 0;
  while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9') && i - start < 9) {
    value = value * 10 + (text.at(i).unicode() - '0');
    ++i;
  }
  if (i == start) return -1;
  return negative ? -1 : static_cast<int>(value);
}

bool SetSystemClock(const QDateTime& local) {
  timespec ts{};
  const qint64 ms = local.toMSecsSinceEpoch();
  ts.tv_sec = static_cast<time_t>(ms / 1000);
  ts.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
  if (clock_settime(CLOCK_REALTIME, &ts) != 0) {
    qWarning("The computer's clock could not be set from the unit (no permission).");
    return false;
  }
  return true;
}

CClockWindowState::ClockSetter& Setter() {
  static CClockWindowState::ClockSetter setter = SetSystemClock;
  return setter;
}

}  // namespace

CClockWindowState::ClockSetter CClockWindowState::SetClockSetter(ClockSetter setter) {
  ClockSetter previous = Setter();
  Setter() = setter ? std::move(setter) : ClockSetter(SetSystemClock);
  return previous;
}

CClockWindowState::CClockWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

CClock* CClockWindowState::Clock() const {
  if (!m_doc) return nullptr;
  std::vector<CBaseDevice*> clocks;
  m_doc->GetIDManager().GetBaseDeviceList(clocks, DT_CLOCK);
  return clocks.empty() ? nullptr : dynamic_cast<CClock*>(clocks.front());
}

bool CClockWindowState::IsSlaveInvertOn() const {
  const CClock* clock = Clock();
  return clock && clock->GetSlaveInvert() == QLatin1String("ON");
}

bool CClockWindowState::IsSlaveRunOn() const {
  const CClock* clock = Clock();
  return clock && clock->GetSlaveRun() == QLatin1String("ON");
}

int CClockWindowState::KeyOf(const QString& path) {
  for (int key = 0; key < CClockTexts::KeyCount; ++key) {
    if (path == QLatin1String(kKeyPaths[key])) return key;
  }
  return -1;
}

QString CClockWindowState::KeyPath(int key) {
  return key >= 0 && key < CClockTexts::KeyCount ? QString::fromLatin1(kKeyPaths[key]) : QString();
}

QString CClockWindowState::Query(int key) { return QStringLiteral("/CLOCK") + KeyPath(key) + QStringLiteral(" ?"); }

QStringList CClockWindowState::OpeningQueries() {
  return {Query(CClockTexts::MainDate), Query(CClockTexts::DcfDate), Query(CClockTexts::SlaveRun),
          Query(CClockTexts::SlaveInvert)};
}

QStringList CClockWindowState::TickQueries() {
  return {Query(CClockTexts::MainTime),     Query(CClockTexts::MainDate),   Query(CClockTexts::DcfTime),
          Query(CClockTexts::DcfDate),      Query(CClockTexts::DcfReceive), Query(CClockTexts::SlaveTime),
          Query(CClockTexts::SlaveOverload)};
}

void CClockWindowState::SendQueries(IDeviceLink& link, const QStringList& queries) {
  for (const QString& query : queries) link.SendDeviceCommand(query, GetActiveDoc(), true);
}

int CClockWindowState::ParseClockReply(const QString& line) {
  const int slash = line.indexOf(QLatin1Char('/'));
  if (slash < 0) return -1;
  const QString rest = line.mid(slash);
  const int blank = rest.indexOf(QLatin1Char(' '));
  if (blank < 0) return -1;
  QString path = rest.left(blank);
  const QString value = rest.mid(blank + 1);
  if (value == QLatin1String("?")) return -1;
  // The clock object hands on its lines with its own path in front.
  if (path.startsWith(QLatin1String("/CLOCK/"))) path.remove(0, 6);
  const int key = KeyOf(path);
  if (key < 0) return -1;
  // The user is typing the main clock: a late answer must not overwrite it.
  if (m_editingMain && (key == CClockTexts::MainTime || key == CClockTexts::MainDate)) return -1;
  if (m_texts[key] == value) return -1;
  m_texts[key] = value;
  if (key == CClockTexts::DcfReceive) {
    if (value == QLatin1String("ON")) {
      m_reception = Reception::Good;
      SetComputerClock();
    } else {
      m_reception = Reception::NotReceiving;
    }
  }
  return key;
}

int CClockWindowState::OverloadIcon() const {
  return m_texts[CClockTexts::SlaveOverload] == QLatin1String("ON") ? CStatusLamp::kAlarm : CStatusLamp::kGood;
}

int CClockWindowState::ReceptionIcon() const {
  return m_reception == Reception::Good ? CStatusLamp::kGood : CStatusLamp::kAlarm;
}

QDateTime CClockWindowState::AgreedLocalTime() const {
  const QString& dcfTime = m_texts[CClockTexts::DcfTime];
  const QString& mainTime = m_texts[CClockTexts::MainTime];
  const QString& dcfDate = m_texts[CClockTexts::DcfDate];
  if (dcfTime.size() < 5 || mainTime.size() < 5 || dcfTime.left(5) != mainTime.left(5)) return {};
  if (dcfDate.isEmpty() || dcfDate != m_texts[CClockTexts::MainDate]) return {};
  const QString date = dcfDate.right(10);
  if (date.size() < 10) return {};
  const int day = LeadingNumber(date.left(2));
  const int month = LeadingNumber(date.mid(3));
  const int year = LeadingNumber(date.right(4));
  const int hour = LeadingNumber(mainTime.left(2));
  const int minute = LeadingNumber(mainTime.mid(3));
  const int second = LeadingNumber(mainTime.right(2));
  const QDate d(year, month, day);
  const QTime t(hour, minute, second, 10);
  if (!d.isValid() || !t.isValid()) return {};
  return QDateTime(d, t, Qt::LocalTime);
}

void CClockWindowState::SetComputerClock() {
  const QDateTime local = AgreedLocalTime();
  if (!local.isValid()) return;
  if (Setter()(local)) ++m_clockSets;
}

void CClockWindowState::BeginMainEdit() { m_editingMain = true; }

void CClockWindowState::EndMainEdit(IDeviceLink& link, const QString& time, const QString& date) {
  m_editingMain = false;
  link.SendDeviceCommand(QStringLiteral("/CLOCK/MAIN/TIME ") + time, GetActiveDoc(), true);
  link.SendDeviceCommand(QStringLiteral("/CLOCK/MAIN/DATE ") + date, GetActiveDoc(), true);
  // The next answers are shown even when they equal the values before the
  // edit, so the fields show the unit's clock again.
  m_texts[CClockTexts::MainTime].clear();
  m_texts[CClockTexts::MainDate].clear();
}

void CClockWindowState::AbandonMainEdit() {
  m_editingMain = false;
  m_texts[CClockTexts::MainTime].clear();
  m_texts[CClockTexts::MainDate].clear();
}

void CClockWindowState::SendSlaveTime(IDeviceLink& link, const QString& time) const {
  link.SendDeviceCommand(QStringLiteral("/CLOCK") + QStringLiteral("/SLAVE/TIME") + QLatin1Char(' ') + time,
                         GetActiveDoc(), true);
}

void CClockWindowState::SetSlaveRun(IDeviceLink& link, bool on) {
  link.SendDeviceCommand(QStringLiteral("/CLOCK/SLAVE/RUN ") + (on ? QStringLiteral("ON") : QStringLiteral("OFF")),
                         GetActiveDoc(), true);
  if (CClock* clock = Clock()) clock->SetSlaveRun(on);
}

void CClockWindowState::SetSlaveInvert(IDeviceLink& link, bool on) {
  link.SendDeviceCommand(QStringLiteral("/CLOCK/SLAVE/INVERT ") + (on ? QStringLiteral("ON") : QStringLiteral("OFF")),
                         GetActiveDoc(), true);
  if (CClock* clock = Clock()) clock->SetSlaveInvert(on);
}
