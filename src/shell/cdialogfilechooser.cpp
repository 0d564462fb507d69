#include "shell/cdialogfilechooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

CDialogFileChooser::CDialogFileChooser(std::function<QString()> projectPath) : m_projectPath(std::move(projectPath)) {}

QString CDialogFileChooser::OpenFileName(QWidget* parent, const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, StartFolder(m_projectPath ? m_projectPath() : QString()),
                                      filter);
}

QString CDialogFileChooser::SaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                         const QString& filter) {
  const QString folder = StartFolder(m_projectPath ? m_projectPath() : QString());
  return QFileDialog::getSaveFileName(parent, caption, InFolder(proposed, folder), filter);
}

QString CDialogFileChooser::StartFolder(const QString& projectPath) {
  if (!projectPath.isEmpty()) {
    const QFileInfo project(projectPath);
    if (project.isAbsolute() && project.dir().exists()) return project.absolutePath();
  }
  return QDir::homePath();
}

QString CDialogFileChooser::InFolder(const QString& proposed, const QString& folder) {
  if (proposed.isEmpty()) return folder;
  if (QFileInfo(proposed).isAbsolute()) return proposed;
  return QDir(folder).filePath(proposed);
}
