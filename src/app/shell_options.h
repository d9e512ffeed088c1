#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// One option of a command line in the GNU style.
struct OptionDef {
  /// Written "--name"; may be shortened to any prefix that names no other.
  std::u16string_view longName;
  /// Written "-c"; 0 for none.
  char16_t shortName = 0;
  /// The option takes a value: "--name VALUE", "--name=VALUE", "-c VALUE",
  /// "-cVALUE".
  bool takesValue = false;
};

/// An option met on the command line: its index in the table, and its value.
struct GivenOption {
  size_t option = 0;
  std::u16string value;
};

/// A command line taken apart: its options in the order given, its operands,
/// and what was wrong with it; the reading stops at the first mistake.
struct ParsedArguments {
  std::vector<GivenOption> options;
  std::vector<std::u16string> operands;
  /// Empty when the command line was sound, else the mistake in a few words.
  std::u16string error;
};

/// Reads the arguments (program name not included) against the table, the
/// way GNU programs do: options and operands may come in any order, "--"
/// ends the options, "-" alone is an operand, and short options may be
/// grouped ("-hm brisko"). The same on every platform.
ParsedArguments parseArguments(std::span<const std::u16string> arguments, std::span<const OptionDef> defs);

}  // namespace app
