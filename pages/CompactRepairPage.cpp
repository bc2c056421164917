#include "CompactRepairPage.h"

#include "DaoRun.h"
#include "FileOperations.h"
#include "TARNEX.h"

IMPLEMENT_DYNCREATE(CCompactRepairPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CCompactRepairPage, CPropertyPage)
ON_BN_CLICKED(IDC_COMPACT_REPAIR, OnCompactRepair)
END_MESSAGE_MAP()

CCompactRepairPage::CCompactRepairPage() : CPropertyPage(CCompactRepairPage::IDD) {}

CCompactRepairPage::~CCompactRepairPage() {}

void CCompactRepairPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMPACT_STATUS, m_ctlStatus);
}

BOOL CCompactRepairPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    return TRUE;
}

void CCompactRepairPage::OnCompactRepair() {
    CDatabasePageClick click;
    if (!click.Entered()) return;

    UpdateData(TRUE);
    if (!DaoEngineSetup(static_cast<CTARNEXApp*>(AfxGetApp()))) return;
    CompactRepair();
}

BOOL CCompactRepairPage::CompactRepair() {
    CDaoRun run(static_cast<CTARNEXApp*>(AfxGetApp()));
    return run.Run([this, &run] { return CompactAndSwap(run); });
}

BOOL CCompactRepairPage::CompactAndSwap(CDaoRun& run) {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    const CString strDatabase = pApp->m_strDatabase;
    BOOL bWaitCursor = FALSE;
    try {
        // T and O lie beside the database, with its extension and fixed names.
        CString strFolder, strName, strExtension;
        SplitFilePath(strDatabase, strFolder, strName, strExtension);
        const CString strTemp = strFolder + "temp" + strExtension;
        const CString strOriginal = strFolder + "ORGTALVERON" + strExtension;

        BeginWaitCursor();
        bWaitCursor = TRUE;
        m_ctlStatus.SetWindowText("Repairing and Compacting Database " + strDatabase);

        CDaoWorkspace::CompactDatabase(strDatabase, strTemp, COMPACT_LOCALE, 0);

        if (_trename(strDatabase, strOriginal) != 0) {
            run.ReleaseUsers();
            ShowDatabaseFileError("Failed renaming talveron.mdb file");
            EndWaitCursor();
            return FALSE;
        }
        if (_trename(strTemp, strDatabase) != 0) {
            run.ReleaseUsers();
            ShowDatabaseFileError("Failed renaming new talveron.mdb file\nRestoring original");
            if (_trename(strOriginal, strDatabase) != 0)
                ShowDatabaseFileError("Restore original talveron.mbd failed!");
            EndWaitCursor();
            return FALSE;
        }
        if (_tremove(strOriginal) == -1) {
            run.ReleaseUsers();
            ShowDatabaseFileError("Failed removing temporary mdb file\n" + strOriginal);
            EndWaitCursor();
            return FALSE;
        }

        EndWaitCursor();
        bWaitCursor = FALSE;
        m_ctlStatus.SetWindowText("");
    } catch (CException* e) {
        ShowDaoErrorMessage(e);
        run.ReleaseUsers();
        if (bWaitCursor) EndWaitCursor();
        e->Delete();
        return FALSE;
    }

    WIN32_FIND_DATA findData;
    HANDLE hFind = FindFirstFile(strDatabase, &findData);
    if (hFind != INVALID_HANDLE_VALUE) {
        FindClose(hFind);
        pApp->WriteProfileInt("General", "DB_SIZE", static_cast<int>(findData.nFileSizeLow));
    }

    MessageBox("Database Compacted successfully.", "System Information", MB_OK);
    return TRUE;
}
