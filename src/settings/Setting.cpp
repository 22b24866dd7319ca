#include "settings/Setting.h"

#include "settings/FileReplace.h"
#include "settings/XmlReader.h"
#include "settings/XmlWriter.h"

namespace {

const char kSectionAttr[] = "section";
const char kEntryName[] = "add";
const char kKeyAttr[] = "key";
const char kValueAttr[] = "value";

XmlDocument LoadDocument(const std::string& fileName, const std::string& shownName) {
    std::string bytes;
    switch (settingsfile::ReadWholeFile(fileName, bytes)) {
        case settingsfile::ReadResult::Missing: {
            XmlDocument doc;
            doc.AddDeclaration({"1.0", "Shift-JIS", false});
            return doc;
        }
        case settingsfile::ReadResult::Failed:
            throw SettingError("Cannot open file " + shownName);
        case settingsfile::ReadResult::Ok:
            break;
    }
    try {
        return ReadXmlDocument(bytes);
    } catch (const XmlError& error) {
        throw SettingError(error.what());
    }
}

}  // namespace

TSetting::TSetting(Key) {}

TSetting::~TSetting() = default;

std::unique_ptr<TSetting> TSetting::Create(const std::string& fileName, const std::string& shownName) {
    auto setting = std::make_unique<TSetting>(Key{});
    setting->FileName = fileName;
    setting->ShownName = shownName.empty() ? fileName : shownName;
    setting->Xml = std::make_unique<XmlDocument>(LoadDocument(fileName, setting->ShownName));
    // A file without a root element (an empty one, say) reads as an empty
    // store and gets a fresh root, so that what Save writes reads back.
    if (!setting->Xml->root) setting->Xml->root = std::make_unique<XmlElement>(setting->RootName);
    return setting;
}

void TSetting::Save() {
    if (!Xml->HasDeclaration()) Xml->AddDeclaration({"1.0", "iso-8859-1", false});
    const bool existed = settingsfile::FileExists(FileName);
    if (!settingsfile::WriteWholeFile(FileName, WriteXmlDocument(*Xml)))
        throw SettingError((existed ? "Cannot open file " : "Cannot create file ") + ShownName);
}

std::string TSetting::GetValue(const std::string& key, const std::string& def) const {
    return GetSectionValue(Section, key, def);
}

std::string TSetting::GetValue(const std::string& key) const {
    return GetSectionValue(Section, key, "");
}

bool TSetting::SetValue(const std::string& key, const std::string& value) {
    return SetSectionValue(Section, key, value);
}

std::string TSetting::GetSectionValue(const std::string& section, const std::string& key,
                                      const std::string& def) const {
    const XmlElement* entry = FindEntry(FindSection(section), key);
    const XmlAttribute* value = entry ? entry->FindAttribute(kValueAttr) : nullptr;
    return value ? value->value : def;
}

// Entries move to the end on every write, so the file shows the order of the latest writes.
bool TSetting::SetSectionValue(const std::string& section, const std::string& key, const std::string& value) {
    XmlElement* sectionElement = FindSection(section);
    if (!sectionElement) {
        sectionElement = &Xml->root->AppendElement(SettingsName);
        if (!section.empty()) sectionElement->AddAttribute(kSectionAttr, section);
    }
    sectionElement->RemoveChild(FindEntry(sectionElement, key));
    XmlElement& entry = sectionElement->AppendElement(kEntryName);
    entry.AddAttribute(kKeyAttr, key);
    entry.AddAttribute(kValueAttr, value);
    return true;
}

XmlElement* TSetting::FindElement(XmlElement* parent, const std::string& elementName,
                                  const std::string& attrValue, const std::string& attrName) const {
    if (!parent) return nullptr;
    for (XmlNode& child : parent->children) {
        if (child.kind != XmlNodeKind::Element || child.element->name != elementName) continue;
        const XmlAttribute* attr = child.element->FindAttribute(attrName);
        if (attr ? attr->value == attrValue : attrValue.empty()) return child.element.get();
    }
    return nullptr;
}

XmlElement* TSetting::FindSection(const std::string& section) const {
    return FindElement(Xml->root.get(), SettingsName, section, kSectionAttr);
}

XmlElement* TSetting::FindEntry(XmlElement* sectionElement, const std::string& key) const {
    return FindElement(sectionElement, kEntryName, key, kKeyAttr);
}
