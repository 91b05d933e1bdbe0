// The wizard runs the real Kalvex on a small project and the converted project appears.
#include <QSignalSpy>
#include <QTextBrowser>
#include <functional>
#include <memory>

#include "kalvex_run.h"
#include "sample_tree.h"
#include "test_wizard.h"

namespace {

// Walks the wizard through a conversion of the tree's board.gpj into out as "demo", with the
// Kalvex of this build first on the search path: onPage0 runs once the project file is typed,
// onPage2 on the extensions page. Paths are typed as a user types them: Kalvex on Windows
// takes only the backslash as a separator. False when the run did not end in time.
bool convertThroughTheWizard(TestWizard& wizard, const SampleTree& tree, const std::function<void()>& onPage0,
                             const std::function<void()>& onPage2) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFileInfo(QStringLiteral(KALVEX_BINARY)).absolutePath().toLocal8Bit() +
                      QDir::listSeparator().toLatin1() + path);
  wizard.show();
  TestWizard::type(wizard.GHSProjectEdit, QDir::toNativeSeparators(tree.path("board.gpj")));
  onPage0();
  TestWizard::type(wizard.ZinProjectEdit, QDir::toNativeSeparators(tree.path("out")));
  TestWizard::type(wizard.ZinNameEdit, QStringLiteral("demo"));
  wizard.clickNext();
  TestWizard::type(wizard.CmpPersonEdit, QDir::toNativeSeparators(tree.path("cmp.p_c")));
  wizard.clickNext();
  onPage2();
  wizard.clickNext();
  wizard.clickFinish();
  bool ended = false;
  if (wizard.process) ended = QSignalSpy(wizard.process, &KalvexRun::ended).wait(30000);
  qputenv("PATH", path);
  return ended;
}

}  // namespace

class RealKalvexTest : public QObject {
  Q_OBJECT

 private slots:
  void convertsASmallProject();
  void convertsTheChosenConfiguration();
};

void RealKalvexTest::convertsASmallProject() {
  SampleTree tree;
  QVERIFY(tree.isValid());
  // A tab ends the sub-project path, so the blank in the folder name stays part of it.
  tree.write(QStringLiteral("board.gpj"), "main.c\nmissing.c\nsub dir\\lib.gpj\t[Library]\n");
  tree.write(QStringLiteral("main.c"), "int main(void) { return 0; }\n");
  QDir(tree.path(QString())).mkpath(QStringLiteral("sub dir"));
  tree.write(QStringLiteral("sub dir/lib.gpj"), "lib.c\n");
  tree.write(QStringLiteral("sub dir/lib.c"), "int lib;\n");

  TestWizard wizard;
  QVERIFY(convertThroughTheWizard(
      wizard, tree, [] {}, [&wizard] { QTest::mouseClick(wizard.cCheck, Qt::LeftButton, {}, QPoint(5, 10)); }));

  const QString log = wizard.DetailsText->toPlainText();
  QVERIFY2(wizard.messages.isEmpty(), qPrintable(log));
  QVERIFY2(log.contains(QStringLiteral("Zintra/Zintra++ Project Completed!")), qPrintable(log));
  const QString report = QDir::toNativeSeparators(tree.path("out/demo.report.txt"));
  const QString warning = QDir::toNativeSeparators(tree.path("board.gpj")) +
                          ":2:1: warning: source file 'missing.c' not found; listed as " +
                          QString(tree.path("missing.c")).replace(QLatin1Char('/'), QLatin1Char('\\')) +
                          " [source-not-found]";
  QVERIFY2(log.endsWith("\nReport: 0 errors, 1 warnings, 0 notes (" + report + ")\n" + warning +
                        "\nProject Converted Successfully!"),
           qPrintable(log));
  const QByteArray project = tree.read(QStringLiteral("out/demo.prj"));
  QVERIFY2(project.startsWith("VersionTag45\r\n"), project.constData());
  QVERIFY(project.contains("main.c"));
  QVERIFY(project.contains("FolderName=lib\r\n"));
  QVERIFY(project.contains("lib.c"));
}

// The configuration chosen beside the project file is the one Kalvex converts: its options
// file's define reaches the personality, the other configuration's does not.
void RealKalvexTest::convertsTheChosenConfiguration() {
  SampleTree tree;
  QVERIFY(tree.isValid());
  tree.write(QStringLiteral("board.gpj"),
             "defineConfig (\"My Debug\" \"DBG\" \"dbg.gpc\")\ndefineConfig(Release REL rel.gpc)\nmain.c\n");
  tree.write(QStringLiteral("dbg.gpc"), "-DDEBUG_BUILD\n");
  tree.write(QStringLiteral("rel.gpc"), "-DRELEASE_BUILD\n");
  tree.write(QStringLiteral("main.c"), "int main(void) { return 0; }\n");

  TestWizard wizard;
  QString offered;
  const auto choose = [&wizard, &offered] {
    offered = QString::number(wizard.GHSConfigCombo->count());
    wizard.GHSConfigCombo->setCurrentIndex(1);
    offered += ' ' + wizard.GHSConfigCombo->currentText();
  };
  QVERIFY(convertThroughTheWizard(wizard, tree, choose, [] {}));
  QCOMPARE(offered, QStringLiteral("3 My Debug (DBG)"));

  const QString log = wizard.DetailsText->toPlainText();
  QVERIFY2(log.contains(QStringLiteral("Zintra/Zintra++ Project Completed!")), qPrintable(log));
  const QByteArray personality = tree.read(QStringLiteral("out/board/person/board.p_a"));
  QVERIFY2(personality.contains("-d \"DEBUG_BUILD\"\r\n"), personality.constData());
  QVERIFY2(!personality.contains("RELEASE_BUILD"), personality.constData());
}

QTEST_MAIN(RealKalvexTest)
#include "real_kalvex_test.moc"
