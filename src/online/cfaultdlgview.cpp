#include "online/cfaultdlgview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/cstatuslamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Labels of the source boxes, in the order of CFaultWindowState::kSources.
const char* const kSourceLabels[CFaultWindowState::kSourceCount] = {
    QT_TRANSLATE_NOOP("CFaultDlgView", "Unknown fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Readyinput"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "KCM"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Amplifier"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Internal VMX fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Console fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Backup Amplifier Fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Manual fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Ground Fault"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Line Measurement Error"),
    QT_TRANSLATE_NOOP("CFaultDlgView", "Line groundfault"),
};

bool IsLineSource(int index) { return index == 9 || index == 10; }

}  // namespace

CFaultDlgView::CFaultDlgView(CSelvantisDoc* doc, QWidget* parent)
    : QWidget(parent), m_state(doc), m_poll(doc, [this] { OnTimer(IDT_STATUS_POLL); }) {
  connect(&m_poll, &COnlinePoll::lineChanged, this, &CFaultDlgView::OnLineChanged);
  BuildForm();
}

CFaultDlgView::~CFaultDlgView() { m_poll.Stop(); }

void CFaultDlgView::OnLineChanged(bool online) {
  m_manual->setEnabled(online);
  m_relay->setEnabled(online);
  // The relay's lamp showed the unit's state: without the line it is not
  // known any more.
  if (!online) SetRelayIcon(CStatusLamp::kNone);
}

void CFaultDlgView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* group = new QGroupBox(tr("Considered FAULT sources"), this);
  auto* grid = new QGridLayout(group);
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i) {
    const CFaultWindowState::Source& source = CFaultWindowState::kSources[i];
    auto* box = new QCheckBox(tr(kSourceLabels[i]), group);
    box->setObjectName(Fmt("%d", source.checkBoxId));
    connect(box, &QCheckBox::clicked, this, [this] { OnSourceClicked(); });
    auto* marker = new QLabel(group);
    marker->setObjectName(Fmt("%d", source.iconId));
    CStatusLamp::Show(marker, CStatusLamp::kActiveMarker);
    marker->setVisible(false);
    grid->addWidget(marker, i, 0);
    grid->addWidget(box, i, 1);
    m_sources[i] = box;
    m_markers[i] = marker;
    if (IsLineSource(i)) box->setVisible(false);
  }
  outer->addWidget(group);

  m_latch = new QCheckBox(tr("latched FAULT state "), this);
  m_latch->setObjectName(Fmt("%d", CFaultWindowState::kLatchId));
  connect(m_latch, &QCheckBox::clicked, this, &CFaultDlgView::OnLatchClicked);
  outer->addWidget(m_latch);

  auto* displayRow = new QHBoxLayout;
  displayRow->addWidget(new QLabel(tr("Display on consoles :"), this));
  m_display = new QComboBox(this);
  m_display->setObjectName(Fmt("%d", CFaultWindowState::kDisplayComboId));
  connect(m_display, &QComboBox::activated, this, &CFaultDlgView::OnDisplayChosen);
  displayRow->addWidget(m_display, 1);
  outer->addLayout(displayRow);

  auto* relayRow = new QHBoxLayout;
  m_relay = new QPushButton(this);
  m_relay->setObjectName(Fmt("%d", CFaultWindowState::kRelayButtonId));
  connect(m_relay, &QPushButton::clicked, this, [this] { m_state.SendRelayAcknowledge(*GetDeviceLink()); });
  relayRow->addWidget(m_relay);
  // In the interface's language, as every other label of the window.
  relayRow->addWidget(new QLabel(tr("FAULT relay"), this));
  relayRow->addStretch(1);
  outer->addLayout(relayRow);

  auto* manualRow = new QHBoxLayout;
  m_manual = new QPushButton(tr("On"), this);
  m_manual->setObjectName(Fmt("%d", CFaultWindowState::kManualButtonId));
  m_manual->setCheckable(true);
  connect(m_manual, &QPushButton::clicked, this, [this](bool on) { m_state.SendManual(*GetDeviceLink(), on); });
  manualRow->addWidget(m_manual);
  manualRow->addWidget(new QLabel(tr("Manual Error"), this));
  manualRow->addStretch(1);
  outer->addLayout(manualRow);
  outer->addStretch(1);
}

QCheckBox* CFaultDlgView::SourceBox(int index) const {
  return index >= 0 && index < CFaultWindowState::kSourceCount ? m_sources[index] : nullptr;
}

QLabel* CFaultDlgView::ActiveMarker(int index) const {
  return index >= 0 && index < CFaultWindowState::kSourceCount ? m_markers[index] : nullptr;
}

void CFaultDlgView::OnInitialUpdate() {
  SetRelayIcon(CFaultWindowState::kIconRelayIdle);
  if (m_state.ShowsLineSources()) {
    m_sources[9]->setVisible(true);
    m_sources[10]->setVisible(true);
  }
  {
    const QSignalBlocker block(m_display);
    m_display->clear();
    for (const CFaultWindowState::Choice& choice : m_state.ConsoleChoices())
      m_display->addItem(choice.text, choice.data);
    m_display->setCurrentIndex(0);
  }
  m_poll.Start(CFaultWindowState::kPollPeriodMs);
}

void CFaultDlgView::ShowSettings() {
  const uint32_t sources = m_state.Sources();
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i)
    m_sources[i]->setChecked((sources & CFaultWindowState::kSources[i].bit) != 0);
  m_latch->setChecked(m_state.IsLatched());

  const QSignalBlocker block(m_display);
  const QString text = m_state.DisplayText();
  int index = 0;
  if (!text.isEmpty()) {
    index = m_display->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
      // A console that has gone stays visible as its number.
      m_display->addItem(text, m_state.DisplayConsole());
      index = m_display->count() - 1;
    }
  }
  m_display->setCurrentIndex(index);

  const bool online = IsOnline();
  m_manual->setEnabled(online);
  m_relay->setEnabled(online);
}

void CFaultDlgView::OnTimer(int timerId) {
  if (timerId != IDT_STATUS_POLL) return;
  if (m_state.Poll(*GetDeviceLink())) ShowLiveState();
}

void CFaultDlgView::ShowLiveState() {
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i) m_markers[i]->setVisible(m_state.IsSourceActive(i));
  SetRelayIcon(m_state.RelayIcon());
  m_manual->setChecked(m_state.IsManualOn());
}

void CFaultDlgView::SetRelayIcon(int iconId) { CStatusLamp::Show(m_relay, iconId); }

void CFaultDlgView::OnSourceClicked() {
  uint32_t bits = 0;
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i) {
    if (m_sources[i]->isChecked()) bits |= CFaultWindowState::kSources[i].bit;
  }
  m_state.SetSources(bits);
}

void CFaultDlgView::OnLatchClicked(bool on) { m_state.SetLatched(on); }

void CFaultDlgView::OnDisplayChosen(int index) {
  if (index < 0) return;
  m_state.SetDisplayConsole(m_display->itemData(index).toInt());
}

CTransfer::Result CFaultDlgView::OnTransfer(bool bUpload, const std::function<void(int, int)>& progress) {
  // The poll must not read the transfer's answers away.
  const bool polling = m_poll.IsWanted();
  m_poll.Stop();
  const QPointer<CFaultDlgView> self(this);
  const CTransfer::Result result = m_state.Transfer(nullptr, bUpload, progress);
  // The transfer lets events in: the window may have gone.
  if (self && polling) m_poll.Start(CFaultWindowState::kPollPeriodMs);
  return result;
}
