#pragma once
// Where an unpacked attachment goes, the names it gets on disk and its line in the folder's
// description file. Names taken from a passport are code page 1251.
#include <string>
#include <string_view>

namespace tarvena {

enum class AttachmentFolder
{
    Passport,  // the title page lies in the passport folder itself
    Documents, // ДОКУМЕНТЫ
    Graphics   // ГРАФИКА
};

// The name without its extension (the part from the last "." on); a name without a dot is its own stem.
std::string attachmentStem(std::string_view name);
// A stem that names a documents slot makes the attachment a document: the title page goes into the
// passport folder, the other documents into ДОКУМЕНТЫ. Everything else is graphics.
AttachmentFolder attachmentFolder(std::string_view name);

// A name from a passport made safe as one component of a path inside the chosen folder, still in code
// page 1251. Path separators, the drive colon, the characters Windows file names refuse (< > " | ? *),
// NUL and other control characters each become "_"; an empty name or one of dots and blanks only
// becomes "_".
// A name whose UTF-8 form passes the 255 bytes a file name may have is cut at a character boundary,
// with keepExtension from the end of its stem. The same name always gives the same result.
std::string safeFileName(std::string_view name, bool keepExtension = true);

// A file name on the common Linux and Windows file systems, in UTF-8 bytes.
inline constexpr std::size_t kMaxNameBytes = 255;
// The UTF-8 size of a code page 1251 text.
std::size_t utf8Size(std::string_view cp1251);

// The description file of a folder, and one line of it: the name in quotes, a blank and the
// description, converted to the OEM code page 866 and ended by CR LF. Line breaks inside the
// description become blanks so that one attachment keeps to one line.
inline constexpr const char *kDescriptionFileName = "Descript.ion";
std::string descriptionLine(std::string_view name, std::string_view description);

} // namespace tarvena
