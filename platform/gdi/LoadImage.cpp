// LoadImageA for bitmaps: from the program's resources, or from a .bmp file.
#include "base/Fence.h"
#include "base/HostFiles.h"
#include "resources/ResourceTemplates.h"
#include "gdi/BitmapFile.h"

#include <windows.h>

#include <string>
#include <vector>

namespace platform::gdi {
namespace {

// Larger files cannot hold an image we accept.
constexpr size_t kMaxFileSize = size_t{256} << 20;

bool LoadFromFile(LPCSTR name, Image* image)
{
    if (IS_INTRESOURCE(name)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::vector<uint8_t> bytes;
    if (ReadRegularFile(HostPath(name), kMaxFileSize, &bytes) != FileRead::Ok) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (!ReadBmpFile(bytes.data(), bytes.size(), image)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

bool LoadFromResource(HINSTANCE instance, LPCSTR name, Image* image)
{
    // Only the program's own module holds resources; a null instance names the system's
    // own images, which we do not have.
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!instance || instance != GetModuleHandleA(nullptr) ||
        !res::FindProgramResource(RT_BITMAP, name, &data, &size)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    if (!ReadDib(data, size, image)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

} // namespace
} // namespace platform::gdi

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    return platform::Win32Call<HANDLE>(nullptr, [&]() -> HANDLE {
        using namespace platform::gdi;
        if (type != IMAGE_BITMAP || !name || cx < 0 || cy < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        Image image;
        const bool loaded = (fuLoad & LR_LOADFROMFILE) ? LoadFromFile(name, &image) : LoadFromResource(hInst, name, &image);
        if (!loaded)
            return nullptr;
        // 0 keeps the image's own width or height; anything else stretches to it.
        const int width = cx ? cx : image.width;
        const int height = cy ? cy : image.height;
        if (width != image.width || height != image.height) {
            Image resized;
            if (!ResizeImage(image, width, height, &resized)) {
                SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                return nullptr;
            }
            image = std::move(resized);
        }
        return CreateBitmap(std::move(image));
    });
}
