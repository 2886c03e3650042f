// What the windows show as the system draws it: the follow window's PNG
// pictures, pixel for pixel what the 24-bit BMPs they replaced showed; the
// icon's PNG-compressed sizes; and a glyph in the font asked for behind
// every character of every caption (under Wine, the prefix's font set-up).
#include "platform/win32/resources.h"
#include "platform/win32/text.h"
#include "tests/win32/win32_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kestrow::win32 {
namespace {

// "width x height digest" of the bitmap a picture control shows; the digest
// is FNV-1a over its rows top down, B G R a pixel, without row padding.
std::string shownBy(HWND pictureControl)
{
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return "no bitmap";
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.bmWidth, -size.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const LONG rowBytes = size.bmWidth * 3, stride = (rowBytes + 3) & ~3;
    std::vector<BYTE> rows(static_cast<size_t>(stride * size.bmHeight));
    const HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), rows.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (read != size.bmHeight) return "unreadable";
    std::uint64_t digest = 14695981039346656037u;
    for (LONG y = 0; y < size.bmHeight; ++y) {
        const BYTE* row = rows.data() + y * stride;
        for (LONG x = 0; x < rowBytes; ++x) digest = (digest ^ row[x]) * 1099511628211u;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%ldx%ld %016llx", size.bmWidth, size.bmHeight,
                  static_cast<unsigned long long>(digest));
    return text;
}

TEST(Appearance, FollowWindowPicturesShowTheirPixelsUnchanged)
{
    testing::Win32Program rig;
    FollowWindow& follow = rig.program.follow().refer();
    // Digests of the 24-bit BMPs the pictures were kept as before.
    EXPECT_EQ(shownBy(rig.control(follow, "Picture1")), "291x282 2921f0e37a1050b6");  // bilibili
    EXPECT_EQ(shownBy(rig.control(follow, "Picture2")), "245x230 6e4cc1368cf4ee8c");  // youku
    EXPECT_EQ(shownBy(rig.control(follow, "Picture3")), "205x260 34d2342b3523f06a");  // wechat
    EXPECT_EQ(shownBy(rig.control(follow, "Picture4")), "198x258 dffb16820b9e7835");  // qqgroup
    EXPECT_EQ(shownBy(rig.control(follow, "Picture5")), "319x268 f8dfd069edf2aa75");  // tudou
    EXPECT_EQ(shownBy(rig.control(follow, "Picture6")), "205x260 af2f47c9987221ff");  // tieba
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
