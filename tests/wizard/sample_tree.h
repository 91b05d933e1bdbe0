#ifndef QUORLIN_TESTS_SAMPLE_TREE_H
#define QUORLIN_TESTS_SAMPLE_TREE_H

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary folder, made the current directory, holding a project file, a destination
// folder and one personality of each kind.
class SampleTree {
 public:
  SampleTree() {
    QDir::setCurrent(root_.path());
    QDir(root_.path()).mkdir(QStringLiteral("out"));
    for (const char* name : {"board.gpj", "msg.p_s", "anal.p_a", "cmp.p_c"}) write(QLatin1String(name), "x\n");
  }

  bool isValid() const { return root_.isValid(); }
  QString path(const QString& name) const { return QDir(root_.path()).filePath(name); }
  void write(const QString& name, const QByteArray& content) const {
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(content);
  }
  QByteArray read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

 private:
  QTemporaryDir root_;
};

#endif  // QUORLIN_TESTS_SAMPLE_TREE_H
