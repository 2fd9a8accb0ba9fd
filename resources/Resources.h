#pragma once
// Identifiers of the resources compiled into the executable (resources/tavilo.rc).

#define IDI_APP_ICON 101
#define IDM_POPUP 101

// Skins, resources of type "PNG" (sources in resources/skins/, table in resources/CMakeLists.txt).
#include "resources/Skins.h"

#define IDS_APP_TITLE 100
#define IDS_ABOUT_TEXT 101
#define IDS_SITE_NAME 102
#define IDS_HINT_CLOSE 103
#define IDS_OPTION_STARTUP 104
#define IDS_OPTION_ALWAYS_TOP 105
#define IDS_OPTION_TRAY 106
#define IDS_OPTION_AUTO_SIZE 107
#define IDS_TRAY_HINT 108
#define IDS_HINT_OPTIONS 109
#define IDS_HINT_SITE 110
#define IDS_UPDATE_PROMPT 200
#define IDS_STATUS_UPDATING 301

#define IDC_MENU_ABOUT 40000
#define IDC_MENU_OPTIONS 40003
#define IDC_MENU_CLOSE 40005
#define IDC_MENU_REFRESH 40007
