// Reading the settings file and replacing it as a whole.
#pragma once
#include <cstdio>
#include <string>

namespace settingsfile {

enum class ReadResult { Ok, Missing, Failed };

// Reads the whole file; Missing when no file of that name exists.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes);

// Writes bytes to a temporary file beside path and moves it over path, so that
// the file holds either its old or its new content, never a mixture. Where the
// folder refuses the temporary file but path itself can be written (a copy an
// administrator placed in a folder the user may not change), path is written
// over in place instead: room for the new content is taken first, and a write
// that fails puts the old content back. False when anything fails; path is
// then unchanged and the temporary file is gone, unless the file could not
// even be written back (the disk failed).
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Platform parts. Paths are UTF-8; Windows opens them through the wide
// functions, so a folder of any name works.
std::FILE* OpenFile(const std::string& path, const char* mode);
bool RemoveFile(const std::string& path);
bool FileExists(const std::string& path);
bool FlushToDisk(std::FILE* file);
bool MoveOver(const std::string& from, const std::string& to);
// Sets the length of the file (flushed, unbuffered), cutting or extending it.
bool SetFileSize(std::FILE* file, std::size_t size);
// Makes the file at least size bytes long with the disk space for them taken,
// keeping what it holds; false when the disk cannot give the room.
bool ReserveFileSize(std::FILE* file, std::size_t size);

}  // namespace settingsfile
