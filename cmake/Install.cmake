# Install rules and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(quizzard_programs quizzard qzt qzr)
set(quizzard_desktop_programs quizzard)
if(TARGET quizzard-teacher)
  list(APPEND quizzard_programs quizzard-teacher)
  list(APPEND quizzard_desktop_programs quizzard-teacher)
endif()
install(TARGETS ${quizzard_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(res ${CMAKE_SOURCE_DIR}/resources)
set(generated ${CMAKE_BINARY_DIR}/package)

# The demo test is made from its description by the qzt tool of this build.
set(demo_test ${generated}/demo/География.qzt)
add_custom_command(OUTPUT ${demo_test}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/demo
  COMMAND qzt write ${res}/demo/geography.json ${demo_test}
  DEPENDS qzt ${res}/demo/geography.json ${res}/demo/japan.jpg
  COMMENT "Making the demo test")
add_custom_target(quizzard_demo_test ALL DEPENDS ${demo_test})
install(FILES ${demo_test} DESTINATION ${CMAKE_INSTALL_DATADIR}/quizzard/demo)

install(FILES ${res}/settings/param.ini DESTINATION /etc/quizzard)

foreach(app ${quizzard_desktop_programs})
  install(FILES ${res}/desktop/${app}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${res}/icons/${app}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${res}/icons/${app}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${app}.png)
  endforeach()
endforeach()
install(FILES ${res}/desktop/quizzard-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME quizzard.xml)

configure_file(${res}/desktop/org.quizzard.Quizzard.metainfo.xml
               ${generated}/org.quizzard.Quizzard.metainfo.xml @ONLY)
install(FILES ${generated}/org.quizzard.Quizzard.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages and the changelog are compressed as Debian wants them: gzip -9, no name or time stamp.
find_program(GZIP gzip REQUIRED)
function(quizzard_gzipped source output)
  configure_file(${source} ${output} @ONLY)
  add_custom_command(OUTPUT ${output}.gz COMMAND ${GZIP} -9nf -k ${output} DEPENDS ${source})
  set_property(TARGET quizzard_package_docs APPEND PROPERTY SOURCES ${output}.gz)
endfunction()
add_custom_target(quizzard_package_docs ALL)
foreach(page quizzard quizzard-teacher qzt qzr)
  quizzard_gzipped(${res}/man/${page}.1 ${generated}/man/${page}.1)
  install(FILES ${generated}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
quizzard_gzipped(${res}/debian/changelog.in ${generated}/doc/changelog)
install(FILES ${generated}/doc/changelog.gz ${res}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quizzard)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quizzard)
set(CPACK_PACKAGE_VENDOR "The Quizzard developers")
set(CPACK_PACKAGE_CONTACT "Quizzard developers <developers@quizzard.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timed multiple-choice tests for the classroom")
set(CPACK_PACKAGE_DESCRIPTION "Students take timed multiple-choice tests drawn at random from
a test file; every finished test is appended to a results file that
the workstations of a classroom share. The teacher's program edits
tests, imports question banks and keeps a journal of the results
with marks and item analysis.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${res}/debian/conffiles ${res}/debian/postinst ${res}/debian/postrm)
include(CPack)
