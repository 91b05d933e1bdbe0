// Loaded into an installed Quorlin with LD_PRELOAD by scripts/check-packages.sh: fills the wizard
// with the project named in QUORLIN_SAMPLE_* variables, walks to the last page, presses Finish
// and waits for the conversion. Prints the log and quits: 0 when the run reported success.
#include <QAbstractButton>
#include <QApplication>
#include <QProcess>
#include <QTextEdit>
#include <QTimer>
#include <QWizard>
#include <cstdio>

#include "support/wizard_sample.h"

namespace {

// Prints the log once the wizard has handled the end of the run, closes what it opened and quits.
void finish(QWizard* wizard) {
  QTimer::singleShot(0, wizard, [wizard] {
    const auto* log = wizard->findChild<QTextEdit*>(QStringLiteral("DetailsText"));
    const QString text = log ? log->toPlainText() : QString();
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
    QCoreApplication::exit(text.contains(QStringLiteral("Project Converted Successfully!")) ? 0 : 1);
  });
}

void run() {
  QWizard* wizard = testing::findSampleWizard();
  if (!wizard) return;
  testing::fillSample(wizard);
  for (int page = 0; page < 3; ++page) wizard->button(QWizard::NextButton)->click();
  wizard->button(QWizard::FinishButton)->click();
  auto* process = wizard->findChild<QProcess*>();
  if (!process || process->state() == QProcess::NotRunning) {
    finish(wizard);
    return;
  }
  QObject::connect(process, &QProcess::finished, wizard, [wizard] { finish(wizard); });
  QObject::connect(process, &QProcess::errorOccurred, wizard, [wizard] { finish(wizard); });
}

void scheduleRun() {
  QTimer::singleShot(300, run);
  // A wizard that never ends its run fails the check instead of hanging it.
  QTimer::singleShot(60000, [] {
    std::printf("the conversion did not end within a minute\n");
    std::fflush(stdout);
    std::_Exit(3);
  });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleRun)
