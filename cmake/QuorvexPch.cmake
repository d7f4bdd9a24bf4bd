# Precompiled Qt headers for every target with widgets: parsing Qt's headers is half or
# more of such a file's compile time. One header is compiled once and reused by all of
# them, which works because every target gets the same compile options.
#
# Off by default when a compiler launcher such as ccache is set: ccache does not cache
# files compiled against a precompiled header unless told to be sloppy about it.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(quorvex_pch_default OFF)
else()
  set(quorvex_pch_default ON)
endif()
option(QUORVEX_PCH "Precompile the Qt headers shared by the widget code" ${quorvex_pch_default})

# Whether TARGET links Qt Widgets, directly or through the project's own libraries.
function(quorvex_links_widgets target result)
  get_target_property(direct ${target} LINK_LIBRARIES)
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  set(found FALSE)
  foreach(lib IN LISTS direct interface)
    if(lib STREQUAL "Qt6::Widgets")
      set(found TRUE)
    elseif(lib MATCHES "^quorvex" AND TARGET ${lib})
      quorvex_links_widgets(${lib} found)
    endif()
    if(found)
      break()
    endif()
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

function(quorvex_targets_below dir result)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    quorvex_targets_below(${sub} below)
    list(APPEND targets ${below})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

# Call once all targets exist.
function(quorvex_precompile_qt_headers)
  if(NOT QUORVEX_PCH)
    return()
  endif()
  add_library(quorvex_qt_widgets_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/qt_widgets_pch.cpp)
  target_link_libraries(quorvex_qt_widgets_pch PRIVATE Qt6::Widgets)
  target_precompile_headers(quorvex_qt_widgets_pch PRIVATE
    <QApplication> <QWidget> <QDialog> <QMessageBox> <QPushButton> <QLabel> <QLineEdit>
    <QListWidget> <QFrame> <QBoxLayout> <QGridLayout> <QPainter> <QKeyEvent> <QMouseEvent>
    <QAccessible> <QTimer> <QPointer> <QFile> <QDir> <QFileInfo> <QString> <QStringList>
    <functional> <memory> <string> <vector>)
  quorvex_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target STREQUAL "quorvex_qt_widgets_pch" OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY)$")
      continue()
    endif()
    quorvex_links_widgets(${target} widgets)
    if(widgets)
      target_precompile_headers(${target} REUSE_FROM quorvex_qt_widgets_pch)
    endif()
  endforeach()
endfunction()
