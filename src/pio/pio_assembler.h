#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {
class Logs;
}

namespace pio {

struct PasmOptions;

inline constexpr int kPioBlockCount = 2;
inline constexpr int kStateMachineCount = 4;
/// Instruction memory of a PIO block holds addresses 0-31.
inline constexpr int32_t kLastAddress = 31;

/// Register images every state machine starts with: wrap top 31, SET count
/// 5, IN and OUT shifting right.
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
  int32_t wrap = 0;
  int32_t wrapTarget = 0;
  bool nostart = false;
};

/// A label: lower-case name with its trailing colon, the address it marks,
/// and the number of the block (count of block starts in the reading) it
/// was written in, since labels belong to their block.
struct PioLabel {
  std::u16string name;
  int32_t address = 0;
  int block = 0;
};

/// A ".define": name and value, both lower case.
struct PioDefine {
  std::u16string name;
  std::u16string value;
};

/// The whole assembler state of a run: the current block and state machine,
/// program counters, label and define tables, register images and counters.
struct PioAssembler {
  int currentPio = 0;  // PIO block 0-1 chosen by ".pio"
  int currentSm = 0;   // state machine 0-3 chosen by ".sm"
  /// Next instruction slot of each PIO block.
  std::array<int32_t, kPioBlockCount> programCounter{};
  std::array<std::array<StateMachineConfig, kStateMachineCount>, kPioBlockCount> stateMachines{};
  /// Labels per PIO block and state machine, filled by the first reading.
  std::array<std::array<std::vector<PioLabel>, kStateMachineCount>, kPioBlockCount> labels{};
  std::vector<PioDefine> defines;  // every ".define" met, oldest first
  std::u16string programName;      // from ".program"
  uint32_t instructionWord = 0;    // word of the last instruction line
  /// Side-set bits of an instruction (enable bit excluded), as the last
  /// directive, instruction or decoded word left it.
  int32_t sidesetCount = 0;
  // Pin counts and bases last given by their directives; the decoder and the
  // SETPIN commands name pins with them.
  int32_t setCount = 0;
  int32_t setBase = 0;
  int32_t outCount = 0;
  int32_t outBase = 0;
  int32_t inBase = 0;
  int32_t sidesetBase = 0;
  bool decodeMode = false;           // ".decode" met in this block
  bool decodeHeaderWritten = false;  // the decode listing heading is out
  int32_t decodeAddress = 0;         // address shown for the next decoded word
  int wordCursor = 0;                // next word nextWord hands out
  int pioErrorCount = 0;             // errors reported in the run
  /// Block starts met so far in the current reading of the source.
  int blockNumber = 0;
  /// Set once the current block has changed a register image of that state
  /// machine; the first change of a block starts from the reset values.
  std::array<std::array<bool, kStateMachineCount>, kPioBlockCount> registersClaimed{};

  /// The configuration of (currentPio, currentSm).
  StateMachineConfig& config() { return stateMachines[currentPio][currentSm]; }
  const StateMachineConfig& config() const { return stateMachines[currentPio][currentSm]; }
};

/// What the per-line functions work with: the state, the options in force and
/// the report and log writers.
struct PioContext {
  PioAssembler& pio;
  const PasmOptions& options;
  base::Logs& logs;
};

/// The labels of (currentPio, currentSm) written in the current block, in the
/// order they were recorded.
std::vector<PioLabel> labelsOfCurrentBlock(const PioAssembler& pio);

/// Address of the first label of the current block named name (with colon).
std::optional<int32_t> findLabel(const PioAssembler& pio, std::u16string_view name);

/// Records a label at the current address (program counter plus origin).
void recordLabel(PioAssembler& pio, std::u16string_view name);

/// Stores a define; a value that names an earlier define takes its value.
void recordDefine(PioAssembler& pio, std::u16string_view name, std::u16string_view value);

/// Value of the newest define of that name, compared without regard to case.
std::optional<std::u16string> lookupDefine(const PioAssembler& pio, std::u16string_view name);

/// Called before a directive changes a register image: the first change a
/// block makes to a state machine first puts its three images back to their
/// reset values, so a second program does not add onto the first's fields.
void claimRegisters(PioAssembler& pio);

/// Side-set bits an instruction carries, less the enable bit when the
/// side-set is optional.
int32_t sidesetCountOf(int64_t pinctrl, int64_t execctrl);

}  // namespace pio
