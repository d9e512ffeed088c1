#pragma once

namespace app {

struct Run;

/// The option directives #DEBUG, #WINDELAY, #KEEPCOMMENTS, #PASSINCLUDES and
/// #LIBRARYIGNORE: each sets its option and travels on as a comment line.
/// They act at any conditional level and inside block comments.
void handleFlagDirectives(Run& run);

}  // namespace app
