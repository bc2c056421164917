#pragma once

// The Compact / Repair page: compacts and repairs the suite database in place
// through the DAO engine. The compacted copy is written beside the database,
// the database is parked under a fixed name until the swap has succeeded (and
// put back when it fails), and the new size is recorded in the profile.

#include "afxdao.h"
#include "afxdlgs.h"
#include "resource.h"

class CDaoRun;

class CCompactRepairPage : public CPropertyPage {
    DECLARE_DYNCREATE(CCompactRepairPage)
public:
    CCompactRepairPage();
    ~CCompactRepairPage() override;

    enum { IDD = IDD_COMPACT_REPAIR };

    CStatic m_ctlStatus;

    // The worker: TRUE when the walk over the workgroup's users ran to its end
    // (with or without a compaction), FALSE when a file error or a DAO error
    // ended it.
    BOOL CompactRepair();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnCompactRepair();

    DECLARE_MESSAGE_MAP()

private:
    // Compacts the database into its temporary sibling and swaps the two.
    BOOL CompactAndSwap(CDaoRun& run);
};
