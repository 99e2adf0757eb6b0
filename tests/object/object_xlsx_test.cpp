// The workbook is read back as a spreadsheet program reads it: unzipped, its sheet's cells with
// their types, values, number formats and fonts.
#include "object/object_xlsx.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::TableLine;

struct Cell {
  std::string shown;  // "«text»" for a string, "value [format]" for a number, "formula" for one
  bool bold = false;
};

// One sheet of a workbook as its XML parts describe it.
struct Sheet {
  std::map<std::string, Cell> cells;  // by reference: "A1"
  std::vector<double> widths;         // of columns A, B, …
  std::string pane;                   // "xSplit ySplit state"
  std::string title;                  // of the document

  // The cells of `row` ("4") in columns A to X, joined by " | " up to the last one written.
  std::string Row(const std::string& row) const {
    std::string joined;
    std::size_t written = 0;
    for (char column = 'A'; column <= 'Y'; ++column) {
      const auto cell = cells.find(column + row);
      joined.append(column == 'A' ? "" : " | ");
      if (cell != cells.end()) {
        joined.append(cell->second.shown);
        written = joined.size();
      }
    }
    return joined.substr(0, written);
  }
};

QByteArray Unzip(const QString& path, const char* member) {
  QProcess unzip;
  unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QString::fromLatin1(member)});
  EXPECT_TRUE(unzip.waitForFinished(30000)) << member;
  return unzip.readAllStandardOutput();
}

std::string Attribute(const QXmlStreamReader& xml, const char* name) {
  return xml.attributes().value(QLatin1StringView(name)).toString().toStdString();
}

// Calls `element` at the start of every element of `bytes`.
template <typename Visit>
void Walk(const QByteArray& bytes, Visit element) {
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement) {
      element(xml);
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

// A text as a spreadsheet reads it: "_x0007_" is the character U+0007, "_x005F_" an underscore.
std::string Unescaped(QString text) {
  static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
  for (auto match = escape.match(text); match.hasMatch();
       match = escape.match(text, match.capturedStart() + 1)) {
    text.replace(match.capturedStart(), match.capturedLength(),
                 QChar(match.captured(1).toUShort(nullptr, 16)));
  }
  return text.toStdString();
}

std::vector<std::string> SharedStrings(const QString& path) {
  std::vector<std::string> strings;
  Walk(Unzip(path, "xl/sharedStrings.xml"), [&](QXmlStreamReader& xml) {
    if (xml.name() == u"si") {
      strings.emplace_back();
    } else if (xml.name() == u"t") {
      strings.back().append(Unescaped(xml.readElementText()));
    }
  });
  return strings;
}

// Each cell style's number format and boldness.
std::vector<Cell> Styles(const QString& path) {
  std::map<std::string, std::string> formats{{"0", "General"}, {"1", "0"}, {"2", "0.00"}};
  std::vector<bool> boldFonts;
  std::vector<Cell> styles;
  bool inCellStyles = false;
  Walk(Unzip(path, "xl/styles.xml"), [&](QXmlStreamReader& xml) {
    if (xml.name() == u"numFmt") {
      formats[Attribute(xml, "numFmtId")] = Attribute(xml, "formatCode");
    } else if (xml.name() == u"font") {
      boldFonts.push_back(false);
    } else if (xml.name() == u"b") {
      boldFonts.back() = true;
    } else if (xml.name() == u"cellXfs") {
      inCellStyles = true;
    } else if (xml.name() == u"xf" && inCellStyles) {
      styles.push_back({formats[Attribute(xml, "numFmtId")],
                        boldFonts.at(std::stoul(Attribute(xml, "fontId")))});
    }
  });
  return styles;
}

Sheet ReadSheet(const QString& path) {
  const std::vector<std::string> strings = SharedStrings(path);
  const std::vector<Cell> styles = Styles(path);
  Sheet sheet;
  Walk(Unzip(path, "xl/worksheets/sheet1.xml"), [&](QXmlStreamReader& xml) {
    if (xml.name() == u"pane") {
      sheet.pane =
          Attribute(xml, "xSplit") + " " + Attribute(xml, "ySplit") + " " + Attribute(xml, "state");
    } else if (xml.name() == u"col") {
      sheet.widths.resize(std::stoul(Attribute(xml, "max")), std::stod(Attribute(xml, "width")));
    } else if (xml.name() == u"c") {
      const Cell& style = styles.at(std::stoul("0" + Attribute(xml, "s")));
      Cell& cell = sheet.cells[Attribute(xml, "r")];
      const std::string type = Attribute(xml, "t");
      cell.bold = style.bold;
      xml.readNextStartElement();
      const QString value = xml.readElementText();
      // A number as a spreadsheet holds it, to 15 significant digits.
      const std::string number = QString::number(value.toDouble(), 'g', 15).toStdString();
      cell.shown = xml.name() == u"f" ? "formula"
                   : type == "s"      ? "«" + strings.at(value.toULong()) + "»"
                                      : number + " [" + style.shown + "]";
    }
  });
  Walk(Unzip(path, "docProps/core.xml"), [&](QXmlStreamReader& xml) {
    if (xml.name() == u"title") {
      sheet.title = xml.readElementText().toStdString();
    }
  });
  return sheet;
}

// The workbook of `object`, written to a file and read back.
Sheet Written(const LineObject& object) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.xlsx"));
  EXPECT_EQ(WriteObjectXlsx(path, object).toStdString(), "");
  return ReadSheet(path);
}

LineObject School() {
  LineObject object;
  object.title = "Школа № 5";
  object.lossLimitPct = "10";
  object.lines = {
      {"Зал", TableLine(Material::Copper, 6, "120", LoadKind::Uniform, "6", "10")},
      {"Двор", TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000")},
      {"Улица", TableLine(Material::Aluminium, 7, "-5", LoadKind::Single, "10")},
  };
  object.lines[2].inputs.temperature = "1e1";
  return object;
}

TEST(ObjectXlsx, TitleLimitHeaderAndRows) {
  const Sheet sheet = Written(School());
  EXPECT_EQ(sheet.title, "Школа № 5");
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
      {"1", "«Объект» | «Школа № 5»"},
      {"2", "«Предел потерь (%)» | 10 [General]"},
      {"5", "«Зал» | «медь» | 1.5 [0.0#] | 120 [General] | 20 [General] | 100 [General] | "
            "26.6 [0.00] | 3.27 [0.00] | 23 [0.00] | 16.26 [0.00] | 1626.1 [0.00] | "
            "«равномерная» | 6 [0.00] | 10 [0] |  | 98.92 [0.00] | 59.09 [0.00] | 1.51 [0.00] | "
            "0.07 [0.00] | 1.08 [0.00] | 98.72 [0.00] | 0.2 [0.0#] | «норма»"},
      {"6", "«Двор» | «медь» | 0.2 [0.0#] | 1 [General] | 20 [General] | 100 [General] | "
            "170 [0.00] | 0.17 [0.00] | 6 [0.00] | 4.24 [0.00] | 424.2 [0.00] | "
            "«в конце линии» |  |  |  |  |  |  |  |  |  | 6 [0.0#] | «отказ» | "
            "«Расчетная мощность превышает допустимую для данного провода, выберите провод "
            "большего диаметра»"},
      // A length or temperature that is not a plain decimal stays the text the file holds.
      {"7", "«Улица» | «алюминий» | 2.5 [0.0#] | -5 [General] | «1e1» | 100 [General] | "
            "25.54 [0.00] | -0.13 [0.00] | 24 [0.00] | 16.97 [0.00] | 1696.8 [0.00] | "
            "«в конце линии» |  |  |  |  |  |  |  |  |  | «нет» | «отказ» | «Сопротивление линии "
            "отрицательное: проверьте длину кабеля, температуру и R20»"},
  };
  // clang-format on
  for (const auto& [row, shown] : rows) {
    EXPECT_EQ(sheet.Row(row), shown) << "row " << row;
  }
  // The header's names, those of the CSV's header, in its order.
  EXPECT_EQ(sheet.cells.at("A4").shown + sheet.cells.at("Y4").shown, "«Линия»«Усилитель»");
  for (const char* bold : {"A1", "A2", "A4", "X4"}) {
    EXPECT_TRUE(sheet.cells.at(bold).bold) << bold;
  }
  EXPECT_FALSE(sheet.cells.at("A5").bold);
  EXPECT_EQ(sheet.pane, "1 4 frozen");
  // As wide as the widest text: «Предел потерь (%)», a refused line's message of 94 characters.
  ASSERT_EQ(sheet.widths.size(), 25u);
  for (const auto& [column, characters] : {std::pair(0, 17.0), std::pair(23, 94.0)}) {
    EXPECT_GE(sheet.widths[column], characters) << column;
    EXPECT_LE(sheet.widths[column], characters + 4) << column;
  }
}

// A spreadsheet runs a cell that starts with "=", "+", "-" or "@" as a formula when it is typed
// or read from CSV; a name is stored as a string, so opening the workbook runs nothing.
TEST(ObjectXlsx, NamesAreNeverFormulas) {
  LineObject object;
  object.title = "=1+1\x07";
  const char* const names[] = {
      "=HYPERLINK(\"http://x\")", "@SUM(A1)",     "+2 этаж",    "-1 этаж", "12",
      "=cmd|' /C calc'!A0",       "<b>&amp;</b>", "звонок\x07", "_x0041_"};
  for (const char* name : names) {
    object.lines.push_back({name, TableLine(Material::Copper, 3, "1", LoadKind::Single, "10")});
  }
  const Sheet sheet = Written(object);
  EXPECT_EQ(sheet.Row("1"), "«Объект» | «=1+1\x07»");
  EXPECT_EQ(sheet.title, "=1+1 ");
  EXPECT_EQ(sheet.Row("2"), "«Предел потерь (%)» | «нет»");
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(sheet.cells.at("A" + std::to_string(5 + i)).shown, std::string("«") + names[i] + "»");
  }
}

}  // namespace
}  // namespace linecalc::object
