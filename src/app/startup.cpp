#include "app/startup.h"

#include <algorithm>

#include "app/host_folder.h"
#include "app/test_name.h"
#include "base/fatal_error.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "text/numbers.h"

namespace app {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

size_t fileNameStart(std::u16string_view path) {
  size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? 0 : slash + 1;
}

bool isAbsolute(std::u16string_view path) {
  const bool driveLetter = path.size() >= 2 && path[1] == u':' &&
                           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
  return driveLetter || (!path.empty() && isSeparator(path[0]));
}

std::u16string parameterLines(const std::vector<std::u16string>& arguments) {
  auto parameter = [&](size_t i) { return i < arguments.size() ? arguments[i] : std::u16string(); };
  return u"Check the setup of the Action Menu in Corvane is correct.\r\n" +
         text::decimal(static_cast<int64_t>(arguments.size())) + u" is passed\r\n" + u"1st is " +
         parameter(0) + u"\r\n" + u"2nd is " + parameter(1) + u"\r\n" + u"3rd is " + parameter(2) +
         u"\r\n";
}

void createResultFolder(std::u16string folder) {
  while (!folder.empty() && (folder.back() == u' ' || isSeparator(folder.back()))) folder.pop_back();
  // A folder that cannot be made shows up later, when the result is written.
  platform::createFolder(folder);
}

std::u16string withSeparator(std::u16string folder) {
  if (folder.empty() || !isSeparator(folder.back())) folder += u'\\';
  return folder;
}

void setMode(RunSettings& settings, const std::vector<std::u16string>& arguments) {
  const std::u16string& mode = arguments[2];
  if (mode == u"Brisko") {
    settings.mode = base::RunMode::brisko;
    settings.targetProgram = settings.hostFolder + u"Brisko.exe";
  } else if (mode == u"Corvane" || mode == u"PIOCHECK") {
    settings.mode = mode == u"Corvane" ? base::RunMode::corvane : base::RunMode::pioCheck;
    settings.targetProgram = settings.hostFolder + u"Corvane.exe";
  } else {
    std::vector<std::u16string> shown = arguments;
    shown[0] = settings.sourcePath;
    base::fail(u"Prexle expects 3rd Parameters to be one of Brisko , Corvane or PIOCHECK \r\n" +
               parameterLines(shown));
  }
}

}  // namespace

std::u16string extensionOf(std::u16string_view path) {
  std::u16string_view name = path.substr(fileNameStart(path));
  size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
}

std::u16string folderOf(std::u16string_view path) {
  return std::u16string(path.substr(0, fileNameStart(path)));
}

std::u16string outputPathInFolderX(const std::u16string& sourcePath) {
  const std::u16string folder = folderOf(sourcePath);
  createResultFolder(folder + u"X");
  return folder + u"X\\" + sourcePath.substr(folder.size());
}

std::u16string outputPathBesideSource(const std::u16string& sourcePath, const std::u16string& extension) {
  return sourcePath.substr(0, sourcePath.size() - extension.size()) + u"_x" + extension;
}

RunSettings startUp(const std::vector<std::u16string>& arguments) {
  RunSettings settings;
  if (arguments.size() != 3) {
    base::fail(u"Prexle expects 3 Parameters to be passed\r\n" + parameterLines(arguments));
  }
  // A relative source path is made absolute once, here, so every later path
  // and message names the same file wherever the tool was started.
  settings.sourcePath =
      isAbsolute(arguments[0]) ? arguments[0] : withSeparator(platform::currentFolder()) + arguments[0];
  settings.hostFolder = hostFolderOf(arguments[1], arguments[2]);
  settings.outputPath = arguments[2] == u"Brisko"
                            ? outputPathInFolderX(settings.sourcePath)
                            : outputPathBesideSource(settings.sourcePath, extensionOf(settings.sourcePath));
  settings.dataFolder = withSeparator(platform::userProfileFolder()) + u"AppData\\Local\\Corvane5\\";
  if (platform::pathExists(settings.hostFolder + u"portable.inf")) {
    settings.dataFolder = settings.hostFolder + u"DATA\\";
  }
  settings.folders.testName = testNameOf(settings.sourcePath);
  settings.folders.sourceFolder = folderOf(settings.sourcePath);
  setMode(settings, arguments);
  return settings;
}

}  // namespace app
