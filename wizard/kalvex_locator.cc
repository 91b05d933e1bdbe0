#include "kalvex_locator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString locateKalvex(const QString& ownFolder) {
  const QString name = QStringLiteral("Kalvex");
  const QString onPath = QStandardPaths::findExecutable(name);
  if (!onPath.isEmpty()) return onPath;
#ifdef Q_OS_WIN
  const QFileInfo beside(QDir(ownFolder).filePath(name + QStringLiteral(".exe")));
#else
  const QFileInfo beside(QDir(ownFolder).filePath(name));
#endif
  if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
  return name;
}
