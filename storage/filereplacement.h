#pragma once
// FileReplacement: the new content of a file is written to a temporary file beside it and takes the
// file's place in one step, so the old content survives any failure on the way.
#include <cstdio>
#include <memory>
#include <string>

namespace tarvena {

class FileReplacement
{
public:
    // Prepares to replace path. A symbolic link is followed to the file it names, which is replaced in
    // its own folder (the link stays a link). Refuses, with Error in the program's words, a target that
    // is a folder, not a regular file (a pipe, a device) or read-only. The temporary file is created
    // exclusively under a short unique name, never through a link.
    explicit FileReplacement(const std::string &path);
    // Removes the temporary file unless commit() succeeded.
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    std::FILE *file() const { return mFile; }
    // The file that commit() replaces (path with its links followed).
    const std::string &targetPath() const { return mTarget; }
    const std::string &temporaryPath() const { return mTemporary; }

    // Flushes the content to the medium, gives it the old file's permissions (and owner and group where
    // the process may), renames it over the target and syncs the folder. Throws Error on failure; the
    // target is then unchanged.
    void commit();

private:
    void discard();

    std::string mTarget;
    std::string mTemporary;
    std::FILE *mFile = nullptr;
    bool mHadTarget = false;
    unsigned mMode = 0;
    long long mOwner = -1;
    long long mGroup = -1;
};

} // namespace tarvena
