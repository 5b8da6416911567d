// The about dialog, run modally from the main window's about button: the title, two notice
// lines, the version of the adapter's driver (the soft-AP driver in access-point mode) and the
// utility's own version, over the skin's background.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "ui/CTransparentStatic.h"
#include "ui/FloatButton.h"

class CKelvoPageAboutDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageAboutDlg)
public:
    enum { IDD = IDD_KELVO_ABOUT };
    static constexpr char kUtilityVersion[] = "V1.2.0.c";
    static constexpr UINT kBackgroundId = 1000, kCloseNormalId = 1023, kCloseHoverId = 1022;

    explicit CKelvoPageAboutDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}
    ~CKelvoPageAboutDlg() override;

    // "%d.%d.%d.%d" of the file's fixed file version; empty when the file is missing or has no
    // version resource. wow64: read with the 64-bit system's file-system redirection off.
    static CString ReadFileVersion(LPCSTR path, bool wow64);
    // The driver file of the station side (system folder and the library's driver name) or,
    // in access-point mode, of the soft-AP library; with whether redirection must be off.
    static CString StationDriverPath(bool* wow64);
    static CString SoftApDriverPath(bool* wow64);

    CString m_strDriverVersion;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClose();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CTransparentStatic m_title, m_notice1, m_notice2, m_driverLabel, m_driverValue, m_utilityLabel, m_utilityValue;
    CFloatButton m_btnClose;
    HBITMAP m_hBackground = nullptr;
    CRect m_rcClient;
};
