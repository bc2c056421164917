#pragma once

#include <string>

namespace talveron::admin {

// A one-line progress bar on standard error, drawn only when standard error is
// a terminal so that scripted runs and logs stay clean.
class ProgressBar {
public:
    explicit ProgressBar(std::string label);
    ~ProgressBar();  // ends the line if anything was drawn
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(double fraction);  // 0.0 to 1.0; values outside are clamped

private:
    std::string m_label;
    bool m_enabled;
    int m_shownPercent = -1;
};

}  // namespace talveron::admin
