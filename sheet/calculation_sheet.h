#pragma once

#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

#include "calc/line_calculation.h"
#include "sheet/sheet_page.h"
#include "sheet/sheet_writer.h"

class QTextDocument;

namespace linecalc::sheet {

// What one calculation sheet holds: the calculations on view in the window, each with the inputs
// and reference values it was computed from, and the reference values the window shows now.
struct SheetContent {
  QString lineName;     // may be empty
  QString objectTitle;  // of the object the line belongs to; may be empty
  QDateTime when;
  QString decimalSeparator = QStringLiteral(".");
  // With a limit each loss is followed by its verdict and the smallest sufficient section.
  std::optional<double> lossLimitPct;
  // Closes the sheet at the foot of its last page; absent: no signatures' block.
  std::optional<Signatures> signatures;
  std::optional<LineCalculation> single;   // the single-load result on view
  std::optional<LineCalculation> uniform;  // the uniform-load report on view
  // A layout line of an object, computed or refused, which has a page of its own (never with the
  // two above).
  std::optional<LineCalculation> layout;
  // Why the line was not calculated, when it was refused; printed after its inputs.
  QString refusal;
  // Which of the two was calculated last, when both are there.
  LoadKind latest = LoadKind::Single;
  // The inputs and reference values the window shows now (only `inputs` and `reference` are
  // read). Printed on their own, titled as such, only where they differ from those of the
  // calculations above, or when there is no calculation.
  std::optional<LineCalculation> current;
};

// A sheet is about one line: when the single-load result and the uniform-load report were
// computed for different lines, only the one calculated last stays in `content`. Returns what
// the user is told about the one left off; empty when nothing is left off.
QString KeepOneLine(SheetContent& content);

// The line (its inputs as read, without its load) that the sheet of `content` is about: that of
// its calculations, or of the reference values on view when there is none.
std::optional<LineCalculation> SheetLine(const SheetContent& content);

// Whether two calculations are of the same line, its inputs as read.
bool SameLine(const LineCalculation& a, const LineCalculation& b);

// A document holding the one sheet of `content`, laid out on pages of `page`.
std::unique_ptr<QTextDocument> BuildCalculationSheet(const SheetContent& content,
                                                     const QSizeF& page = SheetPageSize());

// The program's name and version as the sheet states them.
QString ProgramTitle();

}  // namespace linecalc::sheet
