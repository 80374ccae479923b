# The plug-in's folders in layers, top first. A file may include headers of its own folder
# and of folders in the layers below its own, never of its own layer's other folders or of
# a layer above: dependencies run one way. The sculpt core at the bottom reaches the tool
# above it only through the KVSculptServices seam.
#
#   cmake -DPLUGIN_DIR=<folder holding the plug-in's folders> -P PluginLayers.cmake
#
# Every quoted include must name its folder ("sculpt/KVStroke.h"), so that none slips past.
# Fails, listing each offending include, when one breaks the order or names no known folder.
cmake_minimum_required(VERSION 3.25)
set(layers
  "shell"
  "services"
  "display,heightmap,commands,nodes"
  "sculpt")

if(NOT PLUGIN_DIR)
  message(FATAL_ERROR "PluginLayers: PLUGIN_DIR is not set")
endif()

# The layer index of a folder (0 at the top), or -1 for a folder of no layer.
function(layer_of folder out)
  set(index 0)
  foreach(layer IN LISTS layers)
    string(REPLACE "," ";" members "${layer}")
    if(folder IN_LIST members)
      set(${out} ${index} PARENT_SCOPE)
      return()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${PLUGIN_DIR} ${PLUGIN_DIR}/*.h ${PLUGIN_DIR}/*.cpp)
list(SORT sources)
set(faults 0)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  layer_of(${folder} own)
  if(own EQUAL -1)
    message(NOTICE "${source}: folder ${folder} is in no layer of PluginLayers.cmake")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS ${PLUGIN_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+/" prefix "${header}")
    string(REGEX REPLACE "/$" "" target "${prefix}")
    if(target STREQUAL folder)
      continue()
    endif()
    set(fault "")
    if(target STREQUAL "")
      set(fault "names no folder")
    else()
      layer_of(${target} theirs)
      if(theirs EQUAL -1)
        set(fault "names no plug-in folder")
      elseif(theirs EQUAL own)
        set(fault "reaches across its layer (${folder} beside ${target})")
      elseif(theirs LESS own)
        set(fault "reaches upward (${folder} lies below ${target})")
      endif()
    endif()
    if(fault)
      message(NOTICE "${source} includes ${header}: ${fault}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(faults GREATER 0)
  message(NOTICE "PluginLayers: ${faults} fault(s) in ${count} files")
  message(FATAL_ERROR "PluginLayers: the plug-in's includes break its layers")
endif()
message(STATUS "PluginLayers: ${count} files, every include runs downward")
