#ifndef SELV_ONLINE_CFUSEVIEW_H
#define SELV_ONLINE_CFUSEVIEW_H

#include "online/cfusewindowstate.h"
#include "online/conlineview.h"

#include <array>

class QComboBox;
class QLabel;

// The fuse window's form: per fuse a rating box (0, 330, 660, 990 mA) and
// the "Blown!" and "Cooling!" texts, which are greyed unless the unit
// reports that state. The decisions live in CFuseWindowState; the form only
// mirrors it.
class CFuseView final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 297;
  // Control ids of the rating boxes, "Blown!" and "Cooling!" texts; the
  // widgets carry them as object names.
  static constexpr int kComboIds[CFuseWindowState::kFuseCount] = {1623, 1624, 1625, 1626, 1627};
  static constexpr int kBlownIds[CFuseWindowState::kFuseCount] = {1628, 1629, 1630, 1631, 1632};
  static constexpr int kCoolingIds[CFuseWindowState::kFuseCount] = {1633, 1634, 1635, 1636, 1637};

  CFuseView(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override;
  // Upload (queries) or download (the project's ratings).
  void OnFuseTransfer(bool bUpload);

  QComboBox* RatingBox(int fuse) const;
  QLabel* BlownText(int fuse) const;
  QLabel* CoolingText(int fuse) const;
  const CFuseWindowState& State() const { return m_state; }

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  void BuildForm();
  void ShowState();
  void OnRatingChosen(int fuse, int index);

  CFuseWindowState m_state;
  std::array<QComboBox*, CFuseWindowState::kFuseCount> m_combo{};
  std::array<QLabel*, CFuseWindowState::kFuseCount> m_blown{};
  std::array<QLabel*, CFuseWindowState::kFuseCount> m_cooling{};
};

#endif
