// Shared set-up of the classic access-point page tests: the soft-AP library object bound to the
// stand-in (reset to its built-in access point), a front window to hold the pages, distinct
// language texts so that each message can be told apart, and no default-setting file.
#pragma once
#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "core/QXAPLIB.h"
#include "softap/AccessApDefaultSetting.h"
#include "softap/ConfigPage.h"
#include "softap/SoftApSim.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace ap_pages_test {

class ApPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_TRUE(sim.Reset());
        ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
        ASSERT_TRUE(front.CreateEx(0, "STATIC", "front", WS_POPUP, 0, 0, 900, 500, nullptr, nullptr));
        app.m_pMainWnd = &front;
        G_nApDefaultFallbackCount = 0;
        G_b11nMode = 0;
        ::DeleteFileA(ApDefaultSettingPath());
        const struct {
            CString CLanguageTable::*key;
            const char* text;
        } texts[] = {
            {&CLanguageTable::IDS_PHY_24G, "2.4 GHz"},           {&CLanguageTable::IDS_PHY_5G, "5 GHz"},
            {&CLanguageTable::IDS_AUTO, "Auto"},                 {&CLanguageTable::IDS_APCONFIGMSG, "AP config"},
            {&CLanguageTable::IDS_BEACON_PERIOD_ERR, "beacon"},  {&CLanguageTable::IDS_IDLE_TIME_ERR, "idle"},
            {&CLanguageTable::IDS_ADHOCINPUTSSID, "ssid"},       {&CLanguageTable::IDS_MSGPSKKEYINVALID, "psk"},
            {&CLanguageTable::IDS_MSGHEXWEPKEYINVALID, "hex key %d"}, {&CLanguageTable::IDS_MSGASCIIWEPKEYINVALID, "ascii key %d"},
            {&CLanguageTable::IDS_INVALIDMACADDR, "invalid"},    {&CLanguageTable::IDS_NOTACCEPTB, "group"},
            {&CLanguageTable::IDS_NOTOWNADDR, "own"},            {&CLanguageTable::IDS_DUPLIMAC, "duplicate"},
            {&CLanguageTable::IDS_NOACLIST, "no list"},          {&CLanguageTable::IDS_YES, "Yes"},
            {&CLanguageTable::IDS_NO, "No"},                     {&CLanguageTable::IDS_OPENSYSTEM, "Open"},
            {&CLanguageTable::IDS_SHARED, "Shared"},             {&CLanguageTable::IDS_WPAPSK, "WPA-PSK"},
            {&CLanguageTable::IDS_WPA2PSK, "WPA2-PSK"},          {&CLanguageTable::IDS_WPAPSK_WPA2PSK, "WPA/WPA2-PSK"},
            {&CLanguageTable::IDS_NOTUSE, "None"},               {&CLanguageTable::IDS_WEP, "WEP"},
            {&CLanguageTable::IDS_TKIP, "TKIP"},                 {&CLanguageTable::IDS_AES, "AES"},
            {&CLanguageTable::IDS_BOTH, "TKIP+AES"},             {&CLanguageTable::IDS_HEXA, "Hex"},
            {&CLanguageTable::IDS_ASCII, "ASCII"},                {&CLanguageTable::IDS_GROUPREKEY_ERR, "rekey"},
        };
        for (const auto& t : texts) G_LangTable.*(t.key) = t.text;
        sim.ClearJournal();
    }
    void TearDown() override
    {
        ::DeleteFileA(ApDefaultSettingPath());
        app.m_pMainWnd = nullptr;
        front.DestroyWindow();
    }

    template <typename Page>
    std::unique_ptr<Page> Make()
    {
        auto page = std::make_unique<Page>();
        EXPECT_TRUE(page->Create(Page::IDD, &front));
        return page;
    }
    static void Click(CWnd& dlg, int id)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
    }
    // A user's choice in a combo: the selection, then the notification the combo sends.
    static void Choose(CWnd& dlg, int id, LPCSTR text)
    {
        HWND combo = ::GetDlgItem(dlg.m_hWnd, id);
        ::SendMessageA(combo, CB_SETCURSEL, ::SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text)), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    static std::vector<std::string> Entries(CWnd& dlg, int id)
    {
        HWND combo = ::GetDlgItem(dlg.m_hWnd, id);
        std::vector<std::string> out;
        for (int i = 0; i < ::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char text[128] = {};
            ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    static std::string Text(CWnd& dlg, int id)
    {
        char text[256] = {};
        ::GetDlgItemTextA(dlg.m_hWnd, id, text, sizeof text);
        return text;
    }
    // The journal's lines that start with prefix, in order.
    std::vector<std::string> Calls(const std::string& prefix)
    {
        std::vector<std::string> out;
        for (const std::string& line : sim.Journal())
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }
    static AP_CONFIG_DATA Stored()
    {
        AP_CONFIG_DATA c{};
        QXAPAPI.QXAP_ReadConfigData(&c);
        return c;
    }
    static void Store(const AP_CONFIG_DATA& c) { QXAPAPI.QXAP_WriteandSetConfigData(c, AP_ADVANCE_DATA{}); }
    static void SetSsid(AP_CONFIG_DATA& c, const char* ssid)
    {
        c.Ssid.SsidLength = static_cast<ULONG>(strlen(ssid));
        memcpy(c.Ssid.Ssid, ssid, c.Ssid.SsidLength);
    }

    CWinApp app{"KPL4471"};
    softap_test::SoftApSim sim;
    CWnd front;
};

}  // namespace ap_pages_test
