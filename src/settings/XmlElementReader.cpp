// Reads elements with their attributes and content.
#include <algorithm>

#include "settings/XmlMarkupReader.h"

namespace {

const std::string kElementError = "Invalid XML Element: ";
// Settings files are shallow; the limit keeps hostile files from exhausting the stack.
constexpr int kMaxDepth = 256;

// Bytes of an element name as it stands in the file, entity references included.
bool IsRawNameByte(char c) {
    return IsAsciiAlnum(c) || static_cast<unsigned char>(c) >= 0x80 ||
           std::string_view(".-_:&#;").find(c) != std::string_view::npos;
}

// Bytes a name may hold once decoded: the writer escapes the markup characters,
// everything else must stand as it is.
bool IsDecodedNameByte(char c) {
    return IsRawNameByte(c) || std::string_view("\"'<>").find(c) != std::string_view::npos;
}

std::string ReadName(XmlCursor& cursor) {
    const std::string_view raw = cursor.ReadWhile(IsRawNameByte);
    if (raw.empty()) throw XmlError(kElementError + "malformed tag found (no valid name)");
    std::string name = XmlDecode(raw);
    if (!std::all_of(name.begin(), name.end(), IsDecodedNameByte))
        throw XmlError(kElementError + "invalid character in the name <" + std::string(raw) + ">");
    return name;
}

class ElementReader {
public:
    explicit ElementReader(XmlCursor& cursor) : cursor_(cursor) {}

    std::unique_ptr<XmlElement> Read(int depth) {
        if (depth > kMaxDepth) throw XmlError(kElementError + "elements nested too deeply");
        cursor_.Skip(1);  // '<'
        auto element = std::make_unique<XmlElement>(ReadName(cursor_));
        if (ReadAttributes(*element)) return element;
        ReadContent(*element, depth);
        TrimMixedText(*element);
        return element;
    }

private:
    // Reads up to the end of the start tag; true when it was an empty-element tag.
    bool ReadAttributes(XmlElement& element) {
        const std::string where = kElementError + "tag <" + element.name + ">";
        for (;;) {
            cursor_.SkipSpaces();
            if (cursor_.AtEnd()) throw XmlError(where + " is not closed");
            if (cursor_.StartsWith("/>")) {
                cursor_.Skip(2);
                return true;
            }
            if (cursor_.Peek() == '>') {
                cursor_.Skip(1);
                return false;
            }
            if (!IsXmlAttributeNameByte(cursor_.Peek()))
                throw XmlError(where + " holds an unexpected character");
            element.attributes.push_back(ReadXmlAttribute(cursor_, where));
        }
    }

    void ReadContent(XmlElement& element, int depth) {
        for (;;) {
            if (cursor_.AtEnd()) throw XmlError(kElementError + "missing end tag </" + element.name + ">");
            if (cursor_.StartsWith("</")) return ReadEndTag(element);
            if (cursor_.StartsWith("<!--")) {
                element.AppendNode(XmlNodeKind::Comment, ReadXmlComment(cursor_));
            } else if (cursor_.StartsWith("<![CDATA[")) {
                element.AppendNode(XmlNodeKind::CData, ReadCData());
            } else if (cursor_.StartsWith("<?") || cursor_.StartsWith("<!")) {
                throw XmlError(kElementError + "unexpected markup inside <" + element.name + ">");
            } else if (cursor_.Peek() == '<') {
                element.children.push_back({XmlNodeKind::Element, {}, Read(depth + 1)});
            } else {
                ReadText(element);
            }
        }
    }

    void ReadEndTag(const XmlElement& element) {
        cursor_.Skip(2);  // "</"
        const std::string name = ReadName(cursor_);
        cursor_.SkipSpaces();
        if (cursor_.Peek() != '>') throw XmlError(kElementError + "end tag </" + name + "> is not closed");
        cursor_.Skip(1);
        if (!SameTextAscii(name, element.name)) {
            throw XmlError(kElementError + "Erroneous end of tag, expecting </" + element.name + "> but </" +
                           name + "> found");
        }
    }

    std::string ReadCData() {
        cursor_.Skip(9);  // "<![CDATA["
        const auto text = cursor_.ReadUntil("]]>");
        if (!text) throw XmlError(kElementError + "CDATA section is not closed by \"]]>\"");
        return std::string(*text);
    }

    // Text that is only white space separates elements and is dropped.
    void ReadText(XmlElement& element) {
        std::string text = XmlDecode(cursor_.ReadWhile([](char c) { return c != '<'; }));
        if (!TrimXmlSpace(text).empty()) element.AppendNode(XmlNodeKind::Text, std::move(text));
    }

    // Text beside other content is written on lines of its own, so the line
    // breaks and indentation around it are not part of it. Text that is the
    // element's only content is its value and stays as it is.
    static void TrimMixedText(XmlElement& element) {
        if (element.HasOnlyText()) return;
        for (XmlNode& node : element.children) {
            if (node.kind == XmlNodeKind::Text) node.text = std::string(TrimXmlSpace(node.text));
        }
    }

    XmlCursor& cursor_;
};

}  // namespace

std::string ReadXmlComment(XmlCursor& cursor) {
    cursor.Skip(4);  // "<!--"
    const auto text = cursor.ReadUntil("-->");
    if (!text) throw XmlError("Invalid XML: comment is not closed by \"-->\"");
    return std::string(*text);
}

bool IsXmlAttributeNameByte(char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '_' || c == ':';
}

XmlAttribute ReadXmlAttribute(XmlCursor& cursor, const std::string& where) {
    XmlAttribute attr;
    attr.name = std::string(cursor.ReadWhile(IsXmlAttributeNameByte));
    cursor.SkipSpaces();
    if (cursor.Peek() != '=') throw XmlError(where + ": attribute " + attr.name + " has no value");
    cursor.Skip(1);
    cursor.SkipSpaces();
    const char quote = cursor.Peek();
    if (quote != '"' && quote != '\'')
        throw XmlError(where + ": value of attribute " + attr.name + " is not quoted");
    cursor.Skip(1);
    const auto value = cursor.ReadUntil(std::string_view(&quote, 1));
    if (!value) throw XmlError(where + ": value of attribute " + attr.name + " is not closed");
    attr.value = XmlDecode(*value);
    return attr;
}

std::unique_ptr<XmlElement> ReadXmlElement(XmlCursor& cursor) {
    return ElementReader(cursor).Read(1);
}
