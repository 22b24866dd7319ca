// Feeds arbitrary bytes to the reader of the stored rule list. Whatever it
// reads must write out and read back to the very same rules, and writing those
// again must give the very same text. The first byte chooses the code page:
// odd for Shift-JIS, even for a single-byte one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "prefs/Preferences.h"
#include "rules/RegistWindowsText.h"

namespace {

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_regist_text: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const LeadByteTest isLeadByte = data[0] % 2 == 1 ? IsShiftJisLeadByte : NoLeadBytes;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<StoredRule> rules;
    try {
        rules = ReadRegistWindows(text, isLeadByte);
    } catch (const ConvertError&) {
        return 0;  // a truth value that is no truth value: rejecting it is all that is asked
    }
    const std::string written = WriteRegistWindows(rules, isLeadByte);
    if (SplitLines(written).size() != rules.size()) Fail("not one line per rule");

    std::vector<StoredRule> again;
    try {
        again = ReadRegistWindows(written, isLeadByte);
    } catch (const ConvertError&) {
        Fail("written text does not read back");
    }
    if (again != rules) Fail("rules changed on the way");
    if (WriteRegistWindows(again, isLeadByte) != written) Fail("writing the rules again changed the text");
    return 0;
}
