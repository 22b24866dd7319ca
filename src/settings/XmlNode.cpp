#include "settings/XmlNode.h"

#include <algorithm>

#include "settings/XmlEscape.h"

std::string_view XmlElement::Prefix() const {
    const size_t colon = name.find(':');
    return colon == std::string::npos ? std::string_view() : std::string_view(name).substr(0, colon);
}

std::string_view XmlElement::LocalName() const {
    const size_t colon = name.find(':');
    return colon == std::string::npos ? std::string_view(name) : std::string_view(name).substr(colon + 1);
}

const XmlAttribute* XmlElement::FindAttribute(std::string_view attrName) const {
    for (const XmlAttribute& attr : attributes) {
        if (SameTextAscii(attr.name, attrName)) return &attr;
    }
    return nullptr;
}

void XmlElement::AddAttribute(std::string attrName, std::string value) {
    attributes.push_back({std::move(attrName), std::move(value)});
}

XmlElement& XmlElement::AppendElement(std::string elementName) {
    XmlNode node{XmlNodeKind::Element, {}, std::make_unique<XmlElement>(std::move(elementName))};
    children.push_back(std::move(node));
    return *children.back().element;
}

void XmlElement::AppendNode(XmlNodeKind kind, std::string text) {
    children.push_back({kind, std::move(text), nullptr});
}

void XmlElement::RemoveChild(const XmlElement* child) {
    if (child == nullptr) return;
    const auto found = std::find_if(children.begin(), children.end(),
                                    [child](const XmlNode& node) { return node.element.get() == child; });
    if (found != children.end()) children.erase(found);
}

bool XmlElement::HasOnlyText() const {
    return children.size() == 1 && children[0].kind == XmlNodeKind::Text;
}

bool XmlDocument::HasDeclaration() const {
    return std::any_of(prolog.begin(), prolog.end(),
                       [](const XmlPrologItem& item) { return item.kind == XmlPrologKind::Declaration; });
}

void XmlDocument::AddDeclaration(XmlDeclaration decl) {
    declaration = std::move(decl);
    prolog.push_back({XmlPrologKind::Declaration, {}});
}
