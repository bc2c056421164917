#pragma once

// The manager sheet: OK becomes "Minimize" and only hides the sheet, Cancel
// becomes "Exit" and ends it, and F1 opens the manager's help topic.

#include "afxdlgs.h"

class CExtPropSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CExtPropSheet)
public:
    CExtPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CExtPropSheet() override;

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnMinimize();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
