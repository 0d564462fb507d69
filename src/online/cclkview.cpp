#include "online/cclkview.h"

#include "shell/cbitmapmanager.h"

#include "link/idevicelink.h"
#include "logic/cclock.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/clinestatebar.h"
#include "online/cstatuslamp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSize>
#include <QVBoxLayout>
#include <QVariant>

namespace {

constexpr uint32_t kTipSetSlave = 34276;
constexpr uint32_t kTipStopToSet = 34277;
constexpr int kAnimationFrames = 8;

QLineEdit* MakeField(QWidget* parent, int id, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(Fmt("%d", id));
  edit->setReadOnly(readOnly);
  return edit;
}

void SetBitmap(QPushButton* button, int bitmapId) {
  button->setIcon(CBitmapManager::Icon(bitmapId));
  button->setIconSize(QSize(24, 24));
  button->setProperty("bitmapId", bitmapId);
}

}  // namespace

CClkView::CClkView(CSelvantisDoc* doc, QWidget* parent)
    : QWidget(parent), m_state(doc), m_poll(doc, [this] { OnTimer(kTimerId); }) {
  connect(&m_poll, &COnlinePoll::lineChanged, this, [this](bool online) {
    if (online && !m_state.IsEditingMain()) AskOpeningQueries();
  });
  connect(&m_animationTimer, &QTimer::timeout, this, [this] {
    m_frame = (m_frame + 1) % kAnimationFrames;
    ShowAnimationFrame();
  });
  BuildForm();
}

CClkView::~CClkView() {
  m_poll.Stop();
  Register(false);
  m_state.ClearTexts();
}

void CClkView::BuildForm() {
  auto* outer = new QVBoxLayout(this);

  auto* mainGroup = new QGroupBox(tr("Harborlight System time"), this);
  auto* mainRow = new QHBoxLayout(mainGroup);
  m_mainTime = MakeField(mainGroup, kMainTimeId, true);
  m_mainDate = MakeField(mainGroup, kMainDateId, true);
  m_mainButton = new QPushButton(mainGroup);
  m_mainButton->setObjectName(Fmt("%d", kMainButtonId));
  m_mainButton->setToolTip(LoadString(kTipStopToSet));
  connect(m_mainButton, &QPushButton::clicked, this, [this] { OnMainClockButton(); });
  mainRow->addWidget(m_mainTime);
  mainRow->addWidget(m_mainDate);
  mainRow->addWidget(m_mainButton);
  outer->addWidget(mainGroup);

  auto* dcfGroup = new QGroupBox(tr("Last DCF 77 synchronisation"), this);
  dcfGroup->setObjectName(QStringLiteral("dcfGroup"));
  auto* dcfRow = new QHBoxLayout(dcfGroup);
  m_dcfTime = MakeField(dcfGroup, kDcfTimeId, true);
  m_dcfDate = MakeField(dcfGroup, kDcfDateId, true);
  m_receptionIcon = new QLabel(dcfGroup);
  m_receptionIcon->setObjectName(Fmt("%d", kReceptionIconId));
  dcfRow->addWidget(m_dcfTime);
  dcfRow->addWidget(m_dcfDate);
  dcfRow->addWidget(m_receptionIcon);
  dcfRow->addWidget(new QLabel(tr("DCF Status"), dcfGroup));
  dcfGroup->setVisible(false);
  outer->addWidget(dcfGroup);

  m_animation = new QLabel(this);
  m_animation->setObjectName(Fmt("%d", kAnimationId));
  m_animation->setMinimumWidth(60);
  outer->addWidget(m_animation);

  auto* slaveGroup = new QGroupBox(tr("Slave clock"), this);
  auto* grid = new QGridLayout(slaveGroup);
  m_slaveTime = MakeField(slaveGroup, kSlaveTimeId, false);
  m_slaveButton = new QPushButton(slaveGroup);
  m_slaveButton->setObjectName(Fmt("%d", kSlaveButtonId));
  m_slaveButton->setToolTip(LoadString(kTipSetSlave));
  connect(m_slaveButton, &QPushButton::clicked, this, [this] { OnSlaveTimeButton(); });
  m_overloadIcon = new QLabel(slaveGroup);
  m_overloadIcon->setObjectName(Fmt("%d", kOverloadIconId));
  CStatusLamp::Show(m_overloadIcon, CStatusLamp::kGood);
  m_invert = new QPushButton(tr("Invert"), slaveGroup);
  m_invert->setObjectName(Fmt("%d", kInvertId));
  m_invert->setCheckable(true);
  connect(m_invert, &QPushButton::clicked, this, [this](bool on) { OnInvert(on); });
  m_start = new QPushButton(tr("Start"), slaveGroup);
  m_start->setObjectName(Fmt("%d", kStartId));
  m_start->setCheckable(true);
  connect(m_start, &QPushButton::clicked, this, [this](bool on) { OnStart(on); });
  grid->addWidget(m_slaveTime, 0, 0);
  grid->addWidget(m_slaveButton, 0, 1);
  grid->addWidget(m_overloadIcon, 1, 0, Qt::AlignRight);
  grid->addWidget(new QLabel(tr("Overload"), slaveGroup), 1, 1);
  grid->addWidget(m_invert, 2, 0);
  grid->addWidget(m_start, 2, 1);
  outer->addWidget(slaveGroup);
  outer->addStretch(1);

  SetBitmap(m_mainButton, kBitmapSetClock);
  SetBitmap(m_slaveButton, kBitmapSlave);
  ShowAnimationFrame();
}

QLineEdit* CClkView::Edit(int id) const {
  switch (id) {
    case kMainTimeId: return m_mainTime;
    case kMainDateId: return m_mainDate;
    case kDcfTimeId: return m_dcfTime;
    case kDcfDateId: return m_dcfDate;
    case kSlaveTimeId: return m_slaveTime;
    default: return nullptr;
  }
}

QPushButton* CClkView::Button(int id) const {
  switch (id) {
    case kMainButtonId: return m_mainButton;
    case kSlaveButtonId: return m_slaveButton;
    case kInvertId: return m_invert;
    case kStartId: return m_start;
    default: return nullptr;
  }
}

QLabel* CClkView::Icon(int id) const {
  if (id == kReceptionIconId) return m_receptionIcon;
  if (id == kOverloadIconId) return m_overloadIcon;
  return nullptr;
}

void CClkView::Register(bool on) {
  // The clock is looked up again: the project may have dropped the one the
  // form registered with.
  CClock* clock = m_state.Clock();
  if (on) {
    m_clock = clock;
    if (m_clock) m_clock->SetClockWindow(this);
    return;
  }
  if (clock && clock == m_clock && clock->GetClockWindow() == this) clock->SetClockWindow(nullptr);
  m_clock = nullptr;
}

void CClkView::OnInitialUpdate() {
  Register(true);
  m_invert->setChecked(m_state.IsSlaveInvertOn());
  m_start->setChecked(m_state.IsSlaveRunOn());
  if (m_poll.Start(CClockWindowState::kPollPeriodMs)) AskOpeningQueries();
}

void CClkView::AskOpeningQueries() {
  GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
  CClockWindowState::SendQueries(*GetDeviceLink(), CClockWindowState::OpeningQueries());
  m_state.SetReception(CClockWindowState::Reception::NotReceiving);
  ShowReception();
}

void CClkView::OnTimer(int /*timerId*/) {
  // Until the unit is connected there is no one to ask.
  if (m_state.IsEditingMain() || !IsOnline()) return;
  CClockWindowState::SendQueries(*GetDeviceLink(), CClockWindowState::TickQueries());
}

void CClkView::ParseClockReply(const QString& line) {
  const int key = m_state.ParseClockReply(line);
  if (key >= 0) ShowKey(key);
}

void CClkView::ShowKey(int key) {
  const QString& text = m_state.Text(key);
  switch (key) {
    case CClockTexts::MainTime: m_mainTime->setText(text); break;
    case CClockTexts::MainDate: m_mainDate->setText(text); break;
    case CClockTexts::DcfTime: m_dcfTime->setText(text); break;
    case CClockTexts::DcfDate: m_dcfDate->setText(text); break;
    case CClockTexts::DcfReceive: ShowReception(); break;
    case CClockTexts::SlaveTime: m_slaveTime->setText(text); break;
    case CClockTexts::SlaveRun: m_start->setChecked(text == QLatin1String("ON")); break;
    case CClockTexts::SlaveInvert: m_invert->setChecked(text == QLatin1String("ON")); break;
    case CClockTexts::SlaveOverload: CStatusLamp::Show(m_overloadIcon, m_state.OverloadIcon()); break;
    default: break;
  }
}

void CClkView::ShowReception() {
  const bool good = m_state.GetReception() == CClockWindowState::Reception::Good;
  CStatusLamp::Show(m_receptionIcon, m_state.ReceptionIcon());
  if (good == m_animating) return;
  m_animating = good;
  if (good) {
    m_animationTimer.start(150);
  } else {
    m_animationTimer.stop();
    m_frame = 0;
    ShowAnimationFrame();
  }
}

void CClkView::ShowAnimationFrame() {
  m_animation->setPixmap(CBitmapManager::Render(CBitmapManager::FileOf(kAnimationBitmap, m_frame), QSize(32, 32)));
  m_animation->setProperty("frame", m_frame);
}

void CClkView::OnMainClockButton() {
  if (!m_state.IsEditingMain()) {
    m_state.BeginMainEdit();
    m_mainTime->setReadOnly(false);
    m_mainDate->setReadOnly(false);
    m_poll.Stop();
    SetBitmap(m_mainButton, kBitmapEditing);
    return;
  }
  m_mainTime->setReadOnly(true);
  m_mainDate->setReadOnly(true);
  if (CLineStateBar::CanSend(this))
    m_state.EndMainEdit(*GetDeviceLink(), m_mainTime->text(), m_mainDate->text());
  else
    m_state.AbandonMainEdit();
  m_poll.Start(CClockWindowState::kPollPeriodMs);
  SetBitmap(m_mainButton, kBitmapSetClock);
}

void CClkView::OnSlaveTimeButton() {
  if (CLineStateBar::CanSend(this)) m_state.SendSlaveTime(*GetDeviceLink(), m_slaveTime->text());
}

void CClkView::OnStart(bool on) { m_state.SetSlaveRun(*GetDeviceLink(), on); }

void CClkView::OnInvert(bool on) { m_state.SetSlaveInvert(*GetDeviceLink(), on); }
