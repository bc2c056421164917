#include "ExtPropSheet.h"

#include "afxwin.h"

IMPLEMENT_DYNAMIC(CExtPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CExtPropSheet, CPropertySheet)
ON_COMMAND(IDOK, OnMinimize)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

namespace {
// The manager's chapter of the help file, shown in the help window type "QuillMarsh Help".
constexpr const char* kHelpTopic =
    "::/Chapter Seventeen - Access Database Management Utility.htm>QuillMarsh Help";
}  // namespace

CExtPropSheet::CExtPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CExtPropSheet::~CExtPropSheet() {}

BOOL CExtPropSheet::OnInitDialog() {
    BOOL bResult = CPropertySheet::OnInitDialog();

    CWnd* pButton = GetDlgItem(IDCANCEL);
    if (pButton != NULL) pButton->SetWindowText(_T("Exit"));
    pButton = GetDlgItem(IDOK);
    if (pButton != NULL) pButton->SetWindowText(_T("Minimize"));

    // No system menu, and with it no close box: the sheet ends only through Exit.
    LONG lStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, lStyle & ~static_cast<LONG>(WS_SYSMENU));

    return bResult;
}

// "Minimize": hide the sheet; its modal run goes on and the notification-area
// menu shows it again.
void CExtPropSheet::OnMinimize() {
    ShowWindow(SW_HIDE);
}

BOOL CExtPropSheet::OnHelpInfo(HELPINFO* /*pHelpInfo*/) {
    CString strHelp;
    LPCTSTR pszHelpFile = AfxGetApp()->m_pszHelpFilePath;
    if (pszHelpFile != NULL) strHelp = pszHelpFile;
    strHelp += kHelpTopic;
    AfxHtmlHelp(m_hWnd, strHelp, HH_DISPLAY_TOPIC, 0);
    return TRUE;
}
