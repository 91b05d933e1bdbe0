// Loaded into the real Quorlin with LD_PRELOAD, or on Windows as a plugin (snapshot_plugin.cc),
// for scripts/screenshots.sh, the README command test and the package check: fills the wizard with the sample named in
// QUORLIN_SAMPLE_* variables, walks its four pages, presses Finish and waits for the run's end. When
// QUORLIN_SNAPSHOT_DIR is set it saves each page as page<N>.png there, and the log after the run as log.png. Prints the
// log and quits with 0 only when the run converted the project.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QWizard>
#include <cstdio>

#include "support/wizard_sample.h"

namespace {

const QString kSucceeded = QStringLiteral("Project Converted Successfully!");
const QString kNotStarted = QStringLiteral("Project Conversion could not be executed");
const int kRunTimeoutMs = 60000;

void check(QWizard* wizard, const char* box) {
  if (auto* checkBox = wizard->findChild<QCheckBox*>(QLatin1String(box))) checkBox->setChecked(true);
}

bool save(QWizard* wizard, const QString& name) {
  if (!qEnvironmentVariableIsSet("QUORLIN_SNAPSHOT_DIR")) return true;
  QCoreApplication::processEvents();
  const QString path = QDir(qEnvironmentVariable("QUORLIN_SNAPSHOT_DIR")).filePath(name);
  const bool saved = wizard->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

// A failed run shows a message box: print its text and quit.
class FailureWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        std::printf("message box: %s\n", qPrintable(box->text()));
        QCoreApplication::exit(1);
      }
    }
    return false;
  }
};

// Quits once the log shows how the run ended, or when it takes too long.
void awaitEnd(QWizard* wizard, QTextBrowser* log, bool savedPages) {
  auto judge = [wizard, log, savedPages] {
    const QString text = log->toPlainText();
    const bool succeeded = text.endsWith(kSucceeded);
    if (!succeeded && !text.contains(kNotStarted)) return;
    // The wizard finishes its reaction (the Close label, the scrolled log) after this line.
    QTimer::singleShot(200, wizard, [wizard, text, succeeded, savedPages] {
      const bool saved = save(wizard, QStringLiteral("log.png")) && savedPages;
      std::printf("%s\n", qPrintable(text));
      QCoreApplication::exit(succeeded && saved ? 0 : 1);
    });
  };
  QObject::connect(log, &QTextBrowser::textChanged, wizard, judge);
  qApp->installEventFilter(new FailureWatch(wizard));
  QTimer::singleShot(kRunTimeoutMs, wizard, [] {
    std::printf("the run did not end\n");
    QCoreApplication::exit(3);
  });
}

void walk() {
  QWizard* wizard = testing::findSampleWizard();
  if (!wizard) return;
  auto* log = wizard->findChild<QTextBrowser*>(QStringLiteral("DetailsText"));
  if (!log) {
    std::printf("the wizard has no log\n");
    QCoreApplication::exit(2);
    return;
  }
  testing::fillSample(wizard);
  check(wizard, "cCheck");
  check(wizard, "hCheck");
  bool saved = true;
  for (int index = 0; index < 4; ++index) {
    saved = save(wizard, QStringLiteral("page%1.png").arg(index)) && saved;
    if (index < 3) wizard->button(QWizard::NextButton)->click();
  }
  awaitEnd(wizard, log, saved);
  wizard->button(QWizard::FinishButton)->click();
}

void scheduleWalk() { QTimer::singleShot(300, walk); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleWalk)
