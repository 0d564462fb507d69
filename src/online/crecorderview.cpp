#include "online/crecorderview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cvalueedit.h"
#include "unit/cinternalmessagerec.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

namespace {

// A list that is refilled each time it drops down.
class DropDownCombo final : public QComboBox {
 public:
  DropDownCombo(QWidget* parent, std::function<void()> onDropDown)
      : QComboBox(parent), m_onDropDown(std::move(onDropDown)) {}
  void showPopup() override {
    if (m_onDropDown) m_onDropDown();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_onDropDown;
};

// The four lists are drop-down lists with a text field. In the message
// list the field renames the current message; in the others a typed text
// that names an entry chooses it with Enter, any other text changes nothing
// and gives way to the chosen entry when the field is left.
void MakeDropDown(QComboBox* list) {
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
}

// Shows entry index (none for -1) in the list and its text field; a field
// that already shows it is left alone, with its cursor.
void ShowChoice(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  const QString text = index >= 0 ? list->itemText(index) : QString();
  if (list->isEditable() && list->currentText() != text) list->setEditText(text);
}

}  // namespace

int CRecorderView::PictureOf(int id) {
  switch (id) {
    case kInfoId: return kInfoPicture;
    case kPlayId: return kPlayPicture;
    case kRecordId: return kRecordPicture;
    case kStopId: return kStopPicture;
    case kEraseId: return kErasePicture;
    case kFormatId: return kFormatPicture;
    default: return 0;
  }
}

CRecorderView::CRecorderView(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent), m_state(doc) {
  BuildForm();
}

void CRecorderView::BuildForm() {
  auto* outer = new QVBoxLayout(this);

  // The function buttons, each with its caption below: the button shows
  // the function's picture, the caption is the text (also the tool tip and
  // the name a screen reader gives).
  auto* functions = new QHBoxLayout;
  outer->addLayout(functions);
  int slot = 0;
  auto addButton = [&](int id, int captionId, const QString& caption) {
    auto* column = new QVBoxLayout;
    auto* button = new QPushButton(this);
    button->setObjectName(Fmt("%d", id));
    button->setIcon(CBitmapManager::Icon(PictureOf(id)));
    button->setToolTip(caption);
    button->setAccessibleName(caption);
    column->addWidget(button);
    auto* text = new CEllipsisStatic(this);
    text->setObjectName(Fmt("%d", captionId));
    text->SetWindowText(caption);
    column->addWidget(text);
    functions->addLayout(column);
    m_functionButtons[slot++] = button;
    return button;
  };
  connect(addButton(kPlayId, 1657, tr("Play")), &QPushButton::clicked, this,
          [this] { OnFunction(QStringLiteral("PLAY")); });
  connect(addButton(kStopId, 1658, tr("Stop")), &QPushButton::clicked, this,
          [this] { OnFunction(QStringLiteral("STOP")); });
  connect(addButton(kRecordId, 1659, tr("Record")), &QPushButton::clicked, this,
          [this] { OnFunction(QStringLiteral("EASYREC")); });
  connect(addButton(kEraseId, 1660, tr("Erase")), &QPushButton::clicked, this,
          [this] { OnFunction(QStringLiteral("ERASE")); });
  connect(addButton(kFormatId, 1661, tr("Format")), &QPushButton::clicked, this, [this] { OnFormat(); });
  functions->addStretch(1);

  auto* grid = new QGridLayout;
  outer->addLayout(grid);
  grid->addWidget(new QLabel(tr("Record source"), this), 0, 0);
  m_source = new QComboBox(this);
  m_source->setObjectName(Fmt("%d", kSourceId));
  m_source->addItems(CRecorderWindowState::SourceTexts());
  MakeDropDown(m_source);
  connect(m_source, &QComboBox::activated, this, [this](int index) { OnSourceChosen(index); });
  connect(m_source->lineEdit(), &QLineEdit::editingFinished, this, [this] { ShowSettings(); });
  grid->addWidget(m_source, 0, 1);

  grid->addWidget(new QLabel(tr("Message"), this), 1, 0);
  m_message = new DropDownCombo(this, [this] { OnMessageDropDown(); });
  m_message->setObjectName(Fmt("%d", kMessageId));
  MakeDropDown(m_message);
  connect(m_message, &QComboBox::activated, this, [this](int index) { OnMessageChosen(index); });
  connect(m_message->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { OnMessageEdited(text); });
  grid->addWidget(m_message, 1, 1);

  // The info button is its picture alone; its tool tip says what it does.
  auto* info = new QPushButton(this);
  info->setObjectName(Fmt("%d", kInfoId));
  info->setIcon(CBitmapManager::Icon(PictureOf(kInfoId)));
  info->setToolTip(tr("Info"));
  info->setAccessibleName(tr("Info"));
  connect(info, &QPushButton::clicked, this, [this] { OnInfo(); });
  m_functionButtons[slot++] = info;
  grid->addWidget(info, 1, 2, Qt::AlignLeft);

  grid->addWidget(new QLabel(tr("Play destination"), this), 2, 0);
  m_destination = new QComboBox(this);
  m_destination->setObjectName(Fmt("%d", kDestinationId));
  m_destination->addItems(CRecorderWindowState::DestinationTexts());
  MakeDropDown(m_destination);
  connect(m_destination, &QComboBox::activated, this, [this](int index) { OnDestinationChosen(index); });
  connect(m_destination->lineEdit(), &QLineEdit::editingFinished, this, [this] { ShowSettings(); });
  grid->addWidget(m_destination, 2, 1);

  auto* options = new QGroupBox(tr("Record Options"), this);
  auto* optionGrid = new QGridLayout(options);
  optionGrid->addWidget(new QLabel(tr("Quality"), this), 0, 0);
  m_quality = new QComboBox(this);
  m_quality->setObjectName(Fmt("%d", kQualityId));
  m_quality->addItems(CRecorderWindowState::QualityTexts());
  MakeDropDown(m_quality);
  connect(m_quality, &QComboBox::activated, this, [this](int index) { OnQualityChosen(index); });
  connect(m_quality->lineEdit(), &QLineEdit::editingFinished, this, [this] { ShowSettings(); });
  optionGrid->addWidget(m_quality, 0, 1);
  optionGrid->addWidget(new QLabel(tr("Record time"), this), 1, 0);
  m_recordTime = new CValueEdit(this);
  m_recordTime->setObjectName(Fmt("%d", kRecordTimeId));
  connect(m_recordTime, &CValueEdit::killFocus, this, [this] { OnRecordTimeEdited(); });
  optionGrid->addWidget(m_recordTime, 1, 1);
  optionGrid->addWidget(new QLabel(tr("s  ( 0.0...360.4 s,  0.0 means no time limit )"), this), 1, 2);
  outer->addWidget(options);

  auto* flash = new QGroupBox(tr("Flash Memory"), this);
  auto* banks = new QHBoxLayout(flash);
  for (int bank = 0; bank < CRecorderWindowState::kBankCount; ++bank) {
    auto* box = new QPushButton(Fmt("%d", bank + 1), this);
    box->setObjectName(Fmt("%d", kBankIds[bank]));
    box->setCheckable(true);
    box->setEnabled(false);
    banks->addWidget(box);
    m_banks[bank] = box;
  }
  outer->addWidget(flash);
  outer->addStretch(1);
}

QPushButton* CRecorderView::BankBox(int bank) const {
  return bank >= 0 && bank < CRecorderWindowState::kBankCount ? m_banks[bank] : nullptr;
}

QPushButton* CRecorderView::Button(int id) const { return findChild<QPushButton*>(Fmt("%d", id)); }

void CRecorderView::FillMessages() {
  const QSignalBlocker block(m_message);
  m_message->clear();
  m_message->addItems(m_state.MessageNames());
  m_message->setCurrentIndex(m_state.MessageIndex());
}

void CRecorderView::ShowSettings() {
  const QSignalBlocker b1(m_source);
  const QSignalBlocker b2(m_destination);
  const QSignalBlocker b3(m_quality);
  const QSignalBlocker b4(m_message);
  ShowChoice(m_source, m_state.SourceIndex());
  ShowChoice(m_destination, m_state.DestinationIndex());
  ShowChoice(m_quality, m_quality->findText(m_state.Quality(), Qt::MatchExactly));
  ShowChoice(m_message, m_state.MessageIndex());
  m_recordTime->SetFloat(m_state.Recorder() ? m_state.Recorder()->GetParamFloat(CInternalMessageRec::P_MAXTIME) : 0.0,
                         true, QStringLiteral("%3.1f"));
}

void CRecorderView::Send(const QStringList& lines) {
  if (!lines.isEmpty()) GetDeviceLink()->SendCommandList(lines, true, 0, this, 0);
}

void CRecorderView::OnInitialUpdate() {
  const bool online = IsOnline();
  for (QPushButton* button : m_functionButtons) button->setEnabled(online);
  for (QPushButton* box : m_banks) {
    box->setEnabled(false);
    box->setChecked(false);
  }
  // The project without a recorder: nothing to edit.
  const bool hasRecorder = m_state.Recorder() != nullptr;
  for (QWidget* w :
       {static_cast<QWidget*>(m_source), static_cast<QWidget*>(m_message), static_cast<QWidget*>(m_destination),
        static_cast<QWidget*>(m_quality), static_cast<QWidget*>(m_recordTime)})
    w->setEnabled(hasRecorder);
  FillMessages();
  ShowSettings();
  if (online) QuerySettings();
  StartPollTimer(IDT_SECOND_TICK, CRecorderWindowState::kPollPeriodMs);
}

void CRecorderView::OnLineChanged(bool online) {
  for (QPushButton* button : m_functionButtons) button->setEnabled(online);
  // The unit may have changed while the line was away.
  if (online) QuerySettings();
}

void CRecorderView::QuerySettings() { Send(CRecorderWindowState::QueryCommands()); }

void CRecorderView::OnPoll() { Send(CRecorderWindowState::PollCommands()); }

void CRecorderView::OnSourceChosen(int index) {
  Send(m_state.ChooseSource(index, IsOnline()));
  ShowSettings();
}

void CRecorderView::OnMessageChosen(int index) {
  Send(m_state.ChooseMessage(index, IsOnline()));
  ShowSettings();
}

void CRecorderView::OnMessageEdited(const QString& text) {
  if (!m_state.RenameMessage(text)) return;
  // The list entry follows, without disturbing the text being typed.
  const int index = m_state.MessageIndex();
  const QSignalBlocker block(m_message);
  const int cursor = m_message->lineEdit()->cursorPosition();
  m_message->setItemText(index, text);
  m_message->lineEdit()->setText(text);
  m_message->lineEdit()->setCursorPosition(cursor);
}

void CRecorderView::OnMessageDropDown() { FillMessages(); }

void CRecorderView::OnDestinationChosen(int index) {
  Send(m_state.ChooseDestination(index, IsOnline()));
  ShowSettings();
}

void CRecorderView::OnQualityChosen(int index) {
  Send(m_state.ChooseQuality(m_quality->itemText(index), IsOnline()));
  ShowSettings();
}

void CRecorderView::OnRecordTimeEdited() {
  Send(m_state.MaxTimeFromText(m_recordTime->text(), IsOnline()));
  ShowSettings();
}

void CRecorderView::OnFunction(const QString& function) { Send(CRecorderWindowState::FunctionCommands(function)); }

void CRecorderView::OnInfo() { Send(CRecorderWindowState::InfoCommands()); }

void CRecorderView::OnFormat() {
  std::array<bool, CRecorderWindowState::kBankCount> chosen{};
  for (int bank = 0; bank < CRecorderWindowState::kBankCount; ++bank)
    chosen[bank] = m_banks[bank]->isEnabled() && m_banks[bank]->isChecked();
  Send(CRecorderWindowState::FormatCommands(chosen));
}

void CRecorderView::OnCommReply(int /*tag*/, const QStringList& lines) {
  const CRecorderWindowState::Changes changes = m_state.ApplyReply(lines);
  COnlineReplyParser::ConsumeLinkReplies();
  if (changes.settings) ShowSettings();
  if (changes.panes) {
    for (int pane = 0; pane < CRecorderWindowState::kPaneCount; ++pane) emit paneText(pane, m_state.PaneText(pane));
  }
  if (changes.banks) {
    for (int bank = 0; bank < CRecorderWindowState::kBankCount; ++bank) {
      const bool offered = m_state.IsBankOffered(bank);
      m_banks[bank]->setEnabled(offered);
      m_banks[bank]->setChecked(offered);
    }
  }
}
