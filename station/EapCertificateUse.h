// Which certificates an 802.1X method authenticates with: the editors check and size a
// certificate only where the stored method uses it, and keep its switch as the page holds it.
#pragma once
#include "station/ProfileCodes.h"

class CPage8021XDlg;

// The method and inner methods as the record will hold them.
StringRecord7 MethodOf(const CPage8021XDlg& page);
// Whether the method authenticates with the client certificate. The machine identity greys the
// certificate tabs but changes nothing of this.
bool MethodUsesClientCert(const StringRecord7& eap);
// Whether the method checks the server against the chosen root authority.
bool MethodUsesServerCert(const StringRecord7& eap);
// Switched on on the page and used by the method: a switch left on from another method is kept
// in the record but asks for nothing.
bool ClientCertInUse(const CPage8021XDlg& page, const StringRecord7& eap);
bool ServerCertInUse(const CPage8021XDlg& page, const StringRecord7& eap);
