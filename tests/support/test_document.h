#pragma once
// A fresh document with every start value, as the program has it after start-up.
#include "core/document.h"

#include <memory>

namespace korvex::test {

inline std::unique_ptr<Document> freshDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    return doc;
}

} // namespace korvex::test
