// The MFC-shaped layer: one include for the program's code.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "framework/AfxTypes.h"
#include "framework/CString.h"
#include "framework/CArray.h"
#include "framework/CObject.h"
#include "framework/Gdi.h"
#include "framework/CDC.h"
#include "framework/MessageMap.h"
#include "framework/CWnd.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CWinThread.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "framework/CButton.h"
#include "framework/CStatic.h"
#include "framework/CEdit.h"
#include "framework/CComboBox.h"
#include "framework/CListBox.h"
#include "framework/CMenu.h"
