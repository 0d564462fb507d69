#include "online/cfuseview.h"

#include "link/idevicelink.h"
#include "model/ctext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

CFuseView::CFuseView(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent), m_state(doc) { BuildForm(); }

void CFuseView::BuildForm() {
  auto* outer = new QHBoxLayout(this);
  const QStringList ratings = CFuseWindowState::RatingTexts();

  // One row of a fuse in a group: label, rating box, "mA", the two states.
  auto addRow = [&](QGridLayout* grid, int row, const QString& label, int fuse) {
    if (!label.isEmpty()) grid->addWidget(new QLabel(label, this), row, 0);
    auto* combo = new QComboBox(this);
    combo->setObjectName(Fmt("%d", kComboIds[fuse]));
    combo->addItems(ratings);
    connect(combo, &QComboBox::activated, this, [this, fuse](int index) { OnRatingChosen(fuse, index); });
    grid->addWidget(combo, row, 1);
    grid->addWidget(new QLabel(tr("mA"), this), row, 2);
    auto* blown = new QLabel(tr("Blown!"), this);
    blown->setObjectName(Fmt("%d", kBlownIds[fuse]));
    grid->addWidget(blown, row, 3);
    auto* cooling = new QLabel(tr("Cooling!"), this);
    cooling->setObjectName(Fmt("%d", kCoolingIds[fuse]));
    grid->addWidget(cooling, row, 4);
    m_combo[fuse] = combo;
    m_blown[fuse] = blown;
    m_cooling[fuse] = cooling;
  };

  auto* slot1 = new QGroupBox(tr("Slot 1"), this);
  auto* grid1 = new QGridLayout(slot1);
  addRow(grid1, 0, tr("A"), 0);
  addRow(grid1, 1, tr("B"), 1);
  auto* slot2 = new QGroupBox(tr("Slot 2"), this);
  auto* grid2 = new QGridLayout(slot2);
  addRow(grid2, 0, tr("A"), 2);
  addRow(grid2, 1, tr("B"), 3);
  auto* remote = new QGroupBox(tr("Remote"), this);
  auto* grid3 = new QGridLayout(remote);
  addRow(grid3, 0, QString(), 4);

  auto* slotColumn = new QVBoxLayout;
  slotColumn->addWidget(slot1);
  slotColumn->addWidget(slot2);
  slotColumn->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(remote);
  right->addStretch(1);
  outer->addLayout(slotColumn);
  outer->addLayout(right);
  outer->addStretch(1);
  ShowState();
}

QComboBox* CFuseView::RatingBox(int fuse) const {
  return fuse >= 0 && fuse < CFuseWindowState::kFuseCount ? m_combo[fuse] : nullptr;
}
QLabel* CFuseView::BlownText(int fuse) const {
  return fuse >= 0 && fuse < CFuseWindowState::kFuseCount ? m_blown[fuse] : nullptr;
}
QLabel* CFuseView::CoolingText(int fuse) const {
  return fuse >= 0 && fuse < CFuseWindowState::kFuseCount ? m_cooling[fuse] : nullptr;
}

void CFuseView::ShowState() {
  for (int fuse = 0; fuse < CFuseWindowState::kFuseCount; ++fuse) {
    const QSignalBlocker block(m_combo[fuse]);
    m_combo[fuse]->setCurrentIndex(m_state.Selection(fuse));
    m_combo[fuse]->setEnabled(m_state.IsEnabled(fuse));
    m_blown[fuse]->setEnabled(m_state.IsBlown(fuse));
    m_cooling[fuse]->setEnabled(m_state.IsCooling(fuse));
  }
}

void CFuseView::OnInitialUpdate() {
  m_state.Load();
  ShowState();
  StartPollTimer(IDT_STATUS_POLL, CFuseWindowState::kPollPeriodMs);
}

void CFuseView::OnPoll() { m_state.Poll(*GetDeviceLink(), this); }

void CFuseView::OnFuseTransfer(bool bUpload) { m_state.Transfer(*GetDeviceLink(), this, bUpload); }

void CFuseView::OnCommReply(int /*tag*/, const QStringList& lines) {
  if (m_state.ApplyReply(lines)) ShowState();
}

void CFuseView::OnRatingChosen(int fuse, int index) {
  m_state.Choose(fuse, index);
  // The box shows what the project holds (a choice that could not be stored
  // falls back).
  ShowState();
}
