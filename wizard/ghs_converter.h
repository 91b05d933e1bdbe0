#ifndef QUORLIN_GHS_CONVERTER_H
#define QUORLIN_GHS_CONVERTER_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

#include "ghs_converter_base.h"
#include "settings_records.h"

class KalvexRun;
class QLineEdit;

// Quorlin's behaviour on top of the form: page checks, browsing, the extension list and the
// summary, the personality paths kept in "settings.txt", and running Kalvex on Finish.
// Message boxes and file dialogs go through virtual seams so that tests can replace them.
class GHSConverter : public GHSConverterBase {
  Q_OBJECT

 public:
  explicit GHSConverter(QWidget* parent = nullptr, const char* name = nullptr, bool modal = false,
                        Qt::WindowFlags flags = {});
  ~GHSConverter() override;

  // The arguments of a run, after the program: project, folder, "-cp", compiler, "-pn", name,
  // then "-mp", "-ap" and "-ext" pairs for the optional values that are not empty, "-config"
  // and chosenConfig() when a configuration is chosen, then "-report" and reportPath().
  QStringList kalvexArguments() const;
  // Where Kalvex writes its report: "<name>.report.txt" in the destination folder.
  QString reportPath() const;
  // The word that makes Kalvex choose the configuration shown in GHSConfigCombo; empty for
  // "none".
  QString chosenConfig() const;

 public slots:
  void GHSProjectBrowseBtn_clicked();
  void ZinProjectBrowseBtn_clicked();
  void Page0LineEdit_textchanged(const QString&);
  // Offers the configurations of the project file now named, keeping the user's choice where
  // the file has it.
  void GHSProjectEdit_textchanged(const QString&);
  // The user's pick becomes the choice kept in the settings file.
  void GHSConfigCombo_activated(int index);
  void Page1LineEdit_textchanged(const QString&);
  void MsgBrowseBtn_clicked();
  void AnalBrowseBtn_clicked();
  void CmpBrowseBtn_clicked();
  void readFromStdout();
  // Judges the latest run once it has ended: success, failure or crash (one message box), a
  // run the wizard killed (nothing shown), or a converter that could not be started.
  void processExit();

 protected:
  // Leaving Page2 forward builds extList and the summary and readies Finish.
  bool validateCurrentPage() override;
  // Finish: starts a run; the wizard stays open.
  void accept() override;
  // Kills a running converter, then closes the wizard.
  void reject() override;

  // The one way the wizard shows an error: a one-button message box with no parent.
  virtual void showMessage(const QString& caption, const QString& text);
  // Modal file dialogs; an empty result means the user cancelled.
  virtual QString chooseOpenFile(const QString& caption, const QString& start, const QString& filter);
  virtual QString chooseDirectory(const QString& caption, const QString& start);

  void checkPage0();
  void checkPage1();
  static QString nativePath(const QString& path);
  void loadSettings();
  void saveSettings();

  QString extList;
  // The latest run, owned by the wizard: the next Finish frees it once it has ended, so its
  // outcome can still be read after its end, and one run's objects never pile up.
  KalvexRun* process = nullptr;
  QString lastPath;

 private:
  void connectSignals();
  void whitenWizardButtons();
  // A dialog's choice, in native form, fills the field and becomes lastPath; a cancelled
  // dialog's empty choice changes nothing.
  void takeChoice(QLineEdit* field, const QString& choice);
  // Where a dialog opens: the folder chosen last, or the folder of the file chosen last, so
  // that nothing in it is selected.
  QString dialogStart() const;
  void browseInto(QLineEdit* field, const QString& caption, const QString& filter);
  // The fields of the settings file's keys, in key order.
  std::array<QLineEdit*, settings_records::kPersonalityCount> settingsFields() const;
  void fillConfigCombo();
  void buildExtList();
  QString summary() const;
  // The details log: one more block of plain text, the view kept at the bottom if it was.
  void appendToLog(const QString& text);
  // After a run that ended normally: the report's count line and path, then each of its
  // warnings and errors (not its notes), when the run wrote a report.
  void appendReport();
  bool conversionRunning() const;
  // Finish is enabled once Page2 was left forward, never while a conversion runs.
  void updateFinish();

  bool finishReady = false;
  // The configuration word the user chose last (empty for "none"), also while the project
  // file named does not define it.
  QString configChoice;
  // The report of the latest run, and its modification time before the run.
  QString runReport;
  QDateTime runReportStamp;
};

#endif  // QUORLIN_GHS_CONVERTER_H
