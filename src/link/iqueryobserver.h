#ifndef SELV_LINK_IQUERYOBSERVER_H
#define SELV_LINK_IQUERYOBSERVER_H

#include <QString>

// Learns, line by line, what the queries of an upload got: the link tells it
// of every query it writes in LINKMODE_UPLOAD, and of every line that answers
// one ("path value" or "ERROR path") just before and just after the line is
// routed to the document. Everything happens on the link's thread, inside the
// link's calls; the observer must not send anything itself.
class IQueryObserver {
 public:
  virtual ~IQueryObserver() = default;
  virtual void QueryWritten(const QString& path) = 0;
  virtual void AnswerArrived(const QString& path, const QString& line) = 0;
  virtual void AnswerRouted(const QString& path) = 0;
};

#endif
