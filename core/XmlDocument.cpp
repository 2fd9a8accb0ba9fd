#include "core/XmlDocument.h"

#include "core/Streams.h"
#include "core/XmlProlog.h"

namespace core {

namespace {

// IXMLDOMDocument2 carries setProperty; mingw's uuid library has no symbol for it.
constexpr IID XmlDocument2Id = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

TComPtr<IXMLDOMDocument> CreateDocument()
{
    CLSID classId{};
    OleCheck(CLSIDFromProgID(L"Microsoft.XMLDOM", &classId));
    TComPtr<IXMLDOMDocument> document;
    OleCheck(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, TComOut(document).AsVoid()));
    return document;
}

// The first bytes of the file, one more than the prolog check looks at; none when the
// file cannot be read (the DOM then fails to load it as well).
std::string FileHead(const std::wstring& fileName)
{
    try {
        TFileStream file(fileName, TFileMode::OpenRead);
        std::string head(XmlPrologLimit + 1, '\0');
        head.resize(file.Read(head.data(), head.size()));
        return head;
    } catch (const EStreamError&) {
        return {};
    }
}

// Selection and navigation answer S_FALSE and no node when there is none.
std::optional<TXmlNode> NodeIfAny(TComPtr<IXMLDOMNode> node)
{
    if (!node)
        return std::nullopt;
    return TXmlNode(std::move(node));
}

// The text's first characters as the prolog check reads them: UTF-16 behind its byte-order
// mark, so that a text starting with blanks is not taken for single bytes.
std::string TextHead(std::wstring_view text)
{
    std::string head("\xFF\xFE", 2);
    for (wchar_t c : text.substr(0, XmlPrologLimit / 2 + 1)) {
        head += static_cast<char>(c & 0xFF);
        head += static_cast<char>((c >> 8) & 0xFF);
    }
    return head;
}

TComPtr<IXMLDOMNode> AsNode(IXMLDOMDocument* document)
{
    document->AddRef();
    return TComPtr<IXMLDOMNode>(document);
}

} // namespace

TXmlNode::TXmlNode(TComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

std::optional<TXmlNodeList> TXmlNode::SelectNodes(const std::wstring& path) const
{
    TComPtr<IXMLDOMNodeList> list;
    OleCheck(node_.Get()->selectNodes(TBstr(path).Get(), TComOut(list)));
    if (!list)
        return std::nullopt;
    return TXmlNodeList(std::move(list));
}

std::optional<TXmlNode> TXmlNode::SelectSingleNode(const std::wstring& path) const
{
    TComPtr<IXMLDOMNode> node;
    OleCheck(node_.Get()->selectSingleNode(TBstr(path).Get(), TComOut(node)));
    return NodeIfAny(std::move(node));
}

std::wstring TXmlNode::Text() const
{
    TBstr text;
    OleCheck(node_.Get()->get_text(text.Receive()));
    return text.Text();
}

std::optional<std::wstring> TXmlNode::SelectText(const std::wstring& path) const
{
    std::optional<TXmlNode> node = SelectSingleNode(path);
    if (!node)
        return std::nullopt;
    return node->Text();
}

std::optional<TXmlNode> TXmlNode::FirstChild() const
{
    TComPtr<IXMLDOMNode> child;
    OleCheck(node_.Get()->get_firstChild(TComOut(child)));
    return NodeIfAny(std::move(child));
}

std::optional<TXmlNode> TXmlNode::NextSibling() const
{
    TComPtr<IXMLDOMNode> sibling;
    OleCheck(node_.Get()->get_nextSibling(TComOut(sibling)));
    return NodeIfAny(std::move(sibling));
}

bool TXmlNode::IsElement() const
{
    DOMNodeType type = NODE_INVALID;
    OleCheck(node_.Get()->get_nodeType(&type));
    return type == NODE_ELEMENT;
}

std::wstring TXmlNode::Name() const
{
    TBstr name;
    OleCheck(node_.Get()->get_nodeName(name.Receive()));
    return name.Text();
}

std::optional<std::wstring> TXmlNode::AttributeText(const std::wstring& name) const
{
    TComPtr<IXMLDOMNamedNodeMap> attributes;
    OleCheck(node_.Get()->get_attributes(TComOut(attributes)));
    if (!attributes)
        return std::nullopt;
    TComPtr<IXMLDOMNode> attribute;
    OleCheck(attributes.Get()->getNamedItem(TBstr(name).Get(), TComOut(attribute)));
    std::optional<TXmlNode> node = NodeIfAny(std::move(attribute));
    if (!node)
        return std::nullopt;
    return node->Text();
}

TXmlNodeList::TXmlNodeList(TComPtr<IXMLDOMNodeList> list) : list_(std::move(list)) {}

long TXmlNodeList::Length() const
{
    long length = 0;
    OleCheck(list_.Get()->get_length(&length));
    return length;
}

TXmlNode TXmlNodeList::Item(long index) const
{
    TComPtr<IXMLDOMNode> node;
    OleCheck(list_.Get()->get_item(index, TComOut(node)));
    if (!node)
        throw EOleSysError(E_INVALIDARG);
    return TXmlNode(std::move(node));
}

TXmlDocument::TXmlDocument() : TXmlDocument(CreateDocument()) {}

TXmlDocument::TXmlDocument(TComPtr<IXMLDOMDocument> document)
    : TXmlNode(AsNode(document.Get())), document_(std::move(document))
{
}

// Feeds (RSS 2.0, Atom) and our version document have no DTD. A DTD's internal
// entities are not stopped by refusing external resolution: a few lines of nested
// entity definitions expand into gigabytes ("billion laughs"), and MSXML 3 has no limit
// of its own. So a document with a DTD is refused outright.
void TXmlDocument::ApplySafeSettings()
{
    IXMLDOMDocument* document = document_.Get();
    OleCheck(document->put_async(VARIANT_FALSE));
    OleCheck(document->put_resolveExternals(VARIANT_FALSE));
    OleCheck(document->put_validateOnParse(VARIANT_FALSE));
    TComPtr<IXMLDOMDocument2> document2;
    OleCheck(document->QueryInterface(XmlDocument2Id, TComOut(document2).AsVoid()));
    OleCheck(document2.Get()->setProperty(TBstr(L"ProhibitDTD").Get(), TVariant(true).Get()));
}

// Not every MSXML honours ProhibitDTD (Wine's accepts and ignores it, and then expands
// whatever entities a DTD defines), so a DTD is also refused before the DOM sees the document.
bool TXmlDocument::Parse(std::string_view head, const std::function<HRESULT(VARIANT_BOOL*)>& parse)
{
    ApplySafeSettings();
    if (XmlPrologDeclaresDtd(head))
        return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    OleCheck(parse(&loaded));
    return loaded == VARIANT_TRUE;
}

bool TXmlDocument::Load(const std::wstring& fileName)
{
    return Parse(FileHead(fileName),
                 [&](VARIANT_BOOL* loaded) { return document_.Get()->load(TVariant(fileName).Get(), loaded); });
}

bool TXmlDocument::LoadXml(const std::wstring& text)
{
    return Parse(TextHead(text),
                 [&](VARIANT_BOOL* loaded) { return document_.Get()->loadXML(TBstr(text).Get(), loaded); });
}

} // namespace core
