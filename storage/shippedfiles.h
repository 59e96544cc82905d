#pragma once
// Where the files shipped with the program lie: the dictionaries, the sample passport and the user
// manual sit beside the program in a build tree and under ../share/tarvena once installed.
#include <string>
#include <vector>

namespace tarvena::platform {

// The folders to look in, in order: the program's own folder, then ../share/tarvena beside it.
std::vector<std::string> shippedFolders(const std::string &programDir);
// The first of folders that holds a regular file named fileName; empty when none does.
std::string findShippedFile(const std::vector<std::string> &folders, const std::string &fileName);
// The folder of the dictionary files. A folder named by the user (the --dictionaries option, else the
// TARVENA_DICTIONARIES variable; either may be empty) wins, so passports of another installation
// show with that installation's dictionaries. Otherwise the first shipped folder holding the
// dictionaries; when there is none, the program's folder, so the error names where they belong.
std::string dictionaryFolder(const std::string &option, const std::string &environment,
                             const std::string &programDir);

} // namespace tarvena::platform
