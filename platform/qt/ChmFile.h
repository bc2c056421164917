#pragma once

// Reads objects (topics, images, style sheets) out of a compiled help file.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

struct chmFile;

namespace platform::qt {

class ChmFile {
public:
    // Null (IsOpen() false) when the file is missing or not a compiled help file.
    explicit ChmFile(const std::string& path);
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // The object at `path` ("/dir/page.htm"), or nothing when it is not there.
    std::optional<QByteArray> Read(const QString& path) const;

private:
    chmFile* m_file = nullptr;
};

}  // namespace platform::qt
