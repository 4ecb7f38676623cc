#pragma once

#include <string>

namespace lumiquad {

// The folder of the running executable, without a trailing '/'.
std::string ProgramDirectory();

// Where a data file that lies beside the program is found: the program's own folder, else the
// installed location ../share/lumiquad/ beside it. When neither holds the file, the path in the
// program's folder is returned, so that a message about it names the expected place.
std::string DataFilePath(const std::string& fileName);

}  // namespace lumiquad
