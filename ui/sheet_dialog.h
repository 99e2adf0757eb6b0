#pragma once

#include <QString>
#include <optional>

#include "sheet/sheet_writer.h"

class QWidget;

namespace linecalc::ui {

// What the user tells the calculator about the sheet to print: the line's name, the loss limit
// to judge it by (empty: none) and who signs it.
struct SheetRequest {
  QString lineName;
  QString lossLimit;
  sheet::Signatures signatures;
};

// The sheet's dialog over `owner` with `suggested` filled in and `note` (if any) shown above the
// buttons; nullopt: cancelled.
std::optional<SheetRequest> AskSheetRequest(QWidget* owner, const SheetRequest& suggested,
                                            const QString& note);

// "Выполнил" as last given, kept between runs.
QString RememberedPerformer();
void RememberPerformer(const QString& performer);

// The loss limit of `text`, % (absent when `text` is blank); nullopt in `valid` when it is not a
// number from 0 to 100.
struct LossLimit {
  bool valid = true;
  std::optional<double> value;
};
LossLimit ReadSheetLossLimit(const QString& text, const QString& decimalSeparator);

}  // namespace linecalc::ui
