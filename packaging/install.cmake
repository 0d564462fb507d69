# What the installed program brings besides its binaries: the manual page,
# the AppStream metadata and the user guide. The Debian package is built from
# packaging/debian by scripts/package.sh; its version is the project's,
# followed by the Debian revision.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.1 DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.de.1 DESTINATION share/man/de/man1 RENAME selvantis.1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/selvantis.metainfo.xml DESTINATION share/metainfo
  RENAME org.example.selvantis.metainfo.xml)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md DESTINATION share/doc/selvantis)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide DESTINATION share/doc/selvantis)

# The upstream version is what precedes the Debian revision ("1.0" of
# "1.0-1"); an epoch ("1:") may come before it.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
string(REPLACE "." "\\." version_re "${PROJECT_VERSION}")
if(NOT changelog_head MATCHES "^selvantis \\(([0-9]+:)?${version_re}(-[0-9A-Za-z.+~]+)?\\) ")
  message(FATAL_ERROR "packaging/debian/changelog begins with \"${changelog_head}\": "
    "its newest entry must be for upstream version ${PROJECT_VERSION}, with or without a Debian revision")
endif()
