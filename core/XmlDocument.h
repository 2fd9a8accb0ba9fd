#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/ComObjects.h"
#include "core/Win32.h"

// After <windows.h>, which it needs.
#include <msxml2.h>

namespace core {

class TXmlNodeList;

// One node of a document read through the system's XML DOM. Every failing call raises
// EOleSysError.
class TXmlNode {
public:
    explicit TXmlNode(TComPtr<IXMLDOMNode> node);
    TXmlNode(TXmlNode&&) noexcept = default;
    TXmlNode& operator=(TXmlNode&&) noexcept = default;

    // The nodes the path selects; none when the DOM gives no list.
    std::optional<TXmlNodeList> SelectNodes(const std::wstring& path) const;
    // The first node the path selects; none when it selects nothing.
    std::optional<TXmlNode> SelectSingleNode(const std::wstring& path) const;
    // The text of the node, or of an attribute's value.
    std::wstring Text() const;
    // The text of the first node the path selects; none when it selects nothing.
    std::optional<std::wstring> SelectText(const std::wstring& path) const;

    // Walking the children one by one costs a small part of a selection per child: a
    // reader that wants several children of many nodes reads them in one walk.
    std::optional<TXmlNode> FirstChild() const;
    std::optional<TXmlNode> NextSibling() const;
    // An element, as opposed to text, comments, processing instructions and the like.
    bool IsElement() const;
    // The qualified name as written in the document, prefix included ("media:title").
    std::wstring Name() const;
    // The text of the element's attribute of that qualified name; none when it has none.
    std::optional<std::wstring> AttributeText(const std::wstring& name) const;

    IXMLDOMNode* Interface() const { return node_.Get(); }

private:
    TComPtr<IXMLDOMNode> node_;
};

class TXmlNodeList {
public:
    explicit TXmlNodeList(TComPtr<IXMLDOMNodeList> list);

    long Length() const;
    TXmlNode Item(long index) const;

private:
    TComPtr<IXMLDOMNodeList> list_;
};

// A document object of the system's XML DOM ("Microsoft.XMLDOM"), always loaded
// synchronously and without trusting the file: the DOM's defaults would fetch external
// DTDs and entities (a file could pull local files into its text or make us request
// addresses) and would let load return before parsing ends.
class TXmlDocument : public TXmlNode {
public:
    // Raises EOleSysError when the DOM is not registered; COM must be initialised.
    TXmlDocument();

    // Applies the safe settings, then reads and parses the file. False when the file
    // cannot be read or is not well-formed XML (or carries a DTD).
    bool Load(const std::wstring& fileName);
    // The same for a document held as text (a downloaded answer, say).
    bool LoadXml(const std::wstring& text);

    IXMLDOMDocument* Document() const { return document_.Get(); }

private:
    explicit TXmlDocument(TComPtr<IXMLDOMDocument> document);
    void ApplySafeSettings();
    // The safe settings, then the DTD check of the document's head, then parse.
    bool Parse(std::string_view head, const std::function<HRESULT(VARIANT_BOOL*)>& parse);

    TComPtr<IXMLDOMDocument> document_;
};

} // namespace core
