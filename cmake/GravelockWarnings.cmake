# One interface target carries the warnings and Qt hygiene defines;
# every library and executable of the project links it.
add_library(gravelock_warnings INTERFACE)
if(MSVC)
  target_compile_options(gravelock_warnings INTERFACE /W4 /utf-8 $<$<BOOL:${GRAVELOCK_WERROR}>:/WX>)
else()
  target_compile_options(gravelock_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
    $<$<BOOL:${GRAVELOCK_WERROR}>:-Werror>)
endif()
target_compile_definitions(gravelock_warnings INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)

# Qt Widgets libraries of the project: automoc and the Qt link in one place.
# Sources include each other from the repository's root ("core/text.h"): each
# library says so itself, for itself and those that link it.
function(gravelock_add_ui_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PUBLIC Qt6::Widgets PRIVATE gravelock_warnings)
endfunction()

# Plain C++ libraries: no Qt in their link graph.
function(gravelock_add_rules_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  target_link_libraries(${name} PRIVATE gravelock_warnings)
endfunction()
