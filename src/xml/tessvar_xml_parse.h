#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml/xml_document.h"

// libxml2's own declaration, so that callers of the tree need no libxml2 header.
typedef struct _xmlNode xmlNode;

namespace veltaro {

// The result codes of RemoveChild: success, and the COM E_FAIL value the callers compare with.
inline constexpr std::int32_t kXmlOk = 0;
inline constexpr std::int32_t kXmlFail = static_cast<std::int32_t>(0x80004005u);

// One element of a loaded XML data file. A node owns one node per child element, in document
// order; text, comments and processing instructions get no node. The node that was loaded (the
// root) also owns the document in which every element of its tree lives.
//
// Element and attribute names are compared ignoring ASCII case. Text is UTF-8. A load replaces
// the whole tree: every node handed out before it is destroyed. Changes stay in memory until Save.
// Operations that change an empty node (one that was never loaded) fail.
class CTessvarXmlParse {
public:
    CTessvarXmlParse();
    ~CTessvarXmlParse();
    CTessvarXmlParse(const CTessvarXmlParse&) = delete;
    CTessvarXmlParse& operator=(const CTessvarXmlParse&) = delete;

    // Parse a file (its declaration or BOM names the encoding; at most kMaxXmlDocumentBytes) or
    // UTF-8 text held in memory, and rebuild this node as its document element. On failure the node
    // keeps its children and element but no longer holds a document, so Save fails until a load
    // succeeds.
    bool LoadFile(const std::string& path);
    bool LoadXml(std::string_view text);
    // The same on the bytes of a file already read, whose declaration or BOM names the encoding.
    bool LoadFileBytes(std::string_view bytes);
    // Writes the whole document, with every change made through any node of the tree, as UTF-8
    // with an XML declaration, replacing the file atomically. False on a node holding no document,
    // and when the file at `path` is one a load could not read (no permission, over the size cap,
    // not a regular file): it may hold what the tree was never given, so it is never replaced.
    bool Save(const std::string& path) const;

    int GetChildCount() const;
    // The child at `index`; the node itself when the index is out of range.
    CTessvarXmlParse& GetChildAt(int index);
    const CTessvarXmlParse& GetChildAt(int index) const;
    // The first child of that name; the node itself when there is none, so a chain of lookups
    // skips a missing level.
    CTessvarXmlParse& GetChild(std::string_view name);
    const CTessvarXmlParse& GetChild(std::string_view name) const;
    // The first child of that name, or null.
    CTessvarXmlParse* FindChild(std::string_view name);
    const CTessvarXmlParse* FindChild(std::string_view name) const;

    // Appends a new element; its index, or -1 when the node is empty or the name is no XML name.
    int AddChild(std::string_view name);
    // Removes one of this node's own children and destroys it; later children move down one index.
    // kXmlFail for null, for a node that is not a child of this one, or on an empty node.
    std::int32_t RemoveChild(const CTessvarXmlParse* child);

    // The tag name; "" for an empty node.
    std::string GetName() const;
    // The element's first text child; "" when there is none.
    std::string GetText() const;
    // Replaces the first text child, or, when there is none, makes the value the element's text
    // content (child elements stay). False on an empty node or for text XML can't hold.
    bool SetText(std::string_view value);
    // "" when the attribute is absent.
    std::string GetAttribute(std::string_view name) const;
    // The value's leading decimal integer (see ParseLeadingDecimal); `defaultValue` when the
    // attribute is absent or empty.
    int GetAttributeInt(std::string_view name, int defaultValue) const;
    // Creates or replaces the attribute (an existing one of that name in another case is replaced).
    // False on an empty node, for a name that is no XML name or for a value XML can't hold.
    bool SetAttribute(std::string_view name, std::string_view value);
    bool SetAttributeInt(std::string_view name, int value);

private:
    explicit CTessvarXmlParse(xmlNode* element);

    void AppendChildNodesOf(xmlNode& element);
    bool LoadDocument(XmlDocumentPtr document);
    void GiveUpDocument();
    int IndexOfChild(std::string_view name) const;

    // Declared before the element and the children so that they are destroyed after them: every
    // element of the tree lives in one of these documents.
    XmlDocumentPtr document_;
    // The document a failed load took away: never saved again, but the element and children that
    // the failed load kept still live in it.
    XmlDocumentPtr abandonedDocument_;
    xmlNode* element_ = nullptr;
    std::vector<std::unique_ptr<CTessvarXmlParse>> children_;
};

}  // namespace veltaro
