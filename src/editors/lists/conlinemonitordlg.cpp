#include "editors/lists/conlinemonitordlg.h"

#include "editors/lists/onlinemonitorstate.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "model/ctext.h"
#include "shell/controls/cvalueedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

COnlineMonitorDlg::COnlineMonitorDlg(QWidget* parent, IDeviceLink* link) : QDialog(parent), m_link(link) {
  setWindowTitle(tr("Online monitor properties"));

  auto* volumeBox = new QGroupBox(tr("Volume"), this);
  m_slider = new QSlider(Qt::Horizontal, volumeBox);
  m_slider->setObjectName(QStringLiteral("volumeSlider"));
  m_volumeText = new QLabel(QStringLiteral("0"), volumeBox);
  m_volumeText->setObjectName(QStringLiteral("volumeText"));
  auto* volumeRow = new QHBoxLayout(volumeBox);
  volumeRow->addWidget(m_slider, 1);
  volumeRow->addWidget(m_volumeText);
  volumeRow->addWidget(new QLabel(tr("dB"), volumeBox));

  auto* tableBox = new QGroupBox(tr("Table entry"), this);
  m_tableEntry = new CValueEdit(tableBox);
  m_tableEntry->setObjectName(QStringLiteral("tableEntryEdit"));
  auto* tableRow = new QHBoxLayout(tableBox);
  tableRow->addWidget(m_tableEntry);

  auto* selectionBox = new QGroupBox(tr("Selection"), this);
  m_source = new QComboBox(selectionBox);
  m_source->setObjectName(QStringLiteral("sourceCombo"));
  m_index = new CValueEdit(selectionBox);
  m_index->setObjectName(QStringLiteral("indexEdit"));
  auto* selectionGrid = new QGridLayout(selectionBox);
  selectionGrid->addWidget(m_source, 0, 0, 1, 2);
  selectionGrid->addWidget(new QLabel(tr("Index :"), selectionBox), 1, 0);
  selectionGrid->addWidget(m_index, 1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(volumeBox);
  auto* lower = new QHBoxLayout;
  lower->addWidget(tableBox);
  lower->addWidget(selectionBox);
  layout->addLayout(lower);

  const OnlineMonitorState::Range range = OnlineMonitorState::VolumeRange(OnlineMonitorState::StoredDeviceId());
  {
    const QSignalBlocker block(m_slider);
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setValue(0);
  }
  for (int position = 0; position < OnlineMonitorState::kSourceCount; ++position) {
    m_source->addItem(OnlineMonitorState::Keyword(position), position);
  }
  m_source->setCurrentIndex(0);

  connect(m_source, &QComboBox::activated, this, &COnlineMonitorDlg::OnSourceActivated);
  // actionTriggered comes from the user only (drag, keys, clicks), before the
  // value moves; the end of a drag triggers no action.
  connect(m_slider, &QSlider::actionTriggered, this, [this] {
    if (m_slider->sliderPosition() != m_slider->value()) OnVolumeMoved(m_slider->sliderPosition());
  });
  connect(m_tableEntry, &CValueEdit::killFocus, this, &COnlineMonitorDlg::OnTableEntryKillFocus);
  connect(m_index, &CValueEdit::killFocus, this, &COnlineMonitorDlg::OnIndexKillFocus);

  RefreshFromUnit();
}

COnlineMonitorDlg::~COnlineMonitorDlg() {
  // A volume change left the link collecting replies for this dialog.
  Link()->SetLinkMode(LINKMODE_NORMAL);
}

IDeviceLink* COnlineMonitorDlg::Link() const { return m_link ? m_link : GetDeviceLink(); }

void COnlineMonitorDlg::OnSourceActivated(int position) {
  if (const std::optional<QString> command = OnlineMonitorState::SelectCommand(m_source->itemData(position).toInt())) {
    Link()->SendCommand(*command, nullptr);
  }
  RefreshFromUnit();
}

void COnlineMonitorDlg::OnVolumeMoved(int position) {
  m_volumeText->setText(Fmt("%d", position));
  Link()->SendCommandList({OnlineMonitorState::VolumeCommand(position)}, false, 0, this, 0);
}

void COnlineMonitorDlg::OnTableEntryKillFocus() {
  const std::optional<QString> command = OnlineMonitorState::TableEntryCommand(m_tableEntry->text());
  if (!command) return;
  Link()->SendCommand(*command, nullptr);
  RefreshFromUnit();
}

void COnlineMonitorDlg::OnIndexKillFocus() {
  const int position = m_source->currentData().toInt();
  const std::optional<QString> command = OnlineMonitorState::IndexCommand(m_index->text(), position);
  if (!command) return;
  Link()->SendCommand(*command, nullptr);
  RefreshFromUnit();
}

void COnlineMonitorDlg::RefreshFromUnit() {
  IDeviceLink* link = Link();
  if (!link->IsConnected()) return;
  QStringList replies;
  link->SendListAndWait(OnlineMonitorState::RefreshQueries(), &replies);
  const std::optional<OnlineMonitorState::Reading> reading = OnlineMonitorState::ParseReplies(replies);
  if (!reading) return;
  if (reading->volume) {
    const QSignalBlocker block(m_slider);
    m_slider->setValue(*reading->volume);
  }
  if (reading->volumeText) m_volumeText->setText(*reading->volumeText);
  if (reading->source) {
    const QSignalBlocker block(m_source);
    m_source->setCurrentIndex(*reading->source);
  }
  if (reading->index) m_index->setText(*reading->index);
  if (reading->tableEntry) m_tableEntry->setText(*reading->tableEntry);
}
