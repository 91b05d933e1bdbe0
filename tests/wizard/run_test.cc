// Finish runs Kalvex: a fake Kalvex first on the search path records its arguments and ends
// with a chosen code, so the argument list, the log and the reaction to each ending show.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTextBrowser>
#include <memory>

#include "kalvex_locator.h"
#include "kalvex_run.h"
#include "sample_tree.h"
#include "test_wizard.h"

namespace {

const QString kFailed = QStringLiteral(
    "Quorlin|Project Conversion Failed!\nPlease check the details log and try again.");

bool finishEnabled(const TestWizard& wizard) { return wizard.button(QWizard::FinishButton)->isEnabled(); }

}  // namespace

class RunTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void argumentList_data();
  void argumentList();
  void reportInTheLog_data();
  void reportInTheLog();
  void successRelabelsCancel();
  void failureShowsOneMessage_data();
  void failureShowsOneMessage();
  void settingsFileOfAnotherKindSurvives_data();
  void settingsFileOfAnotherKindSurvives();
  void missingKalvex();
  void cancelKillsTheRun();
  void finishStaysDisabledDuringARun();
  void aNewRunFreesTheLast();
  void locatePrefersItsOwnFolder();

 private:
  // Fills every page with the sample and stops on Page3, ready for Finish.
  void reachPage3(const QString& folder = QStringLiteral("out"));
  QStringList recordedArguments() const;
  // Presses Finish and waits until the run it starts has been judged.
  bool finishAndWait();

  std::unique_ptr<SampleTree> tree_;
  std::unique_ptr<TestWizard> wizard_;
  QByteArray path_;
};

void RunTest::init() {
  tree_ = std::make_unique<SampleTree>();
  QVERIFY(tree_->isValid());
  path_ = qgetenv("PATH");
  qputenv("PATH", QByteArray(FAKE_KALVEX_DIR) + QDir::listSeparator().toLatin1() + path_);
  qputenv("FAKE_KALVEX_RECORD", tree_->path("arguments.txt").toLocal8Bit());
  qputenv("FAKE_KALVEX_EXIT", "0");
  qputenv("FAKE_KALVEX_SLEEP_MS", "0");
  qunsetenv("FAKE_KALVEX_CRASH");
}

void RunTest::cleanup() {
  wizard_.reset();
  tree_.reset();
  qputenv("PATH", path_);
}

void RunTest::reachPage3(const QString& folder) {
  QDir(tree_->path(QString())).mkpath(folder);
  wizard_ = std::make_unique<TestWizard>();
  wizard_->show();
  TestWizard::type(wizard_->GHSProjectEdit, tree_->path("board.gpj"));
  TestWizard::type(wizard_->ZinProjectEdit, tree_->path(folder));
  TestWizard::type(wizard_->ZinNameEdit, QStringLiteral("demo"));
  wizard_->clickNext();
  TestWizard::type(wizard_->CmpPersonEdit, tree_->path("cmp.p_c"));
  wizard_->clickNext();
  wizard_->clickNext();
  QCOMPARE(wizard_->currentPage(), wizard_->Page3);
}

QStringList RunTest::recordedArguments() const {
  QStringList lines = QString::fromLocal8Bit(tree_->read(QStringLiteral("arguments.txt"))).split(QLatin1Char('\n'));
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  if (lines.isEmpty() || lines.first().toInt() != lines.size() - 1) return {QStringLiteral("<bad record>")};
  lines.removeFirst();
  return lines;
}

bool RunTest::finishAndWait() {
  wizard_->clickFinish();
  KalvexRun* run = wizard_->process;
  if (!run) return false;
  QSignalSpy ended(run, &KalvexRun::ended);
  return run->outcome() != KalvexRun::Outcome::Running || ended.wait(20000);
}

void RunTest::argumentList_data() {
  QTest::addColumn<bool>("everyField");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<int>("downs");  // key presses down the configuration choice
  QTest::newRow("optional fields empty") << false << "out" << 0;
  QTest::newRow("every field") << true << "out" << 0;
  QTest::newRow("folder with blanks") << false << "my out folder" << 0;
  QTest::newRow("configuration chosen") << false << "out" << 2;
  QTest::newRow("configuration with every field") << true << "out" << 1;
}

void RunTest::argumentList() {
  QFETCH(bool, everyField);
  QFETCH(QString, folder);
  QFETCH(int, downs);
  tree_->write(QStringLiteral("board.gpj"),
               "defineConfig (\"Debug\" \"DBG\" \"d.gpc\")\ndefineConfig(Release rel r.gpc)\n");
  reachPage3(folder);
  QStringList expected{tree_->path("board.gpj"), tree_->path(folder), "-cp", tree_->path("cmp.p_c"), "-pn", "demo"};
  const QStringList report{"-report", QDir::toNativeSeparators(tree_->path(folder + "/demo.report.txt"))};
  if (everyField) {
    wizard_->clickBack();
    wizard_->clickBack();
    TestWizard::type(wizard_->MsgPersonEdit, tree_->path("msg.p_s"));
    TestWizard::type(wizard_->AnalPersonEdit, tree_->path("anal.p_a"));
    wizard_->clickNext();
    QTest::mouseClick(wizard_->hCheck, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::mouseClick(wizard_->cppCheck, Qt::LeftButton, {}, QPoint(5, 10));
    wizard_->clickNext();
    expected << "-mp" << tree_->path("msg.p_s") << "-ap" << tree_->path("anal.p_a") << "-ext"
             << "cpp,h";
  }
  if (downs > 0) {
    while (wizard_->currentPage() != wizard_->Page0) wizard_->clickBack();
    wizard_->GHSConfigCombo->setFocus();
    for (int down = 0; down < downs; ++down) QTest::keyClick(wizard_->GHSConfigCombo, Qt::Key_Down);
    while (wizard_->currentPage() != wizard_->Page3) wizard_->clickNext();
    expected << "-config" << QStringList{"Debug", "Release"}[downs - 1];
  }
  QVERIFY(finishAndWait());
  QCOMPARE(recordedArguments(), expected + report);
}

void RunTest::reportInTheLog_data() {
  QTest::addColumn<QByteArray>("exitCode");
  QTest::addColumn<QByteArray>("report");
  QTest::addColumn<QStringList>("shown");
  const QByteArray findings =
      "/w/top.gpj:3:1: warning: source file 'a.c' not found; listed as \\w\\a.c [source-not-found]\n"
      "/w/top.gpj:4:1: note: 'x.con' left out: not a C or C++ source file [not-a-source]\n"
      "/w/top.gpj:5:2: warning: option '-UX' changes what the preprocessor sees; the project cannot carry it "
      "[option-not-converted]\n";
  const QString first = "/w/top.gpj:3:1: warning: source file 'a.c' not found; listed as \\w\\a.c [source-not-found]";
  const QString second =
      "/w/top.gpj:5:2: warning: option '-UX' changes what the preprocessor sees; the project cannot carry it "
      "[option-not-converted]";
  const QString error = "/w/top.gpj:6:1: error: project file cannot be opened: \\w\\s.gpj [project-file-missing]";
  QTest::newRow("warnings") << QByteArray("0") << findings + "0 errors, 2 warnings, 1 notes\n"
                            << QStringList{"Report: 0 errors, 2 warnings, 1 notes (%1)", first, second};
  QTest::newRow("nothing to report") << QByteArray("0") << QByteArray("0 errors, 0 warnings, 0 notes\n")
                                     << QStringList{"Report: 0 errors, 0 warnings, 0 notes (%1)"};
  QTest::newRow("failed run") << QByteArray("1") << findings + error.toLocal8Bit() + "\n1 errors, 2 warnings, 1 notes\n"
                              << QStringList{"Report: 1 errors, 2 warnings, 1 notes (%1)", first, second, error};
}

// The log shows the report's counts and path, then its warnings and errors, before the verdict.
void RunTest::reportInTheLog() {
  QFETCH(QByteArray, exitCode);
  QFETCH(QByteArray, report);
  QFETCH(QStringList, shown);
  qputenv("FAKE_KALVEX_EXIT", exitCode);
  qputenv("FAKE_KALVEX_REPORT", report);
  reachPage3();
  QVERIFY(finishAndWait());
  qunsetenv("FAKE_KALVEX_REPORT");
  const QString path = QDir::toNativeSeparators(tree_->path("out/demo.report.txt"));
  shown.first() = shown.first().arg(path);
  if (exitCode == "0") shown << "Project Converted Successfully!";
  // Kalvex's own lines arrive in pieces that vary from run to run; what follows them does not.
  const QString log = wizard_->DetailsText->toPlainText();
  QVERIFY2(log.endsWith("Zintra/Zintra++ Project Completed!\n\n" + shown.join(QLatin1Char('\n'))), qPrintable(log));

  // A report that the next run does not write is not shown again.
  wizard_->clickBack();
  wizard_->clickNext();
  QVERIFY(finishAndWait());
  QVERIFY(!wizard_->DetailsText->toPlainText().contains(QStringLiteral("Report:")));
}

void RunTest::successRelabelsCancel() {
  reachPage3();
  QVERIFY(finishAndWait());
  const QString log = wizard_->DetailsText->toPlainText();
  QVERIFY(log.startsWith(QStringLiteral("Initialising Project Conversion ...\n")));
  QVERIFY2(log.contains(QStringLiteral("Zintra/Zintra++ Project Completed!")), qPrintable(log));
  QVERIFY(log.endsWith(QStringLiteral("\nProject Converted Successfully!")));
  QCOMPARE(wizard_->button(QWizard::CancelButton)->text(), QStringLiteral("Close"));
  QVERIFY(!finishEnabled(*wizard_));
  QVERIFY(wizard_->messages.isEmpty());
  QCOMPARE(tree_->read(QStringLiteral("settings.txt")),
           "Compiler Personality:\n" + tree_->path("cmp.p_c").toLocal8Bit() + "\n\n");
  wizard_->clickBack();
  wizard_->clickNext();
  QVERIFY(finishEnabled(*wizard_));
  QCOMPARE(wizard_->button(QWizard::CancelButton)->text(), QStringLiteral("Close"));
  wizard_->clickCancel();
  QVERIFY(!wizard_->isVisible());
}

void RunTest::failureShowsOneMessage_data() {
  QTest::addColumn<QByteArray>("variable");
  QTest::addColumn<QByteArray>("value");
  QTest::newRow("exit code 1") << QByteArray("FAKE_KALVEX_EXIT") << QByteArray("1");
  QTest::newRow("crash") << QByteArray("FAKE_KALVEX_CRASH") << QByteArray("1");
}

void RunTest::failureShowsOneMessage() {
  QFETCH(QByteArray, variable);
  QFETCH(QByteArray, value);
  qputenv(variable.constData(), value);
  reachPage3();
  QVERIFY(finishAndWait());
  QCOMPARE(wizard_->messages, QStringList{kFailed});
  QVERIFY(wizard_->DetailsText->toPlainText().contains(QStringLiteral("Creating Zintra")));
  QVERIFY(!wizard_->DetailsText->toPlainText().contains(QStringLiteral("Successfully")));
  QVERIFY(!finishEnabled(*wizard_));
  QVERIFY(wizard_->button(QWizard::CancelButton)->text() != QStringLiteral("Close"));
  wizard_->clickBack();
  wizard_->clickNext();
  QVERIFY(finishEnabled(*wizard_));
  QVERIFY(QFileInfo::exists(tree_->path("settings.txt")));
}

void RunTest::settingsFileOfAnotherKindSurvives_data() {
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<bool>("kept");
  QTest::newRow("notes") << QByteArray("remember the milk\r\n") << true;
  QTest::newRow("records and more") << QByteArray("Compiler Personality:\nold.p_c\n\nwindow=3\n") << true;
  QTest::newRow("binary") << QByteArray("\0\x01\xff\n", 4) << true;
  QTest::newRow("old records") << QByteArray("Compiler Personality:\r\nold.p_c\r\n\r\n") << false;
  QTest::newRow("empty") << QByteArray() << false;
}

void RunTest::settingsFileOfAnotherKindSurvives() {
  QFETCH(QByteArray, before);
  QFETCH(bool, kept);
  tree_->write(QStringLiteral("settings.txt"), before);
  reachPage3();
  QVERIFY(finishAndWait());
  const QByteArray written = "Compiler Personality:\n" + tree_->path("cmp.p_c").toLocal8Bit() + "\n\n";
  QCOMPARE(tree_->read(QStringLiteral("settings.txt")), kept ? before : written);
  const QString note = QStringLiteral(
      "\nThe personality paths were not saved: settings.txt holds other text and was left "
      "unchanged.");
  const QString log = wizard_->DetailsText->toPlainText();
  QCOMPARE(log.count(note), kept ? 1 : 0);
  QVERIFY(log.contains(QStringLiteral("Project Converted Successfully!")));
}

void RunTest::missingKalvex() {
  qputenv("PATH", tree_->path("out").toLocal8Bit());
  reachPage3();
  QVERIFY(finishAndWait());
  QCOMPARE(wizard_->process->outcome(), KalvexRun::Outcome::NotStarted);
  QCOMPARE(wizard_->DetailsText->toPlainText(),
           QStringLiteral("Initialising Project Conversion ...\n\nProject Conversion could not be "
                          "executed: Please ensure Kalvex.exe is set on the path.\n"));
  QVERIFY(!finishEnabled(*wizard_));
  QTest::qWait(100);
  QVERIFY(wizard_->messages.isEmpty());
  QVERIFY(!QFileInfo::exists(tree_->path("settings.txt")));
}

void RunTest::cancelKillsTheRun() {
  qputenv("FAKE_KALVEX_SLEEP_MS", "60000");
  reachPage3();
  wizard_->clickFinish();
  QSignalSpy output(wizard_->process, &KalvexRun::outputReady);
  QVERIFY(output.wait(10000));
  QElapsedTimer clock;
  clock.start();
  wizard_->clickCancel();
  QVERIFY(clock.elapsed() < 5000);
  QVERIFY(!wizard_->process->isRunning());
  QCOMPARE(wizard_->process->outcome(), KalvexRun::Outcome::Killed);
  QVERIFY(!wizard_->isVisible());
  QCOMPARE(wizard_->result(), int(QDialog::Rejected));
  QVERIFY(wizard_->messages.isEmpty());
  QVERIFY(QFileInfo::exists(tree_->path("settings.txt")));
}

void RunTest::finishStaysDisabledDuringARun() {
  qputenv("FAKE_KALVEX_SLEEP_MS", "1500");
  qputenv("FAKE_KALVEX_EXIT", "2");
  reachPage3();
  wizard_->clickFinish();
  QVERIFY(!finishEnabled(*wizard_));
  QVERIFY(wizard_->process->isRunning());
  wizard_->clickBack();
  wizard_->clickNext();
  QVERIFY(!finishEnabled(*wizard_));
  KalvexRun* first = wizard_->process;
  QVERIFY(finishAndWait());  // the click is ignored while the run goes on
  QCOMPARE(wizard_->process, first);
  QCOMPARE(wizard_->messages, QStringList{kFailed});
  QVERIFY(finishEnabled(*wizard_));  // this run has ended; Next re-readied Finish meanwhile
}

void RunTest::aNewRunFreesTheLast() {
  qputenv("FAKE_KALVEX_EXIT", "2");
  reachPage3();
  QVERIFY(finishAndWait());
  QPointer<KalvexRun> first = wizard_->process;
  QCOMPARE(first->outcome(), KalvexRun::Outcome::Failed);  // still readable after its end
  wizard_->clickBack();
  wizard_->clickNext();  // readies Finish again
  QVERIFY(finishAndWait());
  QVERIFY(first.isNull());
  QCOMPARE(wizard_->findChildren<KalvexRun*>().size(), 1);
  QCOMPARE(wizard_->process->outcome(), KalvexRun::Outcome::Failed);
}

void RunTest::locatePrefersItsOwnFolder() {
#ifdef Q_OS_WIN
  const QString program = QStringLiteral("/Kalvex.exe");
#else
  const QString program = QStringLiteral("/Kalvex");
#endif
  const QString onPath = QFileInfo(QStringLiteral(FAKE_KALVEX_DIR) + program).absoluteFilePath();
  QDir(tree_->path(QString())).mkpath(QStringLiteral("own"));
  QCOMPARE(locateKalvex(tree_->path("own")), onPath);  // none beside the wizard
  const QString beside = tree_->path("own") + program;
  QVERIFY(QFile::copy(onPath, beside));
  QCOMPARE(locateKalvex(tree_->path("own")), QFileInfo(beside).absoluteFilePath());
  qputenv("PATH", tree_->path("out").toLocal8Bit());
  QCOMPARE(locateKalvex(tree_->path("own")), QFileInfo(beside).absoluteFilePath());
  QCOMPARE(locateKalvex(tree_->path("out")), QStringLiteral("Kalvex"));
#ifdef Q_OS_WIN
  // Windows reads executability from the name: a folder of that name is no program.
  QVERIFY(QFile::remove(beside));
  QVERIFY(QDir().mkdir(beside));
#else
  QFile::setPermissions(beside, QFile::ReadOwner);
#endif
  QCOMPARE(locateKalvex(tree_->path("own")), QStringLiteral("Kalvex"));
  qputenv("PATH", QByteArray(FAKE_KALVEX_DIR));
  QCOMPARE(locateKalvex(tree_->path("own")), onPath);  // no program beside it: the search path's
}

QTEST_MAIN(RunTest)
#include "run_test.moc"
