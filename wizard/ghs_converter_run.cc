#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>

#include "ghs_converter.h"
#include "kalvex_locator.h"
#include "kalvex_run.h"

QStringList GHSConverter::kalvexArguments() const {
  QStringList arguments{GHSProjectEdit->text(), ZinProjectEdit->text(), QStringLiteral("-cp"),
                        CmpPersonEdit->text(),  QStringLiteral("-pn"),  ZinNameEdit->text()};
  if (!MsgPersonEdit->text().isEmpty()) arguments << QStringLiteral("-mp") << MsgPersonEdit->text();
  if (!AnalPersonEdit->text().isEmpty()) arguments << QStringLiteral("-ap") << AnalPersonEdit->text();
  if (!extList.isEmpty()) arguments << QStringLiteral("-ext") << extList;
  if (!chosenConfig().isEmpty()) arguments << QStringLiteral("-config") << chosenConfig();
  arguments << QStringLiteral("-report") << reportPath();
  return arguments;
}

QString GHSConverter::reportPath() const {
  return QDir::toNativeSeparators(
      QDir(ZinProjectEdit->text()).filePath(ZinNameEdit->text() + QStringLiteral(".report.txt")));
}

void GHSConverter::accept() {
  if (conversionRunning()) return;
  delete process;
  process = new KalvexRun(locateKalvex(QCoreApplication::applicationDirPath()), kalvexArguments(), this);
  runReport = reportPath();
  runReportStamp = QFileInfo(runReport).lastModified();
  DetailsText->clear();
  DetailsText->setPlainText(tr("Initialising Project Conversion ...\n"));
  connect(process, &KalvexRun::outputReady, this, &GHSConverter::readFromStdout);
  connect(process, &KalvexRun::ended, this, &GHSConverter::processExit);
  finishReady = false;
  process->start();
  updateFinish();
}

void GHSConverter::readFromStdout() {
  if (process) appendToLog(QString::fromLocal8Bit(process->readOutput()));
}

void GHSConverter::processExit() {
  switch (process->outcome()) {
    case KalvexRun::Outcome::NotStarted:
      appendToLog(
          tr("Project Conversion could not be executed: Please ensure Kalvex.exe is set "
             "on the path.\n"));
      updateFinish();
      return;
    case KalvexRun::Outcome::Succeeded:
      appendReport();
      appendToLog(tr("Project Converted Successfully!"));
      finishReady = false;
      setButtonText(QWizard::CancelButton, tr("Close"));
      break;
    case KalvexRun::Outcome::Failed:
      appendReport();
      [[fallthrough]];
    case KalvexRun::Outcome::Crashed:
      showMessage(tr("Quorlin"), tr("Project Conversion Failed!\nPlease check the details log and try again."));
      break;
    case KalvexRun::Outcome::Killed:
    case KalvexRun::Outcome::Running:
      break;
  }
  updateFinish();
  saveSettings();
}

void GHSConverter::reject() {
  // Killing reaps the converter at once, so that its end is judged and the settings kept.
  if (process) process->kill();
  GHSConverterBase::reject();
}

void GHSConverter::showMessage(const QString& caption, const QString& text) {
  QMessageBox::about(nullptr, caption, text);
}
