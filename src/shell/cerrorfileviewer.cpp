#include "shell/cerrorfileviewer.h"

#include "model/cfilename.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// An error file is a few hundred lines at most; a larger file is shown cut.
constexpr qint64 kMaxShownBytes = 4 * 1024 * 1024;
}  // namespace

CErrorFileViewer::CErrorFileViewer(QWidget* parent) : QDialog(parent), m_text(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("ErrorFileViewer"));
  m_text->setReadOnly(true);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addWidget(buttons);
  resize(720, 420);
}

bool CErrorFileViewer::Load(const QString& path, QString* errorText) {
  QFile file;
  if (!CFileName::OpenForReading(file, path, errorText)) return false;
  const QByteArray bytes = file.read(kMaxShownBytes);
  m_path = path;
  m_text->setPlainText(QString::fromLatin1(bytes));
  setWindowTitle(CFileName::Display(QFileInfo(path).fileName()));
  return true;
}

QString CErrorFileViewer::Text() const { return m_text->toPlainText(); }

bool CErrorFileViewer::ShowFile(const QString& path, QWidget* parent) {
  if (CFileName::Size(path) <= 0) return false;
  auto* viewer = new CErrorFileViewer(parent);
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  if (!viewer->Load(path)) {
    delete viewer;
    return false;
  }
  viewer->show();
  viewer->raise();
  return true;
}
