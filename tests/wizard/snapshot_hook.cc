// Loaded into the real Quorlin with LD_PRELOAD by scripts/screenshots.sh: fills the wizard with
// the sample named in QUORLIN_SAMPLE_* variables, walks its four pages and saves each one as
// page<N>.png in QUORLIN_SNAPSHOT_DIR, then quits.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QWizard>
#include <cstdio>

#include "support/wizard_sample.h"

namespace {

void check(QWizard* wizard, const char* box) {
  if (auto* checkBox = wizard->findChild<QCheckBox*>(QLatin1String(box)))
    checkBox->setChecked(true);
}

bool savePage(QWizard* wizard, int index) {
  QCoreApplication::processEvents();
  const QString path = QDir(qEnvironmentVariable("QUORLIN_SNAPSHOT_DIR"))
                           .filePath(QStringLiteral("page%1.png").arg(index));
  const bool saved = wizard->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

void walk() {
  QWizard* wizard = testing::findSampleWizard();
  if (!wizard) return;
  testing::fillSample(wizard);
  check(wizard, "cppCheck");
  check(wizard, "hCheck");
  bool saved = true;
  for (int index = 0; index < 4; ++index) {
    saved = savePage(wizard, index) && saved;
    if (index < 3)
      wizard->button(QWizard::NextButton)->click();
  }
  QCoreApplication::exit(saved ? 0 : 1);
}

void scheduleWalk() {
  QTimer::singleShot(300, walk);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(scheduleWalk)
