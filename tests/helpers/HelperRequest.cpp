#include "HelperRequest.h"

#include <cstdlib>
#include <sstream>

namespace helper {

Request Request::Parse(const std::string& line) {
    Request request;
    std::istringstream words(line);
    words >> request.verb;
    std::string word;
    while (words >> word) {
        size_t eq = word.find('=');
        if (eq == std::string::npos) throw RequestError("argument without '=': " + word);
        request.args[word.substr(0, eq)] = DecodeValue(word.substr(eq + 1));
    }
    return request;
}

std::string Request::Get(const std::string& key, const std::string& fallback) const {
    auto it = args.find(key);
    return it == args.end() ? fallback : it->second;
}

long long Request::Number(const std::string& key, long long fallback) const {
    auto it = args.find(key);
    return it == args.end() ? fallback : std::strtoll(it->second.c_str(), nullptr, 0);
}

HWND Request::Window(const std::string& key) const {
    if (!Has(key)) throw RequestError("missing " + key + "=");
    HWND wnd = ParseHandle(Get(key));
    if (!IsWindow(wnd)) throw RequestError(key + "= is not a window");
    return wnd;
}

}  // namespace helper
