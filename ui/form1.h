#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "calc/line_calculation.h"
#include "calc/line_state.h"
#include "ui/controls.h"
#include "ui/message_box.h"

namespace linecalc::ui {

// The calculator's one window. It owns the line state for its whole life; its handlers gather
// the fields into a line, let calc check and compute it once, and write the texts back.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Where messages for the user go; by default a modal message box.
  void setMessageSink(MessageSink sink);

  const LineState& state() const { return state_; }
  // True while the R20 field holds a value the user typed, which a press keeps and uses.
  bool r20Edited() const { return r20Edited_; }

  // Enters `inputs` as a user would (the material, the section picked from its list, the other
  // list texts typed, a typed R20 kept) and runs the calculation of its load, so that its
  // results or its message appear as after a press of its button. Each field gets the value the
  // object read from its text. False, with nothing changed, when the R20 field cannot hold the
  // line's R20 (R20FieldText).
  bool loadLine(const LineInputs& inputs);

  // The single-load calculation whose results are on view, with the inputs it was made from;
  // empty once a refresh has emptied those results.
  const std::optional<LineCalculation>& singleOnView() const { return singleOnView_; }
  // The uniform-load calculation whose report is on view, until the next report replaces it.
  const std::optional<LineCalculation>& uniformOnView() const { return uniformOnView_; }
  // The inputs of the last successful calculation, either button.
  std::optional<LineInputs> lastCalculatedInputs() const { return lastCalculated_; }
  // The inputs of the last refresh with the reference values it put on view (no load).
  LineCalculation referenceOnView() const;

 signals:
  // A calculation succeeded and its results are on view.
  void calculated();

 private:
  void connectHandlers();
  void load();
  void chooseMaterial(double alpha);
  void chooseSection(int index);
  void chooseListEntry();
  void refresh();
  bool showRefresh(const LineCalculation& calculation);
  void calculate(LoadKind load);
  void showSingleLoad(const SingleLoadResult& result);
  void showUniformLoad(const UniformLoadResult& result);
  void moveFocus(FocusTarget target);
  void clearSingleLoadResults();
  std::string decimalSeparator() const;
  LineInputs fieldInputs(LoadKind load) const;
  void noteRefresh();
  void recordCalculation(LineCalculation calculation);

  LineState state_;
  bool r20Edited_ = false;
  Form1Controls ui_;
  MessageSink showMessage_;
  std::optional<LineCalculation> singleOnView_;
  std::optional<LineCalculation> uniformOnView_;
  std::optional<LineInputs> lastCalculated_;
  LineInputs refreshedInputs_;
};

}  // namespace linecalc::ui
