// Maps made to hurt: each is refused with its message, within 50 ms of processor
// time and 64 MB of memory (all of it counted: the tests' allocations and the XML
// parser's pages).

#include "formats/tmx_map.h"
#include "tmx_samples.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <new>

using namespace korvex;
using namespace korvex::test;

namespace {

// Memory in use and its peak, for every allocation of the program.
std::atomic<size_t> gLive{0};
std::atomic<size_t> gPeak{0};
constexpr size_t kHeader = alignof(std::max_align_t);

void* countedAlloc(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        return nullptr;
    *reinterpret_cast<size_t*>(block) = size;
    const size_t live = gLive += size;
    size_t peak = gPeak.load();
    while (live > peak && !gPeak.compare_exchange_weak(peak, live)) {
    }
    return block + kHeader;
}

void countedFree(void* pointer) {
    if (!pointer)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    gLive -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(size_t size) {
    if (void* p = countedAlloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    countedFree(p);
}
// The nothrow forms too (the standard library's temporary buffers use them): under
// the sanitizers they would otherwise come from its allocator and be freed here.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return countedAlloc(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return countedAlloc(size);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    countedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    countedFree(p);
}

namespace {

constexpr double kMaxMilliseconds = 50;
constexpr size_t kMaxBytes = size_t(64) << 20;

double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Cost {
    double milliseconds = 0;
    size_t bytes = 0; // the peak above what was in use before
};

// Reads the map with every tileset file giving `tileset`, and what that cost.
TmxReadResult readCounted(const Bytes& map, const std::string& tileset, Cost& cost) {
    const TmxFileSource source = [&](const std::string&) {
        TmxFileRead read;
        read.bytes = bytesOf(tileset);
        return read;
    };
    pugi::set_memory_management_functions(countedAlloc, countedFree);
    const size_t before = gLive.load();
    gPeak = before;
    const double start = threadMilliseconds();
    TmxReadResult result = parseTmxMap(map, source);
    cost.milliseconds = threadMilliseconds() - start;
    cost.bytes = gPeak.load() - before;
    pugi::set_memory_management_functions(std::malloc, std::free);
    return result;
}

struct Hostile {
    const char* what;
    std::string map;
    std::string message; // the error, or a part of it
    std::string tileset = korvexTilesetXml(1, 2);
};

std::string zeros(size_t count) {
    return std::string(count, '\0');
}

// The text with the first `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::vector<Hostile> hostileMaps() {
    const std::string ts = embedded(1, korvexTilesetXml(1, 2));
    const std::vector<uint32_t> screen(960, 1);
    const Bytes bomb = compressed(Bytes(size_t(4) << 20, 0), false);
    const Bytes gzipBomb = compressed(Bytes(size_t(4) << 20, 0), true);
    std::string manyTilesets;
    for (int i = 0; i < 65; ++i)
        manyTilesets += embedded(uint32_t(1 + 256 * i), korvexTilesetXml(1, 2));
    std::string elements;
    while (elements.size() < kMaxTmxFileBytes - 400)
        elements += "<a/>";
    std::string attributes = "<b";
    while (attributes.size() < kMaxTmxFileBytes - 400)
        attributes += " a" + std::to_string(attributes.size()) + "=''";
    attributes += "/>";
    std::string tilesetElements;
    while (tilesetElements.size() < kMaxTmxTilesetBytesInAll - 200)
        tilesetElements += "<a/>";
    std::string nested;
    for (int i = 0; i < 60000; ++i)
        nested += "<group>";
    nested += "<layer/>";
    for (int i = 0; i < 60000; ++i)
        nested += "</group>";
    std::string manyFiles;
    for (int i = 0; i < 64; ++i)
        manyFiles += external(uint32_t(1 + 256 * i), "t" + std::to_string(i) + ".tsx");
    const std::string bigTileset =
        korvexTilesetXml(1, 2) + "<!--" + std::string(size_t(100) << 10, 'x') + "-->";

    return {
        {"broken XML", mapXml(40, 24, ts, csvData(screen)).substr(0, 300),
         "the map is not well-formed XML: "},
        {"no map", "<tileset/>", "this is no Tiled map: its first element is <tileset>, not <map>"},
        {"empty file", "", "the map is not well-formed XML: No document element found at byte 0"},
        {"tileset out of the folder", mapXml(40, 24, external(1, "../x.tsx"), csvData(screen)),
         "the tileset path \"../x.tsx\" leaves the map's folder"},
        {"absolute tileset", mapXml(40, 24, external(1, "/etc/x.tsx"), csvData(screen)),
         "the tileset path \"/etc/x.tsx\" is absolute"},
        {"broken tileset", mapXml(40, 24, external(1, "a.tsx"), csvData(screen)),
         "the tileset \"a.tsx\" is not well-formed XML", "<tileset"},
        {"id beyond the tilesets", mapXml(2, 1, ts, csvData({1, 257})),
         "the tile at row 0, column 1 has the id 257, which no tileset of the map holds"},
        {"short CSV", mapXml(40, 24, ts, csvData(std::vector<uint32_t>(959, 1))),
         "the layer data holds 959 tiles; the layer's size needs 960"},
        {"long CSV", mapXml(40, 24, ts, csvData(std::vector<uint32_t>(961, 1))),
         "the layer data holds more than 960 tiles; the layer's size needs 960"},
        {"CSV junk", mapXml(3, 1, ts, "<data encoding=\"csv\">1,x,3</data>"),
         "the CSV layer data holds \"x\" where a tile id should be"},
        {"CSV id too large", mapXml(1, 1, ts, "<data encoding=\"csv\">4294967296</data>"),
         "the CSV layer data holds a tile id beyond 4294967295"},
        {"short base64", mapXml(40, 24, ts, base64Data(std::vector<uint32_t>(959, 1), "")),
         "the base64 layer data holds 3836 bytes; the layer's 960 tiles take 3840"},
        {"short zlib", mapXml(40, 24, ts, base64Data(std::vector<uint32_t>(959, 1), "zlib")),
         "the base64 layer data holds 3836 bytes; the layer's 960 tiles take 3840"},
        {"bad base64", mapXml(1, 1, ts, "<data encoding=\"base64\">AQAA*AAA</data>"),
         "the base64 layer data is not valid base64"},
        {"zlib bomb",
         mapXml(40, 24, ts,
                "<data encoding=\"base64\" compression=\"zlib\">" + base64Of(bomb) + "</data>"),
         "the zlib layer data expands beyond the 3840 bytes of the layer's 960 tiles"},
        {"gzip bomb",
         mapXml(40, 24, ts,
                "<data encoding=\"base64\" compression=\"gzip\">" + base64Of(gzipBomb) + "</data>"),
         "the gzip layer data expands beyond the 3840 bytes of the layer's 960 tiles"},
        {"damaged zlib",
         mapXml(1, 1, ts, "<data encoding=\"base64\" compression=\"zlib\">AAAAAA==</data>"),
         "the zlib layer data is damaged or cut short"},
        {"zstd", mapXml(1, 1, ts, "<data encoding=\"base64\" compression=\"zstd\">AAAA</data>"),
         "the layer data is compressed with \"zstd\", which is not read"},
        {"huge map", mapXml(100000, 100000, ts, csvData({1})),
         "<map> has width=\"100000\"; a whole number 1..65536 is expected"},
        {"huge area", mapXml(1000, 1000, ts, csvData({1})),
         "the map is 1000 x 1000 tiles; at most 65536 tiles (256 x 256) are read"},
        {"size beyond numbers",
         replaced(mapXml(1, 1, ts, csvData({1})), "width=\"1\"", "width=\"99999999999999999999\""),
         "a whole number 1..65536 is expected"},
        {"infinite", "<map width=\"40\" height=\"24\" infinite=\"1\"/>",
         "this is an infinite map; save it with a fixed size"},
        {"too many tilesets", mapXml(1, 1, manyTilesets, csvData({1})),
         "the map names more than 64 tilesets"},
        {"a file of elements", "<map width=\"1\" height=\"1\">" + elements + "</map>",
         "the map has no tile layer"},
        {"a file of attributes", "<map width=\"1\" height=\"1\">" + attributes + "</map>",
         "the map has no tile layer"},
        {"elements in the map and its tileset",
         "<map width=\"1\" height=\"1\">" + elements.substr(0, kMaxTmxFileBytes / 2 - 200) +
             external(1, "t.tsx") + elements.substr(0, kMaxTmxFileBytes / 2 - 200) + "</map>",
         "the map has no tile layer", tilesetXml("t", 256, tilesetElements)},
        {"groups nested 60000 deep", "<map width=\"1\" height=\"1\">" + nested + "</map>",
         "the tile layer \"\" has no data"},
        {"too large", mapXml(1, 1, ts, csvData({1})) + "<!--" + zeros(kMaxTmxFileBytes) + "-->",
         "the map file is larger than 1024 KB"},
        {"tilesets too large in all", mapXml(1, 1, manyFiles, csvData({1})),
         "the map's tilesets take more than 512 KB in all", bigTileset},
        {"overlapping tilesets",
         mapXml(1, 1, ts + embedded(100, korvexTilesetXml(2, 2)), csvData({1})),
         "the tilesets \"Korvex font 1 mode 2\" and \"Korvex font 2 mode 2\" share tile ids"},
        {"chunks", mapXml(1, 1, ts, "<data encoding=\"csv\"><chunk/></data>"),
         "the layer data comes in chunks"},
        {"layer of another size",
         replaced(mapXml(2, 2, ts, csvData({1, 1, 1, 1})), "name=\"Screen 0\" width=\"2\"",
                  "name=\"Screen 0\" width=\"4\""),
         "the tile layer is 4 x 2 tiles, the map 2 x 2"},
    };
}

TEST(TmxHostileMaps, EachIsRefusedWithItsMessageCheaply) {
    for (const Hostile& hostile : hostileMaps()) {
        SCOPED_TRACE(hostile.what);
        Cost cost;
        const TmxReadResult read = readCounted(bytesOf(hostile.map), hostile.tileset, cost);
        EXPECT_FALSE(read.map);
        EXPECT_NE(read.error.find(hostile.message), std::string::npos) << read.error;
        EXPECT_LE(cost.bytes, kMaxBytes);
#ifdef NDEBUG // unoptimised and sanitised builds are many times slower
        EXPECT_LE(cost.milliseconds, kMaxMilliseconds);
#endif
    }
}

TEST(TmxHostileMaps, TheLargestMapReadIsCheapToo) {
    // 256 x 256 tiles of the largest ids of ten tilesets, in CSV and as zlib.
    std::string tilesets;
    for (int i = 0; i < 10; ++i)
        tilesets += embedded(uint32_t(1 + 256 * i), korvexTilesetXml(i + 1, 2));
    const std::vector<uint32_t> cells(size_t(kMaxTmxCells), 2560);
    for (const std::string& data : {csvData(cells), base64Data(cells, "zlib")}) {
        Cost cost;
        const TmxReadResult read = readCounted(bytesOf(mapXml(256, 256, tilesets, data)), "", cost);
        ASSERT_TRUE(read.map) << read.error;
        EXPECT_EQ(read.map->cells.size(), cells.size());
        EXPECT_LE(cost.bytes, kMaxBytes);
#ifdef NDEBUG
        EXPECT_LE(cost.milliseconds, kMaxMilliseconds);
#endif
    }
}

} // namespace
