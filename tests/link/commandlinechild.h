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
  void Start(QProcess& process, const QStringList& args) { StartOn(process, args, sim.PtyPath()); }
  // The same on another name of a port.
  void StartOn(QProcess& process, const QStringList& args, const QString& port) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SELV_PROGRAM_PATH), args + QStringList{"--port", port, "--language", "en"});
  }
  // The programs' settings folder ("XDG_CONFIG_HOME"), and in it the file of
  // the notes of units that may have been left open.
  QString ConfigHome() const { return dir.filePath(QStringLiteral("config")); }
  QString NotesFile() const { return ConfigHome() + QStringLiteral("/VELMORIX/Selvantis.conf.unclosed"); }
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
