#include "preprocessor/code_modules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/fatal_error.h"
#include "platform/files.h"
#include "support/temp_folder.h"
#include "text/blanks.h"
#include "text/utf8.h"

namespace {

using testing_support::TempFolder;
using text::u16;

// A code base in a temporary folder; codeBase ends with the separator.
struct CodeBase {
  TempFolder folder;
  std::u16string codeBase = u16(folder.path().string() + "/");
  pre::CodeBaseFiles files;

  // The text a #CODEMODULE line becomes, or "fatal: <message>".
  std::u16string insert(const std::u16string& line) {
    std::u16string buffer = line;
    try {
      EXPECT_TRUE(pre::handleCodeModuleLine(buffer, codeBase, files));
    } catch (const base::FatalError& e) {
      return u"fatal: " + e.text;
    }
    return buffer;
  }
};

TEST(CodeModules, EndCodeAndCodeBaseLines) {
  EXPECT_TRUE(text::isDirective(u"  #endcode", pre::kEndCodeKeywords));
  EXPECT_TRUE(text::isDirective(u"#ENDCODE here", pre::kEndCodeKeywords));
  EXPECT_FALSE(text::isDirective(u"\t#ENDCODE", pre::kEndCodeKeywords));
  EXPECT_FALSE(text::isDirective(u"'#ENDCODE", pre::kEndCodeKeywords));

  struct Case {
    std::u16string line;
    bool handled;
    std::u16string codeBase;
    std::u16string lineAfter;
  } cases[] = {
      {u"#CODEBASE C:\\mods\\", true, u"C:\\mods\\", u"'#CODEBASE C:\\mods\\"},
      {u"  #codebase lib/ extra", true, u"lib/", u"'  #codebase lib/ extra"},
      // The line is not normalised: a second blank leaves the folder empty.
      {u"#CODEBASE  lib/", true, u"", u"'#CODEBASE  lib/"},
      {u"#CODEBASE", true, u"", u"'#CODEBASE"},
      {u"\t#CODEBASE lib/", false, u"old/", u"\t#CODEBASE lib/"},
      {u"#CODEMODULE a b", false, u"old/", u"#CODEMODULE a b"},
  };
  for (const auto& c : cases) {
    std::u16string buffer = c.line;
    std::u16string codeBase = u"old/";
    EXPECT_EQ(pre::handleCodeBaseLine(buffer, codeBase), c.handled) << text::encodeUtf8(c.line);
    EXPECT_EQ(codeBase, c.codeBase) << text::encodeUtf8(c.line);
    EXPECT_EQ(buffer, c.lineAfter);
  }
}

TEST(CodeModules, ModuleIsFramedByteForByte) {
  CodeBase base;
  base.folder.write("leds.bas",
                    "' shared code\r\n"
                    "'#MODULE Blink\r\n"
                    "sub blink\r\n"
                    "end sub\r\n"
                    "'#MODULEEND\r\n"
                    "'#module other\n"
                    "x=1\n"
                    "'#moduleend other\n");
  EXPECT_EQ(base.insert(u"  #codemodule   leds.bas   blink  "),
            u"' Start '#MODULEBLINK\r\n"
            u"'#MODULE Blink\r\n"
            u"'#MODULE Blink\r\n"
            u"sub blink\r\n"
            u"end sub\r\n"
            u"'#MODULEEND\r\n"
            u"'#MODULEEND\r\n"
            u"'#moduleend other\r\n"
            u"' Insert end\r\n");
  std::u16string other = base.insert(u"#CODEMODULE leds.bas OTHER");
  EXPECT_EQ(other,
            u"' Start '#MODULEOTHER\r\n"
            u"'#MODULEEND\r\n"
            u"'#module other\r\n'#module other\r\nx=1\r\n'#moduleend other\r\n'#moduleend other\r\n"
            u"' Insert end\r\n");
  std::u16string plain = u"#CODEBASE x";
  EXPECT_FALSE(pre::handleCodeModuleLine(plain, base.codeBase, base.files));
}

TEST(CodeModules, NameIsFoundInsideLongerWords) {
  CodeBase base;
  base.folder.write("m.bas",
                    "'#MODULE XLED\n"
                    "a=1\n"
                    "'#MODULEEND\n"
                    "'#MODULE LEDS\n"
                    "b=1\n"
                    "'#MODULEEND\n"
                    "'#MODULE LED\n"
                    "c=1\n"
                    "'#MODULEEND\n");
  // XLED and LED both hold "LED" followed by a blank; LEDS does not.
  EXPECT_EQ(base.insert(u"#CODEMODULE m.bas led"),
            u"' Start '#MODULELED\r\n"
            u"'#MODULE XLED\r\n'#MODULE XLED\r\na=1\r\n'#MODULEEND\r\n'#MODULEEND\r\n"
            u"'#MODULEEND\r\n"
            u"'#MODULE LED\r\n'#MODULE LED\r\nc=1\r\n'#MODULEEND\r\n'#MODULEEND\r\n"
            u"' Insert end\r\n");
}

TEST(CodeModules, FatalMessages) {
  struct Case {
    std::string file;
    std::u16string name;
    std::u16string message;  // before the file's path
  } cases[] = {
      {"'#MODULE A\nx=1\n", u"A", u"Error Unable to find '#MODULEEND for module A\r\nin "},
      {"'#MODULE A\nx=1\n'#MODULE B\ny=1\n'#MODULEEND\n", u"A",
       u"Error No '#MODULEEND for module A\r\nin "},
      {"'#MODULE A\nx=1\n'#MODULEEND\n", u"B", u"Error Unable to find  '#MODULE B\r\nin "},
      // "'#MODULE" needs its blank: a header without a name is no header.
      {"'#MODULEA\nx=1\n'#MODULEEND\n", u"A", u"Error Unable to find  '#MODULE A\r\nin "},
  };
  for (const auto& c : cases) {
    CodeBase base;
    base.folder.write("m.bas", c.file);
    EXPECT_EQ(base.insert(u"#CODEMODULE m.bas " + c.name),
              u"fatal: " + c.message + base.codeBase + u"m.bas\r\n");
  }
  CodeBase base;
  EXPECT_EQ(base.insert(u"#CODEMODULE absent.bas A"),
            u"fatal: Error Unable To open CodeBase file \r\n" + base.codeBase + u"absent.bas");
  // Without its final separator the folder runs into the file name.
  base.folder.write("m.bas", "'#MODULE A\n'#MODULEEND\n");
  base.codeBase.pop_back();
  EXPECT_EQ(base.insert(u"#CODEMODULE m.bas A"),
            u"fatal: Error Unable To open CodeBase file \r\n" + base.codeBase + u"m.bas");
}

TEST(CodeModules, FileIsReadOnceForTheRun) {
  CodeBase base;
  base.folder.write("m.bas", "'#MODULE A\nx=1\n'#MODULEEND\n'#MODULE B\ny=1\n'#MODULEEND\n");
  const std::u16string first = base.insert(u"#CODEMODULE m.bas A");
  std::filesystem::remove(base.folder / "m.bas");
  // Still there: the file was opened once and kept.
  EXPECT_EQ(base.insert(u"#CODEMODULE m.bas A"), first);
  EXPECT_NE(base.insert(u"#CODEMODULE m.bas B").find(u"y=1\r\n"), std::u16string::npos);
  // "\" names the same file as "/".
  base.codeBase.back() = u'\\';
  EXPECT_EQ(base.insert(u"#CODEMODULE m.bas A"), first);
  // Names that differ in case are one file only where the file system says so.
  const std::u16string upperCase = base.insert(u"#CODEMODULE M.bas A");
  if (platform::samePath(u"M.bas", u"m.bas")) {
    EXPECT_EQ(upperCase, first);
  } else {
    EXPECT_EQ(upperCase.substr(0, 42), u"fatal: Error Unable To open CodeBase file ");
  }
}

}  // namespace
