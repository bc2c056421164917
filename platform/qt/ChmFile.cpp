#include "ChmFile.h"

#include <chm_lib.h>

namespace platform::qt {

ChmFile::ChmFile(const std::string& path) : m_file(chm_open(path.c_str())) {}

ChmFile::~ChmFile() {
    if (m_file) chm_close(m_file);
}

std::optional<QByteArray> ChmFile::Read(const QString& path) const {
    if (!m_file) return std::nullopt;
    QString p = path.startsWith('/') ? path : "/" + path;
    QByteArray name = p.toUtf8();
    chmUnitInfo info{};
    if (chm_resolve_object(m_file, name.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    QByteArray data(static_cast<qsizetype>(info.length), '\0');
    LONGINT64 got =
        chm_retrieve_object(m_file, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(info.length));
    if (got < 0) return std::nullopt;
    data.resize(static_cast<qsizetype>(got));
    return data;
}

}  // namespace platform::qt
