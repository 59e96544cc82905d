#pragma once
// What an unpacking finds in place before it writes anything: its folders must be folders of its own,
// and the files it replaces must be replaceable, so that a refusal leaves no half-written unpacking.
#include <string>
#include <vector>

namespace tarvena {

// Throws Error naming the first of folders (UTF-8) that exists as a symbolic link or as anything but a
// folder: the unpacking would write through it into another place, or fail half-way. The folders are
// checked in order, an enclosing one before those inside it.
void checkUnpackFolders(const std::vector<std::string> &folders);

// Throws Error naming the first of files (UTF-8) that exists as a read-only file, which the unpacking
// would otherwise replace although its owner protected it. A symbolic link in the place of a file is
// no obstacle: the link is replaced, what it names stays untouched.
void checkUnpackFiles(const std::vector<std::string> &files);

} // namespace tarvena
