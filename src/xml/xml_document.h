#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// libxml2's own declaration, so that callers of the tree need no libxml2 header.
typedef struct _xmlDoc xmlDoc;

namespace veltaro {

struct XmlDocumentDeleter {
    void operator()(xmlDoc* document) const;
};
using XmlDocumentPtr = std::unique_ptr<xmlDoc, XmlDocumentDeleter>;

// The largest document accepted. A real data file stays far below it: the editor allows 500 date
// plans, and messages of any length make that a few megabytes at most. The cap keeps a hostile or
// runaway file from tying up memory for the whole run. A file over it is not damaged, only not
// read: it is left as it is.
inline constexpr std::size_t kMaxXmlDocumentBytes = 16 * 1024 * 1024;

enum class XmlTextEncoding {
    Declared,  // a file's bytes: the BOM or the XML declaration names the encoding
    Utf8,      // the program's own text: UTF-8 whatever a declaration inside says
};

// Parses a whole document without network access, DTD loading or entity substitution, and
// without libxml2 printing anything. Null when the bytes are larger than kMaxXmlDocumentBytes, not
// well-formed, in an encoding that can't be read, or declare entities: the program's files never
// do, and declared entities are how expansion bombs and external-file references get in.
XmlDocumentPtr ParseXmlDocument(std::string_view bytes, XmlTextEncoding encoding);

// The whole document as indented UTF-8 with an XML declaration; empty when libxml2 fails.
std::optional<std::string> SerializeXmlDocument(xmlDoc& document);

}  // namespace veltaro
