#ifndef KALVEX_TESTS_SUPPORT_WIZARD_SAMPLE_H
#define KALVEX_TESTS_SUPPORT_WIZARD_SAMPLE_H

// For hooks loaded into a running Quorlin: find its wizard and fill its fields with the sample
// project named by QUORLIN_SAMPLE_* environment variables.
#include <QApplication>
#include <QLineEdit>
#include <QWizard>
#include <cstdio>

namespace testing {

// The wizard among the top-level widgets; when there is none, says so and ends the event loop
// with status 2.
inline QWizard* findSampleWizard() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* wizard = qobject_cast<QWizard*>(widget)) return wizard;
  }
  std::printf("no wizard found\n");
  QCoreApplication::exit(2);
  return nullptr;
}

// Each field whose variable is set takes its value: PROJECT, FOLDER, NAME, COMPILER, ANALYSER
// and EXTENSIONS after QUORLIN_SAMPLE_.
inline void fillSample(QWizard* wizard) {
  const char* const fields[][2] = {
      {"GHSProjectEdit", "QUORLIN_SAMPLE_PROJECT"},  {"ZinProjectEdit", "QUORLIN_SAMPLE_FOLDER"},
      {"ZinNameEdit", "QUORLIN_SAMPLE_NAME"},        {"CmpPersonEdit", "QUORLIN_SAMPLE_COMPILER"},
      {"AnalPersonEdit", "QUORLIN_SAMPLE_ANALYSER"}, {"CustExtEdit", "QUORLIN_SAMPLE_EXTENSIONS"}};
  for (const auto& [field, variable] : fields) {
    auto* edit = wizard->findChild<QLineEdit*>(QLatin1String(field));
    if (edit && qEnvironmentVariableIsSet(variable)) edit->setText(qEnvironmentVariable(variable));
  }
}

}  // namespace testing

#endif  // KALVEX_TESTS_SUPPORT_WIZARD_SAMPLE_H
