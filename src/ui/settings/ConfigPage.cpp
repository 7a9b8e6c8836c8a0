#include "settings/ConfigPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

namespace sorami {

ConfigPage::ConfigPage(QWidget* parent) : QWidget(parent), form_(new QFormLayout(this)) {
  form_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
}

void ConfigPage::store(CConfig& config, ConfigSheetDevice& device) const {
  for (const Binding& b : bindings_) {
    if (b.changed()) b.write(config, device);
  }
}

bool ConfigPage::refuses(Prompts&) const {
  return false;
}

void ConfigPage::bind(Changed changed, Writer write) {
  bindings_.push_back({std::move(changed), std::move(write)});
}

QCheckBox* ConfigPage::addFlag(const QString& label, bool on,
                               std::function<void(CConfig&, ConfigSheetDevice&, bool)> write) {
  auto* box = new QCheckBox(label, this);
  box->setChecked(on);
  form_->addRow(box);
  bind([box, on] { return box->isChecked() != on; },
       [box, write = std::move(write)](CConfig& to, ConfigSheetDevice& device) {
         write(to, device, box->isChecked());
       });
  return box;
}

QLineEdit* ConfigPage::addText(const QString& label, const std::u16string& text, int maxLength,
                               std::u16string CConfig::*field, const std::u16string& whenEmpty) {
  auto* edit = new QLineEdit(this);
  edit->setMaxLength(maxLength);
  edit->setText(QString::fromStdU16String(text));
  const QString initial = edit->text();
  form_->addRow(label, edit);
  bind([edit, initial] { return edit->text() != initial; },
       [edit, field, whenEmpty](CConfig& to, ConfigSheetDevice&) {
         // Control characters would break the line form in which the record is stored.
         std::u16string typed = edit->text().toStdU16String();
         std::erase_if(typed, [](char16_t ch) { return ch < u' '; });
         to.*field = typed.empty() ? whenEmpty : typed;
       });
  return edit;
}

QSpinBox* ConfigPage::makeSpin(const QString& label, int min, int max, int value) {
  auto* box = new QSpinBox(this);
  box->setRange(min, max);
  box->setValue(value);
  form_->addRow(label, box);
  return box;
}

QComboBox* ConfigPage::makeChoice(const QString& label, const QStringList& choices, int index) {
  auto* box = new QComboBox(this);
  box->addItems(choices);
  box->setCurrentIndex(index >= 0 && index < choices.size() ? index : -1);
  form_->addRow(label, box);
  return box;
}

}  // namespace sorami
