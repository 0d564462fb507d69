# The program's icon for the desktop, at the usual sizes and as a scalable
# picture, once as the program's and once as its project files' icon. The
# pictures of the sizes are rendered from the scalable one
# (src/resources/pictures/selvantis.svg), which the program shows too.
set(selv_icon_sizes 16 22 24 32 48 64 128 256)
foreach(size ${selv_icon_sizes})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/selvantis.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/selvantis.png
    DESTINATION share/icons/hicolor/${size}x${size}/mimetypes RENAME application-x-selvantis-project.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/src/resources/pictures/selvantis.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/src/resources/pictures/selvantis.svg DESTINATION share/icons/hicolor/scalable/mimetypes
  RENAME application-x-selvantis-project.svg)
