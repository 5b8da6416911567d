#include "skin/KelvoPageDataRateDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "ui/DpiLayout.h"
#include "ui/LogFont.h"
#include "ui/StretchBitmap.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr COLORREF kTitleColor = RGB(255, 255, 255);
constexpr COLORREF kLabelColor = RGB(79, 79, 79);
constexpr COLORREF kValueBackColor = RGB(253, 253, 253);
constexpr char kDpiFileDataRate[] = "_dpiFileDataRate";
constexpr UINT kScaleIds[] = {IDC_DATARATE_SCALE_1000000, IDC_DATARATE_SCALE_100000, IDC_DATARATE_SCALE_10000,
                              IDC_DATARATE_SCALE_1000,    IDC_DATARATE_SCALE_100,    IDC_DATARATE_SCALE_10,
                              IDC_DATARATE_SCALE_0};

}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageDatarateDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_DATARATE_CLOSE, OnCloseButton)
END_MESSAGE_MAP()

CKelvoPageDatarateDlg::CKelvoPageDatarateDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CKelvoPageDatarateDlg::~CKelvoPageDatarateDlg()
{
    if (m_hBackground) ::DeleteObject(m_hBackground);
}

ULONG CKelvoPageDatarateDlg::CounterDelta(ULONG previous, ULONG current, ULONG maxDelta)
{
    const ULONG delta = current - previous;  // modulo 2^32: a wrap comes out right
    return delta <= maxDelta ? delta : 0;
}

bool CKelvoPageDatarateDlg::QueryLinkStatus(WLAN_STATUS& status)
{
    memset(&status, 0, sizeof status);
    WLAN_STATUS_QUERY query{};
    query.bLink = query.bAssociation = query.bSignal = query.bAddress = 1;
    QXWLAPI.QXWL_QueryWLANStatus(&status, query);
    static constexpr UCHAR kNoBssid[sizeof status.Bssid] = {};
    return status.status == QxStatus_Connected && memcmp(status.Bssid, kNoBssid, sizeof kNoBssid) != 0;
}

void CKelvoPageDatarateDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATARATE_TITLE, m_title);
    DDX_Control(pDX, IDC_DATARATE_TX_LABEL, m_labelTransmit);
    DDX_Control(pDX, IDC_DATARATE_RX_LABEL, m_labelReceive);
    DDX_Control(pDX, IDC_DATARATE_TX_UNIT, m_unitTransmit);
    DDX_Control(pDX, IDC_DATARATE_RX_UNIT, m_unitReceive);
    for (size_t i = 0; i < std::size(kScaleIds); ++i) DDX_Control(pDX, static_cast<int>(kScaleIds[i]), m_scale[i]);
    DDX_Control(pDX, IDC_DATARATE_TX, m_editTransmit);
    DDX_Control(pDX, IDC_DATARATE_RX, m_editReceive);
    DDX_Control(pDX, IDC_DATARATE_TX_BAR, m_barTransmit);
    DDX_Control(pDX, IDC_DATARATE_RX_BAR, m_barReceive);
    DDX_Control(pDX, IDC_DATARATE_CLOSE, m_btnClose);
}

BOOL CKelvoPageDatarateDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA titleFont = MakeLogFont("Arial", -12, FW_NORMAL);
    const LOGFONTA labelFont = MakeLogFont("Tahoma", -11, 800);
    m_title.SetTextFont(kTitleColor, &titleFont);
    m_title.SetSkinText(G_LangTable.IDS_LAB_DATARATE_TITLE);
    for (CTransparentStatic* label : {&m_labelTransmit, &m_labelReceive, &m_unitTransmit, &m_unitReceive})
        label->SetTextFont(kLabelColor, &labelFont);
    for (CTransparentStatic& scale : m_scale) scale.SetTextFont(kLabelColor, &labelFont);
    m_labelTransmit.SetSkinText(G_LangTable.IDS_LAB_DATARATE_TRANSMIT);
    m_labelReceive.SetSkinText(G_LangTable.IDS_LAB_DATARATE_RECEIVE);
    m_unitTransmit.SetSkinText(G_LangTable.IDS_VAL_CONTRY_KBPS);
    m_unitReceive.SetSkinText(G_LangTable.IDS_VAL_CONTRY_KBPS);

    m_btnClose.LoadBitmaps(kCloseHoverId, kCloseNormalId, G_hKelvoImg, CFloatButton::kModeFocusPressed);
    m_editTransmit.SetBackColor(kValueBackColor);
    m_editReceive.SetBackColor(kValueBackColor);
    m_barTransmit.LoadBitmap(kBarPictureId, G_hKelvoImg);
    m_barReceive.LoadBitmap(kBarPictureId, G_hKelvoImg);
    if (G_hKelvoImg) {
        m_hBackground = static_cast<HBITMAP>(::LoadImageA(G_hKelvoImg, MAKEINTRESOURCEA(kBackgroundId), IMAGE_BITMAP, 0, 0, 0));
    }
    ApplyDpiLayout(this, kDpiFileDataRate);
    m_barTransmit.Relayout();
    m_barReceive.Relayout();

    m_bFirstPass = 0;
    SetTimer(TIMER_DATARATE_REFRESH, kRefreshMs, nullptr);
    return TRUE;
}

void CKelvoPageDatarateDlg::Refresh()
{
    WLAN_STATUS status;
    if (!QueryLinkStatus(status)) return;
    if (m_bFirstPass) {
        const ULONG tx = CounterDelta(m_nPrevTxBytes, status.txBytes, kMaxBytesPerSecond) / kBytesPerKbit;
        const ULONG rx = CounterDelta(m_nPrevRxBytes, status.rxBytes, kMaxBytesPerSecond) / kBytesPerKbit;
        m_strTransmit.Format("%u", static_cast<unsigned>(tx));
        m_strReceive.Format("%u", static_cast<unsigned>(rx));
        if (m_editTransmit.m_hWnd) m_editTransmit.SetWindowText(m_strTransmit);
        if (m_editReceive.m_hWnd) m_editReceive.SetWindowText(m_strReceive);
        m_barTransmit.SetRateLevel(tx);
        m_barReceive.SetRateLevel(rx);
    }
    m_nPrevTxBytes = status.txBytes;
    m_nPrevRxBytes = status.rxBytes;
    if (!m_bFirstPass) {
        m_bFirstPass = 1;
        m_barTransmit.SetRateLevel(0);
        m_barReceive.SetRateLevel(0);
    }
}

void CKelvoPageDatarateDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_DATARATE_REFRESH) Refresh();
    else CDialog::OnTimer(nIDEvent);
}

BOOL CKelvoPageDatarateDlg::OnEraseBkgnd(CDC* pDC)
{
    if (m_hBackground) return TRUE;  // OnPaint covers the whole client area
    return CDialog::OnEraseBkgnd(pDC);
}

void CKelvoPageDatarateDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    StretchBitmapOver(dc, m_hBackground, client);
    ::EndPaint(m_hWnd, &ps);
}

void CKelvoPageDatarateDlg::OnClose()
{
    EndDialog(1);
}

void CKelvoPageDatarateDlg::OnCloseButton()
{
    EndDialog(1);
}
