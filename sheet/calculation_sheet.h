#pragma once

#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

#include "calc/line_calculation.h"
#include "sheet/sheet_page.h"

class QTextCursor;
class QTextDocument;

namespace linecalc::sheet {

// What one calculation sheet holds: the calculations on view in the window, each with the inputs
// and reference values it was computed from, and the reference values the window shows now.
struct SheetContent {
  QString lineName;  // may be empty
  QDateTime when;
  QString decimalSeparator = QStringLiteral(".");
  std::optional<LineCalculation> single;   // the single-load result on view
  std::optional<LineCalculation> uniform;  // the uniform-load report on view
  // The inputs and reference values the window shows now (only `inputs` and `reference` are
  // read). Printed on their own, titled as such, only where they differ from those of the
  // calculations above, or when there is no calculation.
  std::optional<LineCalculation> current;
};

// Appends the sheet of `content` at `cursor`, starting on a new page unless the cursor is at
// the very start of its document, which PrepareSheetDocument has made ready: the report's
// heading is repeated at the top of every page it runs onto. Reads no widget.
void AppendCalculationSheet(QTextCursor& cursor, const SheetContent& content);

// A document holding the one sheet of `content`, laid out on pages of `page`.
std::unique_ptr<QTextDocument> BuildCalculationSheet(const SheetContent& content,
                                                     const QSizeF& page = SheetPageSize());

// The program's name and version as the sheet states them.
QString ProgramTitle();

}  // namespace linecalc::sheet
