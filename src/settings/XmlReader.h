// Builds a document from a settings file's bytes, without any code-page conversion.
#pragma once
#include <string_view>

#include "settings/XmlNode.h"

// Throws XmlError naming the fault when the bytes are not a well-formed
// document. A document without any root element is accepted: its root is null.
XmlDocument ReadXmlDocument(std::string_view bytes);
