// make-icons OUTDIR
//
// Writes the module's 16 by 16, 16-colour icons as .ico files into OUTDIR (the committed copies
// live in resources/icons and are compiled into comtree.dll by resources/comtree.rc). At this
// size every pixel is a decision, so the pictures are kept as pixel art in the standard
// 16-colour palette rather than drawn with GDI; each letter below is one palette entry and '.'
// is transparent (set in the AND mask), so the icons sit on whatever the tree view paints.
//
//   K black   m maroon  g green    o olive   n navy  p purple   t teal  s silver
//   d grey    R red     G lime     Y yellow  B blue  M magenta  C cyan  W white
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int kSize = 16;

struct IconArt
{
    const char* name; // file name without .ico
    int id;           // resource id in comtree.rc
    const char* rows[kSize];
};

// The icons are drawn in the source, one row of pixels a line.
// clang-format off
const IconArt kIcons[] = {
    { "folder", 148,  // a yellow folder
      {
        "................",
        "................",
        "..KKKKK.........",
        ".KYWYYYK........",
        "KYWYYYYYKKKKKKK.",
        "KWWWWWWWWWWWWWYK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KWYYYYYYYYYYYYoK",
        "KYoooooooooooooK",
        "KKKKKKKKKKKKKKKK",
        "................",
      } },
    { "brick_wall", 222,  // a brick wall
      {
        "................",
        "ssssssssssssssss",
        "RRRRRRRsRRRRRRRs",
        "mmmmmmmsmmmmmmms",
        "ssssssssssssssss",
        "RRRsRRRRRRRsRRRR",
        "mmmsmmmmmmmsmmmm",
        "ssssssssssssssss",
        "RRRRRRRsRRRRRRRs",
        "mmmmmmmsmmmmmmms",
        "ssssssssssssssss",
        "RRRsRRRRRRRsRRRR",
        "mmmsmmmmmmmsmmmm",
        "ssssssssssssssss",
        "dddddddddddddddd",
        "................",
      } },
    { "beam_column_joint", 138,  // T-shaped beam and column joint
      {
        "................",
        "KKKKKKKKKKKKKKKK",
        "KWWWWWWWWWWWWWWK",
        "KRRRRRRRRRRRRRRK",
        "KssssssssssssssK",
        "KRRRRRRRRRRRRRRK",
        "KKKKKsRssRdKKKKK",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KsRssRdK....",
        "....KKKKKKKK....",
      } },
    { "flat_slab", 147,  // flat slab
      {
        "................",
        "................",
        "................",
        "....KKKKKKKKKKKK",
        "...KWWWWWWWWWWKK",
        "..KsRsssRsssRKdK",
        ".KRRRRRRRRRRKddK",
        "KsssRsssRsssKddK",
        "KKKKKKKKKKKKKddK",
        "KssssssssssssKdK",
        "KddddddddddddsKK",
        "KKKKKKKKKKKKKKK.",
        "................",
        "................",
        "................",
        "................",
      } },
    { "column", 228,  // I-shaped column
      {
        "................",
        "..KKKKKKKKKKKK..",
        "..KWWWWWWWWWWK..",
        "..KssssssssssK..",
        "..KKKKsssdKKKK..",
        ".....KsRdK......",
        ".....KsRdK......",
        ".....KsRdK......",
        ".....KsRdK......",
        ".....KsRdK......",
        ".....KsRdK......",
        "..KKKKsssdKKKK..",
        "..KWWWWWWWWWWK..",
        "..KssssssssssK..",
        "..KddddddddddK..",
        "..KKKKKKKKKKKK..",
      } },
    { "pile", 230,  // pointed pile
      {
        "....KKKKKKKK....",
        "....KWsssssK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        "....KWRssRdK....",
        ".....KWRRdK.....",
        ".....KWssdK.....",
        "......KWdK......",
        "......KsdK......",
        ".......KK.......",
      } },
    { "stairs", 234,  // flight of stairs
      {
        "................",
        "...........KKKKK",
        "...........KWWsK",
        "........KKKKsssK",
        "........KWWssssK",
        ".....KKKKsssssdK",
        ".....KWWsssssddK",
        "..KKKKsssssssdK.",
        "..KWWsssssssddK.",
        "KKKsssssssssdK..",
        "KWWssssssssddK..",
        "KssssssssssdK...",
        "KsssssssssddK...",
        "KssssssssddK....",
        "KKKKKKKKKKKK....",
        "................",
      } },
    { "ring", 236,  // yellow ring (ring beam)
      {
        "................",
        ".....KKKKKK.....",
        "...KKYYYYYYKK...",
        "..KYYWWYYYYYoK..",
        ".KYWYKKKKKKYYoK.",
        ".KYWK......KYoK.",
        "KYYK........KYoK",
        "KYYK........KYoK",
        "KYYK........KYoK",
        "KYYK........KYoK",
        ".KYoK......KooK.",
        ".KYYoKKKKKKooK..",
        "..KYooooooooK...",
        "...KKooooooKK...",
        ".....KKKKKK.....",
        "................",
      } },
    { "column_footing", 232,  // column on a stepped footing
      {
        "......KKKK......",
        "......KsRK......",
        "......KsRK......",
        "......KsRK......",
        "......KsRK......",
        "......KsRK......",
        "......KsRK......",
        "...KKKKsRKKKK...",
        "...KWWWWWWWWK...",
        "...KssssssssK...",
        "KKKKKKKKKKKKKKKK",
        "KWWWWWWWWWWWWWWK",
        "KssssssssssssssK",
        "KRRRRRRRRRRRRRRK",
        "KddddddddddddddK",
        "KKKKKKKKKKKKKKKK",
      } },
    { "storey", 149,  // storey outline (floor items)
      {
        "................",
        "................",
        "nnnnnnnnnnnnnnnn",
        "n..............n",
        "n.n..n..n..n...n",
        "n..............n",
        "nnnnnnnnnnnnnnnn",
        "n..............n",
        "n.n..n..n..n...n",
        "n..............n",
        "nnnnnnnnnnnnnnnn",
        "n..............n",
        "n.n..n..n..n...n",
        "n..............n",
        "nnnnnnnnnnnnnnnn",
        "................",
      } },
    { "component_box", 175,  // box (component items)
      {
        "................",
        ".....KKKKKKKK...",
        "....KWWWWWWWKK..",
        "...KWWWWWWWKsK..",
        "..KWWWWWWWKssK..",
        ".KKKKKKKKKsssK..",
        ".KsssssssKdssK..",
        ".KsssssssKdssK..",
        ".KsssssssKdssK..",
        ".KsssssssKdssK..",
        ".KsssssssKddsK..",
        ".KsssssssKdddK..",
        ".KsssssssKddK...",
        ".KsssssssKdK....",
        ".KKKKKKKKKK.....",
        "................",
      } },
    { "project_bars", 173,  // three coloured bars (the project item)
      {
        "................",
        "................",
        "..KKKKKKKKKKKK..",
        "..KRRRRRRRRRRK..",
        "..KRRRRRRRRRRK..",
        "..KKKKKKKKKKKK..",
        "................",
        "..KKKKKKKKK.....",
        "..KGGGGGGGK.....",
        "..KGGGGGGGK.....",
        "..KKKKKKKKK.....",
        "................",
        "..KKKKKKKKKKKKK.",
        "..KBBBBBBBBBBBK.",
        "..KBBBBBBBBBBBK.",
        "..KKKKKKKKKKKKK.",
      } },
    { "sloping_slab", 185,  // sloping slab
      {
        "................",
        "................",
        "..............KK",
        "............KKWK",
        "..........KKWWsK",
        "........KKWWsRsK",
        "......KKWWsRssdK",
        "....KKWWsRssddK.",
        "..KKWWsRssddKK..",
        "KKWWsRssddKK....",
        "KWsRssddKK......",
        "KsRsddKK........",
        "KRddKK..........",
        "KdKK............",
        "KK..............",
        "................",
      } },
    { "wizard_wand", 237,  // magic wand (the wizard root)
      {
        "..........Y.....",
        "..........Y.....",
        "...Y....YYWYY...",
        ".........YYY....",
        "..........Y..Y..",
        "Y........KK.....",
        "........KWdK....",
        ".......KWsdK....",
        "......KWsdK.....",
        ".....KWsdK...Y..",
        "....KWsdK.......",
        "...KKsdK........",
        "..KKKdK.........",
        ".KKKKK..........",
        "KKKKK...........",
        ".KKK............",
      } },
    { "generic_member", 238,  // generic member (beam with bars and stirrups)
      {
        "................",
        "................",
        "KKKKKKKKKKKKKKKK",
        "KWWWWWWWWWWWWWWK",
        "KRRRRRRRRRRRRRRK",
        "KsBssBssBssBsssK",
        "KsBssBssBssBsssK",
        "KsBssBssBssBsssK",
        "KRRRRRRRRRRRRRRK",
        "KddddddddddddddK",
        "KKKKKKKKKKKKKKKK",
        "................",
        "................",
        "................",
        "................",
        "................",
      } },
    { "custom_member", 239,  // custom member (a drawn part with a gear)
      {
        "................",
        "..KKKKKKKKKK....",
        "..KWWWWWWWWK....",
        "..KWsssssssK....",
        "..KWsRRRRRsK....",
        "..KWsRsssssK....",
        "..KWsRRRRsKKKK..",
        "..KWsRsssKYYYK..",
        "..KWsRsssKYWYYK.",
        "..KWssssKYYYYYK.",
        "..KKKKKKKYWYYK..",
        ".........KYYYK..",
        "..........KKK...",
        "................",
        "................",
        "................",
      } },
};
// clang-format on

// The standard VGA palette, in the order Windows uses for 4-bit bitmaps.
const RGBQUAD kPalette[16] = {
    { 0, 0, 0, 0 },       { 0, 0, 128, 0 },   { 0, 128, 0, 0 },   { 0, 128, 128, 0 },
    { 128, 0, 0, 0 },     { 128, 0, 128, 0 }, { 128, 128, 0, 0 }, { 192, 192, 192, 0 },
    { 128, 128, 128, 0 }, { 0, 0, 255, 0 },   { 0, 255, 0, 0 },   { 0, 255, 255, 0 },
    { 255, 0, 0, 0 },     { 255, 0, 255, 0 }, { 255, 255, 0, 0 }, { 255, 255, 255, 0 },
};
const char kLetters[] = "KmgonptsdRGYBMCW";

// Palette index of an art letter; -1 for transparent, -2 for a letter that means nothing.
int IndexOf(char ch)
{
    if (ch == '.')
        return -1;
    const char* p = std::strchr(kLetters, ch);
    return (p && ch) ? (int)(p - kLetters) : -2;
}

#pragma pack(push, 1)
struct IconDirEntry
{
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes, imageOffset;
};
#pragma pack(pop)

bool WriteIcon(const IconArt& art, const std::wstring& path, std::string& error)
{
    // XOR image: 4 bits a pixel, 8 bytes a row (already a multiple of 4); AND mask: 1 bit a
    // pixel, rows padded to 4 bytes. Both bottom-up, as in every DIB.
    BYTE xorBits[kSize * 8] = {};
    BYTE andBits[kSize * 4] = {};
    for (int y = 0; y < kSize; ++y) {
        const char* row = art.rows[y];
        if (!row || std::strlen(row) != (size_t)kSize) {
            error = std::string(art.name) + ": row " + std::to_string(y) + " is not 16 pixels";
            return false;
        }
        int dibRow = kSize - 1 - y;
        for (int x = 0; x < kSize; ++x) {
            int index = IndexOf(row[x]);
            if (index == -2) {
                error = std::string(art.name) + ": unknown colour letter '" + row[x] + "'";
                return false;
            }
            if (index < 0)
                andBits[dibRow * 4 + x / 8] |= (BYTE)(0x80 >> (x % 8));
            else
                xorBits[dibRow * 8 + x / 2] |= (BYTE)(x % 2 ? index : index << 4);
        }
    }

    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = kSize;
    ih.biHeight = kSize * 2; // an icon image counts the XOR and the AND halves
    ih.biPlanes = 1;
    ih.biBitCount = 4;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = sizeof(xorBits) + sizeof(andBits);
    ih.biClrUsed = 16;

    WORD dir[3] = { 0, 1, 1 }; // reserved, type icon, one image
    IconDirEntry entry = {};
    entry.width = kSize;
    entry.height = kSize;
    entry.colorCount = 16;
    entry.planes = 1;
    entry.bitCount = 4;
    entry.bytesInRes = sizeof(ih) + sizeof(kPalette) + sizeof(xorBits) + sizeof(andBits);
    entry.imageOffset = sizeof(dir) + sizeof(entry);

    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = "cannot create the file";
        return false;
    }
    struct
    {
        const void* p;
        DWORD n;
    } parts[] = {
        { dir, sizeof(dir) },           { &entry, sizeof(entry) },    { &ih, sizeof(ih) },
        { kPalette, sizeof(kPalette) }, { xorBits, sizeof(xorBits) }, { andBits, sizeof(andBits) },
    };
    bool ok = true;
    for (const auto& part : parts) {
        DWORD written = 0;
        ok = ok && WriteFile(h, part.p, part.n, &written, nullptr) && written == part.n;
    }
    CloseHandle(h);
    if (!ok)
        error = "cannot write the file";
    return ok;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: make-icons OUTDIR\n");
        return 2;
    }
    std::wstring dir = argv[1];
    CreateDirectoryW(dir.c_str(), nullptr);
    if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/')
        dir += L'\\';
    int count = 0;
    for (const IconArt& art : kIcons) {
        std::wstring name(art.name, art.name + std::strlen(art.name));
        std::string error;
        if (!WriteIcon(art, dir + name + L".ico", error)) {
            fwprintf(stderr, L"make-icons: %ls.ico (%d): %hs\n", name.c_str(), art.id,
                     error.c_str());
            return 1;
        }
        ++count;
    }
    wprintf(L"%d icons in %ls\n", count, argv[1]);
    return 0;
}
