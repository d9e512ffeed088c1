#include "pio/pio_assembler.h"

#include "text/case_table.h"

namespace pio {

std::vector<PioLabel> labelsOfCurrentBlock(const PioAssembler& pio) {
  std::vector<PioLabel> result;
  for (const PioLabel& label : pio.labels[pio.currentPio][pio.currentSm]) {
    if (label.block == pio.blockNumber) result.push_back(label);
  }
  return result;
}

std::optional<int32_t> findLabel(const PioAssembler& pio, std::u16string_view name) {
  for (const PioLabel& label : pio.labels[pio.currentPio][pio.currentSm]) {
    if (label.block == pio.blockNumber && label.name == name) return label.address;
  }
  return std::nullopt;
}

void recordLabel(PioAssembler& pio, std::u16string_view name) {
  int32_t address = pio.programCounter[pio.currentPio] + pio.config().origin;
  pio.labels[pio.currentPio][pio.currentSm].push_back(
      {text::lower(name), address, pio.blockNumber});
}

void recordDefine(PioAssembler& pio, std::u16string_view name, std::u16string_view value) {
  // A define without a name could never be looked up.
  if (name.empty()) return;
  std::u16string resolved = lookupDefine(pio, value).value_or(std::u16string(value));
  pio.defines.push_back({text::lower(name), text::lower(resolved)});
}

std::optional<std::u16string> lookupDefine(const PioAssembler& pio, std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  // Newest first: the second reading records each define again as it meets
  // it, so a redefined name has the value in force at that line.
  for (auto it = pio.defines.rbegin(); it != pio.defines.rend(); ++it) {
    if (text::equalsNoCase(it->name, name)) return it->value;
  }
  return std::nullopt;
}

void claimRegisters(PioAssembler& pio) {
  bool& claimed = pio.registersClaimed[pio.currentPio][pio.currentSm];
  if (claimed) return;
  claimed = true;
  StateMachineConfig& config = pio.config();
  config.execctrl = kExecctrlStart;
  config.pinctrl = kPinctrlStart;
  config.shiftctrl = kShiftctrlStart;
}

int32_t sidesetCountOf(int64_t pinctrl, int64_t execctrl) {
  return static_cast<int32_t>((pinctrl >> 29) & 7) - static_cast<int32_t>((execctrl >> 30) & 1);
}

}  // namespace pio
