#ifndef SELV_LINK_CCOMMANDINPUTS_H
#define SELV_LINK_CCOMMANDINPUTS_H

#include "model/cfileidentity.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// What a command of the command line reads: its project, the unit's port,
// the program's settings file. An output is none of them, by whatever name
// it reaches them (a link, a second name, another node of the same device):
// writing the port would send the output to the unit as commands, writing
// an input would destroy what the command reads. The names are compared by
// what they reach on the system, before anything is read or sent.
class CCommandInputs final {
 public:
  enum class Kind { Project, Port, Settings };

  // An input that does not exist (a port not plugged in) is left out.
  void Add(Kind kind, const QString& path);
  // The input that output is, if any; the first one added wins.
  std::optional<Kind> Find(const QString& output) const;

 private:
  std::vector<std::pair<Kind, CFileIdentity>> m_inputs;
};

#endif
