// One parsed request line of the helper protocol (see HelperProtocol.h).
#pragma once
#include <windows.h>

#include <map>
#include <stdexcept>
#include <string>

#include "HelperProtocol.h"

namespace helper {

struct Request {
    std::string verb;
    std::map<std::string, std::string> args;  // decoded values

    static Request Parse(const std::string& line);

    bool Has(const std::string& key) const { return args.count(key) != 0; }
    std::string Get(const std::string& key, const std::string& fallback = "") const;
    long long Number(const std::string& key, long long fallback) const;
    // The handle under key; throws when it is missing or names no window.
    HWND Window(const std::string& key) const;
};

// A request the helper cannot carry out; its text becomes the "err" reply.
struct RequestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace helper
