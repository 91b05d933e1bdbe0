#include "kalvex_run.h"

namespace {

const int kReapTimeoutMs = 3000;

}  // namespace

KalvexRun::KalvexRun(const QString& program, const QStringList& arguments, QObject* parent)
    : QObject(parent), program_(program), arguments_(arguments) {
  process_.setProgram(program_);
  process_.setArguments(arguments_);
  process_.setStandardErrorFile(QProcess::nullDevice());
  connect(&process_, &QProcess::readyReadStandardOutput, this, &KalvexRun::outputReady);
  connect(&process_, &QProcess::finished, this, &KalvexRun::finish);
  connect(&process_, &QProcess::errorOccurred, this, &KalvexRun::fail);
}

KalvexRun::~KalvexRun() {
  process_.disconnect(this);
  if (isRunning()) {
    process_.kill();
    process_.waitForFinished(kReapTimeoutMs);
  }
}

void KalvexRun::start() { process_.start(); }

void KalvexRun::kill() {
  if (!isRunning()) return;
  killed_ = true;
  process_.kill();
  process_.waitForFinished(kReapTimeoutMs);
}

bool KalvexRun::isRunning() const { return process_.state() != QProcess::NotRunning; }

QByteArray KalvexRun::readOutput() { return process_.readAllStandardOutput(); }

void KalvexRun::finish(int exitCode, QProcess::ExitStatus status) {
  if (outcome_ != Outcome::Running) return;
  if (status == QProcess::NormalExit)
    outcome_ = exitCode == 0 ? Outcome::Succeeded : Outcome::Failed;
  else
    outcome_ = killed_ ? Outcome::Killed : Outcome::Crashed;
  emit ended();
}

void KalvexRun::fail(QProcess::ProcessError error) {
  // Every other error is followed by finished(), which judges the run.
  if (error != QProcess::FailedToStart || outcome_ != Outcome::Running) return;
  outcome_ = Outcome::NotStarted;
  emit ended();
}
