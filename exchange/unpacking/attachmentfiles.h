#pragma once
// Writing unpacked attachments: the stored gzip content decompressed into a file of its own, and the
// description files beside them.
#include <string>
#include <string_view>

namespace tarvena {

// Decompresses content (one or more gzip members) into fileName (UTF-8), streaming, so memory use does
// not grow with the file. The file is written beside its final name and takes that name only once the
// content has decompressed cleanly; otherwise nothing is written, a file of that name is left as it
// was, and the result is false. Content that does not start as gzip data is copied as it is, as every
// reader of the passport takes it; empty content gives an empty file. Throws Error when the file
// cannot be written.
bool writeAttachmentFile(std::string_view content, const std::string &fileName);

// Appends bytes to fileName (UTF-8), creating it when it does not exist. Throws Error on failure.
void appendToFile(const std::string &fileName, std::string_view bytes);

} // namespace tarvena
