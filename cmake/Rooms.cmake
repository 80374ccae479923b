# The host library is built from rooms: one static library per folder of host/src, so a
# room and its tests build on their own. RavelinHost joins them into the one shared
# library that rvhost and plug-ins link against, as they would against the real SDK.

# host_room(NAME [DEPENDS ROOM...] [LIBS TARGET...])
function(host_room name)
  cmake_parse_arguments(R "" "" "DEPENDS;LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/${name}/*.cpp)
  set(deps)
  foreach(d IN LISTS R_DEPENDS)
    list(APPEND deps host_${d})
  endforeach()
  add_library(host_${name} STATIC ${srcs})
  target_include_directories(host_${name}
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(host_${name} PUBLIC ${deps} ${R_LIBS})
  # Calls inside the host library go straight to its own functions (and may be inlined)
  # rather than through the PLT: plug-ins call small host functions in their inner loops.
  target_compile_options(host_${name} PRIVATE -fno-semantic-interposition)
  set_property(GLOBAL APPEND PROPERTY RAVELIN_HOST_ROOMS host_${name})
endfunction()

# ravelin_test(NAME DIR LIBS TARGET...): one GoogleTest executable from every .cpp in DIR.
function(ravelin_test name dir)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE
    RAVELIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}" RAVELIN_STAGE_DIR="${RAVELIN_STAGE}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Each test is labelled with its program, so "ctest -L" can run one program's tests.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name})
endfunction()
