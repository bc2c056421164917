// The standard controls, over their windows' messages.

#include <QLabel>
#include <QPixmap>

#include "AfxControls.h"
#include "AfxInternal.h"
#include "Handles.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

HICON CStatic::SetIcon(HICON hIcon) {
    HICON previous = GetIcon();
    if (auto* label = qobject_cast<QLabel*>(AfxWidget(this))) {
        label->setPixmap(hIcon ? QPixmap::fromImage(hIcon->image) : QPixmap());
        label->setProperty("tarnexIcon", QVariant::fromValue(reinterpret_cast<quintptr>(hIcon)));
    }
    return previous;
}

HICON CStatic::GetIcon() const {
    QWidget* w = AfxWidget(this);
    return w ? reinterpret_cast<HICON>(w->property("tarnexIcon").value<quintptr>()) : nullptr;
}

int CButton::GetCheck() const {
    return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}
void CButton::SetCheck(int nCheck) {
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(nStartChar)),
                   nEndChar);
}
void CEdit::LimitText(int nChars) {
    ::SendMessageA(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

namespace {
LPARAM Text(LPCTSTR s) {
    return reinterpret_cast<LPARAM>(s);
}
WPARAM Index(int i) {
    return static_cast<WPARAM>(static_cast<INT_PTR>(i));
}
}  // namespace

int CComboBox::AddString(LPCTSTR s) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, Text(s)));
}
int CComboBox::InsertString(int nIndex, LPCTSTR s) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_INSERTSTRING, Index(nIndex), Text(s)));
}
int CComboBox::DeleteString(UINT nIndex) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_DELETESTRING, nIndex, 0));
}
void CComboBox::ResetContent() {
    ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0);
}
int CComboBox::GetCount() const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0));
}
int CComboBox::GetCurSel() const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}
int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, Index(nSelect), 0));
}
int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, Index(nIndex), 0));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const {
    int n = GetLBTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    ::SendMessageA(m_hWnd, CB_GETLBTEXT, Index(nIndex),
                   reinterpret_cast<LPARAM>(rString.GetBuffer(n)));
    rString.ReleaseBuffer(n);
}
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_GETLBTEXT, Index(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
int CComboBox::FindString(int nStartAfter, LPCTSTR s) const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_FINDSTRING, Index(nStartAfter), Text(s)));
}
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR s) const {
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, Index(nIndexStart), Text(s)));
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR s) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_SELECTSTRING, Index(nStartAfter), Text(s)));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, CB_GETITEMDATA, Index(nIndex), 0));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_SETITEMDATA, Index(nIndex), static_cast<LPARAM>(dwItemData)));
}
