// The settings file's records on a memory buffer: what counts as the wizard's own file, and
// the exact bytes written.
#include <QBuffer>
#include <QTest>

#include "settings_records.h"

class SettingsRecordsTest : public QObject {
  Q_OBJECT

 private slots:
  void holdsOnlyRecords_data();
  void holdsOnlyRecords();
  void writesNonEmptyValuesInKeyOrder();
  void readsWhatItWrote();
};

void SettingsRecordsTest::holdsOnlyRecords_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<bool>("ours");
  QTest::newRow("empty") << QByteArray() << true;
  QTest::newRow("as written") << QByteArray("Message Personality:\nm.p_s\n\nCompiler Personality:\nc.p_c\n\n") << true;
  QTest::newRow("CR LF and blank lines") << QByteArray("\r\n  \r\nAnalyser Personality:\r\na b.p_a\r\n\r\n") << true;
  QTest::newRow("key on the last line") << QByteArray("Compiler Personality:") << true;
  QTest::newRow("any value, even a key") << QByteArray("Message Personality:\nCompiler Personality:\n") << true;
  QTest::newRow("a line of its own") << QByteArray("user notes\n") << false;
  QTest::newRow("a line after a record") << QByteArray("Compiler Personality:\nc.p_c\n\n[window]\n") << false;
  QTest::newRow("value taken as key leaves a stray line")
      << QByteArray("Message Personality:\nCompiler Personality:\nx\n") << false;
  QTest::newRow("configuration record") << QByteArray("Compiler Personality:\nc.p_c\n\nBuild Configuration:\nDebug\n\n")
                                        << true;
  QTest::newRow("keys are exact") << QByteArray("compiler personality:\nc\n") << false;
  QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n", 8) << false;
}

void SettingsRecordsTest::holdsOnlyRecords() {
  QFETCH(QByteArray, bytes);
  QFETCH(bool, ours);
  QCOMPARE(settings_records::holdsOnlyRecords(bytes), ours);
}

void SettingsRecordsTest::writesNonEmptyValuesInKeyOrder() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QVERIFY(buffer.open(QIODevice::WriteOnly));
  settings_records::write(buffer, {QStringLiteral("m s.p_s"), QString(), QStringLiteral("c"), QStringLiteral("rel")});
  buffer.close();
  QCOMPARE(bytes, QByteArray("Message Personality:\nm s.p_s\n\nCompiler Personality:\nc\n\n"
                             "Build Configuration:\nrel\n\n"));
  QVERIFY(settings_records::holdsOnlyRecords(bytes));
}

void SettingsRecordsTest::readsWhatItWrote() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QVERIFY(buffer.open(QIODevice::WriteOnly));
  settings_records::write(buffer, {QString(), QStringLiteral("a.p_a"), QStringLiteral("c"), QStringLiteral("Debug")});
  buffer.close();
  QVERIFY(buffer.open(QIODevice::ReadOnly));
  const auto values = settings_records::read(buffer);
  QCOMPARE(values.size(), 3);
  QCOMPARE(values.value(settings_records::kAnalyser), QStringLiteral("a.p_a"));
  QCOMPARE(values.value(settings_records::kCompiler), QStringLiteral("c"));
  QCOMPARE(values.value(settings_records::kConfiguration), QStringLiteral("Debug"));
}

QTEST_GUILESS_MAIN(SettingsRecordsTest)
#include "settings_records_test.moc"
