// In-memory XML document of the settings file. All text is kept as raw bytes of
// the ANSI code page; entity references are already decoded.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A syntax error found while reading a document.
class XmlError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct XmlAttribute {
    std::string name;  // as written, a name-space prefix included ("xml:lang")
    std::string value;
};

struct XmlElement;

enum class XmlNodeKind { Element, Text, Comment, CData };

// One child of an element: an element, or a piece of text, comment or CDATA.
struct XmlNode {
    XmlNodeKind kind = XmlNodeKind::Text;
    std::string text;                     // content of text, comment and CDATA nodes
    std::unique_ptr<XmlElement> element;  // set for element nodes
};

struct XmlElement {
    std::string name;  // as written, a name-space prefix included
    std::vector<XmlAttribute> attributes;
    std::vector<XmlNode> children;

    explicit XmlElement(std::string elementName) : name(std::move(elementName)) {}

    std::string_view Prefix() const;     // the part before ':', empty without one
    std::string_view LocalName() const;  // the part after ':', the whole name without one

    // Attribute names are matched without regard to ASCII letter case.
    const XmlAttribute* FindAttribute(std::string_view attrName) const;
    void AddAttribute(std::string attrName, std::string value);

    XmlElement& AppendElement(std::string elementName);
    void AppendNode(XmlNodeKind kind, std::string text);
    void RemoveChild(const XmlElement* child);

    // True when the only content is one piece of text: it is then the element's value.
    bool HasOnlyText() const;
};

enum class XmlPrologKind { Declaration, Comment, StyleSheet, DocType };

// Comment items hold the comment's content; style-sheet instructions and
// document-type declarations hold their complete markup. The declaration's
// fields live in XmlDocument::declaration.
struct XmlPrologItem {
    XmlPrologKind kind;
    std::string text;
};

struct XmlDeclaration {
    std::string version = "1.0";
    std::string encoding;  // omitted from the file when empty
    bool standalone = false;
};

struct XmlDocument {
    std::vector<XmlPrologItem> prolog;
    XmlDeclaration declaration;  // meaningful once the prolog holds a declaration item
    std::unique_ptr<XmlElement> root;
    std::vector<std::string> trailingComments;  // comments after the root element

    bool HasDeclaration() const;
    // Adds a declaration after the items already in the prolog.
    void AddDeclaration(XmlDeclaration decl);
};
