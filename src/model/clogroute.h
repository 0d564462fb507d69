#ifndef SELV_MODEL_CLOGROUTE_H
#define SELV_MODEL_CLOGROUTE_H

#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The program's log: the notes its parts write for developers (the
// categories "selv.*" and "sx.*") and Qt's own warnings (a missing
// XDG_RUNTIME_DIR, a plug-in's complaint). With --verbose they go to the
// error output, each line "selvantis: log: category: text"; without it
// nowhere, so that the error output holds only the program's messages. A
// fatal message always goes out. The route holds while the object lives;
// routes nest, and the one before comes back.
class CLogRoute final {
 public:
  CLogRoute(QIODevice& err, bool verbose);
  ~CLogRoute();
  CLogRoute(const CLogRoute&) = delete;
  CLogRoute& operator=(const CLogRoute&) = delete;

  // Whether the arguments ask for the log (--verbose).
  static bool AsksForLog(const QStringList& args);

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

  QtMessageHandler m_previous = nullptr;
  QIODevice* m_previousErr = nullptr;
  bool m_previousVerbose = false;
};

#endif
