#include "app/pio_files.h"

#include <memory>

#include "base/fatal_error.h"
#include "pio/file_translation.h"
#include "pio/pio_file.h"
#include "platform/files.h"
#include "preprocessor/includes.h"
#include "preprocessor/program_file.h"
#include "text/case_table.h"
#include "text/quotes.h"
#include "text/utf8.h"

namespace app {

namespace {

std::u16string decodedText(const std::string& bytes) {
  return text::decodeUtf8(text::skipByteOrderMark(bytes));
}

}  // namespace

std::optional<std::u16string> PioIncludeFiles::read(std::u16string_view name, std::u16string& path) {
  // As #INCLUDE has it: a name starting with "." is joined to the source's
  // folder, any other is opened from within that folder.
  const std::u16string written = text::withoutQuotes(std::u16string(name));
  const std::u16string opened = written.starts_with(u".") ? folders_.sourceFolder + written : written;
  const std::u16string joined = platform::pathInFolder(folders_.sourceFolder, opened);
  path = platform::nativePath(joined);
  if (folders_.sourceFolder.empty()) return std::nullopt;
  std::optional<std::string> bytes = pre::readProgramFile(joined);
  if (!bytes) return std::nullopt;
  return decodedText(*bytes);
}

bool isPioSource(std::u16string_view path) {
  return path.size() >= 4 && text::equalsNoCase(path.substr(path.size() - 4), u".pio");
}

PioSourceResult translatePioSource(const std::u16string& sourcePath, const pio::PioFileTarget& target,
                                   base::Logs& report, bool pioCheck) {
  std::optional<std::string> bytes = pre::readProgramFile(sourcePath);
  if (!bytes) base::fail(u"The .pio file cannot be read: " + sourcePath);
  auto file = std::make_shared<const pio::PioFile>(platform::nativePath(sourcePath), decodedText(*bytes));
  pio::PioFileTranslation translation = pio::translatePioFile(file, target, report, pioCheck);
  PioSourceResult result;
  result.text = std::move(translation.text);
  result.errors = std::move(translation.errors);
  result.status = result.errors.empty() ? 0 : 1;
  return result;
}

}  // namespace app
