#include "app/startup.h"

#include "app/test_name.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "text/numbers.h"
#include "base/fatal_error.h"

namespace app {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

size_t fileNameStart(std::u16string_view path) {
  size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? 0 : slash + 1;
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

void setMode(RunState& state, const std::vector<std::u16string>& arguments) {
  const std::u16string& mode = arguments[2];
  if (mode == u"Brisko") {
    state.briskoMode = true;
    state.targetProgram = state.hostFolder + u"Brisko.exe";
  } else if (mode == u"Corvane" || mode == u"PIOCHECK") {
    state.corvaneMode = true;
    state.pioCheckMode = mode == u"PIOCHECK";
    state.targetProgram = state.hostFolder + u"Corvane.exe";
  } else {
    base::fail(u"Prexle expects 3rd Parameters to be one of Brisko , Corvane or PIOCHECK \r\n" +
             parameterLines(arguments));
  }
}

}  // namespace

std::u16string extensionOf(std::u16string_view path) {
  std::u16string_view name = path.substr(fileNameStart(path));
  size_t dot = name.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
}

std::u16string outputPathFor(const std::u16string& sourcePath, const std::u16string& extension,
                             bool brisko) {
  if (brisko) {
    const size_t nameStart = fileNameStart(sourcePath);
    const std::u16string folder = sourcePath.substr(0, nameStart);
    createResultFolder(folder + u"X");
    return folder + u"X\\" + sourcePath.substr(nameStart);
  }
  return sourcePath.substr(0, sourcePath.size() - extension.size()) + u"_x" + extension;
}

RunState startUp(const std::vector<std::u16string>& arguments) {
  RunState state;
  if (arguments.size() != 3) {
    base::fail(u"Prexle expects 3 Parameters to be passed\r\n" + parameterLines(arguments));
  }
  state.sourcePath = arguments[0];
  state.hostFolder = arguments[1];
  state.sourceExtension = extensionOf(state.sourcePath);
  state.outputPath = outputPathFor(state.sourcePath, state.sourceExtension, arguments[2] == u"Brisko");
  state.dataFolder = withSeparator(platform::userProfileFolder()) + u"AppData\\Local\\Corvane5\\";
  if (platform::pathExists(state.hostFolder + u"portable.inf")) {
    state.dataFolder = state.hostFolder + u"DATA\\";
  }
  state.startFolder = withSeparator(platform::currentFolder());
  state.testName = testNameOf(state.sourcePath);
  const size_t folderLength = state.sourcePath.size() - std::min(state.sourcePath.size(), state.testName.size() + 4);
  state.sourceFolder = state.sourcePath.substr(0, folderLength);
  setMode(state, arguments);
  return state;
}

}  // namespace app
