# The tray shell, the dialogs and the resources, and pipit.exe built from them.

add_library(pipit_shell STATIC
  app/AppState.cpp
  app/Commands.cpp
  app/NeighbourDevices.cpp
  app/HandlerScope.cpp
  app/HandOver.cpp
  app/Hotkeys.cpp
  app/MainWindow.cpp
  app/PathsToPlaylist.cpp
  app/PlayOrder.cpp
  app/Playing.cpp
  app/Session.cpp
  app/Settings.cpp
  app/StartUp.cpp
  app/TrayIcon.cpp
  app/TrayMenu.cpp
  app/Volume.cpp
  dialogs/AboutDialog.cpp
  dialogs/FailureMessage.cpp
  dialogs/FileChoosers.cpp
  dialogs/PlaylistDialog.cpp
  dialogs/PlaylistEditing.cpp
  dialogs/PlaylistView.cpp)
target_link_libraries(pipit_shell PUBLIC pipit_playback shell32 gdi32 user32 advapi32)

# The one door to the notification area; the tray tip tests link a recorder instead.
add_library(pipit_tray OBJECT app/ShellNotify.cpp)
target_link_libraries(pipit_tray PUBLIC pipit_options shell32)

# The version as the resource script wants it, made from the project's version into the build
# folder with the manifest that carries it.
string(REPLACE "." ", " PIPIT_VERSION_TEXT ${PROJECT_VERSION})
set(PIPIT_ABOUT_TITLE "Pipit V${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
if(PIPIT_SPECIAL_BUILD)
  string(APPEND PIPIT_ABOUT_TITLE " (${PIPIT_SPECIAL_BUILD})")
endif()
set(PIPIT_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/version.h.in ${PIPIT_GENERATED}/version.h @ONLY)
configure_file(resources/pipit.exe.manifest.in ${PIPIT_GENERATED}/pipit.exe.manifest @ONLY)
add_library(pipit_version INTERFACE)
target_include_directories(pipit_version INTERFACE ${PIPIT_GENERATED})

# Compiled resources as an object library, so that the tests that start the shell in-process carry
# the same menu, strings, icons and dialogs.
add_library(pipit_resources OBJECT resources/pipit.rc)
set_source_files_properties(resources/pipit.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/pipit-small.ico;${CMAKE_SOURCE_DIR}/resources/pipit-large.ico;${PIPIT_GENERATED}/version.h;${PIPIT_GENERATED}/pipit.exe.manifest")
target_include_directories(pipit_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(pipit_resources PRIVATE pipit_version)

add_executable(pipit WIN32 app/Main.cpp $<TARGET_OBJECTS:pipit_resources>)
target_link_libraries(pipit PRIVATE pipit_shell pipit_tray pipit_mci)
set_target_properties(pipit PROPERTIES OUTPUT_NAME pipit RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
