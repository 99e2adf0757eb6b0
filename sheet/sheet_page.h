#pragma once

#include <QSizeF>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace linecalc::sheet {

// Sheets are laid out at this resolution, whatever the screen's, and painted scaled to the
// device's, so that the same sheet breaks into the same pages everywhere.
inline constexpr double kSheetDpi = 96;

// Room under the text of each page for its number, in points.
inline constexpr double kPageNumberRoomPoints = 24;

// The text area of one page of `device` less the room for the page number, in sheet units.
QSizeF SheetPageSize(const QPagedPaintDevice& device);

// The same for the sheet's own paper: A4 with the margins SetSheetPaper gives.
QSizeF SheetPageSize();

// The one font family of every printed text.
QString SheetFontFamily();

// A4, portrait, with the sheet's margins.
void SetSheetPaper(QPagedPaintDevice& device);

// Makes `document` ready to take sheets laid out on pages of `page` (see SheetPageSize): the
// sheet's font, no document margin, and the fixed layout resolution.
void PrepareSheetDocument(QTextDocument& document, const QSizeF& page);

}  // namespace linecalc::sheet
