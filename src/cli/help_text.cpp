#include "cli/help_text.h"

#include "cli/arguments.h"

#include <map>

namespace korvex::cli {

namespace {

struct CommandHelp {
    std::string usage;   // after "korvex-cli "
    std::string summary; // one line for the general help
    std::string details; // the rest of the command's help
};

const std::string kLanguages =
    "LANG is the language of the export window, by number or name:\n"
    "  0 asm-dec     Assembler: Byte in decimal\n"
    "  1 asm-hex     Assembler: Byte in hexadecimal\n"
    "  2 action-dec  Action!: Byte in decimal\n"
    "  3 action-hex  Action!: Byte in hexadecimal\n"
    "  4 basic       Atari Basic\n"
    "  5 madpascal   MadPascal: Array byte in hexadecimal\n"
    "  6 fastbasic   FastBasic\n"
    "The text is UTF-8 with CR LF after every line, exactly as the editor saves it.\n"
    "Without -o, or with -o -, it goes to standard output.\n";

const std::map<std::string, CommandHelp>& helps() {
    static const std::map<std::string, CommandHelp> table = {
        {"export-font",
         {"export-font FONT.fnt --lang LANG [-o OUT.txt]", "a font as source text",
          "Writes the font export of the export window for the 128 glyphs of FONT.fnt.\n"
          "The font file is read as \"Load Font\" reads it: a shorter file leaves the\n"
          "missing glyph bytes 0, bytes past 1024 are ignored (both with a warning).\n\n" +
              kLanguages}},
        {"export-screen",
         {"export-screen FILE [--screen N] [--range X,Y,W,H] --lang LANG [-o OUT.txt]",
          "a View Editor screen or range as source text",
          "Writes the screen export (or, with --range, the range export) of the View\n"
          "Editor. FILE is View Editor data (nine screens) or screen data (one screen):\n"
          "a name ending in .ved2 or .sved2 (any case) says which; any other name is\n"
          "taken as screen data when it is 960 bytes or shorter, else as nine screens.\n\n"
          "  --screen N       the screen of a .ved2 file, 0..8 (default 0)\n"
          "  --range X,Y,W,H  the range with its top-left cell at column X (0..39) and\n"
          "                   row Y (0..23), W (1..40) cells wide and H (1..24) high;\n"
          "                   cut at the screen's right and bottom edges as the editor\n"
          "                   cuts it\n\n" +
              kLanguages}},
        {"font-to-image",
         {"font-to-image FONT.fnt -o OUT.png|OUT.bmp [--scale 1..4] [--four-colour] "
          "[--colours FILE.col]",
          "a font as a PNG or BMP picture",
          "Writes the picture of \"Export to image\": glyphs 0..127 in four rows of 32\n"
          "and their inverse forms below, 256 x 64 pixels times the scale. The name of\n"
          "OUT chooses the format (.png or .bmp); with -o - a PNG picture goes to\n"
          "standard output.\n\n"
          "  --scale M          1..4 (default 1)\n"
          "  --four-colour      draw in the four-colour mode (default two-colour)\n"
          "  --colours FILE.col the colours of a colour file (default: the colours the\n"
          "                     editor starts with)\n"}},
        {"image-to-font",
         {"image-to-font IMAGE -o OUT.fnt [--at X,Y] [--background RRGGBB]",
          "a PNG or BMP picture into a font",
          "Does what \"Import to font\" of the import window does: the picture lies at\n"
          "(0,0) on the 576 x 342 import canvas over black, and the 256 x 32 frame at\n"
          "X,Y gives glyphs 0..127, 32 to a row. Every pixel whose colour differs from\n"
          "the background colour is set, every other one is clear. Pixels beyond the\n"
          "canvas count as background.\n\n"
          "  --at X,Y             top-left corner of the frame (default 0,0)\n"
          "  --background RRGGBB  the background colour (\"Color 0\"), red first as in\n"
          "                       HTML colours, e.g. FF0000 for red (default 000000);\n"
          "                       the import window shows the same colour as $BBGGRR\n"}},
        {"set-to-bin",
         {"set-to-bin (SET.set | SETS.sets --set N) FONT.fnt -o OUT.bin",
          "the glyph bytes of a set",
          "Writes what \"Export Set to bin...\" writes: the eight bytes of the glyph in\n"
          "every filled cell of the set, cells in order 0..24 (left to right, top to\n"
          "bottom); empty cells give nothing.\n\n"
          "  --set N   the set (1..100) of a file of all sets; without --set the file\n"
          "            must hold one set\n"}},
        {"extract",
         {"extract PROJECT.proj2 (--font N | --sets | --screens | --colours N) -o OUT",
          "a font, the sets, the screens or a font's colours out of a project",
          "Opens the project as the editor does and writes one part of it in the file\n"
          "the editor saves that part as:\n\n"
          "  --font N     font N (1..10) as a .fnt file\n"
          "  --sets       all 100 sets as a .sets file\n"
          "  --screens    the nine View Editor screens as a .ved2 file\n"
          "  --colours N  the colours of font N (1..10) as a .col file; a project holds\n"
          "               no Atari register values, so those are the start-up ones\n\n"
          "A project without the lines of the chosen part is refused.\n"}},
        {"font-report",
         {"font-report FONT.fnt [--project P.proj2 --font N] [--inverse] [--mirror] [--json] "
          "[-o OUT.txt]",
          "duplicate, empty and unused glyphs of a font",
          "Reports, one line each, the groups of glyphs drawn more than once, the empty\n"
          "glyphs and, with a project, how often the project's sets and screens use each\n"
          "glyph and which glyphs they never use:\n\n"
          "  duplicates: 3,7 5,40,90\n"
          "  empty: 100 101\n"
          "  uses: 8638 0 2 ...\n"
          "  unused: 1 4 6 ...\n\n"
          "Glyphs are decimal codes 0..127. \"duplicates\" lists the groups in ascending\n"
          "order of their first code, codes joined by \",\" and groups by a space; empty\n"
          "glyphs are never duplicates.\n"
          "\"uses\" holds 128 counts, glyph 0 first. A code c in a set or screen cell uses\n"
          "glyph c mod 128 (128..255 are inverse uses); a set cell holding anything\n"
          "outside 0..255 uses nothing. An empty list leaves nothing after the colon.\n"
          "Lines end in LF; without -o, or with -o -, the report goes to standard output.\n\n"
          "  --project P.proj2  count the uses in the sets and screens of the project\n"
          "  --font N           with --project: the font of the project (1..10) that\n"
          "                     FONT.fnt takes the place of\n"
          "  --inverse          a glyph equal to another with every bit flipped counts\n"
          "                     as a duplicate too\n"
          "  --mirror           so does one equal to another mirrored left to right, top\n"
          "                     to bottom or both (turned by 180 degrees), pixel by\n"
          "                     pixel as in two-colour mode; with --inverse too, any\n"
          "                     combination of the changes\n"
          "  --json             the same facts as one line of JSON:\n"
          "                     {\"duplicates\":[[3,7],[5,40,90]],\"empty\":[100,101],\n"
          "                     \"uses\":[...],\"unused\":[...]}, the last two only\n"
          "                     with a project\n"}},
        {"merge-duplicates",
         {"merge-duplicates PROJECT.proj2 --font N -o OUT.proj2",
          "merge the duplicate glyphs of a project's font",
          "Does \"Merge into first\" for every group of exactly equal glyphs of font N\n"
          "(1..10) of the project: every set cell and screen cell showing a later glyph\n"
          "of a group is rewritten to the group's first glyph (an inverse code stays\n"
          "inverse) and the later glyphs are cleared. Cells holding codes outside 0..255\n"
          "are left as they are. OUT.proj2 is the project as the editor saves it, and a\n"
          "line on standard output (on standard error with -o -) says what changed:\n\n"
          "  font 2: 3 glyphs merged in 2 groups, 3 set cells and 3 screen cells rewritten\n\n"
          "A font with no duplicates changes nothing: OUT.proj2 holds the same work\n"
          "(written in the editor's own form, which may differ in layout from a\n"
          "hand-written file), and the line says \"font N has no duplicate glyphs:\n"
          "nothing merged\".\n"
          "A project without a FONT_DATA_N= line is refused.\n"}},
        {"screen-to-image",
         {"screen-to-image PROJECT.proj2 --screen N [--font F] [--mode 2|4] [--scale K] "
          "-o OUT.png|OUT.bmp",
          "a screen of a project as the Atari shows it, as a picture",
          "Draws View Editor screen N (0..8) of the project as the Atari view does: 320\n"
          "pixels wide, every row in the font, colours and text mode of the screen's row\n"
          "table. Mode 2 and 4 rows are 8 scanlines high, mode 5 rows 16 (every glyph\n"
          "line twice); a mode 4 or 5 pixel is 2 pixels wide. Each row shows its font's\n"
          "colour set: two-colour rows LUM on BAK, four-colour rows BAK, PF0, PF1 and\n"
          "PF2, codes 128..255 with LUM and BAK swapped or with PF3 for PF2. A screen\n"
          "of more than 240 scanlines is drawn whole, with a warning. The name of OUT\n"
          "chooses the format (.png or .bmp).\n\n"
          "  --screen N  the screen, 0..8\n"
          "  --font F    the font (1..10) of rows whose table entry follows the editor's\n"
          "              font (default 1)\n"
          "  --mode M    the mode of rows whose table entry follows the editor's mode:\n"
          "              2 two-colour or 4 four-colour (default 2)\n"
          "  --scale K   every pixel K x K (1..8, default 1)\n"}},
        {"display-list",
         {"display-list PROJECT.proj2 --screen N --screen-address A --dl-address D "
          "--font-address F=ADDR[,F=ADDR...] [--font F] [--mode 2|4] [--lang asm-dec|asm-hex] "
          "[-o OUT]",
          "the ANTIC display list of a screen, with its font and colour tables",
          "Writes, as assembler source, the display list that shows screen N (0..8) of\n"
          "the project with its row table (rows resolved as by screen-to-image):\n\n"
          "  DISPLAY_LIST  $70,$70,$70; row 0 as its mode + $40 with the screen address\n"
          "                (low, high); rows 1..23 as their mode (2, 4 or 5); $41 with the\n"
          "                list's own address. A row's byte has $80 added when the next\n"
          "                row has another font or other colours (the interrupt comes at\n"
          "                the end of that row).\n"
          "  ROW_CHBASE    24 bytes: the high byte of each row's font address.\n"
          "  ROW_COLORS    24 lines of five bytes: COLPF0, COLPF1, COLPF2, COLPF3 and\n"
          "                COLBK for each row; four-colour rows PF0, PF1, PF2, PF3, BAK,\n"
          "                two-colour rows PF0, LUM, BAK, PF3, BAK of the font's colours.\n\n"
          "The screen data itself is the screen export (export-screen).\n"
          "Addresses are decimal, $hexadecimal or %binary. Refused, with the rule named:\n"
          "a font address that is not a multiple of 1024, a font a row shows without an\n"
          "address, a display list crossing a 1 KB boundary, screen memory (960 bytes)\n"
          "crossing a 4 KB boundary. A screen of more than 240 scanlines gets a warning\n"
          "saying how many it has.\n\n"
          "  --screen N               the screen, 0..8\n"
          "  --screen-address A       where the screen's 960 bytes lie\n"
          "  --dl-address D           where the display list (32 bytes) lies\n"
          "  --font-address F=ADDR,.. where font F (1..10) lies, for every font shown\n"
          "  --font F, --mode M       as for screen-to-image\n"
          "  --lang asm-dec|asm-hex   bytes in decimal or hexadecimal (default asm-hex)\n"
          "Without -o the text goes to standard output.\n"}},
        {"screen-to-tmx",
         {"screen-to-tmx P.proj2 --screen N [--font F] [--mode 2|4] -o MAP.tmx",
          "a View Editor screen as a Tiled map",
          "Writes screen N (0..8) of the project as a map for the Tiled map editor:\n"
          "MAP.tmx, orthogonal, 40 x 24 tiles of 8 x 8 pixels, one tile layer \"Screen N\"\n"
          "with CSV data, and beside it one tileset for each font and mode the screen's\n"
          "rows use: MAP-fontF-modeM.tsx and its picture MAP-fontF-modeM.png, codes\n"
          "0..255 drawn as the Atari view draws them in that font's colours, 16 tiles a\n"
          "row. A cell with code C is the tile with id C of its row's tileset. Rows that\n"
          "follow the editor's font and mode take --font and --mode. Mode-5 rows are\n"
          "drawn 8 scanlines high (a map has one tile height); a map property says so.\n"
          "Properties of the map and the tilesets record the fonts, the modes and the\n"
          "row table, so tmx-to-screen takes the map back.\n\n"
          "  --screen N  the screen, 0..8\n"
          "  --font F    the font of rows that follow the current font, 1..10 (default 1)\n"
          "  --mode M    the mode of rows that follow the current mode: 2 two-colour\n"
          "              (default) or 4 four-colour\n\n"
          "Each file is written whole; the map comes last, after its tilesets.\n"}},
        {"tmx-to-screen",
         {"tmx-to-screen MAP.tmx --into P.proj2 --screen N -o OUT.proj2",
          "a Tiled map into a View Editor screen",
          "Takes the first tile layer of MAP.tmx into screen N (0..8) of the project and\n"
          "writes the project as the editor saves it. A tile with id C of a tileset\n"
          "screen-to-tmx wrote becomes code C, and the tileset's font and mode become\n"
          "the row's; a row whose tiles agree with the row table the map records keeps\n"
          "that entry. Layer data may be CSV or base64 (uncompressed, zlib or gzip);\n"
          "tilesets may be external or embedded. Cells without a tile become code 0. A\n"
          "map larger than 40 x 24 gives its top-left 40 x 24 cells, a smaller one\n"
          "leaves the rest of the screen empty; a warning says so.\n\n"
          "  --into P.proj2  the project the screen goes into\n"
          "  --screen N      the screen, 0..8\n\n"
          "Refused, with nothing written: broken XML; a tileset that is missing or cannot\n"
          "be read, or lies outside the map's folder (only files in that folder or\n"
          "below it are read); tile ids beyond every tileset; layer data of the wrong\n"
          "length or expanding beyond it; a map of more than 256 x 256 tiles; a flipped\n"
          "tile, a tile of another tileset, or tiles of two fonts or modes in one row\n"
          "(the message names the first such cell by row and column, from 0).\n"}},
        {"picture-to-screen",
         {"picture-to-screen IMAGE -o OUT.proj2 [--into P.proj2] [--screen N] [--mode 2|4] "
          "[--fonts F] [--first-font K] [--dither] [--json]",
          "a picture as a screen, its fonts and its row table",
          "Converts a PNG or BMP picture into screen N of a project: the picture fitted to\n"
          "320 x 192 (scaled with its aspect kept and centred; a 320 x 192 picture is\n"
          "taken as it is), its colours matched to Atari colours chosen for the least\n"
          "error, its 8 x 8 cells sharing glyphs where they are equal (or equal as\n"
          "inverse codes show them) and, where a font's rows hold more than 128\n"
          "distinct cells, similar cells merged. With F fonts the rows are split into\n"
          "bands, one font each, for the least error. The fonts K..K+F-1 get the glyphs\n"
          "and colour sets, the screen its codes and its row table; everything else\n"
          "stays as the project (or, without --into, as the editor starts) has it.\n"
          "Transparent pixels count as the background colour.\n\n"
          "  --into P.proj2    the project the conversion goes into (default: the\n"
          "                    project the editor starts with)\n"
          "  --screen N        the screen, 0..8 (default 0)\n"
          "  --mode M          2 two-colour (default) or 4 four-colour\n"
          "  --fonts F         fonts to use, 1..10 (default 1)\n"
          "  --first-font K    the first of them, 1..10 (default 1); K+F-1 may not\n"
          "                    pass 10\n"
          "  --dither          error-diffusion dithering within the chosen colours\n"
          "  --json            the figures as one JSON object\n\n"
          "Prints the figures on standard output: the PSNR in dB of the screen as the\n"
          "machine shows it against the colour-matched picture (both blurred 3 x 3), or\n"
          "\"exact\"; the share of Atari pixels that differ; each font's rows and glyphs\n"
          "used; the cells merged. With --json: {\"exact\":..,\"psnr_db\":..(null when\n"
          "exact),\"differing_share\":..,\"merged_cells\":..,\"fonts\":[{\"font\":..,\n"
          "\"first_row\":..,\"last_row\":..,\"glyphs\":..}]}.\n"}},
    };
    return table;
}

const std::string kExitStatus =
    "Exit status: 0 done; 1 an input cannot be used or the output cannot be written\n"
    "(nothing is written then); 2 wrong usage.\n"
    "The output is written whole or not at all, and never over an input. An existing\n"
    "output that is no regular file (a pipe, socket, device or folder) or that you\n"
    "may not write is refused and left alone; a replaced file keeps its permissions,\n"
    "owner and group.\n";

} // namespace

std::string commandUsage(const std::string& command) {
    const auto found = helps().find(command);
    return found == helps().end() ? std::string() : "korvex-cli " + found->second.usage;
}

std::string commandHelp(const std::string& command) {
    const auto found = helps().find(command);
    if (found == helps().end())
        return {};
    return "Usage: korvex-cli " + found->second.usage + "\n\n" + found->second.details + "\n" +
           kExitStatus;
}

std::string generalHelp() {
    std::string text = "Usage: korvex-cli COMMAND [ARGUMENTS]\n"
                       "       korvex-cli COMMAND --help\n"
                       "       korvex-cli --version\n\n"
                       "Converts the editor's files without opening a window, writing the "
                       "same bytes\nas the editor.\n\nCommands:\n";
    for (const CommandSpec& form : commandSpecs()) {
        std::string name = form.name;
        name.resize(18, ' ');
        text += "  " + name + helps().at(form.name).summary + "\n";
    }
    text += "\nOptions go before or after the files; \"--\" ends the options. -o OUT names "
            "the\noutput file (used exactly as given); -o - writes to standard output.\n\n" +
            kExitStatus;
    return text;
}

} // namespace korvex::cli
