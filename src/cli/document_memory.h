#pragma once
// Memory for the one document a conversion works on. The document is large (most
// of a megabyte) and its initialisers write every byte of it at once, so its pages
// are mapped in place in one call, instead of taking a page fault for each as the
// initialisers first touch it.

#include "core/document.h"

#include <memory>

namespace korvex::cli {

struct DocumentRelease {
    bool mapped = false; // false: allocated with new
    void operator()(Document* doc) const;
};

using DocumentPtr = std::unique_ptr<Document, DocumentRelease>;

// A default-initialised document (every field as its initialiser sets it), in
// mapped pages where the system offers them, else from new.
DocumentPtr newDocument();

} // namespace korvex::cli
