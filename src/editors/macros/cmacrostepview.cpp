#include "editors/macros/cmacrostepview.h"

#include "editors/macros/cmacrodlgfrm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <map>
#include <string>

CMacroStepView::CMacroStepView(CMacroDlgFrm* frame, const QString& description, QWidget* parent)
    : QWidget(parent), m_frame(frame) {
  auto* layout = new QVBoxLayout(this);
  auto* function = new QGroupBox(tr("Function"), this);
  auto* functionLayout = new QVBoxLayout(function);
  auto* text = new QLabel(description, function);
  text->setObjectName(QStringLiteral("description"));
  text->setWordWrap(true);
  functionLayout->addWidget(text);
  layout->addWidget(function);
  m_parameters = new QGroupBox(tr("Parameter"), this);
  m_parameterLayout = new QVBoxLayout(m_parameters);
  layout->addWidget(m_parameters);
  layout->addStretch(1);
}

CMacroStepView::~CMacroStepView() = default;

CMacro* CMacroStepView::CurrentMacro() const { return m_frame ? m_frame->GetCurrentMacro() : nullptr; }

CSelvantisDoc* CMacroStepView::Document() const { return m_frame ? m_frame->GetDocument() : nullptr; }

void CMacroStepView::RequestRefresh() {
  if (!m_frame) return;
  QPointer<CMacroDlgFrm> frame(m_frame);
  QMetaObject::invokeMethod(
      m_frame,
      [frame] {
        if (frame) frame->RefreshMacroList();
      },
      Qt::QueuedConnection);
}

void CMacroStepView::FillChoices(QComboBox* combo, const MacroStepFields::Choices& choices, int index) {
  const QSignalBlocker block(combo);
  combo->clear();
  for (const MacroStepFields::Choice& choice : choices) combo->addItem(choice.text, choice.data);
  if (combo->count() > 0) combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

QComboBox* CMacroStepView::AddChoiceRow(const QString& label, QWidget* owner) {
  QWidget* parent = owner ? owner : m_parameters;
  auto* row = new QHBoxLayout;
  auto* caption = new QLabel(label, parent);
  auto* combo = new QComboBox(parent);
  combo->setEditable(false);
  row->addWidget(caption);
  row->addWidget(combo, 1);
  m_parameterLayout->addLayout(row);
  return combo;
}

void CMacroStepView::AddPairRows(const QString& onLabel, const QString& offLabel) {
  auto* form = new QFormLayout;
  m_onRow = new QLabel(m_parameters);
  m_offRow = new QLabel(m_parameters);
  m_onRow->setObjectName(QStringLiteral("onRow"));
  m_offRow->setObjectName(QStringLiteral("offRow"));
  for (QLabel* row : {m_onRow, m_offRow}) row->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  form->addRow(onLabel, m_onRow);
  form->addRow(offLabel, m_offRow);
  m_parameterLayout->addLayout(form);
}

void CMacroStepView::ShowPairRows(const CMacro& macro) {
  if (!m_onRow || !m_offRow) return;
  const auto rows = MacroStepFields::PairRows(macro);
  m_onRow->setText(rows.first);
  m_offRow->setText(rows.second);
}

namespace {

std::map<std::string, CMacroStepViewRegistry::Factory>& Factories() {
  static std::map<std::string, CMacroStepViewRegistry::Factory> factories;
  return factories;
}

}  // namespace

bool CMacroStepViewRegistry::Register(const char* className, Factory factory) {
  if (!className || !factory) return false;
  return Factories().emplace(className, std::move(factory)).second;
}

CMacroStepView* CMacroStepViewRegistry::Create(const char* className, CMacroDlgFrm* frame, QWidget* parent) {
  const auto it = Factories().find(className ? className : "");
  return it == Factories().end() ? nullptr : it->second(frame, parent);
}

bool CMacroStepViewRegistry::Has(const char* className) { return className && Factories().count(className) != 0; }
