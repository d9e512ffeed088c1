#include "pio/instruction_set.h"

#include <iterator>

#include "text/case_table.h"

namespace pio {

namespace {

constexpr std::u16string_view kMnemonicNames[] = {u".word", u"nop",  u"jmp", u"wait", u"in", u"out",
                                                  u"push",  u"pull", u"mov", u"irq",  u"set"};
static_assert(std::size(kMnemonicNames) == static_cast<size_t>(Mnemonic::set) + 1);

}  // namespace

std::optional<Mnemonic> mnemonicNamed(std::u16string_view word) {
  for (size_t i = 0; i < std::size(kMnemonicNames); ++i) {
    if (word == kMnemonicNames[i]) return static_cast<Mnemonic>(i);
  }
  return std::nullopt;
}

std::u16string_view nameOf(Mnemonic mnemonic) {
  return kMnemonicNames[static_cast<size_t>(mnemonic)];
}

std::optional<size_t> operandByPrefix(std::span<const Operand> operands, std::u16string_view word,
                                      size_t keyLength) {
  std::u16string_view key = word.substr(0, keyLength);
  if (key.empty()) return std::nullopt;
  std::u16string slots;
  for (const Operand& operand : operands) {
    std::u16string slot(operand.written ? operand.name.substr(0, keyLength)
                                        : std::u16string_view());
    slot.resize(keyLength, u' ');
    slots += slot;
  }
  size_t at = text::findNoCase(slots, key);
  if (at == std::u16string_view::npos) return std::nullopt;
  return at / keyLength;
}

std::optional<size_t> operandNamed(std::span<const Operand> operands, std::u16string_view word) {
  for (size_t i = 0; i < operands.size(); ++i) {
    if (operands[i].written && operands[i].name == word) return i;
  }
  return std::nullopt;
}

std::u16string shownName(std::span<const Operand> operands, size_t index) {
  return text::upper(operands[index].name);
}

}  // namespace pio
