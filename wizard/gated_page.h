#ifndef QUORLIN_GATED_PAGE_H
#define QUORLIN_GATED_PAGE_H

#include <QWizardPage>

// A wizard page whose completeness, and so the wizard's Next or Finish button on it, is set
// from outside. A new page is complete.
class GatedPage : public QWizardPage {
  Q_OBJECT

 public:
  explicit GatedPage(QWidget* parent = nullptr);

  bool isComplete() const override;
  // Emits completeChanged() when the value changes.
  void setComplete(bool complete);

 private:
  bool complete_ = true;
};

#endif  // QUORLIN_GATED_PAGE_H
