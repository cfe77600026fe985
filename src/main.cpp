#include "gui/app.h"

int main(int argc, char** argv) {
    return korvex::runApp(argc, argv);
}
