#pragma once

// Inside the platform only: what HMENU, HICON and HACCEL are.

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "ResourceTypes.h"
#include "WinUser.h"

struct HMENU__ {
    struct Item {
        std::string text;
        UINT id = 0;
        UINT flags = 0;  // MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_DEFAULT, MF_POPUP
        std::unique_ptr<HMENU__> popup;
    };
    std::vector<Item> items;
    HMENU__* parent = nullptr;
};

struct HICON__ {
    QImage image;
    unsigned resourceId = 0;  // 0 when loaded from a file
};

struct HACCEL__ {
    std::vector<platform::res::Accelerator> entries;
};

namespace platform::win {

// A bitmap resource (or a null image when there is none).
QImage LoadBitmapResource(unsigned id);
// The live menu behind a handle, or null.
HMENU__* MenuFromHandle(HMENU hMenu);

}  // namespace platform::win
