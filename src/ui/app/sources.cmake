# Sources of this room, relative to src/ui.
target_sources(ui PRIVATE
  app/QtText.cpp
  app/Twips.cpp
  app/ChildWindow.cpp
  app/frmMain.cpp
  app/frmAbout.cpp
  app/HelpWindow.cpp
  app/StartupWarmUp.cpp
  app/SessionBusLaunch.cpp
  app/Application.cpp
)

# The HTML manual, beside the program as an installation has it: bin/../share/zorvex/help.
set(ZORVEX_HELP_FILES index.html)
# The pictures of the manual go along; a new picture is picked up at the next build.
file(GLOB ZORVEX_HELP_IMAGES CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/docs/help
     ${PROJECT_SOURCE_DIR}/docs/help/images/*.png)
list(APPEND ZORVEX_HELP_FILES ${ZORVEX_HELP_IMAGES})
foreach(help_file IN LISTS ZORVEX_HELP_FILES)
  configure_file(${PROJECT_SOURCE_DIR}/docs/help/${help_file}
                 ${CMAKE_BINARY_DIR}/share/zorvex/help/${help_file} COPYONLY)
endforeach()

# The tool's icon, for every window (":/zorvex/zorvex-<size>.png").
qt_add_resources(ui "zorvex_icons" PREFIX "/zorvex" BASE ${PROJECT_SOURCE_DIR}/data/icons
  FILES
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-16.png
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-32.png
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-48.png
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-64.png
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-128.png
    ${PROJECT_SOURCE_DIR}/data/icons/zorvex-256.png)
