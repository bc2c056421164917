#include "ResourceParts.h"
#include "StandardIds.h"
#include "platform/win/WinStyles.h"
#include "resource.h"

namespace tarnex::res {

std::vector<platform::res::AcceleratorTable> MakeAccelerators() {
    constexpr std::uint8_t kCtrl = FVIRTKEY | FCONTROL;
    constexpr std::uint8_t kShift = FVIRTKEY | FSHIFT;
    constexpr std::uint8_t kAlt = FVIRTKEY | FALT;
    return {{IDR_MAINFRAME,
             {
                 {kCtrl, 'N', std_id::kFileNew},
                 {kCtrl, 'O', std_id::kFileOpen},
                 {kCtrl, 'S', std_id::kFileSave},
                 {kCtrl, 'P', std_id::kFilePrint},
                 {kCtrl, 'Z', std_id::kEditUndo},
                 {kCtrl, 'X', std_id::kEditCut},
                 {kCtrl, 'C', std_id::kEditCopy},
                 {kCtrl, 'V', std_id::kEditPaste},
                 {kAlt, VK_BACK, std_id::kEditUndo},
                 {kShift, VK_DELETE, std_id::kEditCut},
                 {kCtrl, VK_INSERT, std_id::kEditCopy},
                 {kShift, VK_INSERT, std_id::kEditPaste},
                 {FVIRTKEY, VK_F6, std_id::kNextPane},
                 {kShift, VK_F6, std_id::kPrevPane},
             }}};
}

}  // namespace tarnex::res
