// Pieces of markup shared by the prolog and the element reader.
#pragma once
#include <memory>
#include <string>

#include "settings/XmlCursor.h"
#include "settings/XmlNode.h"

// At "<!--": the comment's content; the cursor moves past "-->".
std::string ReadXmlComment(XmlCursor& cursor);

bool IsXmlAttributeNameByte(char c);

// At an attribute name: name="value" or name='value', the value decoded and
// otherwise taken literally. 'where' starts each error message.
XmlAttribute ReadXmlAttribute(XmlCursor& cursor, const std::string& where);

// At "<" followed by a name: the element with everything up to its end tag.
std::unique_ptr<XmlElement> ReadXmlElement(XmlCursor& cursor);
