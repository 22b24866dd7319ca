#include "settings/XmlWriter.h"

#include "settings/XmlEscape.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class XmlWriter {
public:
    std::string Write(const XmlDocument& doc) {
        for (const XmlPrologItem& item : doc.prolog) WriteProlog(item, doc.declaration);
        if (doc.root) WriteElement(*doc.root, 0);
        for (const std::string& comment : doc.trailingComments) Line(0, "<!--" + comment + "-->");
        return std::move(out_);
    }

private:
    void Line(int level, std::string_view text) {
        out_.append(static_cast<size_t>(level) * 2, ' ');
        out_ += text;
        out_ += kLineEnd;
    }

    void WriteProlog(const XmlPrologItem& item, const XmlDeclaration& decl) {
        switch (item.kind) {
            case XmlPrologKind::Declaration: return Line(0, Declaration(decl));
            case XmlPrologKind::Comment: return Line(0, "<!--" + item.text + "-->");
            case XmlPrologKind::StyleSheet:
            case XmlPrologKind::DocType: return Line(0, item.text);
        }
    }

    static std::string Declaration(const XmlDeclaration& decl) {
        std::string text = "<?xml version=\"" + XmlEscape(decl.version) + "\"";
        if (!decl.encoding.empty()) text += " encoding=\"" + XmlEscape(decl.encoding) + "\"";
        if (decl.standalone) text += " standalone=\"yes\"";
        return text + "?>";
    }

    static std::string StartTag(const XmlElement& element) {
        std::string tag = "<" + XmlEscape(element.name);
        for (const XmlAttribute& attr : element.attributes) tag += " " + attr.name + "=\"" + XmlEscape(attr.value) + "\"";
        return tag;
    }

    void WriteElement(const XmlElement& element, int level) {
        const std::string start = StartTag(element);
        const std::string end = "</" + XmlEscape(element.name) + ">";
        if (element.children.empty()) return Line(level, start + "/>");
        if (element.HasOnlyText()) return Line(level, start + ">" + XmlEscape(element.children[0].text) + end);
        Line(level, start + ">");
        for (const XmlNode& child : element.children) WriteChild(child, level + 1);
        Line(level, end);
    }

    void WriteChild(const XmlNode& node, int level) {
        switch (node.kind) {
            case XmlNodeKind::Element: return WriteElement(*node.element, level);
            case XmlNodeKind::Text: return Line(level, XmlEscape(node.text));
            case XmlNodeKind::Comment: return Line(level, "<!--" + node.text + "-->");
            case XmlNodeKind::CData: return Line(level, "<![CDATA[" + node.text + "]]>");
        }
    }

    std::string out_;
};

}  // namespace

std::string WriteXmlDocument(const XmlDocument& doc) { return XmlWriter().Write(doc); }
