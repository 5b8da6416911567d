// The security wizard's road through its pages: which page follows which, the back stack of the
// main window's page container, Exit, Save, and the hidden editor the pages read and write.
#pragma once
#include "framework/Afx.h"

#include <vector>

class CKelvoPageUIDlg;
class CPageAuthEncryDlg;
class CPage8021XDlg;
class CPageSystemConfigDlg;

enum class WizardStep {
    None, WirelessSetting, SecurityType, Wep, Psk, Tls, Ttls, Peap, Serca, Confirm, SetOK
};

// Entries of the security-type list, as the infrastructure list numbers them.
enum WizardSecurityIndex {
    WIZSEC_NONE = 0, WIZSEC_WEP = 1, WIZSEC_WPA_PSK = 2, WIZSEC_WPA2_PSK = 3, WIZSEC_WPA = 4, WIZSEC_WPA2 = 5,
    WIZSEC_8021X = 6
};
// EAP methods as the 802.1X page numbers them.
enum WizardEapMethod { WIZEAP_PEAP = 0, WIZEAP_TLS = 1, WIZEAP_TTLS = 2 };

// The page after the security-type page for the list index chosen.
WizardStep RouteAfterSecurityType(bool adhoc, int index, int eapMethod);
// The page after the PEAP page.
WizardStep RouteAfterPeap(bool validateServerCertificate);
// The page of an EAP method chosen on an EAP page (any method but TLS and TTLS is PEAP).
WizardStep PageOfEapMethod(int eapMethod);

CDialog* WizardPage(CKelvoPageUIDlg& main, WizardStep step);
// Hides the page, pushes it on the back stack and shows the next one.
void WizardForward(CDialog& from, WizardStep to);
// Shows another page without touching the back stack (the EAP-type switch).
void WizardSwitch(WizardStep to);
// Pops the back stack and shows that page; null when the stack was empty.
CDialog* WizardBack(CDialog& from);
// Back to the page the wizard was entered from, with its strip; the stack is emptied.
CDialog* WizardExit(CDialog& from);
// True when the bottom... the top of the back stack is the site-survey page (the survey road).
bool WizardEnteredFromSurvey(CKelvoPageUIDlg& main);
// Enters the wizard from the site-survey page (its record chosen, the security editor filled).
void WizardEnterFromSurvey(CKelvoPageUIDlg& main);

// The strip bitmaps the wizard selects.
constexpr UINT kStripBitmapSurvey = 1005, kStripBitmapProfile = 1004, kStripBitmapWizard = 1060;
HBITMAP WizardStripBitmap(UINT id);
void WizardSelectStrip(CKelvoPageUIDlg& main, UINT id);

// The hidden editor of the road and its pages (each null when it does not exist).
struct WizardEditor {
    CDialog* editor = nullptr;
    CPageAuthEncryDlg* auth = nullptr;
    CPage8021XDlg* dot1x = nullptr;
    CPageSystemConfigDlg* system = nullptr;  // profile road only
    bool profileRoad = false;
};
WizardEditor GetWizardEditor(bool profileRoad);

// One client certificate as the wizard lists it.
struct WizardCertificate {
    CString name;
    CString expiry;  // as the certificate page shows it ("Y/M/D")
};

// The 802.1X part of the editor, reached through the 802.1X page and its child pages.
int WizardEapMethodOf(const WizardEditor& e);
int WizardPeapInnerOf(const WizardEditor& e);  // 0 MS-CHAP v2, 1 TLS
int WizardTtlsInnerOf(const WizardEditor& e);  // 0 CHAP, 1 MS-CHAP, 2 MS-CHAP v2, 3 PAP
void WizardSelectEapMethod(const WizardEditor& e, int method);
void WizardSelectPeapInner(const WizardEditor& e, int inner);
void WizardSelectTtlsInner(const WizardEditor& e, int inner);
CString WizardIdentity(const WizardEditor& e);
CString WizardPassword(const WizardEditor& e);
void WizardSetIdentity(const WizardEditor& e, const CString& identity);
void WizardSetPassword(const WizardEditor& e, const CString& password);
std::vector<WizardCertificate> WizardClientCertificates(const WizardEditor& e, int* selected);
void WizardSelectClientCertificate(const WizardEditor& e, int index);
bool WizardUsesServerCertificate(const WizardEditor& e);
void WizardSetUseServerCertificate(const WizardEditor& e, bool use);
std::vector<CString> WizardCertificateAuthorities(const WizardEditor& e, int* selected);
CString WizardServerName(const WizardEditor& e);
void WizardSetServerCa(const WizardEditor& e, const CString& serverName, int caIndex);

// The certificate entry text of the TLS and PEAP lists: "name [Expired on: Y-M-D]".
CString WizardCertificateText(const WizardCertificate& cert);

// The encryption list of the EAP pages, by the security type chosen ("802.1X": WEP only), and
// its write into the authentication page.
void WizardFillEapCipherList(CComboBox& combo, const WizardEditor& e);
void WizardWriteEapCipher(CComboBox& combo, const WizardEditor& e);
// The EAP-type list ("TLS", "PEAP" and, where offered, "TTLS") with that method selected.
void WizardFillEapTypeList(CComboBox& combo, int method);
// The method of a type-list text (-1 for none).
int WizardEapMethodOfText(const CString& text);
// The certificate list of the TLS and PEAP pages; selects the sub-page's choice.
void WizardFillCertificateList(CComboBox& combo, const WizardEditor& e);

// WEP keys from a pass phrase as hexadecimal texts: four different 64-bit keys, or one 128-bit
// key for all four. False (keys untouched) when none could be made.
bool WizardMakeWepKeys(const CString& passPhrase, bool bits128, CString (&keys)[4]);

// Runs the editor's own OK; true when it got as far as storing (profile road) or handing the
// settings over for the connection (survey road).
bool WizardRunEditorOk(const WizardEditor& e);

// Save on the confirmation page; false when the editor refused (the page stays).
bool WizardSave(CDialog& confirmPage);

// Writes count bytes as upper-case hexadecimal digits into a buffer of length characters
// (NUL at length), padded with "0": with fromStart 0 the digits end at the buffer's end (a
// short buffer loses the first bytes), with 1 they begin at its start.
void BytesToHexText(const BYTE* bytes, int count, char* out, int length, int fromStart);
