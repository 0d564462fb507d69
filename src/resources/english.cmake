# The English texts are a resource file of their own (svresenu.rcc), data of
# the program in share/selvantis, registered at start-up when the profile
# asks for English.
# Programs that run from the build tree (tests, tools) find it beside the
# core library, where the build leaves it; the installed program in the data
# folder of the installation. No path of the build folder is compiled in, so
# that two builds of one source in two folders give the same binaries.
set(SELV_ENGLISH_RCC ${CMAKE_CURRENT_BINARY_DIR}/svresenu.rcc)
qt_add_binary_resources(selv_english_strings ${CMAKE_CURRENT_SOURCE_DIR}/resources/strings_en.qrc
  DESTINATION ${SELV_ENGLISH_RCC})
add_dependencies(selvcore selv_english_strings)
set_target_properties(selvcore PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/model/cstringtable.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  SELV_ENGLISH_RCC_INSTALLED="${CMAKE_INSTALL_PREFIX}/${SELV_INSTALL_DATADIR}/svresenu.rcc")
install(FILES ${SELV_ENGLISH_RCC} DESTINATION ${SELV_INSTALL_DATADIR})
