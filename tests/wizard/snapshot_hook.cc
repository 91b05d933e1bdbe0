// Loaded into the real Quorlin with LD_PRELOAD by scripts/screenshots.sh: fills the wizard with
// the sample named in QUORLIN_SAMPLE_* variables, walks its four pages and saves each one as
// page<N>.png in QUORLIN_SNAPSHOT_DIR, then quits.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QWizard>
#include <cstdio>

namespace {

void fill(QWizard* wizard, const char* field, const char* variable) {
  if (auto* edit = wizard->findChild<QLineEdit*>(QLatin1String(field)))
    edit->setText(qEnvironmentVariable(variable));
}

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
  QWizard* wizard = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<QWizard*>(widget))
      wizard = found;
  }
  if (!wizard) {
    std::printf("no wizard found\n");
    QCoreApplication::exit(2);
    return;
  }
  fill(wizard, "GHSProjectEdit", "QUORLIN_SAMPLE_PROJECT");
  fill(wizard, "ZinProjectEdit", "QUORLIN_SAMPLE_FOLDER");
  fill(wizard, "ZinNameEdit", "QUORLIN_SAMPLE_NAME");
  fill(wizard, "CmpPersonEdit", "QUORLIN_SAMPLE_COMPILER");
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
