// A read position in a document's bytes that never moves past the end.
#pragma once
#include <optional>
#include <string_view>

#include "settings/XmlEscape.h"

class XmlCursor {
public:
    explicit XmlCursor(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The current byte, or '\0' at the end.
    char Peek(size_t ahead = 0) const { return pos_ + ahead < bytes_.size() ? bytes_[pos_ + ahead] : '\0'; }
    bool StartsWith(std::string_view text) const { return bytes_.substr(pos_).starts_with(text); }
    void Skip(size_t count) { pos_ = count < bytes_.size() - pos_ ? pos_ + count : bytes_.size(); }
    void SkipSpaces() {
        while (!AtEnd() && IsXmlSpace(bytes_[pos_])) ++pos_;
    }

    // The bytes from here up to, not including, the first occurrence of
    // terminator; the cursor moves past the terminator. Nothing when it is missing.
    std::optional<std::string_view> ReadUntil(std::string_view terminator) {
        const size_t end = bytes_.find(terminator, pos_);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view text = bytes_.substr(pos_, end - pos_);
        pos_ = end + terminator.size();
        return text;
    }

    // The longest run of bytes from here for which accept(byte) holds.
    template <typename Predicate>
    std::string_view ReadWhile(Predicate accept) {
        const size_t start = pos_;
        while (!AtEnd() && accept(bytes_[pos_])) ++pos_;
        return bytes_.substr(start, pos_ - start);
    }

    size_t Position() const { return pos_; }
    std::string_view Slice(size_t from) const { return bytes_.substr(from, pos_ - from); }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};
