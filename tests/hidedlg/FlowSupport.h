// Helpers of the connect flows: profiles for the built-in networks, ticks of the polling
// timer, and windows that record what the hidden dialog posts to them.
#pragma once
#include "HideDlgFixture.h"
#include "core/AuthStatusMessages.h"

#include <cstring>
#include <string>
#include <vector>

namespace hidedlg_testing {

inline WLANPROFILE Profile(const std::string& ssid, ULONG auth, ULONG encry, const std::string& key = "")
{
    WLANPROFILE p{};
    p.SSID.SsidLength = static_cast<ULONG>(ssid.size());
    std::memcpy(p.SSID.Ssid, ssid.data(), ssid.size());
    std::memcpy(p.strProfileName, ssid.data(), ssid.size());
    p.enumNetworkType = 1;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = encry;
    if (encry == ENCRY_WEP) {
        std::memcpy(p.WEPKey1, key.data(), key.size());
    } else {
        std::memcpy(p.chPskKey, key.data(), key.size());
        p.nPskKeyLen = static_cast<ULONG>(key.size());
    }
    return p;
}

inline WLANPROFILE EnterpriseProfile(const std::string& ssid, const std::string& id, const std::string& password)
{
    WLANPROFILE p = Profile(ssid, AUTH_WPA2, ENCRY_AES);
    p.b8021X = 1;
    p.enumAuthenProtocol = EAPMETHOD_PEAP;
    p.enumTunnel = TUNNEL_MSCHAPV2;
    p.nPasswordMode = 1;
    std::memcpy(p.chID, id.data(), id.size());
    std::memcpy(p.chPassword, password.data(), password.size());
    return p;
}

// A window that keeps every message of the kinds asked for (and frees status-line records).
class MessageRecorder {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string text;
    };

    MessageRecorder()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "FlowMessageRecorder";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MessageRecorder() { ::DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }

    std::vector<Seen> seen;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<MessageRecorder*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == MSG_AUTH_STATUS_TEXT) {
            auto* line = reinterpret_cast<AUTH_STATUS_TEXT*>(lParam);
            self->seen.push_back({message, wParam, 0, line ? line->strText.GetString() : ""});
            delete line;
            return 0;
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd = nullptr;
};

// Records the requests posted to the skinned main window, then lets the window have them.
class MainWindowTap {
public:
    explicit MainWindowTap(HWND window) : m_hwnd(window)
    {
        s_self = this;
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~MainWindowTap()
    {
        if (::IsWindow(m_hwnd)) ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        s_self = nullptr;
    }
    std::vector<MessageRecorder::Seen> seen;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == MSG_INVALID_IDPW_DLG || message == MSG_PEAP_SETTING_DLG)
            s_self->seen.push_back({message, wParam, lParam, ""});
        return ::CallWindowProcA(s_self->m_previous, hwnd, message, wParam, lParam);
    }
    static inline MainWindowTap* s_self = nullptr;
    HWND m_hwnd;
    WNDPROC m_previous = nullptr;
};

class FlowFixture : public HideDlgFixture {
protected:
    // One tick of a polling timer, after the world's pending events and posted messages.
    void Tick(UINT_PTR id)
    {
        Settle();
        dlg->SendMessage(WM_TIMER, id);
        Settle();
    }
    void Settle() { EXPECT_TRUE(sim.Settle()); }
    void Connect(const WLANPROFILE& p)
    {
        dlg->InsertAndExec(actionTypeProfile, &p);
        Settle();
    }
    bool TrayShowsLinkTo(const std::string& ssid)
    {
        return !tray.empty() && tray.back().icon == IDI_TRAY_LINKED && tray.back().tip.find(ssid) != std::string::npos;
    }
};

}  // namespace hidedlg_testing
