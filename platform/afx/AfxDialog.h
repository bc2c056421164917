#pragma once

// CDialog: a dialog built from a template of the program's resources. Dialog
// units are converted with the template font's base units (average width of
// the 52 letters, and height); controls are placed with their styles.

#include "AfxWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally (owned by pParentWnd, else the main window) until
    // EndDialog; returns its result, -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;

    using CWnd::Create;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Builds the window of template nIDTemplate as a child of (or owned by)
    // hWndParent; sends WM_INITDIALOG.
    BOOL CreateFromTemplate(UINT nIDTemplate, HWND hWndParent, BOOL bChild);

    friend class CPropertySheet;

    DECLARE_MESSAGE_MAP()
};
