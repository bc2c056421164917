#include "ResourceParts.h"
#include "StandardIds.h"
#include "resource.h"

namespace tarnex::res {

std::vector<platform::res::StringEntry> MakeStrings() {
    return {
        {IDS_RUNNING, "Quill*Marsh Database Manager - running."},
        {IDR_MAINFRAME, "Database Manager V12"},
        {IDR_TARNEXTYPE, "\nTARNEX\nTARNEX\n\n\nTARNEX.Document\nTARNEX Document"},
        {IDS_NOTLOGGEDIN, "Quill*Marsh Database Manager - Not Logged In."},
        {ID_TRAY_HIDE, "Hide the Database Manager "},
        {std_id::kAppTitleString, "TARNEX"},
        {std_id::kIdleMessageString, "Ready"},
    };
}

}  // namespace tarnex::res
