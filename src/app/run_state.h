#pragma once

#include <cstdint>
#include <string>

namespace app {

/// The per-run record of run control: parameters, mode, folders and paths,
/// option flags and the line being processed. Created at start-up, alive
/// until the process ends.
struct RunState {
  std::u16string versionText = u"5.23 - 01 Sep 2026";

  // Start-up.
  std::u16string sourcePath;
  std::u16string hostFolder;
  bool briskoMode = false;
  bool corvaneMode = false;
  bool pioCheckMode = false;
  std::u16string sourceExtension;
  std::u16string outputPath;
  std::u16string dataFolder;
  std::u16string startFolder;
  std::u16string testName;
  std::u16string sourceFolder;
  std::u16string targetProgram;
  std::u16string codeBase;

  // Option flags set by directives; never reset during the run.
  bool debugLog = false;
  int winDelay = 50;
  bool keepComments = false;
  bool passIncludes = false;
  bool libraryIgnore = false;

  // Line processing.
  std::u16string lineBuffer;
  std::u16string outputText;
  int32_t sourceLineNumber = 0;
  bool endCodeSeen = false;
  bool secondReading = false;
  bool pioBlockSeen = false;
  bool lineMapRepeat = false;
  bool inBlockComment = false;
  /// lineBuffer holds inserted program text (a code module, a generated
  /// file), which directive tests must not look into.
  bool insertedText = false;
  /// Set when a handler asks for the source to be read again from its
  /// first line (the first clipboard directive).
  bool restartReading = false;

  // Target options.
  std::u16string targetLine;
  int32_t targetLineNumber = 0;
  bool winBasicTarget = false;
  bool autoRunTarget = false;
  bool espOption = false;
  bool clipboardMode = false;
  bool piAutoRun = false;
  bool piAutoSave = false;
  std::u16string saveName = u"PROG1.BAS";
};

}  // namespace app
