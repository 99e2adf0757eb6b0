#include "object/object_xlsx.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "calc/number_format.h"
#include "calc/smallest_section.h"
#include "object/line_table.h"
#include "object/object_csv.h"
#include "object/save_file.h"

namespace linecalc::object {
namespace {

constexpr lxw_row_t kHeaderRow = 3;  // under the title, the limit and a blank row
constexpr std::size_t kWidestColumn = 100;
constexpr int kLongestText = 32767;  // characters a cell holds

// How the cells of a column are stored and shown.
enum class CellKind { Text, Figure, Count, Section, Input };

CellKind KindOf(LineColumn column) {
  switch (column) {
    case LineColumn::Name:
    case LineColumn::Material:
    case LineColumn::Load:
    case LineColumn::Verdict:
    case LineColumn::Message:
    case LineColumn::Amplifier:
      return CellKind::Text;
    case LineColumn::Section:
    case LineColumn::SmallestSection:
      return CellKind::Section;
    case LineColumn::Length:
    case LineColumn::Temperature:
    case LineColumn::Voltage:
      return CellKind::Input;
    case LineColumn::Count:
      return CellKind::Count;
    default:
      return CellKind::Figure;
  }
}

// The value of a plain decimal ("-5", "0.75", "3,5"). Only these become numbers: anything else a
// user typed stays the text it is, so that the sheet never shows a value the file does not hold.
std::optional<double> PlainDecimal(std::string_view text) {
  std::size_t i = text.starts_with('-') ? 1 : 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      ++i;
    }
    return i > start;
  };
  bool plain = digits();
  if (plain && i < text.size() && (text[i] == '.' || text[i] == ',')) {
    ++i;
    plain = digits();
  }
  const Checked<double> value = ReadNumber(text);
  if (!plain || i != text.size() || !value) {
    return std::nullopt;
  }
  return value.value();
}

// `text` as a cell keeps it: a spreadsheet reads "_x0041_" as the character it codes ("A"), so
// the underscore of such a sequence is itself written coded, as "_x005F_".
std::string CellText(std::string_view text) {
  const auto isCode = [text](std::size_t i) {
    const auto hex = [text](std::size_t k) {
      return std::isxdigit(static_cast<unsigned char>(text[k])) != 0;
    };
    return i + 7 <= text.size() && text[i + 1] == 'x' && hex(i + 2) && hex(i + 3) && hex(i + 4) &&
           hex(i + 5) && text[i + 6] == '_';
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && isCode(i)) {
      out.append("_x005F");
    }
    out.push_back(text[i]);
  }
  return out;
}

// The width of `utf8` in characters, which is how a spreadsheet measures a column.
std::size_t Characters(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

struct Formats {
  lxw_format* bold;
  lxw_format* figure;
  lxw_format* count;
  lxw_format* section;
};

Formats MakeFormats(lxw_workbook* book) {
  const auto numbers = [book](const char* code) {
    lxw_format* format = workbook_add_format(book);
    format_set_num_format(format, code);
    return format;
  };
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  // Sections as the list writes them: "0.2", "0.35", "10.0".
  return {bold, numbers("0.00"), numbers("0"), numbers("0.0#")};
}

// Writes cells, keeping the first failure and the widest text of each column.
class SheetWriter {
 public:
  SheetWriter(lxw_worksheet* sheet, const Formats& formats)
      : sheet_(sheet), formats_(formats), widths_(kLineColumnCount, 0) {}

  void Text(lxw_row_t row, lxw_col_t col, std::string_view text, lxw_format* format = nullptr,
            bool widen = true) {
    if (widen) {
      Fit(col, text);
    }
    Note(worksheet_write_string(sheet_, row, col, CellText(text).c_str(), format), row, col);
  }

  void Number(lxw_row_t row, lxw_col_t col, double value, lxw_format* format) {
    Note(worksheet_write_number(sheet_, row, col, value, format), row, col);
  }

  void Cell(lxw_row_t row, lxw_col_t col, std::string_view text, CellKind kind) {
    const std::optional<double> value = kind == CellKind::Text ? std::nullopt : PlainDecimal(text);
    if (text.empty()) {
      return;
    }
    if (!value) {
      Text(row, col, text);
      return;
    }
    Fit(col, text);
    Number(row, col, *value, FormatOf(kind));
  }

  void SetWidths() {
    for (std::size_t col = 0; col < widths_.size(); ++col) {
      const double width = static_cast<double>(std::min(widths_[col] + 2, kWidestColumn));
      worksheet_set_column(sheet_, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col), width,
                           nullptr);
    }
  }

  lxw_error error() const { return error_; }
  lxw_row_t errorRow() const { return errorRow_; }
  lxw_col_t errorCol() const { return errorCol_; }

 private:
  lxw_format* FormatOf(CellKind kind) const {
    switch (kind) {
      case CellKind::Figure:
        return formats_.figure;
      case CellKind::Count:
        return formats_.count;
      case CellKind::Section:
        return formats_.section;
      default:
        return nullptr;  // as typed
    }
  }

  void Fit(lxw_col_t col, std::string_view text) {
    if (col < widths_.size()) {
      widths_[col] = std::max(widths_[col], Characters(text));
    }
  }

  void Note(lxw_error error, lxw_row_t row, lxw_col_t col) {
    if (error != LXW_NO_ERROR && error_ == LXW_NO_ERROR) {
      error_ = error;
      errorRow_ = row;
      errorCol_ = col;
    }
  }

  lxw_worksheet* sheet_;
  Formats formats_;
  std::vector<std::size_t> widths_;
  lxw_error error_ = LXW_NO_ERROR;
  lxw_row_t errorRow_ = 0;
  lxw_col_t errorCol_ = 0;
};

void WriteHeading(SheetWriter& out, const LineObject& object, const Formats& formats) {
  out.Text(0, 0, "Объект", formats.bold);
  if (!object.title.empty()) {
    // The title spills over the empty cells to its right, so it does not widen its column.
    out.Text(0, 1, object.title, nullptr, false);
  }
  out.Text(1, 0, "Предел потерь (%)", formats.bold);
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  if (limit && std::isfinite(*limit)) {
    out.Number(1, 1, *limit, nullptr);
  } else {
    out.Text(1, 1, object.lossLimitPct.empty() ? std::string_view("нет") : object.lossLimitPct);
  }
  const auto& header = LineTableHeader();
  for (std::size_t col = 0; col < header.size(); ++col) {
    out.Text(kHeaderRow, static_cast<lxw_col_t>(col), header[col], formats.bold);
  }
}

void WriteLines(SheetWriter& out, const LineObject& object) {
  const bool hasLimit = ReadLossLimit(object.lossLimitPct).has_value();
  const std::vector<LineAssessment> assessments = AssessObject(object, ".");
  for (std::size_t i = 0; i < assessments.size(); ++i) {
    const lxw_row_t row = kHeaderRow + 1 + static_cast<lxw_row_t>(i);
    const std::vector<std::string> cells =
        LineTableRow(object.lines[i], assessments[i], hasLimit, ".");
    for (std::size_t col = 0; col < cells.size(); ++col) {
      out.Cell(row, static_cast<lxw_col_t>(col), cells[col], KindOf(static_cast<LineColumn>(col)));
    }
  }
}

QString Failure(const QString& reason) {
  return QStringLiteral("Не удается построить книгу Excel: %1.").arg(reason);
}

QString WriteFailure(const SheetWriter& out) {
  char cell[LXW_MAX_CELL_NAME_LENGTH];
  lxw_rowcol_to_cell(cell, out.errorRow(), out.errorCol());
  switch (out.error()) {
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
      return Failure(QStringLiteral("в ячейке %1 больше %2 знаков — больше, чем вмещает ячейка")
                         .arg(QLatin1StringView(cell))
                         .arg(kLongestText));
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
      return Failure(QStringLiteral("строк больше, чем вмещает лист (%1)").arg(LXW_ROW_MAX));
    default:
      return Failure(QStringLiteral("ошибка в ячейке %1 (код %2)")
                         .arg(QLatin1StringView(cell))
                         .arg(static_cast<int>(out.error())));
  }
}

// The document's properties are plain XML, which has no place for control characters; a cell
// has its own escape for them.
std::string PropertyText(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c >= 0 && c < 0x20; }, ' ');
  return text;
}

// Fills the one sheet of `book`; an empty string, or why a cell could not be written.
QString FillWorkbook(lxw_workbook* book, const LineObject& object) {
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Линии");
  const Formats formats = MakeFormats(book);
  SheetWriter out(sheet, formats);
  WriteHeading(out, object, formats);
  WriteLines(out, object);
  out.SetWidths();
  const auto lastRow = static_cast<lxw_row_t>(kHeaderRow + object.lines.size());
  worksheet_freeze_panes(sheet, kHeaderRow + 1, 1);
  worksheet_autofilter(sheet, kHeaderRow, 0, lastRow, kLineColumnCount - 1);
  return out.error() == LXW_NO_ERROR ? QString() : WriteFailure(out);
}

// Writes the workbook of `object` to `path`, the library's scratch files to `scratchFolder`; an
// empty string, or why it could not be made.
QString WriteWorkbook(const QString& path, const QString& scratchFolder, const LineObject& object) {
  const QByteArray name = path.toUtf8();
  QByteArray scratch = scratchFolder.toUtf8();
  lxw_workbook_options options{LXW_FALSE, scratch.data(), LXW_FALSE};
  lxw_workbook* book = workbook_new_opt(name.constData(), &options);
  if (book == nullptr) {
    return Failure(QStringLiteral("не хватает памяти"));
  }
  std::string title = PropertyText(object.title);  // lives until the book is closed
  lxw_doc_properties properties{};
  properties.title = title.data();
  workbook_set_properties(book, &properties);
  const QString error = FillWorkbook(book, object);
  const lxw_error closed = workbook_close(book);
  if (error.isEmpty() && closed != LXW_NO_ERROR) {
    return Failure(QStringLiteral("не удается записать временный файл в папку «%1» (код %2)")
                       .arg(QDir::toNativeSeparators(scratchFolder))
                       .arg(static_cast<int>(closed)));
  }
  return error;
}

}  // namespace

XlsxWorkbook ObjectXlsx(const LineObject& object) {
  // The library writes to a named file and keeps its own scratch files; both go to a private
  // folder that is removed with everything in it.
  const QTemporaryDir folder;
  if (!folder.isValid()) {
    return {
        {},
        Failure(
            QStringLiteral("не удается создать временную папку (%1)").arg(folder.errorString()))};
  }
  const QString path = folder.filePath(QStringLiteral("object.xlsx"));
  const QString error = WriteWorkbook(path, folder.path(), object);
  if (!error.isEmpty()) {
    return {{}, error};
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {{},
            Failure(QStringLiteral("не удается прочитать временный файл «%1»")
                        .arg(QDir::toNativeSeparators(path)))};
  }
  return {file.readAll(), QString()};
}

QString WriteObjectXlsx(const QString& path, const LineObject& object) {
  const XlsxWorkbook workbook = ObjectXlsx(object);
  return workbook.error.isEmpty() ? SaveFileAtomically(path, workbook.bytes) : workbook.error;
}

}  // namespace linecalc::object
