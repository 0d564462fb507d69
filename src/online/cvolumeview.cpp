#include "online/cvolumeview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/ctickslider.h"
#include "shell/controls/cvalueedit.h"

#include <QAbstractSlider>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace {

const char* const kChannelLabels[CVolumeWindowState::kChannelCount] = {
    QT_TRANSLATE_NOOP("CVolumeView", "IN1"),   QT_TRANSLATE_NOOP("CVolumeView", "IN2"),
    QT_TRANSLATE_NOOP("CVolumeView", "IN3"),   QT_TRANSLATE_NOOP("CVolumeView", "IN4"),
    QT_TRANSLATE_NOOP("CVolumeView", "Chime"), QT_TRANSLATE_NOOP("CVolumeView", "Messages"),
};

}  // namespace

CVolumeView::CVolumeView(CSelvantisDoc* doc, QWidget* parent) : QWidget(parent), m_state(doc) {
  BuildForm();
  // The unit that comes back may hold other levels: they are asked again.
  if (doc)
    connect(doc, &CSelvantisDoc::connectedChanged, this, [this](bool connected) {
      if (connected && IsOnline()) QueryLevels();
    });
}

CVolumeView::~CVolumeView() {
  // Reply lines go to the project again rather than to a window that has
  // gone.
  if (m_queried) GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
}

void CVolumeView::BuildForm() {
  auto* outer = new QHBoxLayout(this);
  auto* inputs = new QGroupBox(tr("Inputs"), this);
  auto* inputGrid = new QGridLayout(inputs);
  outer->addWidget(inputs);

  auto addColumn = [this](QGroupBox* group, QGridLayout* grid, int column, int channel, bool label) {
    const CVolumeWindowState::ChannelInfo& info = CVolumeWindowState::kChannels[channel];
    if (label) grid->addWidget(new QLabel(tr(kChannelLabels[channel]), group), 0, column, Qt::AlignHCenter);
    grid->addWidget(new QLabel(CVolumeWindowState::IsInput(channel) ? tr("0 dB") : tr("6 dB"), group), 1, column,
                    Qt::AlignHCenter);
    auto* slider = new CTickSlider(Qt::Vertical, group);
    slider->setObjectName(Fmt("%d", info.sliderId));
    // Smallest position at the top; the down key moves the thumb down.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setRange(CVolumeWindowState::SliderMin(channel), CVolumeWindowState::SliderMax(channel));
    slider->setSingleStep(1);
    slider->setPageStep(10);
    // The marks stand at 0, -10, ..., -140 dB on every slider, which on
    // the chime and message sliders (+6 dB at the top) is not every 10
    // positions from their end.
    slider->SetTickPositions(CVolumeWindowState::TickPositions(channel));
    slider->setMinimumHeight(160);
    connect(slider, &QAbstractSlider::actionTriggered, this,
            [this, channel](int action) { OnSliderAction(channel, action); });
    connect(slider, &QAbstractSlider::sliderReleased, this, [this, channel] { Confirm(channel); });
    grid->addWidget(slider, 2, column, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("-150 dB"), group), 3, column, Qt::AlignHCenter);
    auto* edit = new CValueEdit(group);
    edit->setObjectName(Fmt("%d", info.editId));
    edit->setMaximumWidth(60);
    connect(edit, &CValueEdit::killFocus, this, [this, channel] { Confirm(channel); });
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(new QLabel(tr("dB"), group));
    grid->addLayout(row, 4, column);
    m_sliders[channel] = slider;
    m_edits[channel] = edit;
  };
  for (int c = CVolumeWindowState::IN1; c <= CVolumeWindowState::IN4; ++c) addColumn(inputs, inputGrid, c, c, true);

  auto* chime = new QGroupBox(tr("Chime"), this);
  addColumn(chime, new QGridLayout(chime), 0, CVolumeWindowState::Chime, false);
  outer->addWidget(chime);
  auto* messages = new QGroupBox(tr("Messages"), this);
  addColumn(messages, new QGridLayout(messages), 0, CVolumeWindowState::Messages, false);
  outer->addWidget(messages);
}

QSlider* CVolumeView::Slider(int channel) const {
  return CVolumeWindowState::IsChannel(channel) ? m_sliders[channel] : nullptr;
}

CValueEdit* CVolumeView::Edit(int channel) const {
  return CVolumeWindowState::IsChannel(channel) ? m_edits[channel] : nullptr;
}

void CVolumeView::PlaceSlider(int channel, double value) {
  const QSignalBlocker block(m_sliders[channel]);
  m_sliders[channel]->setValue(CVolumeWindowState::PositionFor(channel, value));
}

void CVolumeView::OnInitialUpdate() {
  for (int c = 0; c < CVolumeWindowState::kChannelCount; ++c) m_edits[c]->SetFloat(0.0, true, QStringLiteral("%4.1f"));
  for (int c = 0; c < CVolumeWindowState::kChannelCount; ++c) {
    const QString text = m_state.ProjectText(c);
    if (!text.isEmpty()) m_edits[c]->setText(text);
    PlaceSlider(c, m_edits[c]->GetFloat(true));
  }
  if (IsOnline()) {
    m_state.SetModified();
    QueryLevels();
  }
}

void CVolumeView::QueryLevels() { m_queried |= m_state.QueryLevels(*GetDeviceLink(), this); }

void CVolumeView::StoreLevels() {
  std::array<QString, CVolumeWindowState::kChannelCount> texts;
  for (int c = 0; c < CVolumeWindowState::kChannelCount; ++c) texts[c] = m_edits[c]->text();
  m_state.StoreLevels(texts);
}

void CVolumeView::OnSliderAction(int channel, int action) {
  QSlider* slider = m_sliders[channel];
  if (action == QAbstractSlider::SliderNoAction) return;
  // The action has moved the position already.
  const int position = slider->sliderPosition();
  const double value = CVolumeWindowState::SliderLevel(channel, position);
  m_edits[channel]->SetFloat(value, true, QStringLiteral("%4.1f"));
  // While the thumb is dragged the edit follows; the release confirms.
  if (action == QAbstractSlider::SliderMove && slider->isSliderDown()) return;
  Confirm(channel);
}

void CVolumeView::Confirm(int channel) {
  if (!CVolumeWindowState::IsChannel(channel)) return;
  CValueEdit* edit = m_edits[channel];
  const double value = CVolumeWindowState::Clamp(channel, edit->GetFloat(true));
  edit->SetFloat(value, true, QStringLiteral("%.1f"));
  PlaceSlider(channel, value);
  m_state.SetModified();
  m_state.SendLevel(*GetDeviceLink(), channel, edit->text());
  StoreLevels();
}

void CVolumeView::OnCommReply(int /*tag*/, const QStringList& lines) {
  for (const CVolumeWindowState::ReplyItem& item : CVolumeWindowState::ParseReply(lines)) {
    CValueEdit* edit = m_edits[item.channel];
    edit->setText(item.value);
    PlaceSlider(item.channel, edit->GetFloat(true));
  }
  COnlineReplyParser::ConsumeLinkReplies();
  StoreLevels();
}
