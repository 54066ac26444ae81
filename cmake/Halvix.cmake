# halvix_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [GUI])
# One Qt Test executable registered with CTest. Tests run offscreen, with
# their own data directory so they never touch the user's files.
function(halvix_add_test)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE
    HALVIX_SAMPLES_DIR="${HALVIX_SAMPLES_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(HALVIX_SANITIZE) # instrumented code runs several times slower
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 4")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HALVIX_TEST_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# Adds every direct subdirectory of DIR that has a CMakeLists.txt, so that
# parallel work on different areas never edits one shared list.
function(halvix_add_subdirectories_with_lists dir)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${dir} CONFIGURE_DEPENDS ${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${dir}/${child} AND EXISTS ${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${dir}/${child})
    endif()
  endforeach()
endfunction()

# Independently written sample data sets: the shared folder beside the
# checkout when present, else the copy kept with the tests.
if(EXISTS ${CMAKE_SOURCE_DIR}/../shared/samples/basic.manifest.json)
  get_filename_component(HALVIX_SAMPLES_DIR ${CMAKE_SOURCE_DIR}/../shared/samples ABSOLUTE)
else()
  set(HALVIX_SAMPLES_DIR ${CMAKE_SOURCE_DIR}/tests/data/samples)
endif()

# Fails the configuration when a library that must stay free of widgets links
# Qt Widgets or Charts, directly or through another library of ours.
function(halvix_check_widget_free_targets)
  foreach(t ${ARGN})
    set(queue ${t})
    set(seen)
    while(queue)
      list(POP_FRONT queue cur)
      if(cur IN_LIST seen OR NOT TARGET ${cur})
        continue()
      endif()
      list(APPEND seen ${cur})
      get_target_property(libs ${cur} LINK_LIBRARIES)
      get_target_property(ilibs ${cur} INTERFACE_LINK_LIBRARIES)
      foreach(l ${libs} ${ilibs})
        if(l MATCHES "^Qt5::(Widgets|Charts)$")
          message(FATAL_ERROR "${t} must not link widgets, but ${cur} links ${l}")
        endif()
        if(l MATCHES "^halvix_")
          list(APPEND queue ${l})
        endif()
      endforeach()
    endwhile()
  endforeach()
endfunction()
