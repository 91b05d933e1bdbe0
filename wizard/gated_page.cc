#include "gated_page.h"

GatedPage::GatedPage(QWidget* parent) : QWizardPage(parent) {}

bool GatedPage::isComplete() const { return complete_; }

void GatedPage::setComplete(bool complete) {
  if (complete == complete_) return;
  complete_ = complete;
  emit completeChanged();
}
