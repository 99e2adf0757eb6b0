# What a Windows build adds around the same sources: Qt's plugins and Russian catalogue linked into
# the static executables, and the program's icon and version record. Included by the top level
# only when the target is Windows.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Widgets)

# A static Qt links no plugin it is not told of. Every program with a window (the tests' too) gets
# the offscreen and minimal platforms, which the tests and headless runs ask for through
# QT_QPA_PLATFORM; the windows platform and the native style come with Qt's defaults.
function(linecalc_windows_plugins target)
  qt_import_plugins(${target}
    INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
            Qt6::QMinimalIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
endfunction()

# Walks the build's folders and gives the plugins to every executable that links a Qt GUI library.
function(linecalc_windows_plugins_everywhere dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND links MATCHES "linecalc_(ui|sheet|object_ui)|Qt6::(Gui|Widgets)")
      linecalc_windows_plugins(${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    linecalc_windows_plugins_everywhere(${subdir})
  endforeach()
endfunction()

# Qt's own Russian texts (menus, dialog buttons) in the executable itself: there is no system
# folder of Qt catalogues on Windows. The same file the Linux build loads from the system.
find_file(LINECALC_QTBASE_RU qtbase_ru.qm
  PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
function(linecalc_windows_catalogue target)
  get_filename_component(folder ${LINECALC_QTBASE_RU} DIRECTORY)
  qt_add_resources(${target} linecalc_qt_catalogue PREFIX /translations BASE ${folder}
    FILES ${LINECALC_QTBASE_RU})
endfunction()

# The program's icon (the window's own 16 and 32 px pictures) and its version record in Russian.
find_program(LINECALC_CONVERT convert REQUIRED)
function(linecalc_windows_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  set(ico ${PROJECT_BINARY_DIR}/packaging/windows/linecalc.ico)
  set(xpms ${PROJECT_SOURCE_DIR}/ui/icon/linecalc_icon_16.xpm
           ${PROJECT_SOURCE_DIR}/ui/icon/linecalc_icon_32.xpm)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${LINECALC_CONVERT} ${xpms} ${ico}
    DEPENDS ${xpms}
    COMMENT "Making the program's Windows icon"
    VERBATIM)
  string(REPLACE "." "," LINECALC_VERSION_COMMAS "${PROJECT_VERSION}.0")
  set(LINECALC_ICO ${ico})
  set(rc ${PROJECT_BINARY_DIR}/packaging/windows/linecalc.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/linecalc.rc.in ${rc} @ONLY)
  # windres by hand: as a source of the RC language it would get the C++ warning options too.
  set(res ${PROJECT_BINARY_DIR}/packaging/windows/linecalc_rc.obj)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${rc} -o ${res}
    DEPENDS ${rc} ${ico}
    COMMENT "Compiling the program's Windows resources"
    VERBATIM)
  target_sources(${target} PRIVATE ${res})
endfunction()
