// The build configurations of a top project file as Kalvex reads them, which word chooses
// which, and what the wizard offers.
#include <QTest>

#include "build_configs.h"

class BuildConfigsTest : public QObject {
  Q_OBJECT

 private slots:
  void read_data();
  void read();
  void chosenBy_data();
  void chosenBy();
  void offersReachEachConfigurationOnce();
};

namespace {

// NAME|TAG|FILE for each configuration, one a line.
QStringList described(const QList<build_configs::Config>& configs) {
  QStringList lines;
  for (const build_configs::Config& config : configs) lines << config.name + '|' + config.tag + '|' + config.file;
  return lines;
}

}  // namespace

void BuildConfigsTest::read_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QStringList>("configs");
  QTest::newRow("quoted, blank before the parenthesis")
      << QByteArray("defineConfig (\"Debug\" \"DBG\" \"tgt\\debug.gpc\")\n") << QStringList{"Debug|DBG|tgt\\debug.gpc"};
  QTest::newRow("bare, parenthesis at once")
      << QByteArray("defineConfig(Release rel release.gpc)") << QStringList{"Release|rel|release.gpc"};
  QTest::newRow("both, among other lines, CR LF")
      << QByteArray(
             "#!gbuild\r\nprimaryTarget=ppc.tgt\r\n\tdefineConfig (\"Debug\" \"DBG\" \"d.gpc\")  \r\n"
             "[Program]\r\n  defineConfig(Release rel r.gpc)\t\r\nmain.c\r\n")
      << QStringList{"Debug|DBG|d.gpc", "Release|rel|r.gpc"};
  QTest::newRow("no parentheses, tabs between")
      << QByteArray("defineConfig\tA\t\ta  a.gpc\n") << QStringList{"A|a|a.gpc"};
  QTest::newRow("more than three arguments") << QByteArray("defineConfig(A a a.gpc extra)\n") << QStringList{};
  QTest::newRow("quotes join blanks") << QByteArray("defineConfig(\"My Debug\" D d.gpc)\n")
                                      << QStringList{"My Debug|D|d.gpc"};
  QTest::newRow("single quotes, one parenthesis kept")
      << QByteArray("defineConfig 'R' r (r.gpc\n") << QStringList{"R|r|(r.gpc"};
  QTest::newRow("empty quotes") << QByteArray("defineConfig(\"\" \"\" x.gpc)\n") << QStringList{"||x.gpc"};
  QTest::newRow("fewer than three") << QByteArray("defineConfig(A a)\ndefineConfig()\ndefineConfig (\n")
                                    << QStringList{};
  QTest::newRow("not the keyword")
      << QByteArray(
             "defineConfigs(A a a.gpc)\ndefineconfig(A a a.gpc)\n#defineConfig(A a a.gpc)\n"
             "{optional}defineConfig(A a a.gpc)\n-DdefineConfig(A a a.gpc)\ndefineConfig\n")
      << QStringList{};
  QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void BuildConfigsTest::read() {
  QFETCH(QByteArray, file);
  QFETCH(QStringList, configs);
  QCOMPARE(described(build_configs::read(file)), configs);
}

void BuildConfigsTest::chosenBy_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<int>("chosen");
  QTest::newRow("name") << "Release" << 1;
  QTest::newRow("tag") << "rel" << 1;
  QTest::newRow("ASCII case ignored") << "dBg" << 0;
  QTest::newRow("first of two answering") << "B" << 2;
  QTest::newRow("no other case folding") << QString::fromUtf8("\xc3\x84RGER") << -1;
  QTest::newRow("exact non-ASCII") << QString::fromUtf8("\xc3\xa4rger") << 3;
  QTest::newRow("unknown") << "Profile" << -1;
  QTest::newRow("empty") << "" << -1;
}

void BuildConfigsTest::chosenBy() {
  QFETCH(QString, word);
  QFETCH(int, chosen);
  const QList<build_configs::Config> configs{{"Debug", "DBG", "d.gpc"},
                                             {"Release", "rel", "r.gpc"},
                                             {"A", "B", "a.gpc"},
                                             {QString::fromUtf8("\xc3\xa4rger"), "x", "x.gpc"},
                                             {"B", "C", "b.gpc"}};
  QCOMPARE(build_configs::chosenBy(configs, word), qsizetype(chosen));
}

void BuildConfigsTest::offersReachEachConfigurationOnce() {
  // "B" chooses the first, whose TAG it is: the second is offered under its TAG. The third
  // answers to nothing the first two do not, and the last has no TAG.
  const QList<build_configs::Config> configs{
      {"A", "B", "a.gpc"}, {"B", "C", "b.gpc"}, {"a", "c", "x.gpc"}, {"", "E", "e.gpc"}, {"F", "", "f.gpc"}};
  QStringList offered;
  for (const build_configs::Offer& offer : build_configs::offers(configs))
    offered << offer.label + '|' + offer.word + '|' + QString::number(offer.config);
  QCOMPARE(offered, (QStringList{"A (B)|A|0", "B (C)|C|1", "E|E|3", "F|F|4"}));
}

QTEST_GUILESS_MAIN(BuildConfigsTest)
#include "build_configs_test.moc"
