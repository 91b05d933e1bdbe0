#ifndef QUORLIN_KALVEX_RUN_H
#define QUORLIN_KALVEX_RUN_H

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QStringList>

// One run of the converter: one process, its program and arguments, and how it ended.
// Standard output is offered as it arrives; standard error is discarded.
class KalvexRun : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    Running,     // not ended yet, or not started
    Succeeded,   // ended normally with exit code 0
    Failed,      // ended normally with another exit code
    Crashed,     // ended abnormally, not by kill()
    Killed,      // ended by kill()
    NotStarted,  // the program could not be started
  };
  Q_ENUM(Outcome)

  KalvexRun(const QString& program, const QStringList& arguments, QObject* parent = nullptr);
  // A run still going is killed and reaped, without a signal.
  ~KalvexRun() override;

  const QString& program() const { return program_; }
  const QStringList& arguments() const { return arguments_; }

  // Starts the process in the caller's environment and current directory. When it cannot be
  // started, ended() comes with NotStarted, possibly before start() returns.
  void start();
  // Ends a running converter and waits for it (at most a few seconds); its end is Killed.
  void kill();
  bool isRunning() const;
  Outcome outcome() const { return outcome_; }
  // The standard output that arrived since the last call.
  QByteArray readOutput();

 signals:
  void outputReady();
  // Emitted once, when the outcome is known.
  void ended();

 private:
  void finish(int exitCode, QProcess::ExitStatus status);
  void fail(QProcess::ProcessError error);

  QProcess process_;
  QString program_;
  QStringList arguments_;
  Outcome outcome_ = Outcome::Running;
  bool killed_ = false;
};

#endif  // QUORLIN_KALVEX_RUN_H
