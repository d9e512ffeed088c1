#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The one place that knows where the fields of the state machine
// configuration registers stand. Everything else names a field and lets this
// table place it.

namespace pio {

/// The chips whose register layouts the field table holds, one column each.
/// The RP2350 runs PIO version 1: it widens EXECCTRL's status fields and adds
/// SHIFTCTRL fields the RP2040 lacks.
enum class Chip { rp2040, rp2350 };
inline constexpr size_t kChipCount = 2;

/// The chip's name as written in a source: "rp2040" or "rp2350".
std::u16string_view chipName(Chip chip);
/// The chip a (lower-case) name gives, or nullopt.
std::optional<Chip> chipNamed(std::u16string_view name);

/// The three configuration registers of a state machine, numbered as the bit
/// picture selects them.
enum class RegisterKind { execctrl = 1, pinctrl = 2, shiftctrl = 3 };

enum class Field;
struct FieldValue;

/// Images of the three registers, held wide so that a value spilled past a
/// field (or past bit 31) shows. They start at the values after a reset,
/// which both chips share: wrap top 31, SET count 5, IN and OUT shifting
/// right. Fields are placed as the chip lays them out.
struct RegisterImages {
  int64_t execctrl = 0x0001F000;
  int64_t pinctrl = 0x14000000;
  int64_t shiftctrl = 0x000C0000;
  Chip chip = Chip::rp2040;

  /// The image of one register; any value that is no register gives SHIFTCTRL.
  int64_t& of(RegisterKind kind);
  int64_t of(RegisterKind kind) const;
  /// The field's bits, as a number.
  int32_t get(Field field) const;
  /// Sets each field to its value, the other bits kept.
  void set(std::initializer_list<FieldValue> values);
  /// Adds value (0 or more) to what the field holds, so that a repeated
  /// directive adds up; a one-bit field is a flag, which a nonzero value sets.
  /// False, with the image unchanged, when the sum does not fit the field.
  bool add(Field field, int64_t value);
  /// Clears the field.
  void clear(Field field);
  bool operator==(const RegisterImages&) const = default;
};

/// A register's upper-case name, or empty for a value that is no register.
std::u16string_view registerName(RegisterKind kind);

/// The registers in the order "PIO INIT MACHINE" takes their images.
inline constexpr RegisterKind kInitOrder[] = {RegisterKind::pinctrl, RegisterKind::execctrl,
                                              RegisterKind::shiftctrl};

/// Every field the assembler writes or reads.
enum class Field {
  sideEn,
  sidePindir,
  jmpPin,
  outEnSel,
  inlineOutEn,
  outSticky,
  wrapTop,
  wrapBottom,
  statusSel,
  statusN,
  sidesetCount,
  setCount,
  outCount,
  inBase,
  sidesetBase,
  setBase,
  outBase,
  fjoinRx,
  fjoinTx,
  pullThresh,
  pushThresh,
  outShiftdir,
  inShiftdir,
  autopull,
  autopush,
  fjoinRxPut,
  fjoinRxGet,
  inCount,
};

/// Where a field stands on one chip; width 0 when the chip has no such field.
struct FieldPlace {
  int firstBit = 0;
  int width = 0;
};

/// One row of the field table.
struct FieldRow {
  Field field;
  RegisterKind reg;
  /// The name the datasheet gives the field.
  std::u16string_view name;
  /// Where the field stands, by Chip.
  std::array<FieldPlace, kChipCount> place;
  /// How a bit picture writes a range of bits: "28-24" or "3:0".
  char16_t rangeMark = u':';
  /// How a bit picture names the field, when not by its name.
  std::u16string_view pictured = {};
};

/// The whole table, in register order, highest field first.
std::span<const FieldRow> fieldTable();

/// Where the field stands on the chip.
FieldPlace placeOf(Field field, Chip chip);
/// Whether the chip has the field.
bool chipHas(Field field, Chip chip);
/// The register that holds the field.
RegisterKind registerOf(Field field);
/// The name the datasheet gives the field.
std::u16string_view fieldName(Field field);

/// value placed at the field's first bit (not masked to the field's width).
int64_t fieldBits(Field field, int64_t value, Chip chip);
/// The field's bits of one register's image, as a number.
int32_t fieldValue(int64_t image, Field field, Chip chip);
/// The largest value the field holds.
int64_t fieldMax(Field field, Chip chip);

/// One field and the value a directive gives it.
struct FieldValue {
  Field field;
  int64_t value;
};

/// The field's bits as a bit picture shows them: "28-24", "3:0" or "4".
std::u16string fieldRange(Field field, Chip chip);
/// The range and the name the bit picture gives the field: "28-24 JMP_PIN";
/// several fields are joined by blanks.
std::u16string fieldLabel(std::initializer_list<Field> fields, Chip chip);

/// The side-set geometry a state machine's images give an instruction.
struct SideSet {
  /// SIDESET_COUNT as the hardware reads its bits: the side-set bits of an
  /// instruction, the enable bit included.
  int32_t count = 0;
  /// 1 when SIDE_EN makes the side-set optional, else 0.
  int32_t optional = 0;

  /// The side-set bits that carry a value: count less the enable bit.
  int32_t valueBits() const { return count - optional; }
};

/// The side-set geometry of one state machine's images.
SideSet sideSetOf(const RegisterImages& images);

}  // namespace pio
