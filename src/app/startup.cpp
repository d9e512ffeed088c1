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

base::RunMode editorMode(const std::vector<std::u16string>& arguments, const std::u16string& sourcePath) {
  const std::u16string& mode = arguments[2];
  if (mode == u"Brisko") return base::RunMode::brisko;
  if (mode == u"Corvane") return base::RunMode::corvane;
  if (mode == u"PIOCHECK") return base::RunMode::pioCheck;
  std::vector<std::u16string> shown = arguments;
  shown[0] = sourcePath;
  base::fail(u"Prexle expects 3rd Parameters to be one of Brisko , Corvane or PIOCHECK \r\n" +
             parameterLines(shown));
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

std::u16string withSeparator(std::u16string folder) {
  if (folder.empty() || !isSeparator(folder.back())) folder += u'\\';
  return folder;
}

// A relative path is made full once, at the start, so every later path and
// message names the same file wherever the tool was started.
std::u16string fullPath(const std::u16string& path) {
  return isAbsolute(path) ? path : withSeparator(platform::currentFolder()) + path;
}

std::u16string outputPathInFolderX(const std::u16string& sourcePath) {
  const std::u16string folder = folderOf(sourcePath);
  createResultFolder(folder + u"X");
  return folder + u"X\\" + sourcePath.substr(folder.size());
}

std::u16string outputPathBesideSource(const std::u16string& sourcePath, const std::u16string& extension) {
  return sourcePath.substr(0, sourcePath.size() - extension.size()) + u"_x" + extension;
}

std::u16string editorDataFolder(const std::u16string& hostFolder) {
  if (platform::pathExists(hostFolder + u"portable.inf")) return hostFolder + u"DATA\\";
  return withSeparator(platform::userProfileFolder()) + u"AppData\\Local\\Corvane5\\";
}

bool isEditorForm(const std::vector<std::u16string>& arguments) {
  return arguments.size() == 3 &&
         std::ranges::none_of(arguments, [](const std::u16string& a) { return a.starts_with(u'-'); });
}

RunRequest editorFormRequest(const std::vector<std::u16string>& arguments) {
  RunRequest request;
  request.sourcePath = fullPath(arguments[0]);
  request.hostFolder = hostFolderOf(arguments[1], arguments[2]);
  request.outputPath = arguments[2] == u"Brisko"
                           ? outputPathInFolderX(request.sourcePath)
                           : outputPathBesideSource(request.sourcePath, extensionOf(request.sourcePath));
  request.dataFolder = editorDataFolder(request.hostFolder);
  request.mode = editorMode(arguments, request.sourcePath);
  if (request.mode == base::RunMode::brisko) request.lineMapPath = request.dataFolder + u"lineno.txt";
  request.pioReport = Destination::file(request.dataFolder + u"PasmErrors.txt");
  request.runLog = Destination::file(request.dataFolder + u"Prexle.txt");
  request.arrayGenerator = {std::u16string(pre::kArrayGenerator), {}};
  request.handOff = true;
  return request;
}

RunSettings settingsFor(RunRequest request) {
  RunSettings settings;
  static_cast<RunRequest&>(settings) = std::move(request);
  const bool brisko = settings.mode == base::RunMode::brisko;
  settings.targetProgram = settings.hostFolder + (brisko ? u"Brisko.exe" : u"Corvane.exe");
  settings.folders.testName = testNameOf(settings.sourcePath);
  settings.folders.sourceFolder = folderOf(settings.sourcePath);
  return settings;
}

}  // namespace app
