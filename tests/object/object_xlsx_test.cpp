// The workbook is read back as a spreadsheet program reads it: unzipped, its sheet's cells with
// their types, values, number formats and fonts.
#include "object/object_xlsx.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::TableLine;

// One sheet of a workbook as its XML parts describe it.
struct Sheet {
  // By reference ("A1"): "«text»" for a string, "value [format]" for a number, "formula" for
  // one; "*" before a bold cell.
  std::map<std::string, std::string> cells;
  std::vector<double> widths;  // of columns A, B, …
  std::string pane;            // "xSplit ySplit state"
  std::string title;           // of the document

  // The cells of `row` ("4") in columns A to Y, joined by " | " up to the last one written.
  std::string Row(const std::string& row) const {
    std::string joined, written;
    for (char column = 'A'; column <= 'Y'; ++column) {
      const auto cell = cells.find(column + row);
      joined += (column == 'A' ? "" : " | ") + (cell == cells.end() ? "" : cell->second);
      written = cell == cells.end() ? written : joined;
    }
    return written;
  }
};

std::string Attribute(const QXmlStreamReader& xml, const char* name) {
  return xml.attributes().value(QLatin1StringView(name)).toString().toStdString();
}

// The workbook of `object`, written to a file and read back.
Sheet Written(const LineObject& object) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.xlsx"));
  EXPECT_EQ(WriteObjectXlsx(path, object).toStdString(), "");
  std::vector<std::string> strings;
  // Each cell style's number format and boldness (the "xf" of "cellXfs", not "cellStyleXfs").
  std::map<std::string, std::string> formats{{"0", "General"}, {"1", "0"}, {"2", "0.00"}};
  std::vector<bool> boldFonts;
  std::vector<std::pair<std::string, bool>> styles;
  Sheet sheet;
  // The parts in the order a cell's string and style are known before the cell.
  for (const char* part :
       {"xl/sharedStrings.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml", "docProps/core.xml"}) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QString::fromLatin1(part)});
    EXPECT_TRUE(unzip.waitForFinished(30000)) << part;
    QXmlStreamReader xml(unzip.readAllStandardOutput());
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) {
        continue;
      } else if (xml.name() == u"t") {
        // As a spreadsheet reads it: "_x0007_" is the character U+0007, "_x005F_" an underscore.
        static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
        QString text = xml.readElementText();
        for (auto match = escape.match(text); match.hasMatch();
             match = escape.match(text, match.capturedStart() + 1)) {
          text.replace(match.capturedStart(), match.capturedLength(),
                       QChar(match.captured(1).toUShort(nullptr, 16)));
        }
        strings.push_back(text.toStdString());
      } else if (xml.name() == u"numFmt") {
        formats[Attribute(xml, "numFmtId")] = Attribute(xml, "formatCode");
      } else if (xml.name() == u"font" || xml.name() == u"b") {
        xml.name() == u"b" ? boldFonts.back() = true : boldFonts.emplace_back(false);
      } else if (xml.name() == u"cellXfs") {
        styles.clear();
      } else if (xml.name() == u"xf") {
        styles.emplace_back(formats[Attribute(xml, "numFmtId")],
                            boldFonts.at(std::stoul(Attribute(xml, "fontId"))));
      } else if (xml.name() == u"pane") {
        sheet.pane = Attribute(xml, "xSplit") + " " + Attribute(xml, "ySplit") + " " +
                     Attribute(xml, "state");
      } else if (xml.name() == u"col") {
        sheet.widths.resize(std::stoul(Attribute(xml, "max")), std::stod(Attribute(xml, "width")));
      } else if (xml.name() == u"c") {
        const auto& [format, bold] = styles.at(std::stoul("0" + Attribute(xml, "s")));
        const std::string reference = Attribute(xml, "r"), type = Attribute(xml, "t");
        xml.readNextStartElement();
        const QString value = xml.readElementText();
        // A number as a spreadsheet holds it, to 15 significant digits.
        const std::string number = QString::number(value.toDouble(), 'g', 15).toStdString();
        sheet.cells[reference] =
            (bold ? "*" : "") + (xml.name() == u"f" ? "formula"
                                 : type == "s"      ? "«" + strings.at(value.toULong()) + "»"
                                                    : number + " [" + format + "]");
      } else if (xml.name() == u"title") {
        sheet.title = xml.readElementText().toStdString();
      }
    }
    EXPECT_FALSE(xml.hasError()) << part << ": " << xml.errorString().toStdString();
  }
  return sheet;
}

TEST(ObjectXlsx, Workbook) {
  LineObject object{"=Школа № 5\x07", "10", std::nullopt, {}, {}, ""};
  object.lines = {
      {"Зал", TableLine(Material::Copper, 6, "120", LoadKind::Uniform, "6", "10")},
      {"Двор", TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000")},
      {"Улица", TableLine(Material::Aluminium, 7, "-5", LoadKind::Single, "10")},
  };
  object.lines[2].inputs.temperature = "1e1";
  const char* const names[] = {
      "=HYPERLINK(\"http://x\")", "@SUM(A1)",     "+2 этаж",    "-1 этаж", "12",
      "=cmd|' /C calc'!A0",       "<b>&amp;</b>", "звонок\x07", "_x0041_"};
  for (const char* name : names) {
    object.lines.push_back({name, TableLine(Material::Copper, 3, "1", LoadKind::Single, "10")});
  }
  const Sheet sheet = Written(object);
  EXPECT_EQ(sheet.title, "=Школа № 5 ");
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
      {"1", "*«Объект» | «=Школа № 5\x07»"},
      {"2", "*«Предел потерь (%)» | 10 [General]"},
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
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(sheet.cells.at("A" + std::to_string(8 + i)), std::string("«") + names[i] + "»");
  }
  // The header's names, those of the CSV's header, in its order.
  EXPECT_EQ(sheet.cells.at("A4") + sheet.cells.at("X4") + sheet.cells.at("Y4"),
            "*«Линия»*«Сообщение»*«Усилитель»");
  EXPECT_EQ(sheet.pane, "1 4 frozen");
  // As wide as the widest text: the first name, a refused line's message of 94 characters.
  ASSERT_EQ(sheet.widths.size(), 25u);
  EXPECT_NEAR(sheet.widths[0], 22 + 2, 2);
  EXPECT_NEAR(sheet.widths[23], 94 + 2, 2);
  EXPECT_EQ(Written(LineObject{}).Row("2"), "*«Предел потерь (%)» | «нет»");
}

}  // namespace
}  // namespace linecalc::object
