#include "app/host_folder.h"

#include "platform/files.h"

namespace app {

// Names are appended to the host folder as they are, so a folder given
// without its separator finds "C:\hostBrisko.exe". Only such a failing form
// changes: one that works as given (a target named by the prefix) must give
// the same files as before.
std::u16string hostFolderOf(const std::u16string& given, const std::u16string& mode) {
  if (given.empty() || given.back() == u'\\' || given.back() == u'/') return given;
  const std::u16string target = mode == u"Brisko" ? u"Brisko.exe" : u"Corvane.exe";
  if (platform::pathExists(given + target) || platform::pathExists(given + u"portable.inf")) return given;
  return platform::pathExists(given + u"\\") ? given + u"\\" : given;
}

}  // namespace app
