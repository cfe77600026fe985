#include "cli/document_memory.h"

#include <new>
#include <sys/mman.h>

namespace korvex::cli {

void DocumentRelease::operator()(Document* doc) const {
    if (!mapped) {
        delete doc;
        return;
    }
    doc->~Document();
    ::munmap(doc, sizeof(Document));
}

DocumentPtr newDocument() {
#ifdef MAP_POPULATE
    void* memory = ::mmap(nullptr, sizeof(Document), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory != MAP_FAILED)
        return DocumentPtr(new (memory) Document, DocumentRelease{true});
#endif
    return DocumentPtr(new Document, DocumentRelease{false});
}

} // namespace korvex::cli
