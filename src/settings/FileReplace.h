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
// administrator placed in a folder the user may not change), path is opened
// for writing, truncated and written instead. False when anything fails; path
// is then unchanged and the temporary file is gone, except after a failed
// write in place.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Platform parts.
bool FileExists(const std::string& path);
bool FlushToDisk(std::FILE* file);
bool MoveOver(const std::string& from, const std::string& to);

}  // namespace settingsfile
