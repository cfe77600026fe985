// Shows the fatal fault report of the editor in a plain message box. The dying
// editor starts this program and writes the report to its standard input; the
// lines of the report are separated by carriage returns.
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <string>

namespace {

// A report is a few hundred bytes; anything beyond this is not a report.
constexpr size_t kMaxReportBytes = 64 * 1024;

std::string readStandardInput() {
    std::string text;
    char chunk[4096];
    size_t got = 0;
    while (text.size() < kMaxReportBytes && (got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0)
        text.append(chunk, got);
    if (text.size() > kMaxReportBytes)
        text.resize(kMaxReportBytes);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const std::string report = readStandardInput();
    if (report.empty())
        return 1;

    QApplication app(argc, argv);
    QMessageBox box;
    box.setWindowTitle("OnError example");
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    // A label breaks lines at line feeds, so the carriage returns become line feeds.
    box.setText(QString::fromUtf8(report.data(), static_cast<qsizetype>(report.size()))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.exec();
    return 0;
}
