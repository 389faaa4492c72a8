#include "xml/xml_document.h"

#include <libxml/hash.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

namespace veltaro {
namespace {

void IgnoreStructuredError(void*, xmlErrorPtr) {}
void IgnoreGenericError(void*, const char*, ...) {}

// libxml2 prints its diagnostics to stderr unless told otherwise; a failed load is reported by
// its result alone. The handlers are per thread in libxml2, and the previous ones come back.
class SilentLibxml2Errors {
public:
    SilentLibxml2Errors()
        : structured_(xmlStructuredError),
          structuredContext_(xmlStructuredErrorContext),
          generic_(xmlGenericError),
          genericContext_(xmlGenericErrorContext) {
        xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
    }
    ~SilentLibxml2Errors() {
        xmlSetStructuredErrorFunc(structuredContext_, structured_);
        xmlSetGenericErrorFunc(genericContext_, generic_);
    }
    SilentLibxml2Errors(const SilentLibxml2Errors&) = delete;
    SilentLibxml2Errors& operator=(const SilentLibxml2Errors&) = delete;

private:
    xmlStructuredErrorFunc structured_;
    void* structuredContext_;
    xmlGenericErrorFunc generic_;
    void* genericContext_;
};

bool HasEntries(void* hashTable) {
    return hashTable != nullptr && xmlHashSize(static_cast<xmlHashTablePtr>(hashTable)) > 0;
}

bool DeclaresEntities(const xmlDoc& document) {
    const xmlDtd* internalSubset = document.intSubset;
    return internalSubset != nullptr &&
           (HasEntries(internalSubset->entities) || HasEntries(internalSubset->pentities));
}

}  // namespace

void XmlDocumentDeleter::operator()(xmlDoc* document) const {
    xmlFreeDoc(document);
}

XmlDocumentPtr ParseXmlDocument(std::string_view bytes, XmlTextEncoding encoding) {
    if (bytes.size() > kMaxXmlDocumentBytes) {
        return nullptr;
    }
    xmlInitParser();
    SilentLibxml2Errors silence;
    // Blank text between elements is dropped, as the program never reads it; that also lets the
    // serialiser indent the saved file.
    int options = XML_PARSE_NONET | XML_PARSE_NOBLANKS;
    const char* forcedEncoding = nullptr;
    if (encoding == XmlTextEncoding::Utf8) {
        forcedEncoding = "UTF-8";
        options |= XML_PARSE_IGNORE_ENC;
    }
    XmlDocumentPtr document(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                          forcedEncoding, options));
    if (document && DeclaresEntities(*document)) {
        document.reset();
    }
    return document;
}

std::optional<std::string> SerializeXmlDocument(xmlDoc& document) {
    SilentLibxml2Errors silence;
    xmlChar* text = nullptr;
    int length = 0;
    xmlDocDumpFormatMemoryEnc(&document, &text, &length, "UTF-8", 1);
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    xmlFree(text);
    return result;
}

}  // namespace veltaro
