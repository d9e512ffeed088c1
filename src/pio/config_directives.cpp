#include "pio/config_directives.h"

#include <optional>
#include <string>
#include <vector>

#include "pio/line_pass.h"
#include "pio/pio_line.h"
#include "pio/register_display.h"
#include "pio/register_fields.h"
#include "pio/value_reader.h"
#include "text/numbers.h"

namespace pio {

namespace {

constexpr std::u16string_view kFifoInvalid = u".fifo Invalid Value ";
constexpr std::u16string_view kFifoAllowed = u"txrx, tx, rx";
constexpr std::u16string_view kInInvalid = u".in Invalid Value ";
constexpr std::u16string_view kInAllowed = u"32 (1-31 need the RP2350)";
constexpr std::u16string_view kInThresholdInvalid = u".in threshold Invalid Value ";
constexpr std::u16string_view kOutInvalid = u".out Invalid Value ";
constexpr std::u16string_view kOutThresholdInvalid = u".out threshold Invalid Value ";
constexpr std::u16string_view kSetInvalid = u".set Invalid Value ";
constexpr std::u16string_view kMovStatusInvalid = u".mov_status Invalid Value ";
constexpr std::u16string_view kMovStatusForms = u"txfifo < n, rxfifo < n";
constexpr std::u16string_view kPioVersionInvalid = u".pio_version Invalid Value ";
constexpr std::u16string_view kClockDiv = u".clock_div is not supported, use .frequency";

constexpr std::u16string_view kInLabel = u"24:20 PUSH_THRESHOLD 18 IN_SHIFTDIR 16 AUTOPUSH";
constexpr std::u16string_view kOutLabel = u"29:25 PULL_THRESHOLD 19 OUT_SHIFTDIR 17 AUTOPULL";
constexpr std::u16string_view kOutCountLabel = u"25:20 OUT_COUNT";
constexpr std::u16string_view kSetLabel = u"28:26 SET_COUNT";
constexpr std::u16string_view kFifoLabel = u"31 FJOIN_RX 30 FJOIN_TX";
constexpr std::u16string_view kMovStatusLabel = u"4 STATUS_SEL 3:0 STATUS_N";

// Clears the fields of mask in the image, sets bits, and shows the change.
int setFields(PioLine& line, RegisterKind kind, int64_t mask, int64_t bits,
              std::u16string_view label) {
  int64_t& image = imageOf(line.pio.config(), kind);
  int64_t old = image;
  image = (image & ~mask) | bits;
  return showRegisterChange(line.ctx, kind, old, label, line.original());
}

int refuse(PioLine& line, std::u16string_view message, std::u16string_view detail) {
  line.fail(ErrorKind::dir, message, detail);
  return kResultNoWord;
}

int refuseRp2350(PioLine& line, std::u16string_view form, std::u16string_view word) {
  line.fail(ErrorKind::gen, std::u16string(form) + std::u16string(kNeedsRp2350), word);
  return kResultNoWord;
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

// The shift control bits of one direction: the autoshift bit, the direction
// bit and the threshold field (32 written as 0).
int64_t shiftBits(const ShiftConfig& config, int autoBit, int directionBit, int thresholdShift) {
  return (int64_t{config.automatic} << autoBit) | (int64_t{config.right} << directionBit) |
         (int64_t{config.threshold % 32} << thresholdShift);
}

}  // namespace

int fifoDirective(PioLine& line) {
  std::u16string word = line.keyword();
  int64_t joins = 0;
  if (word == u"tx") {
    joins = 0x40000000;
  } else if (word == u"rx") {
    joins = 0x80000000;
  } else if (word == u"txput" || word == u"txget" || word == u"putget") {
    return refuseRp2350(line, u".fifo " + word, word);
  } else if (word != u"txrx") {
    return refuse(line, std::u16string(kFifoInvalid) + word, kFifoAllowed);
  }
  return setFields(line, RegisterKind::shiftctrl, 0xC0000000, joins, kFifoLabel);
}

int inDirective(PioLine& line) {
  std::optional<ShiftConfig> config = readShiftConfig(line);
  if (!config) return kResultNoWord;
  if (config->count != 32) {
    return refuse(line, std::u16string(kInInvalid) + text::decimal(config->count), kInAllowed);
  }
  if (!thresholdValid(*config)) {
    return refuse(line, std::u16string(kInThresholdInvalid) + text::decimal(config->threshold),
                  u"1-32");
  }
  return setFields(line, RegisterKind::shiftctrl, 0x01F50000, shiftBits(*config, 16, 18, 20),
                   kInLabel);
}

int outDirective(PioLine& line) {
  std::optional<ShiftConfig> config = readShiftConfig(line);
  if (!config) return kResultNoWord;
  if (config->count < 0 || config->count > 32) {
    return refuse(line, std::u16string(kOutInvalid) + text::decimal(config->count), u"0-32");
  }
  if (!thresholdValid(*config)) {
    return refuse(line, std::u16string(kOutThresholdInvalid) + text::decimal(config->threshold),
                  u"1-32");
  }
  line.pio.pins.out.count = config->count;
  int pinResult = setFields(line, RegisterKind::pinctrl, 0x03F00000, int64_t{config->count} << 20,
                            kOutCountLabel);
  int shiftResult = setFields(line, RegisterKind::shiftctrl, 0x3E0A0000,
                              shiftBits(*config, 17, 19, 25), kOutLabel);
  return pinResult == kResultNoWord ? pinResult : shiftResult;
}

int setDirective(PioLine& line) {
  std::optional<int32_t> count = readValue(line, line.valueWord());
  if (!count) return kResultNoWord;
  if (*count < 0 || *count > 5) {
    return refuse(line, std::u16string(kSetInvalid) + text::decimal(*count), u"0-5");
  }
  line.pio.pins.set.count = *count;
  return setFields(line, RegisterKind::pinctrl, 0x1C000000, int64_t{*count} << 26, kSetLabel);
}

int movStatusDirective(PioLine& line) {
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
  if (!parts.empty() && parts[0].text == u"irq") return refuseRp2350(line, u".mov_status irq", u"irq");
  bool known = parts.size() == 3 && parts[1].text == u"<" &&
               (parts[0].text == u"txfifo" || parts[0].text == u"rxfifo");
  if (!known) return refuse(line, std::u16string(kMovStatusInvalid) + written, kMovStatusForms);
  std::optional<int32_t> level = readValue(line, parts[2]);
  if (!level) return kResultNoWord;
  if (*level < 0 || *level > 15) {
    return refuse(line, std::u16string(kMovStatusInvalid) + text::decimal(*level), u"0-15");
  }
  int64_t select = parts[0].text == u"rxfifo" ? 0x10 : 0;
  return setFields(line, RegisterKind::execctrl, 0x1F, select | *level, kMovStatusLabel);
}

int pioVersionDirective(PioLine& line) {
  Word word = line.valueWord();
  if (word.text == u"rp2040") return kResultDirective;
  if (word.text == u"rp2350") return refuseRp2350(line, u".pio_version rp2350", word.text);
  std::optional<int32_t> version = readValue(line, word);
  if (!version) return kResultNoWord;
  if (*version == 0) return kResultDirective;
  if (*version == 1) return refuseRp2350(line, u".pio_version 1", word.text);
  return refuse(line, std::u16string(kPioVersionInvalid) + text::decimal(*version), u"0-1");
}

int clockDivDirective(PioLine& line) {
  line.fail(ErrorKind::gen, kClockDiv, line.restText());
  return kResultNoWord;
}

}  // namespace pio
