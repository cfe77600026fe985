#include "gui/app.h"

#include "core/document.h"

#include <QApplication>
#include <memory>

namespace korvex {

int runApp(int argc, char** argv) {
    QApplication app(argc, argv);
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    return 0;
}

} // namespace korvex
