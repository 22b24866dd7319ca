// Reads the prolog, the root element and what may follow it.
#include "settings/XmlReader.h"

#include "settings/XmlMarkupReader.h"

namespace {

const std::string kDocumentError = "Invalid Document: ";

// White space and the bytes of byte-order marks are skipped before the root.
bool IsPrologFiller(char c) {
    switch (static_cast<unsigned char>(c)) {
        case 0x00:
        case 0xBB:
        case 0xBF:
        case 0xEF:
        case 0xFE:
        case 0xFF:
            return true;
        default:
            return IsXmlSpace(c);
    }
}

// "<?target" followed by white space or the instruction's end.
bool AtInstruction(const XmlCursor& cursor, std::string_view target) {
    if (!cursor.StartsWith(target)) return false;
    const char next = cursor.Peek(target.size());
    return IsXmlSpace(next) || next == '?';
}

void ReadDeclaration(XmlCursor& cursor, XmlDocument& doc) {
    if (doc.HasDeclaration()) throw XmlError(kDocumentError + "more than one XML declaration");
    const std::string where = kDocumentError + "XML declaration";
    cursor.Skip(5);  // "<?xml"
    XmlDeclaration decl;
    for (cursor.SkipSpaces(); !cursor.StartsWith("?>"); cursor.SkipSpaces()) {
        if (!IsXmlAttributeNameByte(cursor.Peek())) throw XmlError(where + " is malformed or not closed");
        const XmlAttribute attr = ReadXmlAttribute(cursor, where);
        if (attr.name == "version") {
            decl.version = attr.value;
        } else if (attr.name == "encoding") {
            decl.encoding = attr.value;
        } else if (attr.name == "standalone") {
            decl.standalone = attr.value == "yes";
        }
    }
    cursor.Skip(2);
    doc.AddDeclaration(std::move(decl));
}

void ReadStyleSheet(XmlCursor& cursor, XmlDocument& doc) {
    const size_t start = cursor.Position();
    cursor.Skip(2);
    if (!cursor.ReadUntil("?>"))
        throw XmlError(kDocumentError + "style-sheet instruction is not closed by \"?>\"");
    doc.prolog.push_back({XmlPrologKind::StyleSheet, std::string(cursor.Slice(start))});
}

// The declaration is kept as written. Its end is the first '>' outside quoted
// literals, comments and the internal subset in brackets.
void ReadDocType(XmlCursor& cursor, XmlDocument& doc) {
    const size_t start = cursor.Position();
    cursor.Skip(9);  // "<!DOCTYPE"
    for (int brackets = 0;;) {
        if (cursor.AtEnd()) throw XmlError(kDocumentError + "DOCTYPE declaration is not closed");
        const char c = cursor.Peek();
        if (brackets > 0 && cursor.StartsWith("<!--")) {
            ReadXmlComment(cursor);
            continue;
        }
        cursor.Skip(1);
        if (c == '"' || c == '\'') {
            if (!cursor.ReadUntil(std::string_view(&c, 1)))
                throw XmlError(kDocumentError + "DOCTYPE declaration is not closed");
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']' && brackets > 0) {
            --brackets;
        } else if (c == '>' && brackets == 0) {
            break;
        }
    }
    doc.prolog.push_back({XmlPrologKind::DocType, std::string(cursor.Slice(start))});
}

// Reads the prolog up to the root element's '<'; false when the bytes end first.
bool ReadProlog(XmlCursor& cursor, XmlDocument& doc) {
    for (;;) {
        cursor.ReadWhile(IsPrologFiller);
        if (cursor.AtEnd()) return false;
        if (AtInstruction(cursor, "<?xml")) {
            ReadDeclaration(cursor, doc);
        } else if (AtInstruction(cursor, "<?xml-stylesheet")) {
            ReadStyleSheet(cursor, doc);
        } else if (cursor.StartsWith("<!--")) {
            doc.prolog.push_back({XmlPrologKind::Comment, ReadXmlComment(cursor)});
        } else if (cursor.StartsWith("<!DOCTYPE")) {
            ReadDocType(cursor, doc);
        } else if (cursor.Peek() == '<' && cursor.Peek(1) != '?' && cursor.Peek(1) != '!') {
            return true;
        } else {
            throw XmlError(kDocumentError + "Unexpected text in file prolog");
        }
    }
}

// Only white space and comments may follow the root element.
void ReadTrailer(XmlCursor& cursor, XmlDocument& doc) {
    for (cursor.SkipSpaces(); !cursor.AtEnd(); cursor.SkipSpaces()) {
        if (!cursor.StartsWith("<!--"))
            throw XmlError(kDocumentError + "Unexpected text after the root element");
        doc.trailingComments.push_back(ReadXmlComment(cursor));
    }
}

}  // namespace

XmlDocument ReadXmlDocument(std::string_view bytes) {
    XmlCursor cursor(bytes);
    XmlDocument doc;
    if (ReadProlog(cursor, doc)) {
        doc.root = ReadXmlElement(cursor);
        ReadTrailer(cursor, doc);
    }
    return doc;
}
