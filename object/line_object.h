#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/line_calculation.h"

namespace linecalc::object {

// One loudspeaker line of a building, named by the user.
struct ObjectLine {
  std::string name;
  LineInputs inputs;
  std::string amplifier{};  // the name of the amplifier that feeds it; empty: none named
  friend bool operator==(const ObjectLine&, const ObjectLine&) = default;
};

// An amplifier of the building's rack, named uniquely; its power (W) and output voltage (V) as
// typed, which a file or an edit accepts only when they read as an amplifier's.
struct Amplifier {
  std::string name;
  std::string power;
  std::string voltage;
  friend bool operator==(const Amplifier&, const Amplifier&) = default;
};

// A building's lines as kept in a .linecalc file. Texts are UTF-8.
struct LineObject {
  std::string title;
  std::string lossLimitPct;  // as typed; empty: no limit
  // Row of SectionList of the thinnest section the object's cable or rules allow; the search for
  // the smallest sufficient section starts there. Absent: any section.
  std::optional<int> minSection;
  std::vector<ObjectLine> lines;
  std::vector<Amplifier> amplifiers;
  std::string amplifierReservePct;  // as typed; empty: the default reserve
  friend bool operator==(const LineObject&, const LineObject&) = default;
};

}  // namespace linecalc::object
