#include "app/shell_options.h"

namespace app {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

std::u16string quoted(std::u16string_view text) { return u"'" + std::u16string(text) + u"'"; }

class Parser {
 public:
  Parser(std::span<const std::u16string> arguments, std::span<const OptionDef> defs)
      : arguments_(arguments), defs_(defs) {}

  ParsedArguments parse() {
    bool optionsEnded = false;
    for (next_ = 0; next_ < arguments_.size() && parsed_.error.empty();) {
      const std::u16string& word = arguments_[next_++];
      if (optionsEnded || word == u"-" || !word.starts_with(u'-')) {
        parsed_.operands.push_back(word);
      } else if (word == u"--") {
        optionsEnded = true;
      } else if (word.starts_with(u"--")) {
        longOption(std::u16string_view(word).substr(2));
      } else {
        shortOptions(std::u16string_view(word).substr(1));
      }
    }
    return std::move(parsed_);
  }

 private:
  // An exact name wins; otherwise a prefix must name one option only.
  size_t findLong(std::u16string_view name) {
    std::vector<size_t> matches;
    for (size_t i = 0; i < defs_.size() && !name.empty(); ++i) {
      if (defs_[i].longName == name) return i;
      if (defs_[i].longName.starts_with(name)) matches.push_back(i);
    }
    if (matches.size() == 1) return matches[0];
    const std::u16string shown = quoted(u"--" + std::u16string(name));
    if (matches.empty()) {
      parsed_.error = u"unrecognized option " + shown;
      return kNone;
    }
    parsed_.error = u"option " + shown + u" is ambiguous; possibilities:";
    for (size_t i : matches) parsed_.error += u" " + quoted(u"--" + std::u16string(defs_[i].longName));
    return kNone;
  }

  void longOption(std::u16string_view text) {
    const size_t equals = text.find(u'=');
    const size_t def = findLong(text.substr(0, equals));
    if (def == kNone) return;
    const std::u16string shown = quoted(u"--" + std::u16string(defs_[def].longName));
    if (!defs_[def].takesValue) {
      if (equals != std::u16string_view::npos) parsed_.error = u"option " + shown + u" doesn't allow an argument";
      else parsed_.options.push_back({def, {}});
      return;
    }
    if (equals != std::u16string_view::npos) {
      parsed_.options.push_back({def, std::u16string(text.substr(equals + 1))});
    } else if (next_ < arguments_.size()) {
      parsed_.options.push_back({def, arguments_[next_++]});
    } else {
      parsed_.error = u"option " + shown + u" requires an argument";
    }
  }

  void shortOptions(std::u16string_view group) {
    for (size_t i = 0; i < group.size(); ++i) {
      size_t def = 0;
      while (def < defs_.size() && defs_[def].shortName != group[i]) ++def;
      if (def == defs_.size()) {
        parsed_.error = u"invalid option -- " + quoted(group.substr(i, 1));
        return;
      }
      if (!defs_[def].takesValue) {
        parsed_.options.push_back({def, {}});
        continue;
      }
      // The rest of the group is the value, or else the next argument is.
      if (i + 1 < group.size()) {
        parsed_.options.push_back({def, std::u16string(group.substr(i + 1))});
      } else if (next_ < arguments_.size()) {
        parsed_.options.push_back({def, arguments_[next_++]});
      } else {
        parsed_.error = u"option requires an argument -- " + quoted(group.substr(i, 1));
      }
      return;
    }
  }

  std::span<const std::u16string> arguments_;
  std::span<const OptionDef> defs_;
  size_t next_ = 0;
  ParsedArguments parsed_;
};

}  // namespace

ParsedArguments parseArguments(std::span<const std::u16string> arguments, std::span<const OptionDef> defs) {
  return Parser(arguments, defs).parse();
}

}  // namespace app
