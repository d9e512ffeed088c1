#include "pio/config_directives.h"

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "pio/pio_line.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kFifoInvalid = u".fifo Invalid Value ";
constexpr std::u16string_view kFifoAllowed = u"txrx, tx, rx";
constexpr std::u16string_view kAutopushWithLentFifo =
    u"autopush is incompatible with .fifo txput, txget or putget";
constexpr std::u16string_view kFifoAllowedVersionOne = u"txrx, tx, rx, txput, txget, putget";
constexpr std::u16string_view kInInvalid = u".in Invalid Value ";
constexpr std::u16string_view kInAllowed = u"32 (1-31 need the RP2350 and .pio_version 1)";
constexpr std::u16string_view kInThresholdInvalid = u".in threshold Invalid Value ";
constexpr std::u16string_view kOutInvalid = u".out Invalid Value ";
constexpr std::u16string_view kOutThresholdInvalid = u".out threshold Invalid Value ";
constexpr std::u16string_view kSetInvalid = u".set Invalid Value ";
constexpr std::u16string_view kMovStatusInvalid = u".mov_status Invalid Value ";
constexpr std::u16string_view kMovStatusForms = u"txfifo < n, rxfifo < n";
constexpr std::u16string_view kMovStatusIrqForm = u"irq [prev|next] set n";
// STATUS_SEL's value that makes MOV x, STATUS read an IRQ flag.
constexpr int64_t kStatusSelIrq = 2;
constexpr std::u16string_view kPioVersionInvalid = u".pio_version Invalid Value ";
constexpr std::u16string_view kVersionOneOnRp2040 =
    u".pio_version 1 needs the RP2350, and the block is for the RP2040 (.chip)";
constexpr std::u16string_view kClockDiv = u".clock_div is not supported, use .frequency";

LineResult refuse(PioLine& line, std::u16string_view message, std::u16string_view detail) {
  line.fail(ErrorKind::dir, message, detail);
  return Outcome::noWord;
}

// ".in" and ".out" after their name: the count, then as pioasm has them a
// direction (right by default), auto or manual (manual by default) and a
// threshold (32 by default).
struct ShiftConfig {
  int32_t count = 0;
  bool right = true;
  bool automatic = false;
  int32_t threshold = 32;
};

std::optional<ShiftConfig> readShiftConfig(PioLine& line) {
  ShiftConfig config;
  std::optional<int32_t> count = readValue(line, line.valueWord());
  if (!count) return std::nullopt;
  config.count = *count;
  std::u16string word = line.peekKeyword();
  if (word == u"left" || word == u"right") {
    config.right = word == u"right";
    line.keyword();
    word = line.peekKeyword();
  }
  if (word == u"auto" || word == u"manual") {
    config.automatic = word == u"auto";
    line.keyword();
  }
  if (!line.atEnd()) {
    std::optional<int32_t> threshold = readValue(line, line.valueWord());
    if (!threshold) return std::nullopt;
    config.threshold = *threshold;
  }
  return config;
}

bool thresholdValid(const ShiftConfig& config) {
  return config.threshold >= 1 && config.threshold <= 32;
}

// The RX FIFO's entries lent to put and get leave autopush nothing to push to.
bool rxEntriesLent(const RegisterImages& images) {
  return images.get(Field::fjoinRxPut) != 0 || images.get(Field::fjoinRxGet) != 0;
}

// The threshold fields hold 32 as 0.
int64_t thresholdField(const ShiftConfig& config) { return config.threshold % 32; }

// ".mov_status irq [prev|next] set n": STATUS_N numbers the flag, eight
// per PIO block: this block's, the previous one's, then the next one's.
LineResult movStatusIrq(PioLine& line, const std::vector<Word>& parts, const std::u16string& written) {
  size_t at = 1;
  int32_t neighbour = 0;
  if (at < parts.size() && (parts[at].text == u"prev" || parts[at].text == u"next")) {
    neighbour = parts[at].text == u"prev" ? 1 : 2;
    ++at;
  }
  if (parts.size() != at + 2 || parts[at].text != u"set") {
    return refuse(line, std::u16string(kMovStatusInvalid) + written, kMovStatusIrqForm);
  }
  std::optional<int32_t> flag = readValue(line, parts[at + 1]);
  if (!flag) return Outcome::noWord;
  if (*flag < 0 || *flag > 7) {
    return refuse(line, u".mov_status irq Invalid Value " + text::decimal(*flag), u"0-7");
  }
  return setFieldsShown(line, {{Field::statusSel, kStatusSelIrq}, {Field::statusN, neighbour * 8 + *flag}});
}

}  // namespace

LineResult setFieldsShown(PioLine& line, std::initializer_list<FieldValue> values) {
  RegisterKind kind = registerOf(values.begin()->field);
  RegisterImages& images = line.pio.registers();
  int64_t old = images.of(kind);
  std::u16string label;
  for (const FieldValue& value : values) {
    if (line.fileRules() && blockSetField(line.pio, value.field)) continue;
    if (!line.fileRules()) noteBlockField(line.pio, value.field);
    images.set({value});
    label += (label.empty() ? u"" : u" ") + fieldLabel({value.field}, images.chip);
  }
  if (label.empty()) return Outcome::directive;
  return showRegisterChange(line.ctx, kind, old, label, line.original());
}

bool programMaySet(const PioLine& line, Field field) {
  return !line.fileRules() || !blockSetField(line.pio, field);
}

// The RP2350's joins lend the RX FIFO's entries to put and get by index
// while the TX FIFO keeps its four.
LineResult fifoDirective(PioLine& line) {
  std::u16string word = line.keyword();
  const bool put = word == u"txput" || word == u"putget";
  const bool get = word == u"txget" || word == u"putget";
  if (put || get) {
    if (!line.needVersionOne(u".fifo " + word, word)) return Outcome::noWord;
    if (line.pio.registers().get(Field::autopush) != 0) {
      line.fail(ErrorKind::gen, kAutopushWithLentFifo, word);
      return Outcome::noWord;
    }
  } else if (word != u"txrx" && word != u"tx" && word != u"rx") {
    return refuse(line, std::u16string(kFifoInvalid) + word,
                  line.versionOne() ? kFifoAllowedVersionOne : kFifoAllowed);
  }
  if (!line.versionOne()) {
    return setFieldsShown(line, {{Field::fjoinRx, word == u"rx"}, {Field::fjoinTx, word == u"tx"}});
  }
  return setFieldsShown(line, {{Field::fjoinRx, word == u"rx"},
                               {Field::fjoinTx, word == u"tx"},
                               {Field::fjoinRxPut, put},
                               {Field::fjoinRxGet, get}});
}

// IN_COUNT holds 32 as 0, as the SDK writes it; the RP2040 has no such
// field and always reads 32 pins.
LineResult inDirective(PioLine& line) {
  std::optional<ShiftConfig> config = readShiftConfig(line);
  if (!config) return Outcome::noWord;
  if (line.versionOne() && (config->count < 1 || config->count > 32)) {
    return refuse(line, std::u16string(kInInvalid) + text::decimal(config->count), u"1-32");
  }
  if (!line.versionOne() && config->count != 32) {
    return refuse(line, std::u16string(kInInvalid) + text::decimal(config->count), kInAllowed);
  }
  if (!thresholdValid(*config)) {
    return refuse(line, std::u16string(kInThresholdInvalid) + text::decimal(config->threshold),
                  u"1-32");
  }
  if (config->automatic && rxEntriesLent(line.pio.registers())) {
    line.fail(ErrorKind::gen, kAutopushWithLentFifo, u"auto");
    return Outcome::noWord;
  }
  LineResult shiftResult = setFieldsShown(line, {{Field::pushThresh, thresholdField(*config)},
                                                 {Field::inShiftdir, config->right},
                                                 {Field::autopush, config->automatic}});
  if (!chipHas(Field::inCount, line.pio.block.chip)) return shiftResult;
  LineResult countResult = setFieldsShown(line, {{Field::inCount, config->count % 32}});
  return shiftResult == Outcome::noWord ? shiftResult : countResult;
}

LineResult outDirective(PioLine& line) {
  std::optional<ShiftConfig> config = readShiftConfig(line);
  if (!config) return Outcome::noWord;
  if (config->count < 0 || config->count > 32) {
    return refuse(line, std::u16string(kOutInvalid) + text::decimal(config->count), u"0-32");
  }
  if (!thresholdValid(*config)) {
    return refuse(line, std::u16string(kOutThresholdInvalid) + text::decimal(config->threshold),
                  u"1-32");
  }
  if (programMaySet(line, Field::outCount)) line.pio.block.pins.out.count = config->count;
  LineResult pinResult = setFieldsShown(line, {{Field::outCount, config->count}});
  LineResult shiftResult = setFieldsShown(line, {{Field::pullThresh, thresholdField(*config)},
                                                 {Field::outShiftdir, config->right},
                                                 {Field::autopull, config->automatic}});
  return pinResult == Outcome::noWord ? pinResult : shiftResult;
}

LineResult setDirective(PioLine& line) {
  std::optional<int32_t> count = readValue(line, line.valueWord());
  if (!count) return Outcome::noWord;
  if (*count < 0 || *count > 5) {
    return refuse(line, std::u16string(kSetInvalid) + text::decimal(*count), u"0-5");
  }
  if (programMaySet(line, Field::setCount)) line.pio.block.pins.set.count = *count;
  return setFieldsShown(line, {{Field::setCount, *count}});
}

LineResult movStatusDirective(PioLine& line) {
  std::u16string written = line.restText();
  // Blanks around "<" are optional: split every word at it.
  std::vector<Word> parts;
  for (const Word* word; (word = line.peekWord()) != nullptr; line.skipWord()) {
    if (word->group) {
      parts.push_back(*word);
      continue;
    }
    std::u16string_view rest = word->text;
    for (size_t less; (less = rest.find(u'<')) != std::u16string_view::npos;
         rest.remove_prefix(less + 1)) {
      if (less > 0) parts.push_back({std::u16string(rest.substr(0, less))});
      parts.push_back({u"<"});
    }
    if (!rest.empty()) parts.push_back({std::u16string(rest)});
  }
  if (!parts.empty() && parts[0].text == u"irq") {
    if (!line.needVersionOne(u".mov_status irq", u"irq")) return Outcome::noWord;
    return movStatusIrq(line, parts, written);
  }
  bool known = parts.size() == 3 && parts[1].text == u"<" &&
               (parts[0].text == u"txfifo" || parts[0].text == u"rxfifo");
  if (!known) return refuse(line, std::u16string(kMovStatusInvalid) + written, kMovStatusForms);
  std::optional<int32_t> level = readValue(line, parts[2]);
  if (!level) return Outcome::noWord;
  const int64_t deepest = fieldMax(Field::statusN, line.pio.block.chip);
  if (*level < 0 || *level > deepest) {
    return refuse(line, std::u16string(kMovStatusInvalid) + text::decimal(*level),
                  u"0-" + text::decimal(deepest));
  }
  return setFieldsShown(line,
                        {{Field::statusSel, parts[0].text == u"rxfifo"}, {Field::statusN, *level}});
}

LineResult pioVersionDirective(PioLine& line) {
  Word word = line.valueWord();
  std::optional<int32_t> version;
  if (word.text == u"rp2040" || word.text == u"rp2350") {
    version = word.text == u"rp2350" ? 1 : 0;
  } else {
    version = readValue(line, word);
  }
  if (!version) return Outcome::noWord;
  if (*version != 0 && *version != 1) {
    return refuse(line, std::u16string(kPioVersionInvalid) + text::decimal(*version), u"0-1");
  }
  PioAssembler& pio = line.pio;
  if (line.firstReading()) {
    pio.symbols.blockChips[pio.placement.blockNumber].lastVersionOne = *version == 1;
    return Outcome::directive;
  }
  if (*version == 1 && pio.block.chip != Chip::rp2350) {
    // A later ".pio_version 0" takes it back, as pioasm's last one counts.
    const auto found = pio.symbols.blockChips.find(pio.placement.blockNumber);
    if (found != pio.symbols.blockChips.end() && found->second.lastVersionOne == false) {
      return Outcome::directive;
    }
    line.fail(ErrorKind::gen, kVersionOneOnRp2040, word.text);
    return Outcome::noWord;
  }
  pio.block.versionOne = *version == 1;
  return Outcome::directive;
}

LineResult clockDivDirective(PioLine& line) {
  if (!line.fileRules()) {
    line.fail(ErrorKind::gen, kClockDiv, line.restText());
    return Outcome::noWord;
  }
  // Read as the reference assembler reads it: a float, whole 1/256 steps.
  std::string ascii;
  for (char16_t c : line.restText()) ascii += static_cast<char>(c);
  const float divider = std::strtof(ascii.c_str(), nullptr);
  if (!(divider >= 1.0f && divider < 65536.0f)) {
    line.fail(ErrorKind::dir, u".clock_div Invalid Value " + line.restText(), u"1-65535");
    return Outcome::noWord;
  }
  line.pio.use().programDivider = static_cast<uint32_t>(divider * 256.0f);
  return Outcome::directive;
}

}  // namespace pio
