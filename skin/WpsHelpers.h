// Small WPS rules shared by the WPS pages and dialogs: the PIN entry check and the credential
// the registrar mode proposes.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

enum class WpsPinCheck { kValid, kInvalid, kChecksumError };
// An access point's PIN as typed: exactly eight decimal digits whose last digit is the checksum
// of the first seven. The value (leading zeros allowed) goes to *pin when valid.
WpsPinCheck CheckWpsPinText(const CString& text, ULONG* pin);

// Clears the profile and gives it the one credential the registrar mode proposes: "Kelvo_WLAN",
// WPA2-PSK with AES, key index 1, a 64-digit hexadecimal key from the system's random source.
// False (and the profile left cleared) when the random source failed.
bool MakeDefaultRegistrarCredential(WPS_PROFILE& profile);
