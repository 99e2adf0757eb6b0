// Arbitrary bytes read as an object file; an object that loads is computed and written as CSV,
// and written back as an object file that reads as the same object.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

#include "fuzz/properties.h"
#include "object/amplifier_table.h"
#include "object/line_table.h"
#include "object/object_csv.h"
#include "object/object_json.h"
#include "object/speaker_table.h"

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

// One record per loudspeaker of every layout line that computes, after the header.
void CheckSpeakers(const object::LineObject& object, const std::string& csv) {
  std::size_t speakers = 0;
  for (const object::ObjectLine& line : object.lines) {
    if (line.inputs.load == LoadKind::Layout) {
      const LineCalculation calculation = CalculateLine(line.inputs, ".");
      speakers += calculation.layout ? calculation.layout->speakers.size() : 0;
      Require(calculation.layout.has_value() == (calculation.status == LineStatus::Computed),
              "a layout's solution exactly when computed");
    }
  }
  std::size_t breaks = 0;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) {
    ++breaks;
  }
  Require(breaks >= speakers + 1, "one record per loudspeaker", csv);
}

// A record per amplifier; its figures finite, whatever its lines.
void CheckAmplifiers(const object::LineObject& object, const std::string& csv) {
  std::size_t breaks = 0;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) {
    ++breaks;
  }
  Require(breaks >= object.amplifiers.size() + 1, "one record per amplifier", csv);
  std::vector<LineCalculation> lines;
  for (const object::ObjectLine& line : object.lines) {
    lines.push_back(CalculateLine(line.inputs, ","));
  }
  const auto all = object::AssessAmplifiers(
      object, [&lines](std::size_t line) -> const LineCalculation& { return lines[line]; });
  for (std::size_t a = 0; a < all.size(); ++a) {
    const std::vector<std::string> row = object::AmplifierTableRow(object, a, all[a], ",");
    for (const auto column :
         {object::AmplifierColumn::Power, object::AmplifierColumn::RatedLoad,
          object::AmplifierColumn::LoadPct, object::AmplifierColumn::ReservePct}) {
      RequireShown(row[static_cast<std::size_t>(column)], ",", "a figure of the amplifiers");
    }
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
  fuzz::CheckSpeakers(*load.object, object::SpeakersCsv(*load.object));
  fuzz::CheckAmplifiers(*load.object, object::AmplifierCsv(*load.object));
  fuzz::CheckRoundTrip(*load.object);
  return 0;
}
