// What the 802.1X status callback (the library's thread) asks of the user-interface thread.
#pragma once
#include "contract/StationContract.h"
#include <windows.h>
#include <memory>

// A request that needs an answer before the callback returns: the callback posts
// MSG_AUTH_REQUEST with L = a new std::shared_ptr<AUTH_REQUEST> (the receiver deletes that
// holder; the sender deletes it when the post fails) and waits for `hDone` with a time limit.
// Both sides keep the request alive through their own shared pointer, so a late answer after
// the callback gave up writes into memory that still exists.
struct AUTH_REQUEST {
    AUTH_REQUEST();
    ~AUTH_REQUEST();
    AUTH_REQUEST(const AUTH_REQUEST&) = delete;
    AUTH_REQUEST& operator=(const AUTH_REQUEST&) = delete;

    UCHAR code = 0;          // RS_CBS_CHANGE_PASSWORD_REQUEST or RS_CBS_FAST_LOAD_PAC
    HANDLE hDone = nullptr;  // set by the user-interface thread when `answer` is final
    bool answered = false;   // false: leave the library's reply as it is
    char answer[kAuthReplyBytes] = {};  // the password, or the identity for the PAC load
};

// How long the library's thread waits for the user-interface thread.
constexpr DWORD kChangePasswordWaitMs = 120000;  // the user answers a prompt
constexpr DWORD kUiAnswerWaitMs = 5000;          // no prompt: the answer comes from memory
