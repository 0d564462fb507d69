#include "link/ccomparereport.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CCompareReport", text); }

// Texts in the order a person expects, whatever the machine's locale: runs
// of digits by their value ("ZONE2" before "ZONE10"), the rest ignoring case.
int NaturalCompare(const QString& a, const QString& b) {
  int i = 0;
  int j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i].isDigit() && b[j].isDigit()) {
      int ei = i;
      int ej = j;
      while (ei < a.size() && a[ei].isDigit()) ++ei;
      while (ej < b.size() && b[ej].isDigit()) ++ej;
      // Leading zeros do not count; then the longer run is the larger number.
      QStringView x = QStringView(a).mid(i, ei - i);
      QStringView y = QStringView(b).mid(j, ej - j);
      while (x.size() > 1 && x.front() == QLatin1Char('0')) x = x.mid(1);
      while (y.size() > 1 && y.front() == QLatin1Char('0')) y = y.mid(1);
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
      if (const int c = x.compare(y)) return c;
      i = ei;
      j = ej;
      continue;
    }
    const QChar ca = a[i].toCaseFolded();
    const QChar cb = b[j].toCaseFolded();
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

void CCompareReport::AddRow(CompareRow row) {
  row.order = static_cast<int>(m_rows.size());
  m_rows.push_back(std::move(row));
}

void CCompareReport::AddNotCompared(const QString& kind) {
  for (NotComparedKind& entry : m_notCompared) {
    if (entry.kind != kind) continue;
    ++entry.settings;
    return;
  }
  m_notCompared.push_back(NotComparedKind{kind, 1});
}

void CCompareReport::SetStopped(const QString& reason, int done, int total) {
  m_stopped = true;
  m_stopReason = reason;
  m_done = std::max(0, done);
  m_total = std::max(m_done, total);
  m_notCompared.clear();
}

void CCompareReport::AddNote(const QString& note) {
  if (!note.isEmpty() && !m_notes.contains(note)) m_notes << note;
}

void CCompareReport::AddCleared(const QString& kind) {
  if (!kind.isEmpty() && !m_cleared.contains(kind)) m_cleared << kind;
}

CCompareReport::Outcome CCompareReport::GetOutcome() const {
  if (m_stopped) return Outcome::Stopped;
  return m_rows.empty() ? Outcome::Holds : Outcome::Differs;
}

int CCompareReport::DifferenceCount() const {
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const CompareRow& r) { return r.answered; }));
}

int CCompareReport::UnansweredCount() const { return static_cast<int>(m_rows.size()) - DifferenceCount(); }

int CCompareReport::ExitStatus() const {
  switch (GetOutcome()) {
    case Outcome::Holds: return kExitHolds;
    case Outcome::Differs: return kExitDiffers;
    case Outcome::Stopped: break;
  }
  return kExitStopped;
}

void CCompareReport::SortBy(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kColumnCount) {
    SortInDownloadOrder();
    return;
  }
  SortInDownloadOrder();
  std::stable_sort(m_rows.begin(), m_rows.end(), [&](const CompareRow& a, const CompareRow& b) {
    const int c = NaturalCompare(CellText(a, column), CellText(b, column));
    return order == Qt::AscendingOrder ? c < 0 : c > 0;
  });
  m_sortColumn = column;
  m_sortOrder = order;
}

void CCompareReport::SortInDownloadOrder() {
  std::sort(m_rows.begin(), m_rows.end(), [](const CompareRow& a, const CompareRow& b) { return a.order < b.order; });
  m_sortColumn = -1;
  m_sortOrder = Qt::AscendingOrder;
}

QString CCompareReport::ColumnTitle(int column) {
  switch (column) {
    case kKindColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "Object"));
    case kNameColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "Name"));
    case kSettingColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "Setting"));
    case kProjectColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "In the project"));
    case kUnitColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "On the unit"));
    case kCommandColumn: return Tr(QT_TRANSLATE_NOOP("CCompareReport", "Command form (project / unit)"));
    default: return QString();
  }
}

QString CCompareReport::CellText(const CompareRow& row, int column) {
  switch (column) {
    case kKindColumn: return row.kind;
    case kNameColumn: return row.name;
    case kSettingColumn: return row.setting;
    case kProjectColumn: return row.project;
    case kUnitColumn: return row.answered ? row.unit : Tr(QT_TRANSLATE_NOOP("CCompareReport", "not answered"));
    case kCommandColumn:
      return row.answered ? QStringLiteral("%1 / %2").arg(row.projectCommand, row.unitCommand) : row.projectCommand;
    default: return QString();
  }
}

QString CCompareReport::Summary() const {
  switch (GetOutcome()) {
    case Outcome::Holds:
      return Tr(QT_TRANSLATE_NOOP("CCompareReport",
                                  "The unit holds this project: %1 settings compared, no difference."))
          .arg(m_compared);
    case Outcome::Differs: {
      QString text =
          Tr(QT_TRANSLATE_NOOP("CCompareReport",
                               "The unit differs from this project: differences in %1 of %2 settings compared."))
              .arg(DifferenceCount())
              .arg(m_compared);
      if (UnansweredCount() > 0)
        text += QLatin1Char(' ') +
                Tr(QT_TRANSLATE_NOOP("CCompareReport", "Settings not answered: %1.")).arg(UnansweredCount());
      return text;
    }
    case Outcome::Stopped: break;
  }
  const int percent = m_total > 0 ? static_cast<int>(static_cast<qint64>(m_done) * 100 / m_total) : 0;
  QString text = Tr(QT_TRANSLATE_NOOP("CCompareReport",
                                      "The comparison stopped at %1 % of the upload (%2 of %3 settings read): %4. "
                                      "The unit was not read completely, so there is no verdict."))
                     .arg(percent)
                     .arg(m_done)
                     .arg(m_total)
                     .arg(m_stopReason);
  if (!m_rows.empty())
    text += QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("CCompareReport",
                                                    "The %1 rows listed are partial: they come from the part read "
                                                    "before the stop."))
                                   .arg(static_cast<int>(m_rows.size()));
  return text;
}

QString CCompareReport::ClearedLine() const {
  if (m_stopped || m_cleared.isEmpty()) return QString();
  return Tr(QT_TRANSLATE_NOOP("CCompareReport",
                              "Taken as cleared, as the download clears them and leaves unused entries out: %1."))
      .arg(m_cleared.join(QStringLiteral(", ")));
}

QString CCompareReport::NotComparedLine() const {
  if (m_stopped || m_notCompared.empty()) return QString();
  QStringList kinds;
  for (const NotComparedKind& entry : m_notCompared)
    kinds << QStringLiteral("%1 (%2)").arg(entry.kind).arg(entry.settings);
  return Tr(QT_TRANSLATE_NOOP("CCompareReport", "Settings not compared, as the upload does not read them: %1."))
      .arg(kinds.join(QStringLiteral(", ")));
}

ListTableText CCompareReport::TableText() const {
  ListTableText table;
  table.columnCount = kColumnCount;
  for (int column = 0; column < kColumnCount; ++column) table.titles << ColumnTitle(column);
  for (const CompareRow& row : m_rows) {
    QStringList cells;
    for (int column = 0; column < kColumnCount; ++column) cells << CellText(row, column);
    table.rows.push_back(cells);
  }
  return table;
}
