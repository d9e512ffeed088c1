#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace base {
class Logs;
}

namespace pio {

struct PasmOptions;

inline constexpr int kPioBlockCount = 2;
inline constexpr int kStateMachineCount = 4;
/// Instruction memory of a PIO block holds addresses 0-31.
inline constexpr int32_t kLastAddress = 31;

/// Register images every state machine starts a block with: wrap top 31, SET
/// count 5, IN and OUT shifting right.
inline constexpr int64_t kExecctrlStart = 0x0001F000;
inline constexpr int64_t kPinctrlStart = 0x14000000;
inline constexpr int64_t kShiftctrlStart = 0x000C0000;

/// Configuration of one state machine as the directives build it. The
/// register images are 32-bit values held wide, so a spilled field shows.
struct StateMachineConfig {
  int32_t origin = 0;
  int64_t execctrl = kExecctrlStart;
  int64_t pinctrl = kPinctrlStart;
  int64_t shiftctrl = kShiftctrlStart;
  int32_t frequency = 0;
  bool nostart = false;
};

/// First pin and pin count of one group of pins a program drives.
struct PinGroup {
  int32_t base = 0;
  int32_t count = 0;
};

/// The pins the decoder names and the SETPIN commands claim, as the pin
/// directives of the block last gave them.
struct PinGroups {
  PinGroup set;
  PinGroup out;
  /// Side-set pins; count is the side-set bits of an instruction (enable bit
  /// excluded) as the last directive, instruction or decoded word left it.
  PinGroup sideset;
  int32_t inBase = 0;

  /// The groups at the start of a block: five SET pins from GP0, no others.
  static PinGroups atBlockStart() {
    PinGroups pins;
    pins.set.count = 5;
    return pins;
  }
};

/// The labels one block wrote for one state machine. When a name or an
/// address comes twice, the first label recorded keeps it.
class BlockLabels {
 public:
  /// Records name (lower case, with its colon) at address.
  void add(const std::u16string& name, int32_t address);
  /// Address of the label called name (with its colon).
  std::optional<int32_t> find(std::u16string_view name) const;
  /// Name (with its colon) of the first label at address, or nullptr.
  const std::u16string* nameAt(int32_t address) const;
  /// True when name was recorded more than once.
  bool repeated(const std::u16string& name) const { return repeated_.contains(name); }

 private:
  std::unordered_map<std::u16string, int32_t> byName_;
  std::unordered_map<int32_t, std::u16string> byAddress_;
  std::unordered_set<std::u16string> repeated_;
};

/// What the current block did to one state machine: the instruction slots it
/// took, in line order, and whether it placed the wrap points itself.
struct MachineUse {
  bool slotTaken = false;
  int32_t firstSlot = 0;
  int32_t lastSlot = 0;
  bool wrapWritten = false;
  bool wrapTargetWritten = false;
};

template <typename T>
using PerMachine = std::array<std::array<T, kStateMachineCount>, kPioBlockCount>;

/// The whole assembler state of a run: the current block and state machine,
/// program counters, label and define tables, register images and counters.
struct PioAssembler {
  int currentPio = 0;  // PIO block 0-1 chosen by ".pio"
  int currentSm = 0;   // state machine 0-3 chosen by ".sm"
  /// Next instruction slot of each PIO block (origin included).
  std::array<int32_t, kPioBlockCount> programCounter{};
  PerMachine<StateMachineConfig> stateMachines{};
  /// Labels per PIO block and state machine, by block number; filled by the
  /// first reading, since labels belong to their block.
  PerMachine<std::unordered_map<int, BlockLabels>> labels{};
  /// Every ".define" met: lower-case name to its value text, newest value.
  std::unordered_map<std::u16string, std::u16string> defines;
  std::u16string programName;  // from ".program"
  PinGroups pins;
  bool decodeMode = false;           // ".decode" met in this block
  bool decodeHeaderWritten = false;  // the decode listing heading is out
  int32_t decodeAddress = 0;         // address shown for the next decoded word
  int pioErrorCount = 0;             // errors reported in the run
  /// Block starts met so far in the current reading of the source.
  int blockNumber = 0;
  /// What the current block of the second reading did to each state machine.
  PerMachine<MachineUse> blockUse{};

  /// The configuration of (currentPio, currentSm).
  StateMachineConfig& config() { return stateMachines[currentPio][currentSm]; }
  const StateMachineConfig& config() const { return stateMachines[currentPio][currentSm]; }
  /// What the current block did to (currentPio, currentSm).
  MachineUse& use() { return blockUse[currentPio][currentSm]; }
};

/// What the per-line functions work with: the state, the options in force and
/// the report and log writers.
struct PioContext {
  PioAssembler& pio;
  const PasmOptions& options;
  base::Logs& logs;
};

/// The labels of (currentPio, currentSm) written in the current block, or
/// nullptr when it wrote none.
const BlockLabels* labelsOfCurrentBlock(const PioAssembler& pio);

/// Address of the label of the current block named name (with its colon).
std::optional<int32_t> findLabel(const PioAssembler& pio, std::u16string_view name);

/// Records a label at the current address.
void recordLabel(PioAssembler& pio, const std::u16string& name);

/// Stores a define's value text under its lower-case name; a later value of
/// the same name replaces it.
void recordDefine(PioAssembler& pio, std::u16string_view name, std::u16string_view value);

/// Value text of the define called name (without regard to case), or nullptr.
const std::u16string* lookupDefine(const PioAssembler& pio, std::u16string_view name);

/// The source is read again from its first line: block, state machine,
/// program counters, origins and the block number start again from 0.
void restartPlacement(PioAssembler& pio);

/// Side-set bits an instruction carries, less the enable bit when the
/// side-set is optional.
int32_t sidesetCountOf(int64_t pinctrl, int64_t execctrl);

}  // namespace pio
