// What the profile and security editors exchange with the 802.1X page: the page's entries read
// into the editor's model, the model handed to the page as its stored settings, and the
// single-sign-on boxes of a loaded profile.
#pragma once
#include "station/CPage8021XDlg.h"
#include "station/EditorSecurityModel.h"

// Sets the page's EAP method as a choice of it does: stored and replayed on the page (its
// captions, inner method, child pages and tabs), so that what the page shows is what is stored.
void ApplyEapMethod(CPage8021XDlg& page, int method);
// Reads the controls of the child pages the editors take entries from (client certificate,
// identity with its password refresh, server certificate, EAP-FAST, single sign-on).
void Read8021XControls(CPage8021XDlg& page);
// False, after the language file's message, when an entry the model would take is longer than
// its record field holds (the edits are limited; a text set from elsewhere may not be), or a
// certificate in use has a blob larger than the record holds (it would be stored as none). In
// use: switched on and taken by the method and inner methods the record will hold.
bool Check8021XEntriesFit(CPage8021XDlg& page);
// Copies the page's method, inner methods (as EAP type numbers), identity, certificates,
// EAP-FAST settings with the PAC list, and single sign-on into the model.
void Collect8021XSettings(CPage8021XDlg& page, EditorSecurityModel& model);
// The model as the page loads it.
void StoredSettingsFromModel(const EditorSecurityModel& model, Dot1XStoredSettings& stored);
// Writes the model's PAC list under that profile name (empty: the current connection's). False,
// after the language file's message, when the library refused it and the method needs it.
bool WritePacList(const EditorSecurityModel& model, const CString& profileName);
// The single-sign-on boxes from the record's bits.
void LoadSsoBoxes(CPage8021XDlg& page, ULONG ssoInfo);
