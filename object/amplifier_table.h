#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "calc/amplifier_load.h"
#include "object/line_object.h"

namespace linecalc::object {

// An amplifier of an object with the lines it feeds (indices into the object's lines, in file
// order) and what they load it with.
struct AmplifierAssessment {
  std::vector<std::size_t> lines;
  AmplifierLoad load;
};

// Every amplifier of `object`, in file order, judged from the calculations of its lines, which
// `calculation` gives by a line's index (each line asked once at most). The amplifiers' texts
// and the reserve are those a file or an edit accepts.
std::vector<AmplifierAssessment> AssessAmplifiers(
    const LineObject& object,
    const std::function<const LineCalculation&(std::size_t)>& calculation);

// The columns of the amplifiers' table, in the order of its CSV.
enum class AmplifierColumn {
  Name,
  Power,
  Voltage,
  Lines,
  RatedLoad,
  LoadPct,
  ReservePct,
  Verdict,
  Message
};
inline constexpr int kAmplifierColumnCount = 9;

const std::array<std::string_view, kAmplifierColumnCount>& AmplifierTableHeader();

// The cells of one amplifier's row: the texts as typed for name and power, the voltage whole,
// the names of its lines joined by "; ", the figures by the display rule with `decimalSeparator`
// (the reserve empty without load).
std::vector<std::string> AmplifierTableRow(const LineObject& object, std::size_t amplifier,
                                           const AmplifierAssessment& assessment,
                                           std::string_view decimalSeparator);

// The amplifiers' table as CSV, by the rules of ObjectCsv.
std::string AmplifierCsv(const LineObject& object);

}  // namespace linecalc::object
