#include "core/history.h"

#include "core/document.h"
#include "core/glyph_code.h"

#include <bitset>
#include <cstring>
#include <type_traits>

namespace korvex {

static_assert(kHistoryFontSlots == kFontCount + 1);
static_assert(std::is_trivially_copyable_v<RowTable> && sizeof(RowTable) == 2 * kRowTableRows);

namespace {

// The areas kept as bytes, in the order of the copy taken by begin.
constexpr WorkArea kByteAreas[] = {
    WorkArea::Pixels,       WorkArea::Sets,           WorkArea::Screens,  WorkArea::FontColours,
    WorkArea::AtariColours, WorkArea::WorkingColours, WorkArea::RowTables};

constexpr int kWorkingRegisters = PF3 - LUM + 1;
using WorkingBytes = std::array<int64_t, kWorkingRegisters>;

constexpr size_t kFontStride = sizeof(Document::Glyphs[0]);
constexpr size_t kGlyphStride = sizeof(Document::Glyphs[0][0]);
constexpr size_t kSetStride = sizeof(Document::Sets[0]);
constexpr size_t kFontColourStride = sizeof(Document::FontColours[0]);
constexpr size_t kRowTableStride = sizeof(Document::rowTables[0]);

// Changed bytes this close together are kept as one run: a run header costs more
// than the few unchanged bytes it saves.
constexpr size_t kRunJoinGap = 4;

// Bytes of heap bookkeeping counted for every allocated block of a step.
constexpr size_t kBlockOverhead = 16;

constexpr size_t areaSize(WorkArea area) {
    switch (area) {
    case WorkArea::Pixels:
        return sizeof(Document::Glyphs);
    case WorkArea::Sets:
        return sizeof(Document::Sets);
    case WorkArea::Screens:
        return sizeof(Document::screens);
    case WorkArea::FontColours:
        return sizeof(Document::FontColours);
    case WorkArea::AtariColours:
        return sizeof(Document::AtariColour);
    case WorkArea::WorkingColours:
        return sizeof(WorkingBytes);
    case WorkArea::RowTables:
        return sizeof(Document::rowTables);
    default:
        return 0;
    }
}

WorkingBytes gatherWorking(const Document& doc) {
    WorkingBytes w{};
    for (int r = LUM; r <= PF3; ++r)
        w[size_t(r - LUM)] = workingColour(doc, r);
    return w;
}

// The bytes of an area as the document holds them; the working colours are separate
// fields and are gathered into `scratch` first.
const uint8_t* areaBytes(const Document& doc, WorkArea area, WorkingBytes& scratch) {
    switch (area) {
    case WorkArea::Pixels:
        return doc.Glyphs[0][0].data();
    case WorkArea::Sets:
        return reinterpret_cast<const uint8_t*>(&doc.Sets[0][0]);
    case WorkArea::Screens:
        return doc.screens;
    case WorkArea::FontColours:
        return reinterpret_cast<const uint8_t*>(&doc.FontColours[0][0]);
    case WorkArea::AtariColours:
        return reinterpret_cast<const uint8_t*>(doc.AtariColour);
    case WorkArea::WorkingColours:
        scratch = gatherWorking(doc);
        return reinterpret_cast<const uint8_t*>(scratch.data());
    case WorkArea::RowTables:
        return reinterpret_cast<const uint8_t*>(doc.rowTables);
    default:
        return nullptr;
    }
}

// Writes `length` bytes at `offset` of an area; anything past the area's end is
// refused.
void writeArea(Document& doc, WorkArea area, size_t offset, const uint8_t* bytes, size_t length) {
    const size_t size = areaSize(area);
    if (offset > size || length > size - offset)
        return;
    if (area == WorkArea::WorkingColours) {
        WorkingBytes w = gatherWorking(doc);
        std::memcpy(reinterpret_cast<uint8_t*>(w.data()) + offset, bytes, length);
        for (int r = LUM; r <= PF3; ++r)
            workingColour(doc, r) = w[size_t(r - LUM)];
        return;
    }
    WorkingBytes unused{};
    auto* target = const_cast<uint8_t*>(areaBytes(doc, area, unused));
    std::memcpy(target + offset, bytes, length);
}

std::string* textList(Document& doc, WorkArea area) {
    return area == WorkArea::FontNames ? doc.FontName : doc.FontPath;
}

// What a step touched, gathered to find its place.
struct Touched {
    std::bitset<kFontCount + 1> fonts;
    int glyphs = 0;       // distinct (font, glyph) pairs with changed pixels
    size_t lastGlyph = 0; // index into Glyphs counted over all fonts
    std::bitset<kSetCount + 1> sets;
    std::bitset<kScreenCount> screens;

    void pixels(size_t offset, size_t length) {
        const size_t first = offset / kGlyphStride, last = (offset + length - 1) / kGlyphStride;
        for (size_t g = first; g <= last; ++g) {
            if (glyphs == 0 || g != lastGlyph)
                ++glyphs;
            lastGlyph = g;
            fonts.set(1 + g * kGlyphStride / kFontStride); // Glyphs[0] is font 1
        }
    }
    template <size_t N>
    static void spread(std::bitset<N>& bits, size_t offset, size_t length, size_t stride) {
        for (size_t i = offset / stride; i <= (offset + length - 1) / stride && i < N; ++i)
            bits.set(i);
    }
};

template <size_t N> int64_t onlyOne(const std::bitset<N>& bits, int64_t none) {
    if (bits.count() != 1)
        return none;
    for (size_t i = 0; i < N; ++i)
        if (bits.test(i))
            return int64_t(i);
    return none;
}

} // namespace

History::History() = default;

void History::begin(const Document& doc, std::string name) {
    if (depth_++ > 0)
        return;
    pendingName_ = std::move(name);
    pendingGlyph_ = doc.CurrentGlyph;
    takeCopy(doc);
}

bool History::commit(const Document& doc) {
    if (depth_ == 0 || --depth_ > 0)
        return false;
    Step step = difference(doc);
    if (step.runs.empty() && step.texts.empty())
        return false;
    addStep(std::move(step));
    return true;
}

void History::takeCopy(const Document& doc) {
    size_t total = 0;
    for (WorkArea a : kByteAreas)
        total += areaSize(a);
    copy_.resize(total);
    size_t at = 0;
    WorkingBytes scratch{};
    for (WorkArea a : kByteAreas) {
        std::memcpy(copy_.data() + at, areaBytes(doc, a, scratch), areaSize(a));
        at += areaSize(a);
    }
    for (int f = 0; f < kHistoryFontSlots; ++f) {
        copyNames_[size_t(f)] = doc.FontName[f];
        copyPaths_[size_t(f)] = doc.FontPath[f];
    }
}

History::Step History::difference(const Document& doc) const {
    Step step;
    step.name = pendingName_;
    Touched touched;
    size_t at = 0;
    WorkingBytes scratch{};
    for (WorkArea a : kByteAreas) {
        const size_t size = areaSize(a);
        const uint8_t* now = areaBytes(doc, a, scratch);
        const uint8_t* was = copy_.data() + at;
        at += size;
        if (std::memcmp(now, was, size) == 0)
            continue;
        size_t i = 0;
        while (i < size) {
            // Whole equal blocks are passed over without looking at each byte.
            constexpr size_t kBlock = 64;
            if (size - i >= kBlock && std::memcmp(now + i, was + i, kBlock) == 0) {
                i += kBlock;
                continue;
            }
            if (now[i] == was[i]) {
                ++i;
                continue;
            }
            size_t end = i + 1;
            for (size_t j = end; j < size && j - end < kRunJoinGap; ++j)
                if (now[j] != was[j])
                    end = j + 1;
            const size_t length = end - i;
            const size_t data = step.bytes.size();
            step.bytes.insert(step.bytes.end(), was + i, was + end);
            step.bytes.insert(step.bytes.end(), now + i, now + end);
            step.runs.push_back({a, uint32_t(i), uint32_t(length), uint32_t(data)});
            switch (a) {
            case WorkArea::Pixels:
                touched.pixels(i, length);
                break;
            case WorkArea::Sets:
                Touched::spread(touched.sets, i, length, kSetStride);
                break;
            case WorkArea::Screens:
                Touched::spread(touched.screens, i, length, kScreenCells);
                break;
            case WorkArea::RowTables:
                Touched::spread(touched.screens, i, length, kRowTableStride);
                break;
            case WorkArea::FontColours:
                Touched::spread(touched.fonts, i, length, kFontColourStride);
                step.coloursChanged = true;
                break;
            default:
                step.coloursChanged = true;
                break;
            }
            i = end;
        }
    }
    for (int f = 0; f < kHistoryFontSlots; ++f) {
        if (doc.FontName[f] != copyNames_[size_t(f)]) {
            step.texts.push_back(
                {WorkArea::FontNames, uint8_t(f), copyNames_[size_t(f)], doc.FontName[f]});
            touched.fonts.set(size_t(f));
        }
        if (doc.FontPath[f] != copyPaths_[size_t(f)]) {
            step.texts.push_back(
                {WorkArea::FontPaths, uint8_t(f), copyPaths_[size_t(f)], doc.FontPath[f]});
            touched.fonts.set(size_t(f));
        }
    }

    // Index 0 of the font and set dimensions is never a place.
    touched.fonts.reset(0);
    touched.sets.reset(0);
    step.place.font = onlyOne(touched.fonts, 0);
    if (touched.glyphs == 1 && step.place.font > 0) {
        const int glyph = int(touched.lastGlyph % (kFontStride / kGlyphStride));
        // The code shown stays the one the user worked on (normal or inverse).
        if (glyphOfCode(doc.CurrentGlyph) == glyph)
            step.place.glyph = doc.CurrentGlyph;
        else if (glyphOfCode(pendingGlyph_) == glyph)
            step.place.glyph = pendingGlyph_;
        else
            step.place.glyph = glyph;
    }
    step.place.set = onlyOne(touched.sets, 0);
    step.place.screen = onlyOne(touched.screens, -1);

    step.runs.shrink_to_fit();
    step.bytes.shrink_to_fit();
    step.cost = sizeof(Step) + step.name.capacity() + step.runs.capacity() * sizeof(Run) +
                step.bytes.capacity() + step.texts.capacity() * sizeof(TextChange) +
                3 * kBlockOverhead;
    for (const TextChange& t : step.texts)
        step.cost += t.before.capacity() + t.after.capacity() + 2 * kBlockOverhead;
    return step;
}

void History::addStep(Step step) {
    // A new change ends what could be redone.
    while (steps_.size() > done_) {
        stepBytes_ -= steps_.back().cost;
        steps_.pop_back();
    }
    stepBytes_ += step.cost;
    steps_.push_back(std::move(step));
    ++done_;
    while (stepBytes_ > budget_ && steps_.size() > 1) {
        stepBytes_ -= steps_.front().cost;
        steps_.pop_front();
        --done_;
    }
}

void History::setBudget(size_t bytes) {
    budget_ = bytes;
    while (stepBytes_ > budget_ && !steps_.empty()) {
        stepBytes_ -= steps_.front().cost;
        steps_.pop_front();
        if (done_ > 0)
            --done_;
    }
}

size_t History::memoryUsed() const {
    size_t texts = 0;
    for (int f = 0; f < kHistoryFontSlots; ++f)
        texts += copyNames_[size_t(f)].capacity() + copyPaths_[size_t(f)].capacity();
    return sizeof(*this) + stepBytes_ + copy_.capacity() + texts;
}

const std::string& History::undoName() const {
    static const std::string none;
    return canUndo() ? steps_[done_ - 1].name : none;
}

const std::string& History::redoName() const {
    static const std::string none;
    return canRedo() ? steps_[done_].name : none;
}

void History::apply(Document& doc, const Step& step, bool after) const {
    for (const Run& r : step.runs) {
        const size_t from = size_t(r.data) + (after ? r.length : 0);
        if (from + r.length <= step.bytes.size())
            writeArea(doc, r.area, r.offset, step.bytes.data() + from, r.length);
    }
    for (const TextChange& t : step.texts)
        if (t.index < kHistoryFontSlots)
            textList(doc, t.area)[t.index] = after ? t.after : t.before;

    const HistoryPlace& p = step.place;
    if (p.font >= 1 && p.font <= kFontCount && p.font != doc.CurrentFont) {
        doc.CurrentFont = p.font;
        // The working colours belong to the font shown, as after the font buttons.
        if (step.coloursChanged)
            loadFontColours(doc, p.font);
    }
    if (p.glyph >= 0)
        doc.CurrentGlyph = p.glyph;
    if (p.set >= 1 && p.set <= kSetCount)
        doc.CurrentSet = p.set;
    if (p.screen >= 0 && p.screen < kScreenCount)
        doc.currentScreen = uint8_t(p.screen);
}

bool History::undo(Document& doc) {
    if (depth_ > 0) {
        depth_ = 1;
        commit(doc);
    }
    if (!canUndo())
        return false;
    --done_;
    apply(doc, steps_[done_], false);
    return true;
}

bool History::redo(Document& doc) {
    if (depth_ > 0) {
        depth_ = 1;
        commit(doc);
    }
    if (!canRedo())
        return false;
    apply(doc, steps_[done_], true);
    ++done_;
    return true;
}

HistoryStep::HistoryStep(Document& doc, std::string name) : doc_(doc) {
    doc_.history.begin(doc_, std::move(name));
}

HistoryStep::~HistoryStep() {
    doc_.history.commit(doc_);
}

} // namespace korvex
