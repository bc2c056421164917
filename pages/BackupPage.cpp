#include "BackupPage.h"

#include "DaoRun.h"
#include "FileOperations.h"
#include "TARNEX.h"

IMPLEMENT_DYNCREATE(CBackupPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CBackupPage, CPropertyPage)
ON_BN_CLICKED(IDC_BROWSE_BACKUP, OnBrowse)
ON_BN_CLICKED(IDC_CREATE_BACKUP, OnCreateBackup)
END_MESSAGE_MAP()

namespace {

const char szRemoveFailed[] = "Failed to remove backup file!";

// Whether both paths name one existing file.
BOOL IsSameFile(LPCTSTR lpszFirst, LPCTSTR lpszSecond) {
    FILE_ID_INFO first;
    FILE_ID_INFO second;
    return GetFileIdA(lpszFirst, &first) && GetFileIdA(lpszSecond, &second) &&
           first.VolumeSerialNumber == second.VolumeSerialNumber && first.FileId == second.FileId;
}

// A name for the new copy in B's folder that nothing uses yet.
CString NewCopyName(const CString& strBackupFile) {
    CString strFolder, strName, strExtension;
    SplitFilePath(strBackupFile, strFolder, strName, strExtension);
    CString strCopy;
    for (int n = 1;; n++) {
        strCopy.Format("%s.%s%s~%d.tmp", (LPCTSTR)strFolder, (LPCTSTR)strName,
                       (LPCTSTR)strExtension, n);
        if (_access(strCopy, 0) != 0) return strCopy;
    }
}

}  // namespace

CBackupPage::CBackupPage() : CPropertyPage(CBackupPage::IDD) {
    m_strBackupFile = "";
}

CBackupPage::~CBackupPage() {}

void CBackupPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BACKUP_FILE, m_strBackupFile);
}

BOOL CBackupPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    GetDlgItem(IDC_CREATE_BACKUP)->EnableWindow(FALSE);
    return TRUE;
}

void CBackupPage::OnBrowse() {
    CDatabasePageClick click;
    if (!click.Entered()) return;

    CFileDialog dlg(FALSE, NULL, "*.mdb", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Microsoft Access Database File (*.mdb)|*.mdb||", this);
    dlg.m_ofn.lpstrTitle = "Choose backup file name";
    if (dlg.DoModal() == IDOK) {
        m_strBackupFile = dlg.GetPathName();
        UpdateData(FALSE);
        GetDlgItem(IDC_CREATE_BACKUP)->EnableWindow(TRUE);
    }
}

void CBackupPage::OnCreateBackup() {
    CDatabasePageClick click;
    if (!click.Entered()) return;

    if (m_strBackupFile.IsEmpty()) {
        ::MessageBox(NULL, "Please choose a filename first.", "System Information",
                     MB_OK | MB_ICONINFORMATION);
        return;
    }
    MakeBackup();

    // Every backup needs a new choice.
    m_strBackupFile.Empty();
    UpdateData(FALSE);
    GetDlgItem(IDC_CREATE_BACKUP)->EnableWindow(FALSE);
}

BOOL CBackupPage::MakeBackup() {
    const CString strBackupFile = m_strBackupFile;
    if (RefuseSessionFile(strBackupFile)) return FALSE;

    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    if (!DaoEngineSetup(pApp)) return FALSE;

    CDaoRun run(pApp);
    return run.Run([this, &run, &strBackupFile] { return CopyToBackupFile(run, strBackupFile); });
}

BOOL CBackupPage::RefuseSessionFile(const CString& strBackupFile) {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    // The database's lock file ("<base>.ldb" beside it) belongs to the database:
    // replacing it would hide the sessions registered there.
    CString strFolder, strName, strExtension;
    SplitFilePath(pApp->m_strDatabase, strFolder, strName, strExtension);
    const CString strLockFile = strFolder + strName + ".ldb";
    if (!IsSameFile(strBackupFile, pApp->m_strDatabase) &&
        !IsSameFile(strBackupFile, pApp->m_strSystemDb) && !IsSameFile(strBackupFile, strLockFile))
        return FALSE;
    ::MessageBox(NULL, "The backup file cannot be the database or its workgroup file.",
                 "Database File Error", MB_OK | MB_ICONERROR);
    return TRUE;
}

BOOL CBackupPage::CopyToBackupFile(CDaoRun& run, const CString& strBackupFile) {
    CTARNEXApp* pApp = static_cast<CTARNEXApp*>(AfxGetApp());
    BOOL bWaitCursor = FALSE;
    CString strCopy;
    try {
        BeginWaitCursor();
        bWaitCursor = TRUE;

        // An earlier backup stays at B until the new copy is complete; it
        // must be replaceable before the copy is made.
        if (_access(strBackupFile, 0) == 0 && !CanDeleteFileA(strBackupFile)) {
            run.ReleaseUsers();
            ShowDatabaseFileError(szRemoveFailed);
            EndWaitCursor();
            return FALSE;
        }

        strCopy = NewCopyName(strBackupFile);
        CDaoWorkspace::CompactDatabase(pApp->m_strDatabase, strCopy, COMPACT_LOCALE, 0, NULL);

        if (!MoveFileEx(strCopy, strBackupFile,
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            _tremove(strCopy);
            run.ReleaseUsers();
            ShowDatabaseFileError(szRemoveFailed);
            EndWaitCursor();
            return FALSE;
        }

        EndWaitCursor();
        bWaitCursor = FALSE;
    } catch (CException* e) {
        ShowDaoErrorMessage(e);
        run.ReleaseUsers();
        if (bWaitCursor) EndWaitCursor();
        e->Delete();
        return FALSE;
    }

    MessageBox("Database Backed Up Successfully!", "System Information", MB_OK);
    return TRUE;
}
