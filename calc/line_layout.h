#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/load_checks.h"

namespace linecalc {

// Loudspeakers of one transformer tap hung at one point: `count` × `power` W, as typed.
struct SpeakerGroup {
  std::string count;
  std::string power;
  friend bool operator==(const SpeakerGroup&, const SpeakerGroup&) = default;
};

struct Stretch;
// A run of stretches, each starting where the one before it ends.
using StretchList = std::vector<Stretch>;

// A piece of cable with what hangs at its far end, as typed.
struct Stretch {
  std::string length;  // m
  // How many times the stretch and everything at its far end follow in a row; empty or blanks:
  // once.
  std::string repeat;
  std::vector<SpeakerGroup> speakers;
  // Runs of cable leaving the far end, each starting there.
  std::vector<StretchList> branches;
  friend bool operator==(const Stretch&, const Stretch&) = default;
};

// A line described as the cable runs from the amplifier outwards.
struct LineLayout {
  StretchList stretches;
  friend bool operator==(const LineLayout&, const LineLayout&) = default;
};

inline constexpr std::string_view MsgStretchLengthRange = "Введите длину участка от 0 до 10000 м";
inline constexpr std::string_view MsgLayoutTooLarge =
    "Схема линии слишком велика: не более 1000 громкоговорителей и 2000 участков";
inline constexpr std::string_view MsgLayoutNoSpeakers =
    "В схеме линии нет ни одного громкоговорителя";

inline constexpr int kMaxLayoutSpeakers = 1000;
inline constexpr int kMaxLayoutStretches = 2000;
inline constexpr int kMaxBranchDepth = 8;

// Where a stretch is: its index in the line's list, then for each branch on the way the branch's
// index at that stretch and the stretch's index in the branch, all from 0.
using StretchPath = std::vector<std::size_t>;

// "участок 2" or "участок 2, ответвление 1, участок 3", numbered from 1.
std::string StretchPlaceText(const StretchPath& path);

// One stretch of the cable as solved: repeats are laid out one after another, so the network has
// a node per piece of cable. Nodes are in depth-first order (a stretch, its branches, then the
// stretch after it), so a node's parent always comes before it.
struct LayoutNode {
  int parent = -1;       // node whose far end this one starts at; -1: the amplifier
  double lengthM = 0;    // m
  double distanceM = 0;  // m from the amplifier to the far end, along the cable
  int firstGroup = 0;    // the node's loudspeakers: groups [firstGroup, firstGroup + groupCount)
  int groupCount = 0;
};

// Loudspeakers of one tap at one node, as numbers.
struct LayoutGroup {
  int count = 0;
  double power = 0;  // W, tap power at the nominal line voltage
};

// A layout that passed its checks, laid out as numbers.
struct LayoutNetwork {
  std::vector<LayoutNode> nodes;
  std::vector<LayoutGroup> groups;
  double totalLengthM = 0;  // every piece of cable, repeats and branches counted
  double ratedW = 0;        // Σ count × power
  int speakerCount = 0;
};

// A refusal of the layout's own checks, with the stretch it concerns (empty: the whole line).
struct LayoutRefusal {
  Refusal refusal;
  StretchPath where;
};

// Reads and checks `layout` in this order, the first failure refusing it: every tap power
// 0 < P <= 100; every count and repeat a whole number from 1 to 1000; every length from 0 to
// 10000 m; at most 1000 loudspeakers and 2000 stretches counted out and branches at most 8 deep;
// at least one loudspeaker. Texts are read by the number input rule.
std::variant<LayoutNetwork, LayoutRefusal> ReadLayout(const LineLayout& layout);

// The layout that puts the uniform load of the window into stretches: `count` stretches of
// `length` / `count` metres, one loudspeaker of `power` W at the end of each. Absent when the
// texts are not a length and a whole count the layout accepts.
std::optional<LineLayout> UniformAsLayout(std::string_view length, std::string_view power,
                                          std::string_view count);

}  // namespace linecalc
