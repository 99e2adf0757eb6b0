#pragma once

#include <QRect>
#include <span>

namespace linecalc::ui {

// The window's geometry is given in twips; 15 twips make one device-independent pixel, so
// Qt's high-DPI scaling keeps the layout at any screen scale.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 15090;
inline constexpr int kClientHeightTwips = 8025;

// The longest text a text field or a list's edit field takes; a longer paste is cut there. No
// input needs more, and each change of a field's text is kept in its undo history.
inline constexpr int kInputMaxLength = 100;

enum class ControlKind {
  StaticText,
  ResultField,
  TextField,
  ChoiceList,  // editable drop-down
  PickList,    // drop-down that only offers its entries
  RadioButton,
  GroupFrame,
  PushButton,
  ReportList,
};

struct FontStyle {
  double points;
  bool bold;
};

struct TwipsBox {
  int left, top, width, height;
};

struct ControlEntry {
  const char* name;
  ControlKind kind;
  const char* text;    // UTF-8 caption or initial text
  const char* parent;  // name of the containing control; nullptr for the window
  TwipsBox box;        // relative to the parent's top-left corner
  FontStyle font;
};

struct RuleEntry {
  const char* name;
  int x1, y1, x2, y2;  // twips, end points included
};

// Every control of the window, containers before what they contain.
std::span<const ControlEntry> ControlTable();

// The one-pixel rules that divide the window into its areas.
std::span<const RuleEntry> LineTable();

QRect ToPixels(const TwipsBox& box);
QRect ToPixels(const RuleEntry& line);

}  // namespace linecalc::ui
