#include "online/cservicedlg.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "online/clinestatebar.h"

#include "shell/cbitmapmanager.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSize>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace {
const bool kHookSet = [] {
  CInternalSlot::SetServiceDialogHook([](CInternalSlot& slot) { return CServiceDlg::Run(slot); });
  return true;
}();

// Tells of every edit the user ends with a text (Enter or leaving the
// cell; Esc takes nothing), also when the text is the one the cell showed:
// writing a register again with its value is a service action of its own.
// The unit's answers fill the cells without passing here.
class RegisterEditDelegate final : public QStyledItemDelegate {
 public:
  RegisterEditDelegate(std::function<void(const QModelIndex&, const QString&)> ended, QObject* parent)
      : QStyledItemDelegate(parent), m_ended(std::move(ended)) {}

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    QStyledItemDelegate::setModelData(editor, model, index);
    if (m_ended) m_ended(index, index.data(Qt::EditRole).toString());
  }

 private:
  std::function<void(const QModelIndex&, const QString&)> m_ended;
};

}  // namespace

CServiceDlg::CServiceDlg(CInternalSlot* slot, QWidget* parent)
    : QDialog(parent),
      m_slot(slot),
      m_readButton(new QPushButton(tr("Read registers"), this)),
      m_version(new QLabel(NotAnsweredText(), this)),
      m_onlineTime(new QLabel(NotAnsweredText(), this)),
      m_tests(new QComboBox(this)),
      m_startButton(new QPushButton(tr("Start"), this)),
      m_registers(new QTableWidget(CServiceState::kRegisterRows, 3, this)),
      m_powerOnCount(new QLabel(NotAnsweredText(), this)),
      m_lineBar(new CLineStateBar(GetActiveDoc(), this)),
      m_poll(GetActiveDoc(), [this] { OnTimer(); }) {
  setObjectName(QStringLiteral("CServiceDlg"));
  setWindowTitle(tr("Service functions"));
  m_readButton->setObjectName(QStringLiteral("readRegisters"));
  m_startButton->setObjectName(QStringLiteral("startTest"));
  m_tests->setObjectName(QStringLiteral("tests"));
  m_registers->setObjectName(QStringLiteral("registers"));
  m_version->setObjectName(QStringLiteral("version"));
  m_onlineTime->setObjectName(QStringLiteral("onlineTime"));
  m_powerOnCount->setObjectName(QStringLiteral("powerOnCount"));
  // The tips speak the user's language, as every other text of the window.
  m_startButton->setToolTip(tr("Start test"));
  m_readButton->setToolTip(tr("Read registers again"));
  // Picture buttons; the captions stay as their accessible names. The re-read
  // picture is the refresh arrows: bitmap 314 is the relay topology's block
  // picture, which project files refer to.
  m_startButton->setAccessibleName(m_startButton->text());
  m_readButton->setAccessibleName(m_readButton->text());
  m_startButton->setText(QString());
  m_readButton->setText(QString());
  m_startButton->setIcon(CBitmapManager::Icon(kStartBitmap));
  m_readButton->setIcon(CBitmapManager::SvgIcon(QStringLiteral("view-refresh.svg")));
  m_startButton->setIconSize(QSize(24, 24));
  m_readButton->setIconSize(QSize(24, 24));

  auto* top = new QVBoxLayout(this);
  top->addWidget(m_lineBar);
  auto* status = new QGroupBox(tr("Status"), this);
  auto* statusForm = new QFormLayout(status);
  statusForm->addRow(tr("Power On Events"), m_powerOnCount);
  statusForm->addRow(tr("Online"), m_onlineTime);
  statusForm->addRow(new QLabel(tr("VMX Software version"), status));
  statusForm->addRow(m_version);
  top->addWidget(status);

  auto* test = new QGroupBox(tr("Test"), this);
  auto* testLayout = new QVBoxLayout(test);
  auto* testRow = new QHBoxLayout;
  testRow->addWidget(new QLabel(tr("Function"), test));
  testRow->addWidget(m_tests, 1);
  testRow->addWidget(m_startButton);
  testLayout->addLayout(testRow);
  testLayout->addWidget(m_registers);
  testLayout->addWidget(m_readButton, 0, Qt::AlignRight);
  top->addWidget(test);
  m_lineBar->AddContent(status);
  m_lineBar->AddContent(test);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  top->addWidget(buttons);

  // Opening: the stored status starts over, so the first answers show.
  m_state.Reset();
  m_tests->addItems(CServiceState::TestNames());
  m_tests->setCurrentIndex(-1);

  m_registers->setHorizontalHeaderLabels({QStringLiteral("OUT"), QStringLiteral("IN"), LoadString(32805)});
  for (int column = 0; column < 3; ++column) m_registers->setColumnWidth(column, 80);
  m_registers->verticalHeader()->hide();
  m_registers->setSelectionMode(QAbstractItemView::SingleSelection);
  m_registers->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_registers->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  for (int row = 0; row < CServiceState::kRegisterRows; ++row) {
    m_registers->setItem(row, CServiceState::kColumnOut, new QTableWidgetItem);
    auto* in = new QTableWidgetItem;
    in->setFlags(in->flags() & ~Qt::ItemIsEditable);
    m_registers->setItem(row, CServiceState::kColumnIn, in);
    auto* name = new QTableWidgetItem(CServiceState::RowName(row));
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    m_registers->setItem(row, 2, name);
  }

  connect(m_startButton, &QPushButton::clicked, this, &CServiceDlg::OnStartTest);
  connect(m_readButton, &QPushButton::clicked, this, &CServiceDlg::OnReadRegisters);
  // Only the user's edits write; the cells the unit's answers fill do not.
  m_registers->setItemDelegate(new RegisterEditDelegate(
      [this](const QModelIndex& index, const QString& text) {
        if (index.column() == CServiceState::kColumnOut) OnEndLabelEdit(index.row(), text);
      },
      m_registers));
  // Everything is asked again when the unit is back.
  connect(&m_poll, &COnlinePoll::lineChanged, this, [this](bool online) {
    if (online) SendAll(m_state.OpeningCommands());
  });

  if (m_slot) m_slot->SetServiceWindow(this);
  if (m_poll.Start(kStatusPeriodMs)) SendAll(m_state.OpeningCommands());
}

QString CServiceDlg::NotAnsweredText() { return tr("(no answer)"); }

CServiceDlg::~CServiceDlg() {
  m_poll.Stop();
  if (m_slot && m_slot->GetServiceWindow() == this) m_slot->SetServiceWindow(nullptr);
}

bool CServiceDlg::Run(CInternalSlot& slot, QWidget* parent) {
  CServiceDlg dialog(&slot, parent);
  dialog.exec();
  return true;
}

void CServiceDlg::Send(const QString& command) { GetDeviceLink()->SendDeviceCommand(command, GetActiveDoc(), false); }

void CServiceDlg::SendAll(const QStringList& commands) {
  for (const QString& command : commands) Send(command);
}

void CServiceDlg::OnTimer() { SendAll(m_state.TimerCommands()); }

void CServiceDlg::OnStartTest() {
  if (CLineStateBar::CanSend(this)) Send(CServiceState::StartTestCommand(m_tests->currentText()));
}

void CServiceDlg::OnReadRegisters() {
  if (CLineStateBar::CanSend(this)) SendAll(m_state.ReadRegisterCommands());
}

void CServiceDlg::OnEndLabelEdit(int row, const QString& text) {
  if (CLineStateBar::CanSend(this)) SendAll(CServiceState::WriteRegisterCommands(row, text));
}

void CServiceDlg::ParseReply(const QString& line) {
  const CServiceState::ParseResult result = m_state.ParseReply(line);
  switch (result.change) {
    case CServiceState::Change::Version: m_version->setText(result.value); break;
    case CServiceState::Change::OnlineTime: m_onlineTime->setText(result.value); break;
    case CServiceState::Change::PowerOnCount: m_powerOnCount->setText(result.value); break;
    case CServiceState::Change::Register:
      if (QTableWidgetItem* cell = m_registers->item(result.row, result.column)) cell->setText(result.value);
      break;
    case CServiceState::Change::None: break;
  }
}
