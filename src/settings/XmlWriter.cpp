#include "settings/XmlWriter.h"

#include "settings/XmlEscape.h"

namespace {

class XmlWriter {
public:
    std::string Write(const XmlDocument& doc) {
        for (const XmlPrologItem& item : doc.prolog) WriteProlog(item, doc.declaration);
        if (doc.root) WriteElement(*doc.root, 0);
        for (const std::string& comment : doc.trailingComments) Line(0, {"<!--", comment, "-->"});
        return std::move(out_);
    }

private:
    // Writes one line: the indentation, the pieces and CR LF.
    void Line(int level, std::initializer_list<std::string_view> pieces) {
        out_.append(static_cast<size_t>(level) * 2, ' ');
        for (const std::string_view piece : pieces) out_ += piece;
        out_ += "\r\n";
    }

    void WriteProlog(const XmlPrologItem& item, const XmlDeclaration& decl) {
        switch (item.kind) {
            case XmlPrologKind::Declaration:
                return Line(0, {Declaration(decl)});
            case XmlPrologKind::Comment:
                return Line(0, {"<!--", item.text, "-->"});
            case XmlPrologKind::StyleSheet:
            case XmlPrologKind::DocType:
                return Line(0, {item.text});
        }
    }

    static std::string Declaration(const XmlDeclaration& decl) {
        std::string text = "<?xml version=\"";
        text += XmlEscape(decl.version);
        text += '"';
        if (!decl.encoding.empty()) {
            text += " encoding=\"";
            text += XmlEscape(decl.encoding);
            text += '"';
        }
        if (decl.standalone) text += " standalone=\"yes\"";
        text += "?>";
        return text;
    }

    // The start tag without its closing "/>" or ">".
    static std::string StartTag(const XmlElement& element) {
        std::string tag = "<";
        tag += XmlEscape(element.name);
        for (const XmlAttribute& attr : element.attributes) {
            tag += ' ';
            tag += attr.name;
            tag += "=\"";
            tag += XmlEscape(attr.value);
            tag += '"';
        }
        return tag;
    }

    void WriteElement(const XmlElement& element, int level) {
        const std::string start = StartTag(element);
        const std::string name = XmlEscape(element.name);
        if (element.children.empty()) return Line(level, {start, "/>"});
        if (element.HasOnlyText()) {
            return Line(level, {start, ">", XmlEscape(element.children[0].text), "</", name, ">"});
        }
        Line(level, {start, ">"});
        for (const XmlNode& child : element.children) WriteChild(child, level + 1);
        Line(level, {"</", name, ">"});
    }

    void WriteChild(const XmlNode& node, int level) {
        switch (node.kind) {
            case XmlNodeKind::Element:
                return WriteElement(*node.element, level);
            case XmlNodeKind::Text:
                return WriteLooseText(node.text, level);
            case XmlNodeKind::Comment:
                return Line(level, {"<!--", node.text, "-->"});
            case XmlNodeKind::CData:
                return Line(level, {"<![CDATA[", node.text, "]]>"});
        }
    }

    // Text beside other content stands on lines of its own, so the white space
    // at its ends is layout and is left out; the reader drops it the same way.
    void WriteLooseText(std::string_view text, int level) {
        const std::string_view trimmed = TrimXmlSpace(text);
        if (!trimmed.empty()) Line(level, {XmlEscape(trimmed)});
    }

    std::string out_;
};

}  // namespace

std::string WriteXmlDocument(const XmlDocument& doc) {
    return XmlWriter().Write(doc);
}
