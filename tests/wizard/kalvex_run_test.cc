// One run of the converter without any widget: the fake Kalvex ends in each possible way and
// the run reports its outcome once, with the output that came before it.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "kalvex_run.h"

namespace {

const QString kFake = QStringLiteral(FAKE_KALVEX_DIR "/Kalvex");

}  // namespace

class KalvexRunTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void endings_data();
  void endings();
  void killedRunIsNotACrash();
  void programThatCannotStart();
};

void KalvexRunTest::init() {
  for (const char* name : {"FAKE_KALVEX_EXIT", "FAKE_KALVEX_CRASH", "FAKE_KALVEX_RECORD"}) qunsetenv(name);
  qputenv("FAKE_KALVEX_SLEEP_MS", "0");
}

void KalvexRunTest::endings_data() {
  QTest::addColumn<QByteArray>("exitCode");
  QTest::addColumn<bool>("crash");
  QTest::addColumn<KalvexRun::Outcome>("outcome");
  QTest::addColumn<QByteArray>("output");
  const QByteArray both("Creating Zintra/Zintra++ Project ...\nZintra/Zintra++ Project Completed!\n");
  QTest::newRow("exit 0") << QByteArray("0") << false << KalvexRun::Outcome::Succeeded << both;
  QTest::newRow("exit 1") << QByteArray("1") << false << KalvexRun::Outcome::Failed << both;
  QTest::newRow("exit 255") << QByteArray("255") << false << KalvexRun::Outcome::Failed << both;
  QTest::newRow("segmentation fault") << QByteArray("0") << true << KalvexRun::Outcome::Crashed
                                      << QByteArray("Creating Zintra/Zintra++ Project ...\n");
}

void KalvexRunTest::endings() {
  QFETCH(QByteArray, exitCode);
  QFETCH(bool, crash);
  QFETCH(KalvexRun::Outcome, outcome);
  QFETCH(QByteArray, output);
  qputenv("FAKE_KALVEX_EXIT", exitCode);
  if (crash) qputenv("FAKE_KALVEX_CRASH", "1");
  KalvexRun run(kFake, {});
  QByteArray seen;
  connect(&run, &KalvexRun::outputReady, this, [&] { seen += run.readOutput(); });
  QSignalSpy ended(&run, &KalvexRun::ended);
  run.start();
  QVERIFY(ended.wait(20000));
  seen += run.readOutput();
  QCOMPARE(run.outcome(), outcome);
#ifdef Q_OS_WIN
  output.replace("\n", "\r\n");  // a Windows console program ends its lines in CR LF
#endif
  QCOMPARE(seen, output);
  QVERIFY(!run.isRunning());
  QTest::qWait(50);
  QCOMPARE(ended.size(), 1);
}

void KalvexRunTest::killedRunIsNotACrash() {
  qputenv("FAKE_KALVEX_SLEEP_MS", "60000");
  KalvexRun run(kFake, {QStringLiteral("a b"), QStringLiteral("c")});
  QSignalSpy output(&run, &KalvexRun::outputReady);
  QSignalSpy ended(&run, &KalvexRun::ended);
  run.start();
  QVERIFY(output.wait(20000));
  QCOMPARE(run.outcome(), KalvexRun::Outcome::Running);
  run.kill();
  QVERIFY(!run.isRunning());
  QVERIFY(ended.size() == 1 || ended.wait(5000));
  QCOMPARE(run.outcome(), KalvexRun::Outcome::Killed);
  QCOMPARE(run.arguments(), (QStringList{"a b", "c"}));
}

void KalvexRunTest::programThatCannotStart() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  KalvexRun run(folder.filePath(QStringLiteral("Kalvex")), {});
  QSignalSpy ended(&run, &KalvexRun::ended);
  run.start();
  QVERIFY(ended.size() == 1 || ended.wait(10000));
  QCOMPARE(run.outcome(), KalvexRun::Outcome::NotStarted);
  QTest::qWait(50);
  QCOMPARE(ended.size(), 1);
}

QTEST_GUILESS_MAIN(KalvexRunTest)
#include "kalvex_run_test.moc"
