# What the installed program brings besides its binaries: the manual page,
# the AppStream metadata and the user guide. The Debian package is built from
# packaging/debian by scripts/package.sh; its version is the project's.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.1 DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.de.1 DESTINATION share/man/de/man1 RENAME selvantis.1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.metainfo.xml DESTINATION share/metainfo
  RENAME org.example.selvantis.metainfo.xml)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md DESTINATION share/doc/selvantis)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide DESTINATION share/doc/selvantis)

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^selvantis \\(${PROJECT_VERSION}\\)")
  message(FATAL_ERROR "packaging/debian/changelog begins with \"${changelog_head}\": "
    "its newest entry must be for version ${PROJECT_VERSION}")
endif()
