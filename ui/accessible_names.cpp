#include "ui/accessible_names.h"

#include <QString>
#include <QWidget>
#include <QtGlobal>

#include "ui/static_text.h"

namespace linecalc::ui {
namespace {

struct NamedBy {
  const char* control;
  const char* caption;  // the static text whose caption names the control
};

// An input is also labelled by its caption: on Linux a screen reader takes a drop-down list's
// name to be its current entry and finds what the list is for through that label.
constexpr NamedBy kInputs[] = {
    {"CmbL", "Lbel1"},  {"CmbDD", "Lbel3"},  {"CmbT", "Lbel12"},   {"TxtU", "Label2"},
    {"CmbU", "Label5"}, {"TxtPp", "Label9"}, {"TxtPg", "Label16"}, {"TxtK", "Label17"},
};

// The report list goes by its heading; a result field by its unit legend, which says what the
// figure is and in what unit.
constexpr NamedBy kOutputs[] = {
    {"Lst", "Label10"},      {"LblU", "Label11_6"},   {"LblAR", "Label11_7"},
    {"LblDJ", "Label11_9"},  {"LblOJ", "Label11_10"}, {"LblP", "Label11_11"},
    {"LblZ", "Label11_13"},  {"LblUr", "Label11_5"},  {"LblPr", "Label11_0"},
    {"LblPot", "Label11_3"}, {"Lbl15", "Label11_1"},
};

// The cascade voltage stands under the losses with no legend of its own.
const QString kCascadeVoltageName = QStringLiteral("Каскадное напряжение (В)");

template <typename T>
T* Find(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromUtf8(name));
  if (found == nullptr) {
    qFatal("The layout has no control %s to name", name);
  }
  return found;
}

StaticText* NameAfterCaption(QWidget* window, const NamedBy& entry) {
  auto* caption = Find<StaticText>(window, entry.caption);
  Find<QWidget>(window, entry.control)->setAccessibleName(caption->caption().trimmed());
  return caption;
}

}  // namespace

void NameForScreenReaders(QWidget* window) {
  for (const NamedBy& entry : kInputs) {
    // A caption's text has no "&", so the buddy brings no keyboard shortcut with it.
    NameAfterCaption(window, entry)->setBuddy(Find<QWidget>(window, entry.control));
  }
  for (const NamedBy& entry : kOutputs) {
    NameAfterCaption(window, entry);
  }
  Find<QWidget>(window, "Lbl16")->setAccessibleName(kCascadeVoltageName);
}

}  // namespace linecalc::ui
