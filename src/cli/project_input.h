#pragma once
// Projects as the converter's input. The editor takes any text as a project and
// leaves whatever has no line as it was; a build would then work on start-up data
// without a word, so a project without the lines of the part a command needs is
// refused.

#include "core/document.h"

#include <string>
#include <vector>

namespace korvex::cli {

// "PREFIX<first>=" .. "PREFIX<last>=".
std::vector<std::string> numberedKeys(const std::string& prefix, int first, int last);

// Reads the project into `doc` as the editor opens it. Throws a CliFailure (status
// 1) when it cannot be read, or when none of the lines the editor reads holds one of
// the keys; the message then says the file holds no `part`.
void loadProjectInput(Document& doc, const std::string& path, const std::vector<std::string>& keys,
                      const std::string& part);

} // namespace korvex::cli
