#include "support/simlinktest.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"

void SimLinkTest::StartSim(const Families& registerFamilies) {
  if (registerFamilies) registerFamilies(sim);
  ASSERT_TRUE(sim.Start());
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
  doc.SetPathName(dir.filePath("site.sxm"));
  link = std::make_unique<CCommLink>();
  scope = std::make_unique<DeviceLinkScope>(link.get());
  link->SetFileViewer([this](const QString& path) { shown << path; });
}

void SimLinkTest::TearDown() {
  scope.reset();
  link.reset();
  sim.Stop();
}

bool SimLinkTest::Connect() {
  const bool ok = link->Connect(&doc);
  sim.ClearLog();
  return ok;
}

QStringList SimLinkTest::LinesUnder(const QString& prefix) const {
  QStringList lines;
  for (const QString& line : sim.FullLines())
    if (line.startsWith(prefix)) lines << line;
  return lines;
}
