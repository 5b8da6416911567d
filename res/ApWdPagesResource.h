// Templates of the access-point pages (skinned and classic) and of the Wi-Fi Direct pages.
// Control ids of these templates follow each block.
#pragma once

// Skinned access-point pages of the main window.
#define IDD_KELVO_AP_LINK_INFO 34500
#define IDD_KELVO_AP_CONFIG 34517
#define IDD_KELVO_AP_MAC_FILTER 34649

// Classic access-point pages and the hosted-network dialogs.
#define IDD_AP_SECURITY 1983
#define IDD_AP_MAC_TABLE 1984
#define IDD_AP_ACCESS_CONTROL 1985
#define IDD_AP_CONFIG 1986
#define IDD_EXTAP_CONFIG 261
#define IDD_EXTAP_MAC_TABLE 263

// Skinned Wi-Fi Direct pages of the main window.
#define IDD_KELVO_WLAN_P2P 323
#define IDD_KELVO_P2P_CONNECT_METHOD 324
#define IDD_KELVO_P2P_LINK_STATUS 326
