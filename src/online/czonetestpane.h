#ifndef SELV_ONLINE_CZONETESTPANE_H
#define SELV_ONLINE_CZONETESTPANE_H

#include "online/conlineview.h"

class CZoneListView;
class CZonetestView;
class QSplitter;

// The client area of the line-test window: a splitter with the zone list
// (220 pixels high) above the zone test form. The zone list polls the unit
// itself and takes its own replies; this pane has no timer.
class CZonetestPane final : public COnlineView {
  Q_OBJECT

 public:
  static constexpr int kListHeight = 220;

  CZonetestPane(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override {}
  void OnLineChanged(bool online) override;

  CZoneListView* ListView() const { return m_list; }
  CZonetestView* FormView() const { return m_form; }
  QSplitter* Splitter() const { return m_splitter; }

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool m_listSized = false;
  QSplitter* m_splitter = nullptr;
  CZoneListView* m_list = nullptr;
  CZonetestView* m_form = nullptr;
};

#endif
