// The stand-ins for the hook library that the build makes beside the tests.
#pragma once
#include <string>

namespace e2e {

// A file of the build as Wine names it (the host file system is drive Z:).
inline std::string BuildFile(const char* hostPath) {
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// StartHook reports failure.
inline std::string StartFailsLibrary() {
    return BuildFile(FAKE_START_FAILS_PATH);
}
// No StartHook: the program runs without notifications, so a test alone
// decides which ones arrive.
inline std::string SilentLibrary() {
    return BuildFile(FAKE_NO_START_PATH);
}

}  // namespace e2e
