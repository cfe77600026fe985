// Painting under the mouse end to end: mouse moves with a button held across the
// magnified editor of a real, started MainWindow (offscreen), each move handled and
// its repaint done before the next. Strokes alternate between the left and the right
// button and visit every dot, so nearly every move changes a pixel.
#include "core/document.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

using namespace korvex;

constexpr int kMoveEvents = 10000;
constexpr int kDots = 8;
constexpr int kDotPixels = 30;
constexpr int kDotsPerStroke = kDots * kDots;

// Centre of dot n of a stroke in the editor's widget coordinates (inside its
// 2-pixel border), going along the rows in a serpentine.
QPoint dotCentre(int n) {
    const int row = n / kDots;
    const int column = row % 2 == 0 ? n % kDots : kDots - 1 - n % kDots;
    constexpr int kInset = 2;
    return {kInset + column * kDotPixels + kDotPixels / 2,
            kInset + row * kDotPixels + kDotPixels / 2};
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapTo(target->window(), at)),
                      QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Counts the paints of one widget, to show that every move was repainted.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void mousePaintOnEditor(benchmark::State& state) {
    auto doc = std::make_unique<Document>();
    setStartValues(*doc);
    MainWindow window(*doc);
    startUp(*doc, window);
    window.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QWidget* editor = window.EditorCanvas;
    PaintCounter counter;
    editor->installEventFilter(&counter);

    std::vector<double> eventNanoseconds;
    eventNanoseconds.reserve(kMoveEvents);
    Qt::MouseButton button = Qt::LeftButton;
    for (auto _ : state) {
        eventNanoseconds.clear();
        for (int i = 0; i < kMoveEvents; ++i) {
            const int n = i % kDotsPerStroke;
            if (n == 0) {
                button = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
                sendMouse(editor, QEvent::MouseButtonPress, dotCentre(0), button, button);
            }
            const auto start = std::chrono::steady_clock::now();
            sendMouse(editor, QEvent::MouseMove, dotCentre((n + 1) % kDotsPerStroke), Qt::NoButton,
                      button);
            QApplication::processEvents();
            const auto end = std::chrono::steady_clock::now();
            eventNanoseconds.push_back(
                std::chrono::duration<double, std::nano>(end - start).count());
            if (n == kDotsPerStroke - 1)
                sendMouse(editor, QEvent::MouseButtonRelease, dotCentre(0), button, Qt::NoButton);
        }
    }
    std::nth_element(eventNanoseconds.begin(),
                     eventNanoseconds.begin() + ptrdiff_t(eventNanoseconds.size() / 2),
                     eventNanoseconds.end());
    const double median = eventNanoseconds[eventNanoseconds.size() / 2];
    state.counters["editor_paints_per_event"] =
        double(counter.paints) / (double(kMoveEvents) * double(state.iterations()));
    state.counters["median_event_us"] = median / 1000.0;
    // Over the whole run (presses and releases included, and any time the process
    // was not running), and as the median event allows.
    state.counters["events_per_s"] = benchmark::Counter(
        double(kMoveEvents) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["events_per_s_at_median"] = 1e9 / median;
}
BENCHMARK(mousePaintOnEditor)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
