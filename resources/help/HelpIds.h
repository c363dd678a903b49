/* The help's context ids: the program asks for a topic by one of these, and
   the [MAP] sections of both help projects (the German Hilfe.hhp, the English
   resources/help-en/Help.hhp) include this file, so all use the same list;
   HelpIdPages.ali names each id's page. Plain #define lines only (the help
   compiler reads them too); no comment may follow a value on its line. */
#define IDH_OVERVIEW 1000
#define IDH_RULER 1001
#define IDH_EDGE_SPAN 1004
#define IDH_MENU 1002
#define IDH_KEYS 1003
#define IDH_MAGNIFIER 1010
#define IDH_COLOR_WINDOW 1020
#define IDH_SETTINGS 1030
#define IDH_CALIBRATION 1031
#define IDH_TRAY 1040
#define IDH_UPDATE 1050
#define IDH_FEEDBACK 1051
#define IDH_ABOUT 1052
#define IDH_SETTINGS_LOCATION 1060
#define IDH_INSTALL 1070
