#include "link/commreply.h"

#include <QMetaObject>
#include <QObject>

bool DeliverCommReply(QObject* target, int tag, const QStringList& lines) {
  if (!target) return false;
  static const QByteArray signature = QMetaObject::normalizedSignature("OnCommReply(int,QStringList)");
  if (target->metaObject()->indexOfMethod(signature.constData()) < 0) return false;
  return QMetaObject::invokeMethod(target, "OnCommReply", Qt::DirectConnection, Q_ARG(int, tag),
                                   Q_ARG(QStringList, lines));
}
