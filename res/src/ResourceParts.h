#pragma once

// Builders of the resource tables, one per kind; TarnexResources() joins them.

#include <vector>

#include "platform/win/ResourceTypes.h"

namespace tarnex::res {

std::vector<platform::res::StringEntry> MakeStrings();
std::vector<platform::res::MenuTemplate> MakeMenus();
std::vector<platform::res::AcceleratorTable> MakeAccelerators();
std::vector<platform::res::ToolbarTemplate> MakeToolbars();
std::vector<platform::res::DialogTemplate> MakeDialogs();
std::vector<platform::res::Image> MakeImages();

}  // namespace tarnex::res
