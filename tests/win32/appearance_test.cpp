// What the windows show as the system draws it: the follow window's PNG
// pictures, pixel for pixel what the 24-bit BMPs they replaced showed; the
// icon's PNG-compressed sizes; and a glyph in the font asked for behind
// every character of every caption (under Wine, the prefix's font set-up).
#include "platform/win32/resources.h"
#include "platform/win32/text.h"
#include "tests/win32/program_rig.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

struct Pixels {
    LONG width = 0;
    LONG height = 0;
    std::uint64_t digest = 0;  // FNV-1a of the rows top down, B G R a pixel, without row padding
    bool operator==(const Pixels&) const = default;
};

void PrintTo(const Pixels& p, std::ostream* out)
{
    *out << p.width << "x" << p.height << " 0x" << std::hex << p.digest << std::dec;
}

Pixels shownBy(HWND pictureControl)
{
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.bmWidth, -size.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const LONG stride = (size.bmWidth * 3 + 3) & ~3;
    std::vector<BYTE> rows(static_cast<size_t>(stride * size.bmHeight));
    const HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), rows.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (read != size.bmHeight) return {};
    std::uint64_t digest = 14695981039346656037u;
    for (LONG y = 0; y < size.bmHeight; ++y) {
        for (LONG x = 0; x < size.bmWidth * 3; ++x) digest = (digest ^ rows[static_cast<size_t>(y * stride + x)]) * 1099511628211u;
    }
    return {size.bmWidth, size.bmHeight, digest};
}

TEST(Appearance, FollowWindowPicturesShowTheirPixelsUnchanged)
{
    testing::Win32Program rig;
    FollowWindow& follow = rig.program.follow().refer();
    // Digests of the 24-bit BMPs the pictures were kept as before.
    const struct {
        const char* control;
        Pixels bmp;
    } pictures[] = {
        {"Picture1", {291, 282, 0x2921f0e37a1050b6}},  // bilibili
        {"Picture2", {245, 230, 0x6e4cc1368cf4ee8c}},  // youku
        {"Picture3", {205, 260, 0x34d2342b3523f06a}},  // wechat
        {"Picture4", {198, 258, 0xdffb16820b9e7835}},  // qqgroup
        {"Picture5", {319, 268, 0xf8dfd069edf2aa75}},  // tudou
        {"Picture6", {205, 260, 0xaf2f47c9987221ff}},  // tieba
    };
    for (const auto& p : pictures) EXPECT_EQ(shownBy(rig.control(follow, p.control)), p.bmp) << p.control;
}

TEST(Appearance, IconLoadsAtItsPngCompressedSizes)
{
    for (int size : {48, 256}) {
        const OwnedIcon icon = loadWindowIcon(WindowIcon::Vornic, size);
        ICONINFO parts{};
        ASSERT_TRUE(icon && GetIconInfo(icon.get(), &parts)) << size;
        BITMAP colour{};
        GetObjectW(parts.hbmColor, sizeof colour, &colour);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        EXPECT_EQ(colour.bmWidth, size);
    }
}

// Adds to missing each character of text that the font has no glyph for.
void addWithoutGlyph(HFONT font, const std::wstring& text, std::wstring& missing)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, before);
    DeleteDC(dc);
    for (size_t i = 0; i < text.size(); ++i) {
        if (glyphs[i] == 0xffff && missing.find(text[i]) == std::wstring::npos) missing += text[i];
    }
}

TEST(Appearance, EveryCaptionHasAGlyphForEachCharacterAndAllOfAscii)
{
    testing::ShownProgram rig;
    const HWND windows[] = {rig.hwndOf(rig.window()), rig.hwndOf(rig.program.about().refer()),
                            rig.hwndOf(rig.program.follow().refer())};
    std::wstring ascii;  // captions change while counting down ("停止!"): every printable character
    for (wchar_t c = 0x20; c < 0x7f; ++c) ascii += c;
    std::wstring missing;
    int checked = 0;
    for (HWND window : windows) {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            if (!font) continue;
            addWithoutGlyph(font, widen(windowText(child)) + ascii, missing);
            ++checked;
        }
    }
    EXPECT_EQ(narrow(missing), "") << "characters shown as boxes";
    EXPECT_GE(checked, 13 + 12 + 9);
}

}  // namespace
}  // namespace kestrow::win32
