#pragma once

#include "platform/win/ResourceTypes.h"

// All resources of the program: dialogs, menus, strings, accelerators, the
// toolbar, icons and bitmaps. The application registers them at start-up with
// platform::res::RegisterResourceModule.
const platform::res::ResourceModule& TarnexResources();
