# SQLite: the system library for native builds; for Windows builds the
# amalgamation from the npm package better-sqlite3@12.11.1 (deps/sqlite3/),
# fetched with `npm pack` into the build tree, checked by hash and cached there.
# Nothing of it is committed.

set(TL_SQLITE_NPM_PACKAGE "better-sqlite3@12.11.1")
set(TL_SQLITE_TARBALL_SHA256 "ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835")
set(TL_SQLITE_C_SHA256 "60d2f39a3726cd6b9021da6f4e868608d66fbb6528a9f513dc8ffcc640493422")

if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  add_library(tl_sqlite INTERFACE)
  target_link_libraries(tl_sqlite INTERFACE SQLite::SQLite3)
  return()
endif()

set(cache_dir "${CMAKE_BINARY_DIR}/_deps/sqlite")
set(tarball "${cache_dir}/better-sqlite3-12.11.1.tgz")
set(source "${cache_dir}/package/deps/sqlite3/sqlite3.c")

# A tarball may also be handed in from outside (an offline cache).
set(TL_SQLITE_TARBALL "" CACHE FILEPATH "Pre-fetched better-sqlite3-12.11.1.tgz")
file(MAKE_DIRECTORY "${cache_dir}")

if(EXISTS "${source}")
  file(SHA256 "${source}" have)
  if(NOT have STREQUAL TL_SQLITE_C_SHA256)
    file(REMOVE_RECURSE "${cache_dir}/package")
  endif()
endif()

if(NOT EXISTS "${source}")
  if(TL_SQLITE_TARBALL AND EXISTS "${TL_SQLITE_TARBALL}")
    configure_file("${TL_SQLITE_TARBALL}" "${tarball}" COPYONLY)
  endif()
  if(NOT EXISTS "${tarball}")
    find_program(NPM npm REQUIRED)
    message(STATUS "Fetching the SQLite amalgamation from ${TL_SQLITE_NPM_PACKAGE}")
    execute_process(COMMAND "${NPM}" pack "${TL_SQLITE_NPM_PACKAGE}" --silent
                    WORKING_DIRECTORY "${cache_dir}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "npm pack ${TL_SQLITE_NPM_PACKAGE} failed (${rc})")
    endif()
  endif()
  file(SHA256 "${tarball}" have)
  if(NOT have STREQUAL TL_SQLITE_TARBALL_SHA256)
    file(REMOVE "${tarball}")
    message(FATAL_ERROR "${tarball}: unexpected SHA-256 ${have}")
  endif()
  file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${cache_dir}"
       PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
  file(SHA256 "${source}" have)
  if(NOT have STREQUAL TL_SQLITE_C_SHA256)
    message(FATAL_ERROR "${source}: unexpected SHA-256 ${have}")
  endif()
endif()

add_library(tl_sqlite STATIC "${source}")
target_include_directories(tl_sqlite SYSTEM PUBLIC "${cache_dir}/package/deps/sqlite3")
target_compile_definitions(tl_sqlite PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(tl_sqlite PRIVATE -w -O2 -fexec-charset=UTF-8)
