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

set(quorvex_widget_headers
  <QApplication> <QWidget> <QDialog> <QMessageBox> <QPushButton> <QLabel> <QLineEdit>
  <QListWidget> <QFrame> <QBoxLayout> <QGridLayout> <QPainter> <QKeyEvent> <QMouseEvent>
  <QAccessible> <QTimer> <QPointer> <QFile> <QDir> <QFileInfo> <QString> <QStringList>
  <functional> <memory> <string> <vector>)

# The widget tests' own header adds QtTest, the largest header of all. It is made in the
# tests' folder, whose build folder QtTest writes into every file it compiles.
function(quorvex_add_test_pch)
  if(QUORVEX_PCH)
    add_library(quorvex_qt_test_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/qt_widgets_pch.cpp)
    target_link_libraries(quorvex_qt_test_pch PRIVATE Qt6::Widgets Qt6::Test)
    target_precompile_headers(quorvex_qt_test_pch PRIVATE ${quorvex_widget_headers} <QtTest> <QSignalSpy>)
  endif()
endfunction()

# Whether TARGET links LIB, directly or through the project's own libraries.
function(quorvex_links target lib result)
  get_target_property(direct ${target} LINK_LIBRARIES)
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  set(found FALSE)
  foreach(linked IN LISTS direct interface)
    if(linked STREQUAL lib)
      set(found TRUE)
    elseif(linked MATCHES "^quorvex" AND TARGET ${linked})
      quorvex_links(${linked} ${lib} found)
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
  target_precompile_headers(quorvex_qt_widgets_pch PRIVATE ${quorvex_widget_headers})
  quorvex_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(target MATCHES "^quorvex_qt_.*_pch$" OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY)$")
      continue()
    endif()
    quorvex_links(${target} Qt6::Widgets widgets)
    quorvex_links(${target} Qt6::Test tests)
    get_target_property(folder ${target} SOURCE_DIR)
    if(NOT folder STREQUAL "${PROJECT_SOURCE_DIR}/tests")
      set(tests FALSE)
    endif()
    if(widgets AND tests AND TARGET quorvex_qt_test_pch)
      target_precompile_headers(${target} REUSE_FROM quorvex_qt_test_pch)
    elseif(widgets)
      target_precompile_headers(${target} REUSE_FROM quorvex_qt_widgets_pch)
    endif()
  endforeach()
endfunction()
