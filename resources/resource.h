// Resource identifiers of Pipit.
#pragma once

// Strings
#define IDS_APP_TITLE 1
#define IDS_MEDIA_FILTER 2
#define IDS_PLAYLIST_FILTER 3

// Icons
#define IDI_PIPIT_LARGE 101
#define IDI_PIPIT_SMALL 102

// Dialogs
#define IDD_ABOUT 103
#define IDD_PLAYLIST 106

// Menu: the tray popup is the first submenu of menu 104
#define IDM_TRAY_MENU 104
#define IDM_SELECT_MEDIA 40001
#define IDM_ABOUT 40002
#define IDM_LOAD_AT_STARTUP 40003
#define IDM_PLAY 40004
#define IDM_STOP 40005
#define IDM_LOOP 40006
#define IDM_EXIT 40007
#define IDM_NEXT 40008
#define IDM_PREV 40009
#define IDM_PLAYLIST_LOAD 40012
#define IDM_PLAYLIST_SAVE 40013
#define IDM_PLAYLIST_VIEW 40014
#define IDM_SHUFFLE 40015
// The Volume submenu: 100 % down to 10 % in steps of 10 %, IDM_VOLUME_100 + (100 - percent) / 10.
#define IDM_VOLUME_100 40020
#define IDM_VOLUME_10 40029

// Controls of the Playlist dialog
#define IDC_CLEAR 3
#define IDC_PLAYLIST 1000
