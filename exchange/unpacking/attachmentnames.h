#pragma once
// The file names the attachments of one unpacking take: every attachment a file of its own, under a
// name that Windows also accepts, since unpacked folders travel to Windows machines. Names are code
// page 1251.
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace tarvena {

// Whether Windows refuses name as a file name: a device name (CON, PRN, AUX, NUL, COM0 to COM9,
// LPT0 to LPT9, CONIN$, CONOUT$) before its first dot, whatever follows, or a trailing dot or blank.
bool refusedByWindows(std::string_view name);

// name with " (number)" before its extension; after the device name of a refused name; at its end when
// it ends with a dot or a blank (a device name ending so has those turned to "_" first). The stem is
// cut so that the result keeps to the 255 bytes of a file name in UTF-8. Windows accepts every result.
std::string numberedName(std::string_view name, int number);

class AttachmentNames
{
public:
    // The name an attachment stored as storedName takes in folder: its safeFileName, numbered from
    // " (2)" on when Windows refuses it or when an earlier attachment of this unpacking took it in
    // that folder (letter case ignored, as Windows does). The folder's description file and the
    // passport folder's subfolders count as taken.
    std::string take(const std::string &folder, std::string_view storedName);

private:
    std::map<std::string, std::set<std::string>> mTaken; // folder -> lower-case names
};

} // namespace tarvena
