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
  friend bool operator==(const ObjectLine&, const ObjectLine&) = default;
};

// A building's lines as kept in a .linecalc file. Texts are UTF-8.
struct LineObject {
  std::string title;
  std::string lossLimitPct;  // as typed; empty: no limit
  // Row of SectionList of the thinnest section the object's cable or rules allow; the search for
  // the smallest sufficient section starts there. Absent: any section.
  std::optional<int> minSection;
  std::vector<ObjectLine> lines;
  friend bool operator==(const LineObject&, const LineObject&) = default;
};

}  // namespace linecalc::object
