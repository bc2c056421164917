#pragma once

// Inside the platform: looks resources up in the registered module, falling
// back to the platform's own standard strings.

#include "ResourceTypes.h"

namespace platform::res {

const DialogTemplate* FindDialog(unsigned id);
const MenuTemplate* FindMenu(unsigned id);
const char* FindString(unsigned id);  // null when absent
const AcceleratorTable* FindAccelerators(unsigned id);
const ToolbarTemplate* FindToolbar(unsigned id);
const Image* FindImage(unsigned id, ImageKind kind);

}  // namespace platform::res
