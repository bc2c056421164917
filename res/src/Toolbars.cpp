#include "ResourceParts.h"
#include "StandardIds.h"
#include "resource.h"

namespace tarnex::res {

std::vector<platform::res::ToolbarTemplate> MakeToolbars() {
    constexpr unsigned kSeparator = 0;
    // Buttons cut in order from bitmap IDR_MAINFRAME; separators take no image.
    return {{IDR_MAINFRAME,
             16,
             15,
             {std_id::kFileNew, std_id::kFileOpen, std_id::kFileSave, kSeparator, std_id::kEditCut,
              std_id::kEditCopy, std_id::kEditPaste, kSeparator, std_id::kFilePrint, kSeparator,
              std_id::kAppAbout}}};
}

}  // namespace tarnex::res
