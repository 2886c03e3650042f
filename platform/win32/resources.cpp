#include "platform/win32/resources.h"

#include "platform/win32/com_apartment.h"
#include "resources/resource_ids.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <span>

namespace kestrow::win32 {

namespace {

using Microsoft::WRL::ComPtr;

// Far above any picture of ours; keeps the buffer arithmetic below clear of overflow.
constexpr UINT kMaxSide = 4096;

// A 24-bit DIB section with the picture's pixels, or empty if the bytes are
// no PNG or the system cannot decode them. PNG is the pictures' format in
// the exe; the Windows Imaging Component that every supported Windows
// carries decodes it.
OwnedBitmap decodePng(std::span<const BYTE> png, ComApartment& com)
{
    // The first factory's class: CLSID_WICImagingFactory means the second
    // one in newer Windows SDKs, which Windows 7 without its platform update lacks.
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(com.create(CLSID_WICImagingFactory1, IID_PPV_ARGS(&factory)))) {
        return {};
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> to32, converter;
    // The stream only reads the bytes; WIC's signature lacks the const.
    // Windows' format converter turns a palette straight into 24-bit pixels;
    // Wine's (8.0) reaches 24 bits only from 24- and 32-bit pixels. So the
    // pixels pass through 32 bits first, a step that loses nothing on either.
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size()))) ||
        FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&to32)) ||
        FAILED(to32->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(to32.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || !width || !height || width > kMaxSide || height > kMaxSide) {
        return {};
    }

    // 24 bits without alpha, as a 24-bit BMP loaded with LR_CREATEDIBSECTION
    // gives: Common Controls 6 draws such a bitmap itself instead of taking
    // an alpha-blended copy of it. Top-down, so WIC's rows go in as they come.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    const UINT stride = (width * 3 + 3) & ~3u;  // DIB rows end on a 4-byte boundary
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) return {};
    return bitmap;
}

HINSTANCE module() { return GetModuleHandleW(nullptr); }

int pictureId(Picture picture)
{
    switch (picture) {
    case Picture::Youku: return KESTROW_IDB_YOUKU;
    case Picture::Bilibili: return KESTROW_IDB_BILIBILI;
    case Picture::Tudou: return KESTROW_IDB_TUDOU;
    case Picture::WeChat: return KESTROW_IDB_WECHAT;
    case Picture::QQGroup: return KESTROW_IDB_QQGROUP;
    case Picture::Tieba: return KESTROW_IDB_TIEBA;
    case Picture::None: break;
    }
    return 0;
}

}  // namespace

OwnedIcon loadWindowIcon(WindowIcon icon, int size)
{
    const int id = icon == WindowIcon::Power ? KESTROW_IDI_POWER : KESTROW_IDI_VORNIC;
    return OwnedIcon(static_cast<HICON>(LoadImageW(module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

OwnedCursor loadHandCursor()
{
    return OwnedCursor(static_cast<HCURSOR>(
        LoadImageW(module(), MAKEINTRESOURCEW(KESTROW_IDC_HAND_POINTER), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

OwnedBitmap loadPicture(Picture picture, ComApartment& com)
{
    const int id = pictureId(picture);
    if (!id) return {};
    // Resource memory lasts as long as the module: nothing to free.
    HRSRC found = FindResourceW(module(), MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module(), found) : nullptr;
    const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return decodePng({bytes, SizeofResource(module(), found)}, com);
}

}  // namespace kestrow::win32
