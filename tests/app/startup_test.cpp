#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/startup.h"
#include "app/test_name.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace {

TEST(Startup, TestNameAndFolderFromTheSourcePath) {
  EXPECT_EQ(app::testNameOf(u"C:\\work\\prog1.bas"), u"PROG1");
  EXPECT_EQ(app::testNameOf(u"C:\\a\\my-prog.bas"), u"PROG") << "the hyphen ends the word";
  EXPECT_EQ(app::testNameOf(u"C:\\a\\Motor.INC"), u"MOTOR");
  EXPECT_EQ(app::testNameOf(u"C:\\a\\notes.txt"), u"");
  EXPECT_EQ(app::testNameOf(u"/home/u/blink.bas"), u"BLINK");
}

TEST(Startup, ResultPaths) {
  EXPECT_EQ(app::folderOf(u"C:\\a\\my-prog.bas"), u"C:\\a\\") << "whatever the name holds";
  EXPECT_EQ(app::folderOf(u"/home/u/demo disk/hex-gasket.bas"), u"/home/u/demo disk/");
  EXPECT_EQ(app::folderOf(u"prog.bas"), u"");
  EXPECT_EQ(app::extensionOf(u"C:\\w\\p.bas"), u".bas");
  EXPECT_EQ(app::extensionOf(u"C:\\w.d\\prog"), u"");
  EXPECT_EQ(app::outputPathBesideSource(u"C:\\w\\p.bas", u".bas"), u"C:\\w\\p_x.bas");
  EXPECT_EQ(app::outputPathBesideSource(u"C:\\w\\prog", u""), u"C:\\w\\prog_x");
  testing_support::TempFolder folder;
  const std::u16string source = text::u16(folder.path().string()) + u"\\p.bas";
  EXPECT_EQ(app::outputPathInFolderX(source), text::u16(folder.path().string()) + u"\\X\\p.bas");
  EXPECT_TRUE(folder.exists("X")) << "the result folder is made";
}

TEST(SettingsFile, CodeStoreIsReadAndWrittenInPlace) {
  testing_support::TempFolder folder;
  const std::u16string path = text::u16((folder / "MMmodule.inf").string());
  EXPECT_EQ(app::readCodeStore(path), u"");
  app::writeCodeStore(path, u"C:\\code\\");
  EXPECT_FALSE(folder.exists("MMmodule.inf")) << "a missing settings file is not made";

  folder.write("MMmodule.inf", "\xEF\xBB\xBF[General]\nTheme = dark\n  code STORE =\t C:\\old\\ \nLast = 1");
  EXPECT_EQ(app::readCodeStore(path), u"C:\\old\\");
  app::writeCodeStore(path, u"D:\\new\\");
  EXPECT_EQ(folder.read("MMmodule.inf"),
            "[General]\r\nTheme = dark\r\nCode Store = D:\\new\\\r\nLast = 1\r\n");
  folder.write("MMmodule.inf", "Theme = dark\r\n");
  app::writeCodeStore(path, u"E:\\");
  EXPECT_EQ(folder.read("MMmodule.inf"), "Theme = dark\r\nCode Store = E:\\\r\n");
}

}  // namespace
