#pragma once

// The help viewer's window: a QTextBrowser showing pages of a compiled help
// file, following its links and images inside the file.

#include <QTextBrowser>
#include <memory>

#include "ChmFile.h"

namespace platform::qt {

class HelpWindow : public QTextBrowser {
public:
    HelpWindow(std::unique_ptr<ChmFile> file, const QString& windowType);
    // Shows `topic` ("/page.htm"); a page the file does not hold says so.
    void ShowTopic(const QString& topic);
    const QString& WindowType() const { return m_windowType; }

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::unique_ptr<ChmFile> m_file;
    QString m_windowType;
};

}  // namespace platform::qt
