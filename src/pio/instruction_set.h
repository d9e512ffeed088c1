#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The names of the instructions and of their operand values, shared by the
// encoder, which reads them, and the decoder, which writes them.

namespace pio {

/// The words that assemble into one instruction slot.
enum class Mnemonic { word, nop, jmp, wait, in, out, push, pull, mov, irq, set };

/// The mnemonic a (lower-case) word names: ".word", "nop" or one of the nine
/// instructions; nullopt for any other word.
std::optional<Mnemonic> mnemonicNamed(std::u16string_view word);

/// The mnemonic's name in lower case, as the source writes it.
std::u16string_view nameOf(Mnemonic mnemonic);

/// The name of one value of an operand field, at its value's index.
struct Operand {
  std::u16string_view name;
  /// False for a reserved value: the decoder shows the name, the assembler
  /// takes no word for it.
  bool written = true;
};

/// Conditions of JMP (bits 7:5); value 0, always, has no word.
inline constexpr Operand kJmpConditions[] = {{u"", false}, {u"!x"},   {u"x--"}, {u"!y"},
                                             {u"y--"},     {u"x!=y"}, {u"pin"}, {u"!osre"}};
/// Sources of WAIT (bits 6:5).
inline constexpr Operand kWaitSources[] = {{u"gpio"}, {u"pin"}, {u"irq"}, {u"reserved", false}};
/// Sources of IN (bits 7:5).
inline constexpr Operand kInSources[] = {{u"pins"},     {u"x"},         {u"y"},   {u"null"},
                                         {u" ", false}, {u"pc", false}, {u"isr"}, {u"osr"}};
/// Destinations of OUT (bits 7:5).
inline constexpr Operand kOutDestinations[] = {{u"pins"},    {u"x"},  {u"y"},   {u"null"},
                                               {u"pindirs"}, {u"pc"}, {u"isr"}, {u"exec"}};
/// Destinations of SET (bits 7:5).
inline constexpr Operand kSetDestinations[] = {{u"pins"},        {u"x"},          {u"y"},
                                               {u"null", false}, {u"pindirs"},    {u"pc", false},
                                               {u"isr", false},  {u"exec", false}};
/// Destinations of MOV (bits 7:5).
inline constexpr Operand kMovDestinations[] = {{u"pins"}, {u"x"},  {u"y"},   {u"null", false},
                                               {u"exec"}, {u"pc"}, {u"isr"}, {u"osr"}};
/// PIO version 1 names WAIT source 3 and MOV destination 3.
inline constexpr Operand kWaitSourcesV1[] = {{u"gpio"}, {u"pin"}, {u"irq"}, {u"jmppin"}};
inline constexpr Operand kMovDestinationsV1[] = {{u"pins"}, {u"x"},  {u"y"},   {u"pindirs"},
                                                 {u"exec"}, {u"pc"}, {u"isr"}, {u"osr"}};
/// How PIO version 1 reads an IRQ number (bits 4:3 of IRQ and WAIT IRQ): this
/// block's flag, the previous block's, relative to the state machine, or the
/// next block's. Version 0 has only bit 4, "rel".
inline constexpr Operand kIrqIndexModes[] = {{u"", false}, {u"prev"}, {u"rel"}, {u"next"}};
/// Sources of MOV (bits 2:0).
inline constexpr Operand kMovSources[] = {{u"pins"},     {u"x"},      {u"y"},   {u"null"},
                                          {u" ", false}, {u"status"}, {u"isr"}, {u"osr"}};

/// The index of the operand a word names by its first keyLength characters,
/// without regard to case: those characters are looked for in the written
/// names, each cut or padded to keyLength and set one after another, and the
/// first place they occur names the operand ("p" and "pi" name "pins").
/// nullopt when they occur nowhere or the word is empty.
std::optional<size_t> operandByPrefix(std::span<const Operand> operands, std::u16string_view word,
                                      size_t keyLength);

/// The index of the written operand named exactly word, or nullopt.
std::optional<size_t> operandNamed(std::span<const Operand> operands, std::u16string_view word);

/// The operand's name in upper case, as the decoder shows it.
std::u16string shownName(std::span<const Operand> operands, size_t index);

}  // namespace pio
