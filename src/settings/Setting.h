// The program's key/value store: one XML file, read once at creation, changed
// in memory and written back as a whole by Save. All strings are bytes of the
// ANSI code page; nothing is converted.
#pragma once
#include <memory>
#include <stdexcept>
#include <string>

#include "settings/XmlNode.h"

class SettingError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TSetting {
    struct Key {
        explicit Key() = default;
    };

public:
    // Reads the file when it exists; a missing file gives an empty store.
    // Throws SettingError when the file cannot be read or is not well formed.
    // fileName as the file functions take it (UTF-8 on Windows); shownName
    // as error messages name the file (empty: fileName).
    static std::unique_ptr<TSetting> Create(const std::string& fileName, const std::string& shownName = "");
    explicit TSetting(Key);
    ~TSetting();  // frees the document; never saves
    TSetting(const TSetting&) = delete;
    TSetting& operator=(const TSetting&) = delete;

    // Replaces the file with the whole document; throws SettingError and leaves
    // the file as it was when that fails.
    void Save();

    std::string GetValue(const std::string& key, const std::string& def) const;
    std::string GetValue(const std::string& key) const;
    bool SetValue(const std::string& key, const std::string& value);
    std::string GetSectionValue(const std::string& section, const std::string& key,
                                const std::string& def) const;
    bool SetSectionValue(const std::string& section, const std::string& key, const std::string& value);

    // The first child of parent named elementName whose attribute attrName holds
    // attrValue; an element without that attribute matches an empty attrValue.
    XmlElement* FindElement(XmlElement* parent, const std::string& elementName, const std::string& attrValue,
                            const std::string& attrName) const;

    std::string FileName;
    std::string ShownName;
    std::string RootName = "configuration";
    std::string SettingsName = "appSettings";
    std::string Section;

private:
    XmlElement* FindSection(const std::string& section) const;
    XmlElement* FindEntry(XmlElement* sectionElement, const std::string& key) const;

    std::unique_ptr<XmlDocument> Xml;
};
