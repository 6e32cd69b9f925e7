# SPDX-License-Identifier: MIT
# The leaderboard server: its room over cpp-httplib (a compiled library, so its flags come from
# pkg-config) and libpqxx, its schema migrations compiled in, and the roliquo-server program.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
pkg_check_modules(PQXX REQUIRED IMPORTED_TARGET libpqxx)

roliquo_room(server PkgConfig::HTTPLIB PkgConfig::PQXX Threads::Threads)
list(REMOVE_ITEM ROLIQUO_SERVER_SOURCES ${CMAKE_SOURCE_DIR}/src/server/main.cpp)

# src/server/migrations/NNNN_*.sql, in number order, as the ServerMigrations table.
file(GLOB migrations CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/server/migrations/*.sql)
list(SORT migrations)
set(table "")
foreach(file ${migrations})
  get_filename_component(name ${file} NAME)
  string(REGEX MATCH "^[0-9]+" number ${name})
  if(number STREQUAL "")
    message(FATAL_ERROR "${file}: a migration's name starts with its number")
  endif()
  math(EXPR number "${number}")
  file(READ ${file} sql)
  string(APPEND table "    {${number}, R\"migration(${sql})migration\"},\n")
endforeach()
set(generated ${CMAKE_BINARY_DIR}/generated/server_migrations.cpp)
file(CONFIGURE OUTPUT ${generated} CONTENT
"// Generated from src/server/migrations by cmake/server.cmake.
#include \"server/database.h\"

const Migration ServerMigrations[] = {
${table}};
const size_t ServerMigrationCount = sizeof ServerMigrations / sizeof ServerMigrations[0];
")
set_property(TARGET roliquo_server PROPERTY SOURCES ${ROLIQUO_SERVER_SOURCES} ${generated})

add_executable(roliquo-server ${CMAKE_SOURCE_DIR}/src/server/main.cpp)
set_property(TARGET roliquo-server APPEND PROPERTY COMPILE_DEFINITIONS "ROLIQUO_VERSION=\"${PROJECT_VERSION}\"")
roliquo_program(roliquo-server roliquo_platform_headless_records roliquo_server)
