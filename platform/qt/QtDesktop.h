#pragma once

// The desktop on real Qt widgets: QMessageBox, QMenu, QFileDialog,
// QSystemTrayIcon, a help window over the compiled help file, the override
// cursor. Creates the QApplication on demand when none exists yet.

#include <memory>

#include "Desktop.h"

namespace platform::qt {

std::unique_ptr<Desktop> CreateQtDesktop();

// Creates the QApplication when none exists (never quitting on the last
// window's close: the program's modal loops decide when it ends).
void EnsureApplication();

}  // namespace platform::qt
