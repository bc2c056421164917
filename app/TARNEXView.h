#pragma once

// The view of the start-up document: draws nothing.

#include "afxwin.h"

class CTARNEXView : public CView {
    DECLARE_DYNCREATE(CTARNEXView)
public:
    CTARNEXView();
    ~CTARNEXView() override;

    void OnDraw(CDC* pDC) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

    DECLARE_MESSAGE_MAP()
};
