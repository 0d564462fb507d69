#include "shell/caboutdlg.h"

#include "shell/ciconfactory.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDlg"));
  setWindowTitle(tr("About Selvantis"));
  auto* icon = new QLabel(this);
  icon->setPixmap(CIconFactory::AppPixmap(64));
  auto* text = new QLabel(this);
  text->setTextFormat(Qt::PlainText);
  text->setText(tr("Selvantis %1\n\nDesign, configuration and service of the VMX 7000\n"
                   "public-address and voice-alarm system.")
                    .arg(QCoreApplication::applicationVersion()));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}
