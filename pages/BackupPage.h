#pragma once

// The Make Backup page: writes a compacted copy of the suite database, made
// by the DAO engine, to a file chosen in a save-file dialog. An earlier file
// there is replaced only once the new copy is complete.

#include "afxdao.h"
#include "afxdlgs.h"
#include "resource.h"

class CDaoRun;

class CBackupPage : public CPropertyPage {
    DECLARE_DYNCREATE(CBackupPage)
public:
    CBackupPage();
    ~CBackupPage() override;

    enum { IDD = IDD_BACKUP };

    // B: the full path of the backup file.
    CString m_strBackupFile;

    // The worker: FALSE when the engine set-up stopped it or a file error or a
    // DAO error ended it, TRUE when the walk over the workgroup's users ran to
    // its end (with or without a backup).
    BOOL MakeBackup();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnBrowse();
    afx_msg void OnCreateBackup();

    DECLARE_MESSAGE_MAP()

private:
    // Whether B names the database or its workgroup file (in any spelling);
    // says so when it does.
    BOOL RefuseSessionFile(const CString& strBackupFile);
    // Writes the compacted copy and puts it at B.
    BOOL CopyToBackupFile(CDaoRun& run, const CString& strBackupFile);
};
