#include "app/AppState.h"

HINSTANCE g_instance = nullptr;
char g_title[200] = "";
char g_className[200] = "";
HMENU g_menu = nullptr;
std::unique_ptr<Playlist> g_playlist;
int g_runAtStartup = 0;
int g_loop = 0;
int g_shuffle = 0;
int g_volume = 100;
