# One static library per subsystem folder, built from every source in it.
#   zarvelo_folder_library(<target> DEPS <targets...> [INCLUDES <dirs...>])
function(zarvelo_folder_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS;INCLUDES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# Test sources are compiled without optimisation in every build: their
# bodies are long runs of assertion macros that the optimiser spends most of
# the build's time on, while what they drive (the libraries) keeps its flags.
function(zarvelo_quick_test_compile target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# One test program per folder of tests/, from every source in it.
#   zarvelo_folder_tests(<name> DEPS <targets...> [CONCURRENCY] [XDISPLAY])
# CONCURRENCY labels the tests "concurrency": the test command runs them
# again under ThreadSanitizer (list the target in scripts/tsan-targets.txt).
# XDISPLAY: the tests move the pointer or take grabs on the X display, so
# they never run at the same time as one another.
function(zarvelo_folder_tests name)
  cmake_parse_arguments(ARG "CONCURRENCY;XDISPLAY" "" "DEPS" ${ARGN})
  set(label ${name})
  if(ARG_CONCURRENCY)
    set(label concurrency)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources})
  zarvelo_quick_test_compile(${target})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} testsupport GTest::gtest GTest::gmock)
  set(lock)
  if(ARG_XDISPLAY)
    set(lock RESOURCE_LOCK x_display)
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${label} ${lock})
endfunction()

# Adds every child folder that has a CMakeLists.txt, so a new folder needs
# no edit of its parent.
function(zarvelo_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
