#pragma once
#include <string_view>

namespace core {

// Bytes of a document's head that XmlPrologDeclaresDtd looks at. Give it one byte more
// when the document has more: a prolog that runs on past them counts as declaring one.
inline constexpr size_t XmlPrologLimit = 65536;

// True when the prolog of an XML document (what comes before its root element: the
// declaration, comments, processing instructions) holds a document type declaration.
// The head is the document's first bytes, in UTF-8, a single-byte code page or UTF-16
// of either byte order. Text after the root element starts (a "<!DOCTYPE" quoted in an
// article, say) does not count.
bool XmlPrologDeclaresDtd(std::string_view head);

} // namespace core
