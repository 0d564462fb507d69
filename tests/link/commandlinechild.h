#ifndef SELV_TESTS_LINK_COMMANDLINECHILD_H
#define SELV_TESTS_LINK_COMMANDLINECHILD_H

// The command-line program run as a child of the test against the simulated
// unit, with a profile of its own, on a small project of every family.
#include "everyfamily.h"
#include "everyfamilyproject.h"
#include "model/cselvantisdoc.h"
#include "unitsimulator.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class CommandLineChildTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    project = dir.filePath(QStringLiteral("plant.sxm"));
    CSelvantisDoc doc;
    FillEveryFamilyProject(doc, EveryFamilySize::Small);
    ASSERT_TRUE(doc.OnSaveDocument(project));
    TeachEveryFamily(sim);
  }
  void TearDown() override { sim.Stop(); }

  // Starts the program with args on the simulator's port, its texts in English.
  void Start(QProcess& process, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SELV_PROGRAM_PATH), args + QStringList{"--port", sim.PtyPath(), "--language", "en"});
  }
  // The lines of the project the unit received, without the link's own.
  int ProjectLines() const {
    int count = 0;
    for (const QString& line : sim.FullLines())
      if (!line.startsWith("/MACRO/LOCK") && !line.startsWith("/PROTECT") && !line.startsWith("/SERVICE/") &&
          !line.startsWith("/CLOCK/"))
        ++count;
    return count;
  }

  QTemporaryDir dir;
  QString project;
  UnitSimulator sim;
};

#endif
