// The 802.1X status callback, handed to the library with the chosen adapter. It runs on the
// library's own thread: it touches no window, timer, queue or profile of the hidden dialog,
// and hands everything that needs them to the user-interface thread by message.
#include "core/AuthCallback.h"
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"

#include <cstring>
#include <new>

std::atomic<HWND> G_hHideDlgWnd{nullptr};

namespace {
constexpr size_t kPacRecordBytes = 1040;
constexpr size_t kPacNameBytes = 256;  // G_szText256
constexpr size_t kPacAuthorityBytes = 128;  // G_szText128

struct CodeName {
    UCHAR code;
    const char* name;
};
constexpr CodeName kCodeNames[] = {
    {RS_CBS_FAST_SAVE_PAC, "RS_CBS_FAST_SAVE_PAC"},
    {RS_CBS_CHANGE_PASSWORD_SUCCESS, "RS_CBS_CHANGE_PASSWORD_SUCCESS"},
    {RS_CBS_AU_STATUS_LINK_DOWN, "RS_CBS_AU_STATUS_LINK_DOWN"},
    {RS_CBS_AU_STATUS_START, "RS_CBS_AU_STATUS_START"},
    {RS_CBS_AU_STATUS_LINK_UP, "RS_CBS_AU_STATUS_LINK_UP"},
    {RS_CBS_AU_STATUS_AUTHENTICATING, "RS_CBS_AU_STATUS_AUTHENTICATING"},
    {RS_CBS_AU_STATUS_AUTHENTICATED, "RS_CBS_AU_STATUS_AUTHENTICATED"},
    {RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS, "RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS"},
    {RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, "RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED"},
    {RS_CBS_AU_STATUS_AUTH_TIMEOUT, "RS_CBS_AU_STATUS_AUTH_TIMEOUT"},
    {RS_CBS_CHANGE_PASSWORD_REQUEST, "RS_CBS_CHANGE_PASSWORD_REQUEST"},
    {RS_CBS_FAST_PAC_AID_INFO, "RS_CBS_FAST_PAC_AID_INFO"},
    {RS_CBS_FAST_INVALID_PAC_OPAQUE, "RS_CBS_FAST_INVALID_PAC_OPAQUE"},
    {RS_CBS_FAST_LOAD_PAC, "RS_CBS_FAST_LOAD_PAC"},
    {RS_CCX_DIAG_PROFILE, "RS_CCX_DIAG_PROFILE"},
    {RS_CCX_VENDOR_MSG_STR, "RS_CCX_AIRONET_MSG_STR"},
    {RS_CBS_AU_STATUS_MEDIA_CONNECT, "RS_CBS_AU_STATUS_MEDIA_CONNECT"},
    {RS_CBS_AU_STATUS_MEDIA_DISCONNECT, "RS_CBS_AU_STATUS_MEDIA_DISCONNECT"},
    {RS_CBS_ICV_ERROR, "RS_CBS_ICV_ERROR"},
    {RS_CBS_PORT_SECURED, "RS_CBS_PORT_SECURED"},
};

const char* CodeNameOf(UCHAR code)
{
    for (const CodeName& c : kCodeNames)
        if (c.code == code) return c.name;
    return nullptr;
}

void PostToHideDlg(UINT message, WPARAM wParam = 0)
{
    HWND hwnd = G_hHideDlgWnd.load();
    if (hwnd) ::PostMessageA(hwnd, message, wParam, 0);
}

// Asks the user-interface thread and waits for its answer, at most waitMs. False when there
// was no answer in time (or nobody to ask).
bool AskUiThread(const std::shared_ptr<AUTH_REQUEST>& request, DWORD waitMs)
{
    HWND hwnd = G_hHideDlgWnd.load();
    if (!hwnd || !request->hDone) return false;
    auto* holder = new (std::nothrow) std::shared_ptr<AUTH_REQUEST>(request);
    if (!holder) return false;
    if (!::PostMessageA(hwnd, MSG_AUTH_REQUEST, 0, reinterpret_cast<LPARAM>(holder))) {
        delete holder;
        return false;
    }
    if (::WaitForSingleObject(request->hDone, waitMs) != WAIT_OBJECT_0) {
        DebugLog(1, "[QxUI] rsCallBackFunc: no answer from the window side within %u ms\n", waitMs);
        return false;
    }
    return request->answered;
}

void CopyReply(char* reply, const char* text)
{
    if (reply) lstrcpynA(reply, text, static_cast<int>(kAuthReplyBytes));
}
}  // namespace

AUTH_REQUEST::AUTH_REQUEST() : hDone(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

AUTH_REQUEST::~AUTH_REQUEST()
{
    if (hDone) ::CloseHandle(hDone);
}

void WINAPI rsCallBackFunc(UCHAR status, void* data, char* reply)
{
    DebugLog(3, "[QxUI] --> rsCallBackFunc\n");
    if (const char* name = CodeNameOf(status)) DebugLog(3, "[QxUI] >>%s<<\n", name);
    switch (status) {
    case RS_CBS_FAST_SAVE_PAC:
        if (data) {
            BYTE record[kPacRecordBytes];
            std::memcpy(record, data, sizeof record);
            QXWLAPI.QXWL_FastPacSave(record, G_szText256, G_szText128);
        }
        break;
    case RS_CBS_AU_STATUS_LINK_DOWN:
    case RS_CBS_AU_STATUS_START:
    case RS_CBS_AU_STATUS_LINK_UP:
    case RS_CBS_AU_STATUS_AUTHENTICATING:
    case RS_CBS_AU_STATUS_AUTHENTICATED:
    case RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS:
    case RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED:
    case RS_CBS_AU_STATUS_AUTH_TIMEOUT:
        PostToHideDlg(MSG_AUTH_STATUS_EVENT, status);
        break;
    case RS_CBS_CHANGE_PASSWORD_REQUEST: {
        auto request = std::make_shared<AUTH_REQUEST>();
        request->code = status;
        if (AskUiThread(request, kChangePasswordWaitMs)) CopyReply(reply, request->answer);
        break;
    }
    case RS_CBS_FAST_PAC_AID_INFO:
        ZeroMemory(G_szText128, sizeof G_szText128);
        if (data) {
            const char* id = static_cast<const char*>(data);
            size_t n = 0;
            while (n < kPacAuthorityBytes - 1 && id[n]) ++n;
            std::memcpy(G_szText128, id, n);
        }
        break;
    case RS_CBS_FAST_LOAD_PAC: {
        auto request = std::make_shared<AUTH_REQUEST>();
        request->code = status;
        const char* identity = AskUiThread(request, kUiAnswerWaitMs) ? request->answer : "";
        char name[kPacNameBytes] = {};
        QXWLAPI.QXWL_FastPacLoad(name, sizeof name, identity, 1);
        name[sizeof name - 1] = '\0';
        CopyReply(reply, name);
        lstrcpynA(G_szText256, name, sizeof G_szText256);
        break;
    }
    case RS_CCX_DIAG_PROFILE: {
        ULONG flag = 0;
        if (data) std::memcpy(&flag, data, sizeof flag);
        if (flag) PostToHideDlg(MSG_AUTH_STATUS_EVENT, status);
        break;
    }
    case RS_CBS_AU_STATUS_MEDIA_CONNECT: {
        WLAN_STATUS link{};
        QXWLAPI.QXWL_QueryWLANStatus(&link, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
        PostToHideDlg(MSG_MEDIA_CONNECT);
        break;
    }
    case RS_CBS_ICV_ERROR:
        PostToHideDlg(MSG_PRIVATE_DRIVER_EVENT);
        break;
    default:
        break;  // the codes that are only logged, and the unknown ones
    }
    DebugLog(3, "[QxUI] <-- rsCallBackFunc\n");
}
