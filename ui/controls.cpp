#include "ui/controls.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtGlobal>
#include <iterator>

#include "ui/accessible_names.h"
#include "ui/choice_list.h"
#include "ui/group_frame.h"
#include "ui/layout.h"
#include "ui/push_button.h"
#include "ui/report_list.h"
#include "ui/result_field.h"
#include "ui/rule_line.h"
#include "ui/static_text.h"
#include "ui/window_font.h"

namespace linecalc::ui {
namespace {

// Qt marks the focused control only once the keyboard has moved the focus, and forgets that when
// a window is first shown; the window opens with the focus in the section list, and the user must
// see it there.
class FocusShownFromStart : public QObject {
 public:
  explicit FocusShownFromStart(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::WindowActivate) {
      window_->setAttribute(Qt::WA_KeyboardFocusChange);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* window_;
};

QRadioButton* MakeRadioButton(const QString& caption, QWidget* parent) {
  auto* button = new QRadioButton(caption, parent);
  QPalette plain = button->palette();
  for (const auto role : {QPalette::WindowText, QPalette::Text}) {
    plain.setColor(role, QApplication::palette().color(role));
  }
  button->setPalette(plain);
  // Tab stops at the checked material only. Qt arranges that once a button of the pair has had
  // the focus; until then both were tab stops, and Tab went to "Алюминий" and then skipped "Медь".
  button->setFocusPolicy(Qt::ClickFocus);
  QObject::connect(button, &QRadioButton::toggled, button, [button](bool checked) {
    button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
  });
  return button;
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  const QString text = QString::fromUtf8(entry.text);
  switch (entry.kind) {
    case ControlKind::StaticText:
      return new StaticText(text, parent);
    case ControlKind::ResultField:
      return new ResultField(parent);
    case ControlKind::TextField: {
      auto* field = new QLineEdit(text, parent);
      field->setMaxLength(kInputMaxLength);
      return field;
    }
    case ControlKind::ChoiceList:
      return new ChoiceList(ChoiceList::Typing::Allowed, parent);
    case ControlKind::PickList:
      return new ChoiceList(ChoiceList::Typing::Refused, parent);
    case ControlKind::RadioButton:
      return MakeRadioButton(text, parent);
    case ControlKind::GroupFrame:
      return new GroupFrame(text, parent);
    case ControlKind::PushButton:
      return new PushButton(text, parent);
    case ControlKind::ReportList:
      return new ReportList(parent);
  }
  return nullptr;
}

void CreateFromTable(QWidget* window) {
  for (const ControlEntry& entry : ControlTable()) {
    QWidget* parent =
        entry.parent ? window->findChild<QWidget*>(QString::fromUtf8(entry.parent)) : window;
    QWidget* control = MakeControl(entry, parent);
    control->setObjectName(QString::fromUtf8(entry.name));
    control->setFont(WindowFont(entry.font));
    control->setGeometry(ToPixels(entry.box));
  }
  for (const RuleEntry& entry : LineTable()) {
    auto* line = new RuleLine(window);
    line->setObjectName(QString::fromUtf8(entry.name));
    line->setGeometry(ToPixels(entry));
  }
}

template <typename T>
void Bind(QWidget* window, T*& member, const char* name) {
  member = window->findChild<T*>(QString::fromUtf8(name));
  if (member == nullptr) {
    qFatal("The layout has no control %s of the expected kind", name);
  }
}

Form1Controls BindControls(QWidget* w) {
  Form1Controls c{};
  Bind(w, c.Frame1, "Frame1");
  Bind(w, c.Option1, "Option1");
  Bind(w, c.Option2, "Option2");
  Bind(w, c.CmbDD, "CmbDD");
  Bind(w, c.CmbL, "CmbL");
  Bind(w, c.CmbT, "CmbT");
  Bind(w, c.CmbU, "CmbU");
  Bind(w, c.TxtU, "TxtU");
  Bind(w, c.TxtPp, "TxtPp");
  Bind(w, c.TxtPg, "TxtPg");
  Bind(w, c.TxtK, "TxtK");
  Bind(w, c.Command1, "Command1");
  Bind(w, c.Command2, "Command2");
  Bind(w, c.Lst, "Lst");
  Bind(w, c.Label10, "Label10");
  Bind(w, c.LblU, "LblU");
  Bind(w, c.LblAR, "LblAR");
  Bind(w, c.LblDJ, "LblDJ");
  Bind(w, c.LblOJ, "LblOJ");
  Bind(w, c.LblP, "LblP");
  Bind(w, c.LblZ, "LblZ");
  Bind(w, c.LblUr, "LblUr");
  Bind(w, c.LblPr, "LblPr");
  Bind(w, c.LblPot, "LblPot");
  Bind(w, c.Lbl15, "Lbl15");
  Bind(w, c.Lbl16, "Lbl16");
  return c;
}

void SetTabOrder(const Form1Controls& c) {
  QWidget* const order[] = {c.CmbDD,    c.CmbT, c.Option2, c.CmbL,  c.Option1, c.CmbU,    c.TxtPp,
                            c.Command1, c.TxtU, c.Lst,     c.TxtPg, c.TxtK,    c.Command2};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

void MatchReportToHeading(const Form1Controls& c) {
  QList<qreal> starts = HeadingColumnStarts(c.Label10->caption(), c.Label10->font());
  const int headingOffset = c.Label10->x() - c.Lst->x();
  for (qreal& start : starts) {
    start += headingOffset;
  }
  c.Lst->setColumnStarts(starts);
  c.Lst->setColumnNames(c.Label10->caption().split(u' ', Qt::SkipEmptyParts));
}

}  // namespace

Form1Controls CreateControls(QWidget* window) {
  CreateFromTable(window);
  Form1Controls controls = BindControls(window);
  SetTabOrder(controls);
  MatchReportToHeading(controls);
  NameForScreenReaders(window);
  new FocusShownFromStart(window);
  return controls;
}

}  // namespace linecalc::ui
