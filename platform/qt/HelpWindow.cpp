#include "HelpWindow.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace platform::qt {

namespace {
constexpr char kScheme[] = "chm";

QString DecodeHtml(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
}  // namespace

HelpWindow::HelpWindow(std::unique_ptr<ChmFile> file, const QString& windowType)
    : m_file(std::move(file)), m_windowType(windowType) {
    setAttribute(Qt::WA_DeleteOnClose);
    setOpenExternalLinks(true);
    setWindowTitle(windowType);
    resize(720, 540);
}

void HelpWindow::ShowTopic(const QString& topic) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(topic.isEmpty() ? QStringLiteral("/")
                                : (topic.startsWith('/') ? topic : "/" + topic));
    setSource(url, QTextDocument::HtmlResource);
}

QVariant HelpWindow::loadResource(int type, const QUrl& name) {
    QUrl url = name;
    if (url.scheme().isEmpty()) url = source().resolved(name);
    if (url.scheme() != kScheme) return QTextBrowser::loadResource(type, name);
    std::optional<QByteArray> bytes = m_file->Read(url.path());
    if (type == QTextDocument::HtmlResource) {
        if (!bytes)
            return tr("<p>The topic <b>%1</b> was not found in the help file.</p>")
                .arg(url.path().toHtmlEscaped());
        return DecodeHtml(*bytes);
    }
    if (!bytes) return {};
    if (type == QTextDocument::StyleSheetResource) return DecodeHtml(*bytes);
    return *bytes;
}

}  // namespace platform::qt
