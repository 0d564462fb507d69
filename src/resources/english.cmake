# The English texts are a resource file of their own (svresenu.rcc), data of
# the program in share/selvantis, registered at start-up when the profile
# asks for English.
# Programs that run from the build tree (tests) find it through the path
# compiled into the core library.
set(SELV_ENGLISH_RCC ${CMAKE_CURRENT_BINARY_DIR}/svresenu.rcc)
qt_add_binary_resources(selv_english_strings ${CMAKE_CURRENT_SOURCE_DIR}/resources/strings_en.qrc
  DESTINATION ${SELV_ENGLISH_RCC})
add_dependencies(selvcore selv_english_strings)
target_compile_definitions(selvcore PRIVATE SELV_ENGLISH_RCC_FALLBACK="${SELV_ENGLISH_RCC}")
install(FILES ${SELV_ENGLISH_RCC} DESTINATION ${SELV_INSTALL_DATADIR})
