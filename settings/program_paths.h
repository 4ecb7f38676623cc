#pragma once

#include <string>

namespace lumiquad {

// The folder of the running executable, without a trailing '/'.
std::string ProgramDirectory();

enum class UserFolderKind { Config, State, Cache };

// The program's folder of the current user's settings, state (the game kept for resuming) or
// cache: $XDG_CONFIG_HOME/Lumiquad, $XDG_STATE_HOME/Lumiquad or $XDG_CACHE_HOME/Lumiquad, where
// an unset or relative variable means ~/.config, ~/.local/state or ~/.cache. Empty when no home
// folder can be found.
std::string UserFolder(UserFolderKind kind);

// Where a data file that lies beside the program is found: the program's own folder, else the
// installed location ../share/lumiquad/ beside it. When neither holds the file, the path in the
// program's folder is returned, so that a message about it names the expected place.
std::string DataFilePath(const std::string& fileName);

}  // namespace lumiquad
