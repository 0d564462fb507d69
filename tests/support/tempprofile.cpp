#include "support/tempprofile.h"

#include "model/cprofile.h"

TempProfile::TempProfile() : m_path(m_dir.filePath(QStringLiteral("profile.ini"))), m_previous(CProfile::IniFile()) {
  CProfile::UseIniFile(m_path);
}

TempProfile::~TempProfile() { CProfile::UseIniFile(m_previous); }
