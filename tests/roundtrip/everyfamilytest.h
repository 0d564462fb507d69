#ifndef SELV_TESTS_ROUNDTRIP_EVERYFAMILYTEST_H
#define SELV_TESTS_ROUNDTRIP_EVERYFAMILYTEST_H

#include "everyfamilyproject.h"
#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linktestbench.h"
#include "model/ctext.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

// The real link on the simulated unit with the every-family project at the
// size of a full installation (about 2,400 download lines and 5,600 upload
// queries), paced at 19200 baud unless a test asks for a faster line, on
// both sides. Every wait has a limit that only catches a hang.
class EveryFamilyTest : public LinkTestBench {
 protected:
  static constexpr char kXoff = 0x13;
  // At most half a second of the line in flight (960 characters at 19200
  // baud), with some room for the line being written at that moment.
  static constexpr int kInFlightBound = 1000;
  static constexpr int kLineCharsPerSecond = 1920;

  void SetUp() override {
    LinkTestBench::SetUp();
    TeachEveryFamily(sim);
    sim.SetPaced(true);
    FillEveryFamilyProject(*doc, EveryFamilySize::Full);
    ASSERT_TRUE(dir.isValid());
    projectPath = dir.filePath(QStringLiteral("every-family.sxm"));
    doc->SetPathName(projectPath);
  }

  // The program and the unit at another line rate (before Connect): only
  // the logic is under test, not the timing of the real line.
  void UseLineRate(int baud) {
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, Fmt("%d,n,8,1", baud));
    sim.SetLineRate(baud);
  }

  // The project's download lines, as the connected unit's capabilities
  // shape them.
  QStringList DownloadLines() const { return CCommandFile::CollectDownload(*doc); }
  // The unit holds the project as if it had been downloaded, without the
  // line's time.
  void PreloadUnit() { sim.Preload(DownloadLines()); }
  // Lines of the project the unit has taken (the macro lock excluded).
  int ProjectLinesAtUnit() const {
    int count = 0;
    for (const QString& line : sim.ReceivedLines())
      if (!line.startsWith(QLatin1String("/MACRO/LOCK "))) ++count;
    return count;
  }
  bool UnitTook(const QString& line) const { return sim.ReceivedLines().contains(line); }
  // What the last upload wrote into the project's error file.
  QString ErrorFileText() const {
    const QFileInfo info(projectPath);
    QFile file(info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral(".err"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
  }

  QTemporaryDir dir;
  QString projectPath;
};

// Samples a running transfer every 200 ms: the share its progress bar shows
// and, through the probe, the share the unit has really taken (a count,
// turned into a share once the whole is known).
class ProgressSampler final {
 public:
  explicit ProgressSampler(CTransfer& transfer, std::function<int()> probe) : m_probe(std::move(probe)) {
    transfer.SetProgressHandler([this](int done, int total) {
      m_done = done;
      m_total = total;
      if (!m_timer.isActive()) m_timer.start();
    });
    m_timer.setInterval(200);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (m_total > 0) m_samples.push_back(Sample{static_cast<double>(m_done) / m_total, m_probe()});
    });
  }
  void Stop() { m_timer.stop(); }
  int Count() const { return static_cast<int>(m_samples.size()); }
  // How far the bar ran ahead of the unit (positive) and lagged behind it
  // (negative) at worst, with whole the unit's count at the end.
  double MostAhead(int whole) const { return Extreme(whole, true); }
  double MostBehind(int whole) const { return Extreme(whole, false); }

 private:
  struct Sample {
    double shown;
    int unit;
  };
  double Extreme(int whole, bool ahead) const {
    double worst = 0;
    for (const Sample& s : m_samples) {
      const double lead = s.shown - static_cast<double>(s.unit) / whole;
      worst = ahead ? std::max(worst, lead) : std::min(worst, lead);
    }
    return worst;
  }

  std::function<int()> m_probe;
  QTimer m_timer;
  std::vector<Sample> m_samples;
  int m_done = 0;
  int m_total = 0;
};

#endif
