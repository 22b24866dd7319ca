// Writes a document in the settings file's layout: CR LF after every line,
// two spaces of indentation per level, values escaped byte by byte.
#pragma once
#include <string>

#include "settings/XmlNode.h"

std::string WriteXmlDocument(const XmlDocument& doc);
