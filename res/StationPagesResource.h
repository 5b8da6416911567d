// Templates of the skinned station pages, the editors and their sub-pages, and the modal
// dialogs the station pages open. Control ids of these templates follow each block.
#pragma once

// Skinned station pages of the main window.
#define IDD_KELVO_PROFILE 143
#define IDD_KELVO_SITE_SURVEY 144
#define IDD_KELVO_LINK_INFO 308
#define IDD_KELVO_ADAPTER 3246
#define IDD_KELVO_ABOUT 3247
#define IDD_KELVO_DATA_RATE 3248
#define IDD_KELVO_PROFILE_CTRL 3249
#define IDD_KELVO_SECURITY_CONFIRM 3250
#define IDD_KELVO_SECURITY_PEAP 3251
#define IDD_KELVO_SECURITY_PSK 3252
#define IDD_KELVO_SECURITY_SERCA 3253
#define IDD_KELVO_SECURITY_WEP 3254
#define IDD_KELVO_WPS_PIN_AP 3255
#define IDD_KELVO_WPS_PIN_DEVICE 3256
#define IDD_KELVO_WIRELESS_SETTING 3257
#define IDD_KELVO_SECURITY_TYPE 3258
#define IDD_KELVO_SECURITY_TTLS 3259
#define IDD_KELVO_SECURITY_TLS 3260
#define IDD_KELVO_SECURITY_SET_OK 3261
#define IDD_KELVO_WPS_LINK_STATUS 3262
#define IDD_KELVO_WPS_LIST_VIEW 3264
#define IDD_KELVO_WPS_PBC 3265
#define IDD_KELVO_WPS_AUTHEN 101

// Classic editors and their 802.1X sub-pages.
#define IDD_PROFILE_EDITOR 179
#define IDD_SECURITY_EDITOR 426
#define IDD_PAGE_8021X 189
#define IDD_PAGE_CLIENT_CERT 197
#define IDD_PAGE_EAP_FAST 199
#define IDD_PAGE_NAME_PASSWORD 200
#define IDD_PAGE_SERVER_CERT 233
#define IDD_PAGE_SSO 446
