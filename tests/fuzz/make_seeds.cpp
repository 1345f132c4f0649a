// Writes the seed inputs of each fuzzer into <dir>/<target>/: the fixtures of
// the native tests in the byte form each fuzzer reads. Code page 936 texts are
// spelled as bytes, since the fuzzers build without the 936 execution charset.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::string;

void Write(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Set32(Bytes& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutZ(Bytes& out, const std::string& s) {
    out += s;
    out.push_back('\0');
}
void PutWideZ(Bytes& out, const std::string& ascii) {
    for (const char c : ascii) Put16(out, static_cast<unsigned char>(c));
    Put16(out, 0);
}

// A shortcut laid out as the format publishes it.
Bytes Link(bool idList, int linkInfoFlags, bool unicodeInfo, const std::string& base, const std::string& suffix,
           bool arguments) {
    std::uint32_t flags = 0x80 | (idList ? 0x01 : 0) | (linkInfoFlags != 0 ? 0x02 : 0) | 0x10 |
                          (arguments ? 0x20 : 0);
    Bytes out(76, '\0');
    Set32(out, 0, 0x4C);
    const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    for (int i = 0; i < 16; ++i) out[4 + i] = static_cast<char>(clsid[i]);
    Set32(out, 20, flags);
    if (idList) {
        Put16(out, 6);
        out += std::string("\x04\x00\x7F\x7F\x00\x00", 6);
    }
    if (linkInfoFlags != 0) {
        const std::size_t start = out.size();
        const std::uint32_t headerSize = unicodeInfo ? 0x24 : 0x1C;
        Bytes info(headerSize, '\0');
        Set32(info, 4, headerSize);
        Set32(info, 8, static_cast<std::uint32_t>(linkInfoFlags));
        if (linkInfoFlags & 1) {
            Set32(info, 12, static_cast<std::uint32_t>(info.size()));
            Put32(info, 0x11);
            Put32(info, 3);
            Put32(info, 0x1234);
            Put32(info, 0x10);
            info.push_back('\0');
            Set32(info, 16, static_cast<std::uint32_t>(info.size()));
            PutZ(info, base);
        }
        if (linkInfoFlags & 2) {
            Set32(info, 20, static_cast<std::uint32_t>(info.size()));
            Put32(info, 0x14 + 8);
            Put32(info, 0);
            Put32(info, 0x14);
            Put32(info, 0);
            Put32(info, 0x20000);
            PutZ(info, "\\\\srv\\s");
        }
        Set32(info, 24, static_cast<std::uint32_t>(info.size()));
        PutZ(info, suffix);
        if (unicodeInfo) {
            Set32(info, 28, static_cast<std::uint32_t>(info.size()));
            PutWideZ(info, base);
            Set32(info, 32, static_cast<std::uint32_t>(info.size()));
            PutWideZ(info, suffix);
        }
        Set32(info, 0, static_cast<std::uint32_t>(info.size()));
        out += info;
        (void)start;
    }
    const std::string dir = "C:\\Apps";
    Put16(out, static_cast<std::uint32_t>(dir.size()));
    for (const char c : dir) Put16(out, static_cast<unsigned char>(c));
    if (arguments) {
        const std::string args = "--new file.txt";
        Put16(out, static_cast<std::uint32_t>(args.size()));
        for (const char c : args) Put16(out, static_cast<unsigned char>(c));
    }
    Put32(out, 0);
    return out;
}

Bytes Ints(const std::vector<int>& values) {
    Bytes out;
    for (const int v : values) Put32(out, static_cast<std::uint32_t>(v));
    return out;
}

// An icon bitmap entry: 40-byte header (height counts colour and mask rows),
// palette, bottom-up colour rows, 1-bit mask rows.
Bytes IconDib(int side, int bitCount) {
    Bytes out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(side));
    Put32(out, static_cast<std::uint32_t>(side * 2));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitCount));
    out += Bytes(24, '\0');
    const int paletteEntries = bitCount <= 8 ? (1 << bitCount) : 0;
    for (int i = 0; i < paletteEntries; ++i) Put32(out, 0x00102030u * static_cast<std::uint32_t>(i + 1));
    const int colourStride = ((side * bitCount + 31) / 32) * 4;
    for (int i = 0; i < colourStride * side; ++i) out.push_back(static_cast<char>(i * 37 + 0x80));
    const int maskStride = ((side + 31) / 32) * 4;
    for (int i = 0; i < maskStride * side; ++i) out.push_back(static_cast<char>(i % 3 == 0 ? 0xAA : 0));
    return out;
}

// An icon file with one directory entry per image, images after the directory.
Bytes IconFile(const std::vector<std::pair<int, Bytes>>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const auto& [side, image] : images) {
        out.push_back(static_cast<char>(side & 0xFF));
        out.push_back(static_cast<char>(side & 0xFF));
        out += Bytes(2, '\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(image.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(image.size());
    }
    for (const auto& [side, image] : images) out += image;
    return out;
}

// A PNG signature and IHDR chunk, an empty IDAT and IEND (CRCs left zero:
// the checks read lengths, not sums).
Bytes PngStub(int side) {
    Bytes out("\x89PNG\r\n\x1A\n", 8);
    const auto chunk = [&out](const char* type, const Bytes& body) {
        const std::uint32_t n = static_cast<std::uint32_t>(body.size());
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((n >> shift) & 0xFF));
        out += type;
        out += body;
        out += Bytes(4, '\0');
    };
    Bytes ihdr;
    for (int k = 0; k < 2; ++k)
        for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(static_cast<char>((side >> shift) & 0xFF));
    ihdr += Bytes("\x08\x06\x00\x00\x00", 5);
    chunk("IHDR", ihdr);
    chunk("IDAT", Bytes());
    chunk("IEND", Bytes());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <dir>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];

    const auto link = root / "fuzz_shell_link";
    Write(link, "local", Link(true, 1, false, "C:\\Apps\\Editor\\editor.exe", "", true));
    Write(link, "no_id_list", Link(false, 1, false, "C:\\Apps\\editor.exe", "", false));
    Write(link, "split", Link(true, 3, false, "C:\\Users\\", "me\\Downloads", false));
    Write(link, "unicode", Link(true, 3, true, "C:\\Users\\", "me\\Desktop", true));
    Write(link, "network", Link(true, 2, false, "", "Docs\\a.pdf", false));
    Write(link, "gbk", Link(true, 1, false, "D:\\\xC8\xED\xBC\xFE\\\xB1\xE0\xBC\xAD\xC6\xF7.exe", "", true));
    Write(link, "no_link_info", Link(true, 0, false, "", "", true));

    const auto text = root / "fuzz_text_rules";
    const std::pair<int, Bytes> texts[] = {
        {6, "abcdefghi"},
        {6, "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF\xB0\xCB"},
        {3, "ab\r\ncdefg"},
        {4, "\xB1\xE0\xBC\xAD\xC6\xF7\xB1"},
        {0, "C:\\"},
        {0, "C:\\Apps\\Editor\\editor.exe"},
        {0, "C:\\x\\\x95\x5C" "a.exe"},
        {0, "a.b/c"},
        {0, "C:\\a\\setup.v2 beta"},
        {0, "\xC9\xBE\xB3\xFD"},
        {0, "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE\xC4\xBF\xC2\xBC"},
        {-1, "http://example.com/index.html"},
    };
    int i = 0;
    for (const auto& [n, t] : texts) Write(text, "case" + std::to_string(i++), Ints({n}) + t);

    const auto config = root / "fuzz_config_text";
    Write(config, "gbk", "{\"name\":\"\xD0\xC2\xBD\xA8\xB7\xD6\xD7\xE9\"}");
    Write(config, "utf8", "{\"name\":\"\xE6\x96\xB0\xE5\xBB\xBA\xE5\x88\x86\xE7\xBB\x84\"}");
    Write(config, "bom", "\xEF\xBB\xBF{\"a\":1}\r\n");
    Write(config, "zero", std::string("{}\0\xC3\xA9", 5));
    Write(config, "four_bytes", "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    Write(config, "surrogate", "\xED\xA0\x80");

    const auto geometry = root / "fuzz_geometry";
    // window left, top, width, height, mouse x, y, screen width, height, columns, index
    Write(geometry, "docked_top", Ints({300, 0, 500, 400, 1000, 600, 1920, 1080, 13, 14}));
    Write(geometry, "corner", Ints({1420, 0, 500, 400, 100, 700, 1920, 1080, 13, 1}));
    Write(geometry, "left", Ints({-499, 300, 500, 400, 1, 450, 1920, 1080, 13, 10}));
    Write(geometry, "band", Ints({106, 265, 981, 678, 296, 240, 1920, 1080, 13, 3}));
    Write(geometry, "extreme", Ints({INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, 0, 0, 0,
                                     INT32_MIN}));

    const auto treedoc = root / "fuzz_treedoc";
    Write(treedoc, "board", "/navigation/0/file/0/name\n{\"width\":981,\"height\":678,\"navigation\":"
                            "[{\"name\":\"\xE5\xB8\xB8\xE7\x94\xA8\",\"file\":[{\"name\":\"a\",\"address\":\"C:\\\\a.exe\","
                            "\"root_privilege\":0}]}]}");
    Write(treedoc, "escapes", "/a~1b/~0\n{\"a/b\":{\"~\":[1.5e300,-0,true,null]}}");
    Write(treedoc, "array", "/-\n[1,2,3]");
    Write(treedoc, "number", "\n-2147483649");

    const auto picture = root / "fuzz_tile_picture";
    Write(picture, "icon_32bpp", IconFile({{2, IconDib(2, 32)}}));
    Write(picture, "icon_depths", IconFile({{4, IconDib(4, 1)}, {4, IconDib(4, 4)}, {3, IconDib(3, 8)},
                                            {3, IconDib(3, 24)}, {2, IconDib(2, 16)}}));
    Write(picture, "icon_png", IconFile({{16, PngStub(16)}, {2, IconDib(2, 32)}}));
    Write(picture, "png", PngStub(5));
    Bytes bmp("BM", 2);
    const Bytes dib = IconDib(2, 24).substr(0, 40 + 16);
    Put32(bmp, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(bmp, 0);
    Put32(bmp, 54);
    Write(picture, "bmp", bmp + dib);
    return 0;
}
