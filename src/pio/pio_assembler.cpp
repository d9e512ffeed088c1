#include "pio/pio_assembler.h"

#include "text/case_table.h"

namespace pio {

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

const BlockLabels* labelsOfCurrentBlock(const PioAssembler& pio) {
  const auto& blocks = pio.labels[pio.currentPio][pio.currentSm];
  auto found = blocks.find(pio.blockNumber);
  return found == blocks.end() ? nullptr : &found->second;
}

std::optional<int32_t> findLabel(const PioAssembler& pio, std::u16string_view name) {
  const BlockLabels* labels = labelsOfCurrentBlock(pio);
  return labels == nullptr ? std::nullopt : labels->find(name);
}

void recordLabel(PioAssembler& pio, const std::u16string& name) {
  pio.labels[pio.currentPio][pio.currentSm][pio.blockNumber].add(
      name, pio.programCounter[pio.currentPio]);
}

void recordDefine(PioAssembler& pio, std::u16string_view name, std::u16string_view value) {
  // A define without a name could never be looked up.
  if (name.empty()) return;
  pio.defines[text::lower(name)] = text::lower(value);
}

const std::u16string* lookupDefine(const PioAssembler& pio, std::u16string_view name) {
  if (name.empty() || pio.defines.empty()) return nullptr;
  auto found = pio.defines.find(text::lower(name));
  return found == pio.defines.end() ? nullptr : &found->second;
}

void restartPlacement(PioAssembler& pio) {
  pio.currentPio = 0;
  pio.currentSm = 0;
  pio.programCounter = {};
  for (auto& block : pio.stateMachines) {
    for (StateMachineConfig& config : block) config.origin = 0;
  }
  pio.blockNumber = 0;
}

int32_t sidesetCountOf(int64_t pinctrl, int64_t execctrl) {
  return static_cast<int32_t>((pinctrl >> 29) & 7) - static_cast<int32_t>((execctrl >> 30) & 1);
}

}  // namespace pio
