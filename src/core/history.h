#pragma once
// The document's history of changes. Each user action that changes the work (glyph
// pixels, font names, sets, screens and their row tables, colours) becomes one step holding only
// the bytes it changed, before and after, and the place where it happened. Undo puts the "before"
// bytes back and redo the "after" bytes; both then show that place.
//
// An action runs between begin and commit (a transaction; nested ones join the
// outermost). begin takes a copy of the work as it is; commit compares the work
// with that copy and records the difference, so a stroke of many mouse events or
// a file load is one step, and an action that changes nothing leaves no step.
// Selection, view switches and saves are outside the work and never recorded.
//
// The steps share a memory budget; when a new step takes the history past it,
// the oldest steps are dropped. A new step drops whatever could be redone.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace korvex {

struct Document;

// The parts of the work the history keeps.
enum class WorkArea : uint8_t {
    Pixels,         // Glyphs
    Sets,           // Sets
    Screens,        // the View Editor's screens
    FontColours,    // FontColours
    AtariColours,   // AtariColour
    WorkingColours, // ColourLUM .. ColourPF3
    FontNames,      // FontName (text)
    FontPaths,      // FontPath (text)
    RowTables,      // each screen's row table
};

// Where a step happened; undo and redo make it the current place. A part that is
// not one single font, glyph, set or screen is left unset (0 or -1).
struct HistoryPlace {
    int64_t font = 0;    // 1..10
    int64_t glyph = -1;  // the glyph code shown (0..255)
    int64_t set = 0;     // 1..100
    int64_t screen = -1; // 0..8
};

// Total memory the steps may take (the copy of the work begin keeps comes on top,
// about 25 KB).
constexpr size_t kHistoryBudgetBytes = size_t(60) << 20;

// Font slots of the font name and path lists (fonts count from 1).
constexpr int kHistoryFontSlots = 11;

class History {
public:
    History();

    // Opens a transaction named `name` (the outermost name is the step's name).
    void begin(const Document& doc, std::string name);
    // Closes a transaction; closing the outermost records what changed since its
    // begin as one step. Returns whether a step was recorded. Without an open
    // transaction it does nothing.
    bool commit(const Document& doc);
    bool inTransaction() const { return depth_ > 0; }

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // Names of the step undo / redo would act on ("" when there is none).
    const std::string& undoName() const;
    const std::string& redoName() const;

    // Undo the newest done step / redo the oldest undone one: the bytes go back
    // and the step's place becomes current. An open transaction is committed
    // first. Return whether a step was applied.
    bool undo(Document& doc);
    bool redo(Document& doc);

    size_t undoCount() const { return done_; }
    size_t redoCount() const { return steps_.size() - done_; }
    // Memory the history holds now: the steps and the copy of the work.
    size_t memoryUsed() const;
    // A smaller budget, for tests of the dropping of old steps.
    void setBudget(size_t bytes);

private:
    struct Run {
        WorkArea area;
        uint32_t offset;
        uint32_t length;
        uint32_t data; // before bytes at data, after bytes at data + length
    };
    struct TextChange {
        WorkArea area;
        uint8_t index;
        std::string before, after;
    };
    struct Step {
        std::string name;
        HistoryPlace place;
        std::vector<Run> runs;
        std::vector<uint8_t> bytes;
        std::vector<TextChange> texts;
        bool coloursChanged = false;
        size_t cost = 0;
    };

    void takeCopy(const Document& doc);
    Step difference(const Document& doc) const;
    void addStep(Step step);
    void apply(Document& doc, const Step& step, bool after) const;

    std::deque<Step> steps_;
    size_t done_ = 0; // steps_[0 .. done_) are done, the rest can be redone
    size_t stepBytes_ = 0;
    size_t budget_ = kHistoryBudgetBytes;
    int depth_ = 0;
    std::string pendingName_;
    int64_t pendingGlyph_ = -1; // CurrentGlyph at begin
    std::vector<uint8_t> copy_; // the byte areas at begin, one after another
    std::array<std::string, kHistoryFontSlots> copyNames_, copyPaths_;
};

// Runs an action as one transaction of the document's history: begins on
// construction, commits on destruction.
class HistoryStep {
public:
    HistoryStep(Document& doc, std::string name);
    ~HistoryStep();
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

private:
    Document& doc_;
};

} // namespace korvex
