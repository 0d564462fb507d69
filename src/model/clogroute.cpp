#include "model/clogroute.h"

#include "model/cfilename.h"

#include <QIODevice>
#include <QLoggingCategory>
#include <QMutex>

#include <cstring>

namespace {

QIODevice* g_err = nullptr;
bool g_verbose = false;

}  // namespace

CLogRoute::CLogRoute(QIODevice& err, bool verbose) : m_previousErr(g_err), m_previousVerbose(g_verbose) {
  g_err = &err;
  g_verbose = verbose;
  m_previous = qInstallMessageHandler(&CLogRoute::Handle);
  // What nobody reads is not even written (QT_LOGGING_RULES still has the
  // last word).
  QLoggingCategory::setFilterRules(verbose ? QStringLiteral("selv.*.info=true\nsx.*.info=true")
                                           : QStringLiteral("selv.*.debug=false\nselv.*.info=false"));
}

CLogRoute::~CLogRoute() {
  qInstallMessageHandler(m_previous);
  g_err = m_previousErr;
  g_verbose = m_previousVerbose;
}

bool CLogRoute::AsksForLog(const QStringList& args) { return args.contains(QStringLiteral("--verbose")); }

void CLogRoute::Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (g_err == nullptr || (!g_verbose && type != QtFatalMsg)) return;
  const QString category = context.category != nullptr && std::strcmp(context.category, "default") != 0
                               ? QString::fromLatin1(context.category) + QStringLiteral(": ")
                               : QString();
  // Parts that log from threads of their own write one line at a time.
  static QMutex mutex;
  const QMutexLocker lock(&mutex);
  g_err->write(CFileName::ToSystem(QStringLiteral("selvantis: log: ") + category + text + QLatin1Char('\n')));
}
