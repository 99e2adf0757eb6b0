// Prints the texts the window would show for a few thousand deterministic calculations, one
// line per text, so that two builds (Linux and Windows) can be compared byte for byte.
// With --values it prints every computed double as its bits instead of the shown texts.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/line_calculation.h"
#include "calc/number_format.h"
#include "calc/report.h"
#include "calc/tables.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace linecalc {
namespace {

// splitmix64: the same sequence from every compiler and library, unlike <random>'s
// distributions.
class Sequence {
 public:
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // A whole number from 0 to n - 1.
  long long Below(long long n) {
    return static_cast<long long>(Next() % static_cast<std::uint64_t>(n));
  }

 private:
  std::uint64_t state_ = 20240611;
};

// units ÷ 10^places as typed, built from whole numbers only ("123.45").
std::string Decimal(long long units, int places) {
  std::string digits = std::to_string(units);
  if (places == 0) {
    return digits;
  }
  if (static_cast<int>(digits.size()) <= places) {
    digits.insert(0, static_cast<size_t>(places) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - static_cast<size_t>(places), ".");
  return digits;
}

class Printer {
 public:
  explicit Printer(bool values) : values_(values) {}

  void Text(std::string_view label, std::string_view text) {
    out_.append(label).append("\t").append(text).push_back('\n');
  }
  // A shown figure: two decimals as the window shows it, or every bit of it.
  void Number(std::string_view label, double value) {
    if (!values_) {
      Text(label, FormatNumber(value, ","));
      return;
    }
    std::array<char, 20> hex{};
    const auto bits = std::bit_cast<std::uint64_t>(value);
    Text(label,
         std::string_view(hex.data(), std::to_chars(hex.data(), hex.data() + 20, bits, 16).ptr));
  }
  void Optional(std::string_view label, const std::optional<double>& value) {
    if (value) {
      Number(label, *value);
    } else {
      Text(label, "—");
    }
  }
  bool values() const { return values_; }
  // Writes what has gathered; the texts are UTF-8 bytes, never translated line ends.
  void Flush() {
    std::fwrite(out_.data(), 1, out_.size(), stdout);
    out_.clear();
  }

 private:
  bool values_;
  std::string out_;
};

void PrintInputs(Printer& p, const LineInputs& in) {
  p.Text("line", std::string(in.material == Material::Copper ? "медь " : "алюминий ") +
                     std::string(SectionList[static_cast<size_t>(in.sectionIndex)]) + " мм², " +
                     in.length + " м, " + in.temperature + " °С, " + in.voltage + " В, R20 " +
                     in.r20.value_or("по таблице"));
  p.Text(in.load == LoadKind::Single ? "single" : "uniform", in.power + " × " + in.count);
}

void PrintReference(Printer& p, const RefreshResult& r) {
  p.Text("R10", r.R10Text);
  p.Text("RLine", r.RLineText);
  p.Text("JMax", r.JMaxText);
  p.Text("JOpt", r.JOptText);
  p.Text("PExpected", r.PExpectedText);
  p.Text("R20", r.R20Text.value_or("(typed)"));
  if (p.values()) {
    p.Number("R10=", r.R10);
    p.Number("RLine=", r.RLine);
    p.Number("PExpected=", r.PExpected);
  }
}

void PrintUniform(Printer& p, const UniformLoadResult& r, bool rows) {
  if (rows || p.values()) {
    for (const std::string& line : FormatReportLines(r, ",")) {
      p.Text("report", line);
    }
  }
  if (p.values()) {
    for (const SpeakerRow& row : r.Rows) {
      p.Number("drop=", row.SegmentDrop);
      p.Number("power=", row.NodePower);
    }
  }
  p.Number("Lbl15", r.UniformLossPct);
  p.Number("Lbl16", r.CascadeVoltage);
}

// Everything one line shows: the reference values, a refusal or an error, the results.
void PrintLine(Printer& p, const LineCalculation& c, bool rows) {
  PrintInputs(p, c.inputs);
  if (c.reference) {
    PrintReference(p, *c.reference);
  }
  if (c.status != LineStatus::Computed) {
    p.Text("message", c.message);
    return;
  }
  if (c.single) {
    p.Number("LblZ", c.single->ZLoad);
    p.Number("LblUr", c.single->URes);
    p.Number("LblPr", c.single->PRes);
    p.Number("LblPot", c.single->LossPct);
  }
  if (c.uniform) {
    PrintUniform(p, *c.uniform, rows);
  }
  p.Optional("dB", c.lossDb);
  p.Optional("dU%", c.voltageDropPct);
}

LineInputs RandomLine(Sequence& s) {
  LineInputs in;
  in.material = s.Below(2) == 0 ? Material::Copper : Material::Aluminium;
  in.sectionIndex = static_cast<int>(s.Below(kSectionCount));
  in.length =
      LengthList()[static_cast<size_t>(s.Below(static_cast<long long>(LengthList().size())))];
  in.temperature = TemperatureList[static_cast<size_t>(s.Below(TemperatureList.size()))];
  in.voltage = VoltageList[static_cast<size_t>(s.Below(VoltageList.size()))];
  if (s.Below(4) == 0) {
    in.r20 = Decimal(1 + s.Below(200'000'000'000'000), 12);  // up to 200 Ohm per km, 12 places
  }
  return in;
}

// The power the line may carry, as the refresh found it; 0 when it failed.
double Expected(const LineInputs& in) {
  LineInputs probe = in;
  probe.load = LoadKind::Single;
  probe.power = "1";
  const LineCalculation c = CalculateLine(probe, ".");
  return c.reference ? c.reference->PExpected : 0;
}

// A whole number of hundredths from 1 to at most `limit` × share ÷ 1000, mostly within reach.
long long Hundredths(Sequence& s, double limit, long long share) {
  const double most = std::floor(limit * 100.0 * static_cast<double>(share) / 1000.0);
  return 1 + s.Below(most >= 1 && most < 1e12 ? static_cast<long long>(most) : 1'000'000);
}

void SingleLoads(Printer& p, Sequence& s, int count) {
  for (int i = 0; i < count; ++i) {
    LineInputs in = RandomLine(s);
    in.load = LoadKind::Single;
    in.power = Decimal(Hundredths(s, Expected(in), 1100), 2);
    PrintLine(p, CalculateLine(in, ","), true);
    p.Flush();
  }
}

void UniformLoads(Printer& p, Sequence& s, int count) {
  for (int i = 0; i < count; ++i) {
    LineInputs in = RandomLine(s);
    in.load = LoadKind::Uniform;
    const long long speakerPower = 1 + s.Below(s.Below(3) == 0 ? 100 : 10);
    in.power = std::to_string(speakerPower);
    const double most = std::floor(Expected(in) * 1.05 / static_cast<double>(speakerPower));
    const long long speakers = most >= 1 ? (most < 1000 ? static_cast<long long>(most) : 1000) : 1;
    in.count = std::to_string(s.Below(4) == 0 ? speakers - s.Below(speakers < 5 ? speakers : 5)
                                              : 1 + s.Below(speakers));
    PrintLine(p, CalculateLine(in, ","), true);
    p.Flush();
  }
}

// A long line with a typed R20 of 15 significant digits, "1.00057576644939" for 100057576644939.
LineInputs TypedLine(long long r20Digits, int config) {
  static constexpr struct {
    int section;
    const char* length;
    const char* voltage;
    const char* power;
    const char* count;
  } kConfigs[] = {{10, "1000", "100", "5", "500"},
                  {10, "2000", "100", "1", "1000"},
                  {9, "700", "70", "3", "300"},
                  {8, "400", "50", "2", "250"},
                  {7, "300", "30", "1", "100"}};
  const auto& k = kConfigs[config];
  LineInputs in;
  in.sectionIndex = k.section;
  in.length = k.length;
  in.voltage = k.voltage;
  in.r20 = Decimal(r20Digits, 14);
  in.load = LoadKind::Uniform;
  in.power = k.power;
  in.count = k.count;
  return in;
}

std::string Cascade(long long r20Digits, int config) {
  const LineCalculation c = CalculateLine(TypedLine(r20Digits, config), ",");
  return c.uniform ? FormatNumber(c.uniform->CascadeVoltage, ",") : c.message;
}

// Typed R20 values next to those where the shown cascade voltage turns to the next hundredth:
// there a last-bit difference in the power of the cascade ratio shows.
void CascadeEdges(Printer& p, Sequence& s, int searches) {
  PrintLine(p, CalculateLine(TypedLine(100057576644939, 0), ","), false);
  for (int i = 0; i < searches; ++i) {
    const int config = static_cast<int>(i % 5);
    long long low = 100000000000000 + s.Below(200000000000000);
    long long high = low + 1000;
    const std::string lowText = Cascade(low, config);
    while (Cascade(high, config) == lowText && high - low < 10000000000000) {
      high = low + (high - low) * 16;
    }
    while (high - low > 1) {
      const long long middle = low + (high - low) / 2;
      (Cascade(middle, config) == lowText ? low : high) = middle;
    }
    for (long long r20 = low - 20; r20 <= low + 20; ++r20) {
      PrintLine(p, CalculateLine(TypedLine(r20, config), ","), false);
    }
    p.Flush();
  }
}

}  // namespace
}  // namespace linecalc

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  linecalc::Printer printer(argc > 1 && std::strcmp(argv[1], "--values") == 0);
  linecalc::Sequence sequence;
  linecalc::SingleLoads(printer, sequence, 3000);
  linecalc::UniformLoads(printer, sequence, 2500);
  linecalc::CascadeEdges(printer, sequence, 200);
  printer.Flush();
  return std::fflush(stdout) == 0 ? 0 : 1;
}
