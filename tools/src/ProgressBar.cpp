#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace talveron::admin {

namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::string label)
    : m_label(std::move(label)), m_enabled(isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar() {
    if (m_enabled && m_shownPercent >= 0) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
}

void ProgressBar::update(double fraction) {
    if (!m_enabled || std::isnan(fraction)) {
        return;
    }
    fraction = std::clamp(fraction, 0.0, 1.0);
    const int percent = static_cast<int>(fraction * 100.0);
    if (percent == m_shownPercent) {
        return;
    }
    m_shownPercent = percent;
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", m_label.c_str(), bar.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace talveron::admin
