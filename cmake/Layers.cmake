# The program's layers, kept by the build.
#
# Each program folder has a core library (files, text, formats, computation) and, where it has dialogs, a
# dialogs library over it. A core library never reaches the window manager, graphics or controls, directly
# or through anything it links, so computation is built and tested without a screen. Tests of
# computation are registered as core too (varno_add_test(... CORE ...)), so they link core libraries only.
#
# varno_check_layers(), called once every target exists, walks the link libraries of every core target
# and stops the configure where one reaches a forbidden library, naming the path that reaches it. Since
# every source sees the whole tree's headers, it also reads each core source (and the header of the same
# name beside it) for an include of a screen folder, which a link would catch only once a call is made.

# The libraries no core target may reach, and the folders of their headers.
set(VARNO_SCREEN_LIBRARIES platform_ui platform_gdi platform_controls)
set(VARNO_SCREEN_INCLUDE "^[ \t]*#[ \t]*include[ \t]*\"platform/(ui|gdi|controls|display|driver)/")

# A static library that is core: its name ends in _core.
function(varno_core_library name)
  if(NOT name MATCHES "_core$")
    message(FATAL_ERROR "varno_core_library(${name}): a core library's name ends in _core")
  endif()
  add_library(${name} STATIC ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VARNO_CORE_TARGETS ${name})
endfunction()

# Any other target (a test of computation) held to the same rule.
function(varno_register_core target)
  set_property(GLOBAL APPEND PROPERTY VARNO_CORE_TARGETS ${target})
endfunction()

# Every target defined in `dir` and the directories below it.
function(_varno_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _varno_targets_below(${sub} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The targets `target` links, as names: $<LINK_ONLY:x> unwrapped, other generator expressions, flags and
# plain library files dropped.
function(_varno_linked target out)
  set(names)
  get_target_property(type ${target} TYPE)
  set(properties INTERFACE_LINK_LIBRARIES)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    list(APPEND properties LINK_LIBRARIES)
  endif()
  foreach(property IN LISTS properties)
    get_target_property(libs ${target} ${property})
    if(NOT libs)
      continue()
    endif()
    foreach(lib IN LISTS libs)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
      if(lib MATCHES "^\\$<" OR lib MATCHES "^-" OR NOT TARGET "${lib}")
        continue()
      endif()
      get_target_property(aliased ${lib} ALIASED_TARGET)
      if(aliased)
        set(lib ${aliased})
      endif()
      list(APPEND names ${lib})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# Breadth first from `root`; sets `out` to the link path (root -> ... -> forbidden) of the first forbidden
# library reached, or to nothing.
function(_varno_forbidden_path root out)
  # path_<name as a C identifier>: how the walk reached that target (names like GTest::gtest hold colons).
  set(queue ${root})
  set(seen ${root})
  string(MAKE_C_IDENTIFIER "${root}" key)
  set(path_${key} ${root})
  while(queue)
    list(POP_FRONT queue current)
    string(MAKE_C_IDENTIFIER "${current}" current_key)
    _varno_linked(${current} linked)
    foreach(lib IN LISTS linked)
      if(lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      string(MAKE_C_IDENTIFIER "${lib}" key)
      set(path_${key} "${path_${current_key}} -> ${lib}")
      if(lib IN_LIST VARNO_SCREEN_LIBRARIES)
        set(${out} "${path_${key}}" PARENT_SCOPE)
        return()
      endif()
      list(APPEND queue ${lib})
    endforeach()
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

# Sets `out` to "file: include" for each source of `target` (or the header beside it) that includes a
# screen header.
function(_varno_screen_includes target out)
  set(found)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} OUTPUT_VARIABLE file)
    cmake_path(REPLACE_EXTENSION file LAST_ONLY .h OUTPUT_VARIABLE header)
    foreach(f IN ITEMS ${file} ${header})
      if(EXISTS ${f})
        file(STRINGS ${f} lines REGEX "${VARNO_SCREEN_INCLUDE}")
        foreach(line IN LISTS lines)
          file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${f})
          list(APPEND found "${name}: ${line}")
        endforeach()
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(varno_check_layers)
  get_property(core GLOBAL PROPERTY VARNO_CORE_TARGETS)
  _varno_targets_below(${CMAKE_SOURCE_DIR} all)
  foreach(target IN LISTS all)
    if(target MATCHES "_core$")
      list(APPEND core ${target})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES core)
  set(failures)
  foreach(target IN LISTS core)
    _varno_forbidden_path(${target} path)
    if(path)
      list(APPEND failures "  ${path}")
    endif()
    _varno_screen_includes(${target} includes)
    foreach(include IN LISTS includes)
      list(APPEND failures "  ${target}: ${include}")
    endforeach()
  endforeach()
  if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "Core targets must not reach the window manager, graphics or controls:\n${text}")
  endif()
  list(LENGTH core count)
  message(STATUS "Layers: ${count} core targets link no screen library")
endfunction()
