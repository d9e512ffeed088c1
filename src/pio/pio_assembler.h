#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "pio/block_text.h"
#include "pio/register_fields.h"

namespace base {
class Logs;
}

namespace pio {

struct PasmOptions;
class PioFile;

/// How a line is read: in the block's own dialect, or by the rules of the
/// reference assembler, as the lines of a .pio file are.
enum class Dialect { block, pioFile };

/// Where a line comes from, for the errors it gives (line 0: not known).
struct LinePlace {
  std::u16string_view file;
  int32_t line = 0;
};

/// An error the run reported, with the file and line it belongs to.
struct PioDiagnostic {
  std::u16string file;
  int32_t line = 0;  // 0 when no line is known
  std::u16string message;
  bool operator==(const PioDiagnostic&) const = default;
};

/// A program of a .pio file while its lines are read into a block.
struct IncludedProgram {
  const PioFile* file = nullptr;
  size_t program = 0;
  /// The address of its first instruction: jumps and labels count from it.
  int32_t start = 0;
};

/// PIO blocks of the largest chip: the RP2040 has blocks 0 and 1, the RP2350
/// a third.
inline constexpr int kPioBlockCount = 3;
/// The PIO blocks the chip has.
inline constexpr int pioBlocksOf(Chip chip) { return chip == Chip::rp2350 ? 3 : 2; }
inline constexpr int kStateMachineCount = 4;
/// Instruction memory of a PIO block holds addresses 0-31.
inline constexpr int32_t kLastAddress = 31;

/// Which reading of the source a line belongs to: the first measures and
/// records names, the second assembles.
enum class Reading { first, second };

/// First pin and pin count of one group of pins a program drives.
struct PinGroup {
  int32_t base = 0;
  int32_t count = 0;
};

/// The pins the decoder names and the SETPIN commands claim, as the pin
/// directives of the block last gave them; the first pins count from the PIO
/// block's GPIO base, as their fields do.
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

/// What a block did to one state machine: the instruction slots it took, in
/// line order, and whether it placed the wrap points itself.
struct MachineUse {
  bool slotTaken = false;
  int32_t firstSlot = 0;
  int32_t lastSlot = 0;
  bool wrapWritten = false;
  bool wrapTargetWritten = false;
  /// ".frequency" met in the block: it wins over a program's own clock.
  bool frequencyWritten = false;
  /// The clock divider an included program's configuration asks for, in
  /// 1/256 steps (256 runs at the board's clock); none for a block's own code.
  std::optional<uint32_t> programDivider;
};

/// What "PIO INIT MACHINE" and "PIO START" take of a state machine besides
/// its register images. No block start clears it.
struct MachineStart {
  uint32_t frequency = 0;
  /// ".nostart" met since the machine was last selected.
  bool nostart = false;
};

template <typename T>
using PerMachine = std::array<std::array<T, kStateMachineCount>, kPioBlockCount>;

/// What a block's first reading found of its chip: the one ".chip" named,
/// and what its last ".pio_version" asked for (the last counts, as in
/// pioasm). Version 1 implies the RP2350 where no chip is named.
struct BlockChip {
  std::optional<Chip> named;
  std::optional<bool> lastVersionOne;

  Chip chipOr(Chip runDefault) const {
    return named ? *named : lastVersionOne.value_or(false) ? Chip::rp2350 : runDefault;
  }
};

/// What lasts the whole run: the labels and defines the readings record, and
/// what no block start clears.
struct Symbols {
  /// Labels per PIO block and state machine, by block number; filled by the
  /// first reading, since labels belong to their block.
  PerMachine<std::unordered_map<int, BlockLabels>> labels{};
  /// Every ".define" met: lower-case name to its value text, newest value.
  std::unordered_map<std::u16string, std::u16string> defines;
  std::u16string programName;  // from the last ".program"
  PerMachine<MachineStart> starts{};
  /// The chip of each block that chose one, by block number; filled by the
  /// first reading, so that the second lays out every field for it.
  std::unordered_map<int, BlockChip> blockChips;
  /// The chip block blockNumber is laid out for.
  Chip chipOfBlock(int blockNumber, Chip runDefault) const {
    const auto found = blockChips.find(blockNumber);
    return found != blockChips.end() ? found->second.chipOr(runDefault) : runDefault;
  }
  /// The (block number, PIO block) pairs whose pins go above 31, as the
  /// first reading found them.
  std::unordered_set<int> highGpioBlocks;
  int errorCount = 0;  // errors reported in the run
  /// Every error reported in the run, in order.
  std::vector<PioDiagnostic> diagnostics;
};

/// Where code goes; lasts one reading of the source.
struct Placement {
  int currentPio = 0;  // PIO block 0-1 chosen by ".pio"
  int currentSm = 0;   // state machine 0-3 chosen by ".sm"
  /// Next instruction slot of each PIO block (origin included).
  std::array<int32_t, kPioBlockCount> programCounter{};
  PerMachine<int32_t> origin{};
  /// Block starts met so far in the reading.
  int blockNumber = 0;
};

/// The listing of decoded words; lasts to the end of a block.
struct DecodeListing {
  bool headerWritten = false;  // the heading is out
  int32_t address = 0;         // address shown for the next decoded word
};

/// What one block of the second reading builds: each block is one program, so
/// a fresh value starts from the register reset values of every state machine.
struct BlockState {
  PerMachine<RegisterImages> registers{};
  PinGroups pins = PinGroups::atBlockStart();
  PerMachine<MachineUse> use{};
  PioBlockText text{};
  /// The fields the block's own lines set, one bit per Field: an included
  /// program's configuration leaves them as the block has them.
  PerMachine<uint64_t> blockFields{};
  /// The program of a .pio file whose lines are being read, if any.
  std::optional<IncludedProgram> including{};
  /// ".pio_version 1" met: the forms of PIO version 1 assemble.
  bool versionOne = false;
  /// The chip the block is for; every image is laid out for it.
  Chip chip = Chip::rp2040;
  /// Each PIO block's GPIO base in this block: 0, or 16 to reach GP32-GP47.
  std::array<int32_t, kPioBlockCount> gpioBase{};

  /// A fresh block for the chip.
  static BlockState forChip(Chip chip);
};

/// The whole assembler state of a run, grouped by how long each part lasts.
/// Each part starts again by being assigned a fresh value.
struct PioAssembler {
  Symbols symbols;
  Placement placement;
  /// ".decode" met since the last block start, in either reading: a
  /// decoding block lists words instead of assembling them, and its
  /// instructions take no slot.
  bool decoding = false;
  DecodeListing decodeListing;
  /// No pin is claimed before the first block of the second reading, so a
  /// block end met before it claims none.
  BlockState block{.pins = {}};
  /// Where the line being read comes from.
  LinePlace place;

  /// The parts of the current state machine, (currentPio, currentSm).
  RegisterImages& registers() { return block.registers[placement.currentPio][placement.currentSm]; }
  const RegisterImages& registers() const {
    return block.registers[placement.currentPio][placement.currentSm];
  }
  MachineUse& use() { return block.use[placement.currentPio][placement.currentSm]; }
  MachineStart& start() { return symbols.starts[placement.currentPio][placement.currentSm]; }
  const MachineStart& start() const {
    return symbols.starts[placement.currentPio][placement.currentSm];
  }
  int32_t& origin() { return placement.origin[placement.currentPio][placement.currentSm]; }
  int32_t origin() const { return placement.origin[placement.currentPio][placement.currentSm]; }
  /// The next instruction slot of the current PIO block.
  int32_t& programCounter() { return placement.programCounter[placement.currentPio]; }
};

/// What the per-line functions work with: the state, the options in force and
/// the report and log writers.
struct PioContext {
  PioAssembler& pio;
  const PasmOptions& options;
  base::Logs& logs;
};

/// Whether a line of the block itself set the field of (currentPio,
/// currentSm); noteBlockField records that one did.
bool blockSetField(const PioAssembler& pio, Field field);
void noteBlockField(PioAssembler& pio, Field field);

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

}  // namespace pio
