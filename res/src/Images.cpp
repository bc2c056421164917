#include "EmbeddedImages.h"
#include "ResourceParts.h"
#include "resource.h"

namespace tarnex::res {

using platform::res::Image;
using platform::res::ImageKind;

std::vector<Image> MakeImages() {
    using namespace embedded;
    return {
        {IDI_RUNNING, ImageKind::Icon, kRunningIco, kRunningIcoSize},
        {IDR_MAINFRAME, ImageKind::Icon, kTarnexIco, kTarnexIcoSize},
        {IDR_TARNEXTYPE, ImageKind::Icon, kDocumentIco, kDocumentIcoSize},
        {IDI_NOTLOGGEDIN, ImageKind::Icon, kNotloggedIco, kNotloggedIcoSize},
        {IDR_MAINFRAME, ImageKind::Bitmap, kToolbarBmp, kToolbarBmpSize},
    };
}

}  // namespace tarnex::res
