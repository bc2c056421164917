// CFileDialog through the desktop.

#include <cstring>

#include "AfxApp.h"
#include "AfxFileDialog.h"
#include "AfxInternal.h"
#include "Desktop.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(4096, '\0') {
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.nFilterIndex = 1;
    if (lpszFilter) {
        // "name|pattern|...||" becomes "name\0pattern\0...\0\0".
        m_filter.assign(lpszFilter, lpszFilter + std::strlen(lpszFilter));
        for (char& c : m_filter)
            if (c == '|') c = '\0';
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
    if (lpszDefExt) {
        m_defExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt.c_str();
    }
    if (lpszFileName) std::strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    platform::FileDialogRequest request;
    request.open = m_bOpenFileDialog != FALSE;
    request.owner = m_ofn.hwndOwner
                        ? m_ofn.hwndOwner
                        : platform::win::HandleForWidgetOrAncestor(AfxOwnerWidget(m_pParentWnd));
    if (m_pParentWnd && m_pParentWnd->m_hWnd && !m_ofn.hwndOwner)
        request.owner = m_pParentWnd->m_hWnd;
    if (m_ofn.lpstrTitle) request.title = m_ofn.lpstrTitle;
    for (const char* p = m_ofn.lpstrFilter; p && *p;) {
        platform::FileFilter filter;
        filter.name = p;
        p += std::strlen(p) + 1;
        filter.pattern = p;
        p += std::strlen(p) + (*p ? 1 : 0);
        request.filters.push_back(filter);
        if (!*p) break;
    }
    request.filterIndex = static_cast<int>(m_ofn.nFilterIndex);
    if (m_ofn.lpstrDefExt) request.defaultExtension = m_ofn.lpstrDefExt;
    if (m_ofn.lpstrFile) request.initialFile = m_ofn.lpstrFile;
    if (m_ofn.lpstrInitialDir) request.initialDirectory = m_ofn.lpstrInitialDir;
    request.flags = m_ofn.Flags;

    std::optional<std::string> path = platform::GetDesktop().FileDialog(request);
    if (!path || !m_ofn.lpstrFile || path->size() >= m_ofn.nMaxFile) return IDCANCEL;
    std::memcpy(m_ofn.lpstrFile, path->c_str(), path->size() + 1);
    std::size_t slash = path->rfind('/');
    std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path->rfind('.');
    m_ofn.nFileOffset = static_cast<WORD>(name);
    m_ofn.nFileExtension =
        static_cast<WORD>(dot != std::string::npos && dot > name ? dot + 1 : path->size());
    return IDOK;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('/') + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
