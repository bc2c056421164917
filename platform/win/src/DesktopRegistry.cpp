// The installed desktop; the Qt desktop unless a test installs another.

#include "Desktop.h"
#include "QtDesktop.h"

namespace platform {
namespace {
Desktop* g_installed = nullptr;
}

void SetDesktop(Desktop* desktop) {
    g_installed = desktop;
}

Desktop& GetDesktop() {
    if (g_installed) return *g_installed;
    static Desktop* qt = qt::CreateQtDesktop().release();  // lives to the end of the process
    return *qt;
}

}  // namespace platform
