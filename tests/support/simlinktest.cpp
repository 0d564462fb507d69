#include "support/simlinktest.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "support/waituntil.h"

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
  // The unit may take the connection's last line (and the link see its
  // echo) after Connect has returned: wait for both, however slow the
  // machine, so that nothing of the connection is left in the log.
  auto protectEchoes = [&] {
    int count = 0;
    for (const MonitorEntry& entry : link->Monitor().Entries())
      if (entry.direction == MonitorEntry::Received && entry.text == QLatin1String("/PROTECT OFF")) ++count;
    return count;
  };
  const int before = protectEchoes();
  const bool ok = link->Connect(&doc);
  if (ok) WaitUntil([&] { return protectEchoes() > before; });
  sim.ClearLog();
  return ok;
}

QStringList SimLinkTest::LinesUnder(const QString& prefix) const {
  QStringList lines;
  for (const QString& line : sim.FullLines())
    if (line.startsWith(prefix)) lines << line;
  return lines;
}
