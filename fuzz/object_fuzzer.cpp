// Arbitrary bytes read as an object file; an object that loads is computed and written as CSV,
// and written back as an object file that reads as the same object.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

#include "fuzz/properties.h"
#include "object/line_table.h"
#include "object/object_csv.h"
#include "object/object_json.h"

namespace linecalc::fuzz {
namespace {

// Every record of the CSV ends in CRLF and the table has one record per line plus the header;
// a quoted cell may hold CRLF itself, so only the end and the lower bound are checked.
void CheckCsv(const object::LineObject& object, const std::string& csv) {
  Require(csv.ends_with("\r\n"), "the CSV ends with CRLF");
  std::size_t breaks = 0;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) {
    ++breaks;
  }
  Require(breaks >= object.lines.size() + 1, "one CSV record per line", csv);
}

// The figures of every row (not the texts, which are the user's and may hold anything) show
// only finite numbers.
void CheckFigures(const object::LineObject& object) {
  const std::vector<LineAssessment> all = object::AssessObject(object, ",");
  const bool hasLimit = ReadLossLimit(object.lossLimitPct).has_value();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::vector<std::string> row =
        object::LineTableRow(object.lines[i], all[i], hasLimit, ",");
    Require(row.size() == object::kLineColumnCount, "a cell per column");
    for (const auto column :
         {object::LineColumn::R20, object::LineColumn::RLine, object::LineColumn::JMax,
          object::LineColumn::JOpt, object::LineColumn::PExpected, object::LineColumn::Power,
          object::LineColumn::ZLoad, object::LineColumn::URes, object::LineColumn::PRes,
          object::LineColumn::LossPct, object::LineColumn::LossDb,
          object::LineColumn::VoltageDropPct, object::LineColumn::CascadeVoltage}) {
      RequireShown(row[static_cast<std::size_t>(column)], ",", "a figure of the table");
    }
    const bool computed = all[i].calculation.status == LineStatus::Computed;
    Require(computed == all[i].calculation.message.empty(), "a message exactly when not computed");
  }
}

void CheckRoundTrip(const object::LineObject& object) {
  const QByteArray written = object::SerializeObject(object);
  const object::ObjectLoad again = object::ParseObject(written, QStringLiteral("fuzz"));
  Require(again.object.has_value(), "a written object reads back", again.error.toStdString());
  Require(*again.object == object, "a written object reads back the same", written.toStdString());
}

}  // namespace
}  // namespace linecalc::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace linecalc;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const object::ObjectLoad load = object::ParseObject(bytes, QStringLiteral("fuzz"));
  fuzz::Require(load.object.has_value() != !load.error.isEmpty(), "an object or a message");
  if (!load.object) {
    return 0;
  }
  fuzz::CheckCsv(*load.object, object::ObjectCsv(*load.object));
  fuzz::CheckFigures(*load.object);
  fuzz::CheckRoundTrip(*load.object);
  return 0;
}
