#ifndef SELV_SHELL_CCOMPAREWND_H
#define SELV_SHELL_CCOMPAREWND_H

#include "link/ccomparereport.h"

#include <QDialog>
#include <QString>

class CEBListView;
class IFileChooser;
class QLabel;
class QPushButton;

// The differences between a project and the unit: the verdict line, the
// kinds that were not compared, and one row per differing setting in a
// report list (sorted by a click on any column title, exported as
// tab-separated text and printed as the entry lists are). The window keeps
// its own copy of the report; the decisions (rows, order, texts) are the
// report's.
class CCompareWnd final : public QDialog {
  Q_OBJECT

 public:
  // project: the project's title; fileChooser: where the export's file name
  // comes from (null: the system's dialog); the window does not own it.
  CCompareWnd(const CCompareReport& report, const QString& project, IFileChooser* fileChooser,
              QWidget* parent = nullptr);

  // The window opens this high, and as wide as all columns want (not
  // narrower than kMinOpeningWidth, not wider than the screen); every column
  // title is whole then.
  static constexpr int kOpeningHeight = 520;
  static constexpr int kMinOpeningWidth = 920;

  const CCompareReport& Report() const noexcept { return m_report; }
  CEBListView* List() const noexcept { return m_list; }
  QLabel* SummaryLabel() const noexcept { return m_summary; }
  QLabel* NotComparedLabel() const noexcept { return m_notCompared; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void RetranslateUi();
  // What the window needs beside its list's columns: the list's frame and
  // scroll bar, the layout's margins.
  int Besides() const;
  int OpeningWidth() const;
  // Narrows the columns, never below their titles, to fit into room.
  void FitColumns(int room);
  void Fill();
  // A click on a column title: that column ascending, a second click the
  // other way.
  void OnHeaderClicked(int column);

  CCompareReport m_report;
  QString m_project;
  QLabel* m_summary;
  QLabel* m_notCompared;
  CEBListView* m_list;
  QPushButton* m_export;
  QPushButton* m_print;
};

#endif
