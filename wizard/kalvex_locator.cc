#include "kalvex_locator.h"

#include <QStandardPaths>
#include <QStringList>

QString locateKalvex(const QString& ownFolder) {
  const QString name = QStringLiteral("Kalvex");
  const QString beside = QStandardPaths::findExecutable(name, QStringList{ownFolder});
  if (!beside.isEmpty()) return beside;
  const QString onPath = QStandardPaths::findExecutable(name);
  return onPath.isEmpty() ? name : onPath;
}
