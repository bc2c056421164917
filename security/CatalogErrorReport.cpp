#include "CatalogErrorReport.h"

namespace {

constexpr LPCTSTR kReportTitle = "ADOX Error";

LPCTSTR TextOrNull(const _bstr_t& text) {
    const char* narrow = text;
    return narrow != nullptr ? narrow : "(null)";
}

}  // namespace

CString FormatCatalogError(const _com_error& e) {
    const _bstr_t bstrSource = e.Source();
    const _bstr_t bstrDescription = e.Description();
    CString strReport;
    strReport.Format("Source :  %s \ndescription : %s", TextOrNull(bstrSource),
                     TextOrNull(bstrDescription));
    return strReport;
}

void ReportCatalogError(const _com_error& e) {
    MessageBoxA(NULL, FormatCatalogError(e), kReportTitle, MB_OK);
}

void ReportCatalogFault() {
    MessageBoxA(NULL, "Error occured in include files....", kReportTitle, MB_OK);
}
