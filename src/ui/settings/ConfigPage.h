#pragma once
// One page of the settings sheet. A page fills its controls from the record when it is built and,
// on OK, writes back the fields whose controls the user changed; a value the page cannot show
// (one read from a file outside the offered range) stays as it is unless the user sets it.

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "config/Config.h"
#include "settings/ConfigSheetTypes.h"

class QCheckBox;
class QLineEdit;

namespace sorami {

class Prompts;

class ConfigPage : public QWidget {
 public:
  explicit ConfigPage(QWidget* parent = nullptr);

  // Writes the changed fields, in the order the page lists them.
  void store(CConfig& config, ConfigSheetDevice& device) const;

  // Whether OK must not close the sheet; a refusing page has told the user why.
  virtual bool refuses(Prompts& prompts) const;

 protected:
  using Changed = std::function<bool()>;
  using Writer = std::function<void(CConfig&, ConfigSheetDevice&)>;

  // Registers a field: `write` runs on OK when `changed` says so.
  void bind(Changed changed, Writer write);

  QFormLayout* form() const { return form_; }

  // A check box for a 0/1 field.
  template <class T>
  QCheckBox* addFlag(const QString& label, const CConfig& c, T CConfig::*field) {
    return addFlag(label, c.*field != 0, [field](CConfig& to, ConfigSheetDevice&, bool on) {
      to.*field = static_cast<T>(on ? 1 : 0);
    });
  }
  QCheckBox* addFlag(const QString& label, bool on,
                     std::function<void(CConfig&, ConfigSheetDevice&, bool)> write);

  // A spin box showing the field plus `shownOffset`, within the shown range.
  template <class T>
  QSpinBox* addNumber(const QString& label, const CConfig& c, T CConfig::*field, int min, int max,
                      int shownOffset = 0) {
    QSpinBox* box = makeSpin(label, min, max, static_cast<int>(c.*field) + shownOffset);
    const int initial = box->value();
    bind([box, initial] { return box->value() != initial; },
         [box, field, shownOffset](CConfig& to, ConfigSheetDevice&) {
           to.*field = static_cast<T>(box->value() - shownOffset);
         });
    return box;
  }

  // A list of choices whose index is the field's value; a value without a choice shows none.
  template <class T>
  QComboBox* addChoice(const QString& label, const CConfig& c, T CConfig::*field,
                       const QStringList& choices) {
    QComboBox* box = makeChoice(label, choices, static_cast<int>(c.*field));
    const int initial = box->currentIndex();
    bind([box, initial] { return box->currentIndex() != initial; },
         [box, field](CConfig& to, ConfigSheetDevice&) {
           to.*field = static_cast<T>(box->currentIndex());
         });
    return box;
  }

  // A text field of at most maxLength characters; an emptied field writes `whenEmpty`.
  QLineEdit* addText(const QString& label, const std::u16string& text, int maxLength,
                     std::u16string CConfig::*field, const std::u16string& whenEmpty);

  QSpinBox* makeSpin(const QString& label, int min, int max, int value);
  QComboBox* makeChoice(const QString& label, const QStringList& choices, int index);

 private:
  struct Binding {
    Changed changed;
    Writer write;
  };

  QFormLayout* form_;
  std::vector<Binding> bindings_;
};

}  // namespace sorami
