#include "calc/line_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "calc/number_format.h"

namespace linecalc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A text by the input rule; NaN when it is beyond the range of a double, which every range
// check then refuses.
double Read(std::string_view text) {
  const Checked<double> value = ReadNumber(text);
  return value ? value.value() : kNaN;
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

bool IsWholeFrom1To1000(double value) {
  return value >= 1 && value <= 1000 && value == std::floor(value);
}

// The layout's numbers, one entry per stretch as typed (repeats not laid out), in depth-first
// order: a stretch, the stretches of its branches, then the stretch after it.
struct ParsedStretch {
  double length = 0;
  double repeat = 1;
  int firstGroup = 0;
  int groupCount = 0;
};

struct ParsedGroup {
  double count = 0;
  double power = 0;
};

struct Parsed {
  std::vector<ParsedStretch> stretches;
  std::vector<ParsedGroup> groups;
};

void ParseList(const StretchList& list, Parsed& out) {
  for (const Stretch& s : list) {
    ParsedStretch p;
    p.length = Read(s.length);
    p.repeat = IsBlank(s.repeat) ? 1 : Read(s.repeat);
    p.firstGroup = static_cast<int>(out.groups.size());
    p.groupCount = static_cast<int>(s.speakers.size());
    out.stretches.push_back(p);
    for (const SpeakerGroup& g : s.speakers) {
      out.groups.push_back({Read(g.count), Read(g.power)});
    }
    for (const StretchList& branch : s.branches) {
      ParseList(branch, out);
    }
  }
}

// The path of the stretch at depth-first position `target`; `position` counts stretches passed.
bool FindPath(const StretchList& list, std::size_t target, std::size_t& position,
              StretchPath& path) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    path.push_back(i);
    if (position++ == target) {
      return true;
    }
    const std::vector<StretchList>& branches = list[i].branches;
    for (std::size_t b = 0; b < branches.size(); ++b) {
      path.push_back(b);
      if (FindPath(branches[b], target, position, path)) {
        return true;
      }
      path.pop_back();
    }
    path.pop_back();
  }
  return false;
}

LayoutRefusal RefuseAt(const LineLayout& layout, std::string_view message, std::size_t stretch) {
  LayoutRefusal refusal{Refusal{message, FocusTarget::Stay}, {}};
  std::size_t position = 0;
  FindPath(layout.stretches, stretch, position, refusal.where);
  return refusal;
}

// The first stretch, in file order, for which `refused` holds.
template <typename Refused>
std::optional<std::size_t> FirstStretch(const Parsed& parsed, Refused refused) {
  for (std::size_t i = 0; i < parsed.stretches.size(); ++i) {
    if (refused(parsed.stretches[i])) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<LayoutRefusal> CheckTexts(const LineLayout& layout, const Parsed& parsed) {
  const auto groups = [&parsed](const ParsedStretch& s) {
    return std::span<const ParsedGroup>(parsed.groups.data() + s.firstGroup,
                                        static_cast<std::size_t>(s.groupCount));
  };
  const auto badPower = [&](const ParsedStretch& s) {
    return std::ranges::any_of(
        groups(s), [](const ParsedGroup& g) { return !(g.power > 0 && g.power <= 100); });
  };
  if (const auto at = FirstStretch(parsed, badPower)) {
    return RefuseAt(layout, MsgSpeakerPowerRange, *at);
  }
  const auto badCount = [&](const ParsedStretch& s) {
    return !IsWholeFrom1To1000(s.repeat) ||
           std::ranges::any_of(groups(s),
                               [](const ParsedGroup& g) { return !IsWholeFrom1To1000(g.count); });
  };
  if (const auto at = FirstStretch(parsed, badCount)) {
    return RefuseAt(layout, MsgSpeakerCountWhole, *at);
  }
  const auto badLength = [](const ParsedStretch& s) {
    return !(s.length >= 0 && s.length <= 10000);
  };
  if (const auto at = FirstStretch(parsed, badLength)) {
    return RefuseAt(layout, MsgStretchLengthRange, *at);
  }
  return std::nullopt;
}

// Loudspeakers and stretches counted out, and whether branches nest too deep. Products are
// doubles: a deep nest of repeats exceeds any integer, never the limits' comparison.
struct Size {
  double speakers = 0;
  double stretches = 0;
  bool tooDeep = false;
};

void Measure(const StretchList& list, const Parsed& parsed, std::size_t& index, double times,
             int depth, Size& size) {
  if (depth > kMaxBranchDepth) {
    size.tooDeep = true;
  }
  for (const Stretch& s : list) {
    const ParsedStretch& p = parsed.stretches[index++];
    const double copies = times * p.repeat;
    size.stretches += copies;
    for (int g = 0; g < p.groupCount; ++g) {
      size.speakers += copies * parsed.groups[static_cast<std::size_t>(p.firstGroup + g)].count;
    }
    for (const StretchList& branch : s.branches) {
      Measure(branch, parsed, index, copies, depth + 1, size);
    }
  }
}

// Lays the checked layout out into nodes, each repeat its own piece of cable.
class Builder {
 public:
  Builder(const Parsed& parsed, LayoutNetwork& out) : parsed_(parsed), out_(out) {}

  void List(const StretchList& list, std::size_t& index, int parent) {
    for (const Stretch& s : list) {
      const std::size_t self = index;
      const ParsedStretch& p = parsed_.stretches[self];
      const int copies = static_cast<int>(p.repeat);
      for (int k = 0; k < copies; ++k) {
        parent = Node(p, parent);
        index = self + 1;
        for (const StretchList& branch : s.branches) {
          List(branch, index, parent);
        }
      }
    }
  }

 private:
  int Node(const ParsedStretch& p, int parent) {
    LayoutNode node;
    node.parent = parent;
    node.lengthM = p.length;
    const double start = parent < 0 ? 0 : out_.nodes[static_cast<std::size_t>(parent)].distanceM;
    node.distanceM = start + p.length;
    node.firstGroup = static_cast<int>(out_.groups.size());
    node.groupCount = p.groupCount;
    for (int g = 0; g < p.groupCount; ++g) {
      const ParsedGroup& group = parsed_.groups[static_cast<std::size_t>(p.firstGroup + g)];
      const int count = static_cast<int>(group.count);
      out_.groups.push_back({count, group.power});
      out_.ratedW += count * group.power;
      out_.speakerCount += count;
    }
    out_.totalLengthM += p.length;
    out_.nodes.push_back(node);
    return static_cast<int>(out_.nodes.size()) - 1;
  }

  const Parsed& parsed_;
  LayoutNetwork& out_;
};

}  // namespace

std::string StretchPlaceText(const StretchPath& path) {
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) {
      text += ", ";
    }
    text += i % 2 == 0 ? "участок " : "ответвление ";
    text += FormatInteger(static_cast<long long>(path[i]) + 1);
  }
  return text;
}

std::variant<LayoutNetwork, LayoutRefusal> ReadLayout(const LineLayout& layout) {
  Parsed parsed;
  ParseList(layout.stretches, parsed);
  if (auto refusal = CheckTexts(layout, parsed)) {
    return *refusal;
  }
  Size size;
  std::size_t index = 0;
  Measure(layout.stretches, parsed, index, 1, 0, size);
  if (size.tooDeep || size.speakers > kMaxLayoutSpeakers || size.stretches > kMaxLayoutStretches) {
    return LayoutRefusal{Refusal{MsgLayoutTooLarge, FocusTarget::Stay}, {}};
  }
  if (size.speakers == 0) {
    return LayoutRefusal{Refusal{MsgLayoutNoSpeakers, FocusTarget::Stay}, {}};
  }
  LayoutNetwork network;
  network.nodes.reserve(static_cast<std::size_t>(size.stretches));
  network.groups.reserve(parsed.groups.size());
  Builder builder(parsed, network);
  index = 0;
  builder.List(layout.stretches, index, -1);
  return network;
}

std::optional<LineLayout> UniformAsLayout(std::string_view length, std::string_view power,
                                          std::string_view count) {
  const double metres = Read(length);
  const double n = Read(count);
  if (!(metres >= 0 && metres <= 10000) || !IsWholeFrom1To1000(n)) {
    return std::nullopt;
  }
  Stretch stretch;
  stretch.length = ShortestDecimal(metres / n, Notation::Plain);
  stretch.repeat = FormatInteger(static_cast<long long>(n));
  stretch.speakers.push_back({"1", std::string(power)});
  LineLayout layout;
  layout.stretches.push_back(std::move(stretch));
  return layout;
}

}  // namespace linecalc
