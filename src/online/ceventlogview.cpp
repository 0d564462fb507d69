#include "online/ceventlogview.h"

#include "link/idevicelink.h"
#include "macros/ceventlog.h"
#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/ui/cselectiondlg.h"
#include "online/ceventlogselections.h"
#include "online/ceventprinter.h"
#include "online/clinestatebar.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/cellipsisstatic.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrProperties = 34644;
constexpr uint32_t kStrEvents = 34645;

// Labels of the category boxes, in the order of CEventLogState::kCategories.
const char* const kCategoryLabels[CEventLogState::kCategoryCount] = {
    QT_TRANSLATE_NOOP("CEventLogView", "Audio signals"),
    QT_TRANSLATE_NOOP("CEventLogView", "FAULT"),
    QT_TRANSLATE_NOOP("CEventLogView", "Switching power on or off"),
    QT_TRANSLATE_NOOP("CEventLogView", "Line test"),
    QT_TRANSLATE_NOOP("CEventLogView", "Time settings"),
    QT_TRANSLATE_NOOP("CEventLogView", "Macros"),
    QT_TRANSLATE_NOOP("CEventLogView", "RESET"),
    QT_TRANSLATE_NOOP("CEventLogView", "Backup Amplifiers"),
    QT_TRANSLATE_NOOP("CEventLogView", "Ready Input's"),
    QT_TRANSLATE_NOOP("CEventLogView", "Recorder"),
    QT_TRANSLATE_NOOP("CEventLogView", "DCF"),
    QT_TRANSLATE_NOOP("CEventLogView", "Configuration"),
    QT_TRANSLATE_NOOP("CEventLogView", "Virtual controller"),
};

// The selection kind of each detail button.
uint32_t KindOfCategory(const QString& keyword) {
  if (keyword == QLatin1String("AUDIO")) return CEventLogSelections::kAudio;
  if (keyword == QLatin1String("FAULT")) return CEventLogSelections::kFault;
  if (keyword == QLatin1String("MACRO")) return CEventLogSelections::kMacros;
  if (keyword == QLatin1String("READYINP")) return CEventLogSelections::kReadyInputs;
  return CEventLogSelections::kVirtualControllers;
}

int IndexOfBox(int boxId) {
  for (int i = 0; i < CEventLogState::kCategoryCount; ++i)
    if (CEventLogState::kCategories[i].boxId == boxId) return i;
  return -1;
}

}  // namespace

CEventLogView::CEventLogView(CSelvantisDoc* doc, QWidget* parent)
    : COnlineView(doc, parent), m_state(doc), m_pending(this, false) {
  BuildForm();
}

CEventLogView::~CEventLogView() {
  // The entries read are in the file; it is complete on disk when the
  // window goes.
  if (m_eventFile) {
    m_eventFile->flush();
    m_eventFile->close();
  }
}

void CEventLogView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  m_tabs = new QTabBar(this);
  m_tabs->setObjectName(Fmt("%d", kTabId));
  outer->addWidget(m_tabs);
  // The page follows the tab however it is chosen (mouse or keys); showing a
  // page sets the tab with this signal blocked.
  connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0) ShowPage(index == 1);
  });

  m_group = new QGroupBox(tr("Events to log"), this);
  m_group->setObjectName(Fmt("%d", kGroupId));
  auto* grid = new QGridLayout(m_group);
  for (int i = 0; i < CEventLogState::kCategoryCount; ++i) {
    const CEventLogState::Category& category = CEventLogState::kCategories[i];
    auto* box = new QCheckBox(tr(kCategoryLabels[i]), m_group);
    box->setObjectName(Fmt("%d", category.boxId));
    const int boxId = category.boxId;
    connect(box, &QCheckBox::clicked, this, [this, boxId] { OnCategoryClicked(boxId); });
    grid->addWidget(box, i, 0);
    m_boxes[static_cast<size_t>(i)] = box;
    if (category.detailTextId == 0) continue;
    auto* text = new CEllipsisStatic(m_group);
    text->setObjectName(Fmt("%d", category.detailTextId));
    grid->addWidget(text, i, 1);
    auto* button = new QPushButton(QStringLiteral("..."), m_group);
    button->setObjectName(Fmt("%d", category.detailButtonId));
    connect(button, &QPushButton::clicked, this, [this, boxId] { OnDetailButton(boxId); });
    grid->addWidget(button, i, 2);
    m_details[static_cast<size_t>(i)] = text;
    m_buttons[static_cast<size_t>(i)] = button;
  }
  grid->setColumnStretch(1, 1);
  outer->addWidget(m_group);

  m_fileLabel = new QLabel(tr("Entries (see file"), this);
  m_fileLabel->setObjectName(Fmt("%d", kFileLabelId));
  outer->addWidget(m_fileLabel);
  m_entries = new QPlainTextEdit(this);
  m_entries->setObjectName(Fmt("%d", kEntriesId));
  m_entries->setReadOnly(true);
  m_entries->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_entries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_entries->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  outer->addWidget(m_entries, 1);
  auto* printRow = new QHBoxLayout;
  m_print = new QCheckBox(tr("Print"), this);
  m_print->setObjectName(Fmt("%d", kPrintId));
  connect(m_print, &QCheckBox::clicked, this, [this] { OnPrintClicked(); });
  printRow->addWidget(m_print);
  m_printNow = new QPushButton(tr("Print now"), this);
  m_printNow->setObjectName(Fmt("%d", kPrintNowId));
  connect(m_printNow, &QPushButton::clicked, this, [this] { OnPrintNow(); });
  printRow->addWidget(m_printNow);
  printRow->addStretch(1);
  outer->addLayout(printRow);

  // As the form starts: Properties shown, Events hidden.
  m_fileLabel->setVisible(false);
  m_entries->setVisible(false);
  m_print->setVisible(false);
  m_printNow->setVisible(false);
}

QCheckBox* CEventLogView::CategoryBox(int boxId) const {
  const int i = IndexOfBox(boxId);
  return i < 0 ? nullptr : m_boxes[static_cast<size_t>(i)];
}
CEllipsisStatic* CEventLogView::DetailText(int boxId) const {
  const int i = IndexOfBox(boxId);
  return i < 0 ? nullptr : m_details[static_cast<size_t>(i)];
}
QPushButton* CEventLogView::DetailButton(int boxId) const {
  const int i = IndexOfBox(boxId);
  return i < 0 ? nullptr : m_buttons[static_cast<size_t>(i)];
}

void CEventLogView::SetPrinter(std::unique_ptr<IEventPrinter> printer) {
  m_printer = std::move(printer);
  m_print->setEnabled(m_printer != nullptr);
}

void CEventLogView::SetForwarder(const CEventForwarder& forwarder, const QString& workDir) {
  m_forwarder = forwarder;
  m_forwardDir = workDir;
}

void CEventLogView::OnInitialUpdate() {
  m_print->setChecked(false);
  ShowSettings();
  m_forwarder.Load(CEventForwarder::DefaultConfigPath());
  m_forwardDir = QDir::currentPath();
  m_replaceNames = CProfile::GetInt(QStringLiteral("Configuration"), QStringLiteral("ErrorLogReplaceID"), 0) != 0;
  m_printNow->setEnabled(false);

  const CSelvantisDoc* doc = GetDocument();
  m_eventFilePath = CEventLogState::EventFilePath(doc ? doc->GetPathName() : QString());
  if (StartPollTimer(IDT_STATUS_POLL, CEventLogState::kPollPeriodMs))
    PrepareReading();
  else
    m_print->setEnabled(m_printer != nullptr);

  // The file's name follows the label's text directly: "Entries (see file"
  // reads on as 'Entries (see file"Hall.sxm.events")'.
  m_fileLabel->setText(m_fileLabel->text() + QLatin1Char('"') +
                       CFileName::Display(QFileInfo(m_eventFilePath).fileName()) + QStringLiteral("\")"));

  {
    const QSignalBlocker block(m_tabs);
    while (m_tabs->count() > 0) m_tabs->removeTab(0);
    m_tabs->addTab(LoadString(kStrProperties));
    m_tabs->addTab(LoadString(kStrEvents));
    m_tabs->setCurrentIndex(0);
  }
  TogglePage();
}

void CEventLogView::PrepareReading() {
  if (!m_printer) m_printer = CEventPrinter::CreateDefault(m_entries->font());
  if (!m_eventFile) OpenEventFile();
  // Without a printer the entries are not printed; the rest works.
  m_print->setEnabled(m_printer != nullptr);
}

void CEventLogView::OnLineChanged(bool online) {
  // A window opened off line reads the unit's entries once it is connected.
  if (online) PrepareReading();
  // A list still waiting for the line is not sent to the unit connected
  // next: the bar says it was not sent, and Download or Upload sends anew.
  if (!online && m_pending.Drop()) CLineStateBar::TellNotSent(this);
}

void CEventLogView::OpenEventFile() {
  // By the name's bytes: a project named in Latin-1 keeps its events beside
  // it, under its own name.
  auto file = std::make_unique<QFile>();
  QString reason;
  if (!CFileName::OpenForWriting(*file, m_eventFilePath, true, &reason)) {
    AfxMessageBox(tr("The event file \"%1\" cannot be written: the entries read are only shown.")
                      .arg(QDir::toNativeSeparators(CFileName::Display(m_eventFilePath))));
    return;
  }
  m_eventFile = std::move(file);
}

void CEventLogView::ShowSettings() {
  const CEventLog* log = m_state.EventLog();
  const QString mask = m_state.GeneralMask();
  for (int i = 0; i < CEventLogState::kCategoryCount; ++i) {
    const CEventLogState::Category& category = CEventLogState::kCategories[i];
    const bool on = CEventLogState::HasCategory(mask, QLatin1String(category.keyword));
    m_boxes[static_cast<size_t>(i)]->setChecked(on);
    if (category.detailTextId == 0) continue;
    m_details[static_cast<size_t>(i)]->setEnabled(on);
    m_buttons[static_cast<size_t>(i)]->setEnabled(on);
    m_details[static_cast<size_t>(i)]->SetWindowText(log ? log->GetParamText(category.displayIndex) : QString());
  }
}

void CEventLogView::OnCategoryClicked(int boxId) {
  const int i = IndexOfBox(boxId);
  if (i < 0) return;
  const CEventLogState::Category& category = CEventLogState::kCategories[i];
  const bool on = m_boxes[static_cast<size_t>(i)]->isChecked();
  m_state.SetCategory(QLatin1String(category.keyword), on);
  if (category.detailTextId == 0) return;
  m_details[static_cast<size_t>(i)]->setEnabled(on);
  m_buttons[static_cast<size_t>(i)]->setEnabled(on);
}

void CEventLogView::OnDetailButton(int boxId) {
  const int i = IndexOfBox(boxId);
  CEventLog* log = m_state.EventLog();
  if (i < 0 || !log) return;
  const CEventLogState::Category& category = CEventLogState::kCategories[i];
  if (category.detailTextId == 0) return;
  const QString keyword = QLatin1String(category.keyword);
  CSelectionDlg dlg(this, CEventLogSelections::Providers());
  dlg.SetDocument(GetDocument());
  dlg.SetKind(KindOfCategory(keyword));
  dlg.SetMultiple(true);
  dlg.SetSelection(log->GetParamText(category.displayIndex));
  if (dlg.DoModal() != IDOK) return;
  // The dialog ran modally: the project may have changed meanwhile.
  log = m_state.EventLog();
  if (!log) return;
  if (keyword == QLatin1String("AUDIO"))
    log->SetMaskBits(1, dlg.GetResultBits());
  else if (keyword == QLatin1String("FAULT"))
    log->SetMaskBits(2, dlg.GetResultBits());
  else
    log->SetParamText(category.displayIndex, dlg.GetSelection());
  m_details[static_cast<size_t>(i)]->SetWindowText(log->GetParamText(category.displayIndex));
}

void CEventLogView::TransferSettings(bool bUpload) {
  if (!CLineStateBar::CanSend(this)) return;
  if (bUpload) {
    m_pending.Send({CEventLogState::UploadCommands()});
    return;
  }
  const QStringList commands = m_state.DownloadCommands();
  if (commands.isEmpty()) return;
  const std::vector<QStringList> pieces = CEventLogState::SplitForLink(commands);
  if (pieces.empty()) {
    AfxMessageBox(tr("An event-log mask is too long to be sent to the unit. Choose fewer entries."));
    return;
  }
  m_pending.Send(pieces);
}

void CEventLogView::OnPoll() {
  IDeviceLink* link = GetDeviceLink();
  const QStringList queries = m_state.PollCommands(link->OutBufferCount());
  // A full output buffer: this tick asks nothing, but the empty list still
  // goes to the link, which empties its reply list with it; what arrived
  // meanwhile is not handed over again with the next answers.
  link->SendCommandList(queries, true, 0, this, 0);
}

void CEventLogView::OnCommReply(int /*tag*/, const QStringList& lines) {
  const CEventLogState::ReplyResult result = m_state.ApplyReply(lines);
  // The lines are handled: the next delivery brings only new ones.
  COnlineReplyParser::ConsumeLinkReplies();
  for (const QString& entry : result.entries) OnEntry(entry);
  if (result.settingsChanged) ShowSettings();
}

void CEventLogView::OnEntry(const QString& read) {
  if (m_forwarder.IsOn()) m_forwarder.Forward(read, m_forwardDir);
  const QString entry = m_replaceNames ? CEventLogState::ReplaceNames(read, GetDocument()) : read;

  QTextCursor cursor(m_entries->document());
  cursor.movePosition(QTextCursor::Start);
  cursor.insertText(entry + QLatin1Char('\n'));
  if (m_entries->document()->characterCount() >= CEventLogState::kFieldLimit)
    m_entries->setPlainText(CEventLogState::TrimField(m_entries->toPlainText()));
  m_entries->moveCursor(QTextCursor::Start);
  m_entries->ensureCursorVisible();

  if (m_eventFile) {
    m_eventFile->write(ToUnitText(entry + QStringLiteral("\r\n")));
    m_eventFile->flush();
  }
  if (m_print->isChecked() && m_printer) {
    m_printList << entry;
    if (CEventLogState::PageFull(m_printer->LineHeight(), m_printer->PageHeight(),
                                 static_cast<int>(m_printList.size())))
      PrintWaiting();
  }
}

void CEventLogView::PrintWaiting() {
  if (m_printList.isEmpty() || !m_printer) return;
  if (!m_printer->PrintPage(m_printList)) {
    AfxMessageBox(tr("The entries could not be printed; they stay in the event file."));
  }
  m_printList.clear();
}

void CEventLogView::OnPrintClicked() {
  const bool on = m_print->isChecked();
  if (!on) PrintWaiting();
  m_printNow->setEnabled(on);
}

void CEventLogView::OnPrintNow() { PrintWaiting(); }

bool CEventLogView::IsEventsPage() const { return !m_print->isHidden(); }

void CEventLogView::TogglePage() { ShowPage(!IsEventsPage()); }

void CEventLogView::ShowPage(bool events) {
  m_fileLabel->setVisible(events);
  m_entries->setVisible(events);
  m_print->setVisible(events);
  m_printNow->setVisible(events);
  m_group->setVisible(!events);
  const QSignalBlocker block(m_tabs);
  m_tabs->setCurrentIndex(events ? 1 : 0);
}
