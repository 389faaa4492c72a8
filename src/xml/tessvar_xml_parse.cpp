#include "xml/tessvar_xml_parse.h"

#include <libxml/tree.h>
#include <libxml/xmlmemory.h>

#include <algorithm>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "xml/xml_text.h"

namespace veltaro {
namespace {

// NUL-terminated copies: libxml2 takes C strings, and a string_view need not end in NUL.
std::string Terminated(std::string_view text) {
    return std::string(text);
}

const xmlChar* AsXml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

int XmlLength(std::string_view text) {
    return static_cast<int>(text.size());
}

std::string TakeXmlString(xmlChar* text) {
    if (text == nullptr) {
        return {};
    }
    std::string result(reinterpret_cast<const char*>(text));
    xmlFree(text);
    return result;
}

// prefix:local for a namespaced element or attribute, as the tag appears in the file.
template <class XmlItem>
std::string QualifiedName(const XmlItem& item) {
    std::string name = reinterpret_cast<const char*>(item.name);
    if (item.ns != nullptr && item.ns->prefix != nullptr) {
        name = reinterpret_cast<const char*>(item.ns->prefix) + (":" + name);
    }
    return name;
}

bool IsXmlName(std::string_view name) {
    return IsXmlCharacterData(name) && xmlValidateName(AsXml(Terminated(name)), 0) == 0;
}

xmlNode* FirstTextChild(const xmlNode& element) {
    for (xmlNode* item = element.children; item != nullptr; item = item->next) {
        if (item->type == XML_TEXT_NODE) {
            return item;
        }
    }
    return nullptr;
}

// Comments, processing instructions and CDATA sections go, so that new text becomes the element's
// whole text content; child elements stay, since nodes of the tree stand for them.
void RemoveNonElementContent(xmlNode& element) {
    xmlNode* item = element.children;
    while (item != nullptr) {
        xmlNode* next = item->next;
        if (item->type != XML_ELEMENT_NODE) {
            xmlUnlinkNode(item);
            xmlFreeNode(item);
        }
        item = next;
    }
}

xmlAttr* FindAttribute(const xmlNode& element, std::string_view name) {
    for (xmlAttr* attribute = element.properties; attribute != nullptr;
         attribute = attribute->next) {
        if (EqualsIgnoringAsciiCase(QualifiedName(*attribute), name)) {
            return attribute;
        }
    }
    return nullptr;
}

// Missing, or a file a load would read.
bool IsReplaceable(const std::string& path) {
    const OpenedRegularFile existing = OpenRegularFile(path);
    return existing.failure ? existing.failure->fault == FileFault::kMissing
                            : existing.size <= kMaxXmlDocumentBytes;
}

}  // namespace

CTessvarXmlParse::CTessvarXmlParse() = default;

CTessvarXmlParse::CTessvarXmlParse(xmlNode* element) : element_(element) {
    AppendChildNodesOf(*element);
}

CTessvarXmlParse::~CTessvarXmlParse() = default;

void CTessvarXmlParse::AppendChildNodesOf(xmlNode& element) {
    for (xmlNode* item = element.children; item != nullptr; item = item->next) {
        if (item->type == XML_ELEMENT_NODE) {
            children_.push_back(std::unique_ptr<CTessvarXmlParse>(new CTessvarXmlParse(item)));
        }
    }
}

void CTessvarXmlParse::GiveUpDocument() {
    if (document_) {
        abandonedDocument_ = std::move(document_);
    }
}

bool CTessvarXmlParse::LoadDocument(XmlDocumentPtr document) {
    xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (root == nullptr) {
        return false;
    }
    children_.clear();
    element_ = root;
    AppendChildNodesOf(*root);
    document_ = std::move(document);
    abandonedDocument_.reset();
    return true;
}

bool CTessvarXmlParse::LoadFile(const std::string& path) {
    const RegularFileContent content = ReadRegularFile(path, kMaxXmlDocumentBytes);
    if (content.failure) {
        GiveUpDocument();
        return false;
    }
    return LoadFileBytes(content.bytes);
}

bool CTessvarXmlParse::LoadFileBytes(std::string_view bytes) {
    GiveUpDocument();
    return LoadDocument(ParseXmlDocument(bytes, XmlTextEncoding::Declared));
}

bool CTessvarXmlParse::LoadXml(std::string_view text) {
    GiveUpDocument();
    return LoadDocument(ParseXmlDocument(text, XmlTextEncoding::Utf8));
}

bool CTessvarXmlParse::Save(const std::string& path) const {
    if (!document_ || !IsReplaceable(path)) {
        return false;
    }
    const auto text = SerializeXmlDocument(*document_);
    return text && ReplaceFileAtomically(path, *text);
}

int CTessvarXmlParse::GetChildCount() const {
    return static_cast<int>(children_.size());
}

const CTessvarXmlParse& CTessvarXmlParse::GetChildAt(int index) const {
    if (index < 0 || index >= GetChildCount()) {
        return *this;
    }
    return *children_[static_cast<std::size_t>(index)];
}

CTessvarXmlParse& CTessvarXmlParse::GetChildAt(int index) {
    return const_cast<CTessvarXmlParse&>(std::as_const(*this).GetChildAt(index));
}

int CTessvarXmlParse::IndexOfChild(std::string_view name) const {
    const auto found = std::find_if(children_.begin(), children_.end(), [name](const auto& child) {
        return EqualsIgnoringAsciiCase(child->GetName(), name);
    });
    return found == children_.end() ? -1 : static_cast<int>(found - children_.begin());
}

const CTessvarXmlParse& CTessvarXmlParse::GetChild(std::string_view name) const {
    return GetChildAt(IndexOfChild(name));
}

CTessvarXmlParse& CTessvarXmlParse::GetChild(std::string_view name) {
    return GetChildAt(IndexOfChild(name));
}

const CTessvarXmlParse* CTessvarXmlParse::FindChild(std::string_view name) const {
    const int index = IndexOfChild(name);
    return index < 0 ? nullptr : &GetChildAt(index);
}

CTessvarXmlParse* CTessvarXmlParse::FindChild(std::string_view name) {
    return const_cast<CTessvarXmlParse*>(std::as_const(*this).FindChild(name));
}

int CTessvarXmlParse::AddChild(std::string_view name) {
    if (element_ == nullptr || !IsXmlName(name)) {
        return -1;
    }
    xmlNode* created = xmlNewDocNode(element_->doc, nullptr, AsXml(Terminated(name)), nullptr);
    if (created == nullptr) {
        return -1;
    }
    if (xmlAddChild(element_, created) == nullptr) {
        xmlFreeNode(created);
        return -1;
    }
    children_.push_back(std::unique_ptr<CTessvarXmlParse>(new CTessvarXmlParse(created)));
    return GetChildCount() - 1;
}

std::int32_t CTessvarXmlParse::RemoveChild(const CTessvarXmlParse* child) {
    if (element_ == nullptr || child == nullptr) {
        return kXmlFail;
    }
    const auto found = std::find_if(children_.begin(), children_.end(),
                                    [child](const auto& own) { return own.get() == child; });
    // A child that was itself loaded afterwards stands for another document's element now.
    if (found == children_.end() || child->element_->parent != element_) {
        return kXmlFail;
    }
    xmlNode* removed = child->element_;
    children_.erase(found);
    xmlUnlinkNode(removed);
    xmlFreeNode(removed);
    return kXmlOk;
}

std::string CTessvarXmlParse::GetName() const {
    return element_ == nullptr ? std::string() : QualifiedName(*element_);
}

std::string CTessvarXmlParse::GetText() const {
    const xmlNode* text = element_ == nullptr ? nullptr : FirstTextChild(*element_);
    if (text == nullptr || text->content == nullptr) {
        return {};
    }
    return reinterpret_cast<const char*>(text->content);
}

bool CTessvarXmlParse::SetText(std::string_view value) {
    if (element_ == nullptr || !IsXmlCharacterData(value)) {
        return false;
    }
    const std::string content = Terminated(value);
    if (xmlNode* text = FirstTextChild(*element_)) {
        xmlNodeSetContentLen(text, AsXml(content), XmlLength(content));
        return true;
    }
    RemoveNonElementContent(*element_);
    xmlNode* text = xmlNewDocTextLen(element_->doc, AsXml(content), XmlLength(content));
    return text != nullptr && xmlAddChild(element_, text) != nullptr;
}

std::string CTessvarXmlParse::GetAttribute(std::string_view name) const {
    const xmlAttr* attribute = element_ == nullptr ? nullptr : FindAttribute(*element_, name);
    if (attribute == nullptr) {
        return {};
    }
    return TakeXmlString(xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute)));
}

int CTessvarXmlParse::GetAttributeInt(std::string_view name, int defaultValue) const {
    const std::string value = GetAttribute(name);
    return value.empty() ? defaultValue : ParseLeadingDecimal(value);
}

bool CTessvarXmlParse::SetAttribute(std::string_view name, std::string_view value) {
    if (element_ == nullptr || !IsXmlName(name) || !IsXmlCharacterData(value)) {
        return false;
    }
    const std::string text = Terminated(value);
    if (const xmlAttr* existing = FindAttribute(*element_, name)) {
        return xmlSetNsProp(element_, existing->ns, existing->name, AsXml(text)) != nullptr;
    }
    return xmlSetProp(element_, AsXml(Terminated(name)), AsXml(text)) != nullptr;
}

bool CTessvarXmlParse::SetAttributeInt(std::string_view name, int value) {
    return SetAttribute(name, std::to_string(value));
}

}  // namespace veltaro
