#include "app/test_name.h"

#include <pcre2.h>

#include <memory>

#include "text/case_table.h"

namespace app {
namespace {

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

}  // namespace

std::u16string testNameOf(std::u16string_view sourcePath) {
  static constexpr char16_t kPattern[] = u"\\w*.[bi][an][sc]$";
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  std::unique_ptr<pcre2_code, CodeDeleter> code(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kPattern), PCRE2_ZERO_TERMINATED, PCRE2_CASELESS,
                    &errorCode, &errorOffset, nullptr));
  if (!code) return {};
  std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
      pcre2_match_data_create_from_pattern(code.get(), nullptr));
  int found = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(sourcePath.data()),
                          sourcePath.size(), 0, 0, match.get(), nullptr);
  if (found < 1) return {};
  const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.get());
  std::u16string_view name = sourcePath.substr(range[0], range[1] - range[0]);
  if (name.size() < 4) return {};
  return text::upper(name.substr(0, name.size() - 4));
}

}  // namespace app
