#include "platform/win32/resources.h"

#include "platform/win32/png_picture.h"
#include "resources/resource_ids.h"

namespace kestrow::win32 {

namespace {

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

OwnedBitmap loadPicture(Picture picture)
{
    const int id = pictureId(picture);
    if (!id) return {};
    // Resource memory lasts as long as the module: nothing to free.
    HRSRC found = FindResourceW(module(), MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module(), found) : nullptr;
    const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return decodePng({bytes, SizeofResource(module(), found)});
}

}  // namespace kestrow::win32
