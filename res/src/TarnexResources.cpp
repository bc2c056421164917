#include "TarnexResources.h"

#include "ResourceParts.h"

const platform::res::ResourceModule& TarnexResources() {
    using namespace tarnex::res;
    static const platform::res::ResourceModule module{MakeDialogs(),  MakeMenus(),
                                                      MakeStrings(),  MakeAccelerators(),
                                                      MakeToolbars(), MakeImages()};
    return module;
}
