#include "pio/pio_assembler.h"

#include "text/case_table.h"

namespace pio {

BlockState BlockState::forChip(Chip chip) {
  BlockState block;
  block.chip = chip;
  for (auto& machines : block.registers) {
    for (RegisterImages& images : machines) images.chip = chip;
  }
  return block;
}

void BlockLabels::add(const std::u16string& name, int32_t address) {
  if (!byName_.emplace(name, address).second) repeated_.insert(name);
  byAddress_.emplace(address, name);
}

std::optional<int32_t> BlockLabels::find(std::u16string_view name) const {
  auto found = byName_.find(std::u16string(name));
  if (found == byName_.end()) return std::nullopt;
  return found->second;
}

const std::u16string* BlockLabels::nameAt(int32_t address) const {
  auto found = byAddress_.find(address);
  return found == byAddress_.end() ? nullptr : &found->second;
}

namespace {

uint64_t fieldBit(Field field) { return uint64_t{1} << static_cast<int>(field); }

}  // namespace

bool blockSetField(const PioAssembler& pio, Field field) {
  const Placement& at = pio.placement;
  return (pio.block.blockFields[at.currentPio][at.currentSm] & fieldBit(field)) != 0;
}

void noteBlockField(PioAssembler& pio, Field field) {
  const Placement& at = pio.placement;
  pio.block.blockFields[at.currentPio][at.currentSm] |= fieldBit(field);
}

const BlockLabels* labelsOfCurrentBlock(const PioAssembler& pio) {
  const Placement& at = pio.placement;
  const auto& blocks = pio.symbols.labels[at.currentPio][at.currentSm];
  auto found = blocks.find(at.blockNumber);
  return found == blocks.end() ? nullptr : &found->second;
}

std::optional<int32_t> findLabel(const PioAssembler& pio, std::u16string_view name) {
  const BlockLabels* labels = labelsOfCurrentBlock(pio);
  return labels == nullptr ? std::nullopt : labels->find(name);
}

void recordLabel(PioAssembler& pio, const std::u16string& name) {
  const Placement& at = pio.placement;
  pio.symbols.labels[at.currentPio][at.currentSm][at.blockNumber].add(
      name, at.programCounter[at.currentPio]);
}

void recordDefine(PioAssembler& pio, std::u16string_view name, std::u16string_view value) {
  // A define without a name could never be looked up.
  if (name.empty()) return;
  pio.symbols.defines[text::lower(name)] = text::lower(value);
}

const std::u16string* lookupDefine(const PioAssembler& pio, std::u16string_view name) {
  const auto& defines = pio.symbols.defines;
  if (name.empty() || defines.empty()) return nullptr;
  auto found = defines.find(text::lower(name));
  return found == defines.end() ? nullptr : &found->second;
}

}  // namespace pio
