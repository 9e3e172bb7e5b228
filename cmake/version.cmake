# The version is written only in project() in the top CMakeLists.txt; everything else takes
# it from here when the build is configured.
#   TRAMELA_VERSION          1.0.0: file names, packages, manual pages, NEWS.md
#   TRAMELA_DISPLAY_VERSION  1.00: as the program and its version record show it, the major
#                            version, a point and the minor in two digits
set(TRAMELA_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
if(PROJECT_VERSION_MINOR GREATER 99)
  message(FATAL_ERROR "The minor version ${PROJECT_VERSION_MINOR} does not fit in two digits")
endif()
string(LENGTH "${PROJECT_VERSION_MINOR}" minor_digits)
if(minor_digits EQUAL 1)
  set(TRAMELA_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR})
else()
  set(TRAMELA_DISPLAY_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()
# The fourth number of the Windows version record; project() may leave it out.
if("${PROJECT_VERSION_TWEAK}" STREQUAL "")
  set(TRAMELA_VERSION_TWEAK 0)
else()
  set(TRAMELA_VERSION_TWEAK ${PROJECT_VERSION_TWEAK})
endif()

# The history, NEWS.md: TRAMELA_NEWS_VERSIONS lists its versions, newest first; for each
# version V, TRAMELA_NEWS_DATE_<V> is its date (2026-12-09) and TRAMELA_NEWS_ITEMS_<V> its
# items, each as written, lines after the first indented by two spaces. A CMake list cannot
# hold a semicolon: in the items it stands as TRAMELA_NEWS_SEMICOLON, to be put back.
set(news ${PROJECT_SOURCE_DIR}/NEWS.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${news})
file(READ ${news} news_text)
string(ASCII 30 TRAMELA_NEWS_SEMICOLON)
string(REPLACE ";" "${TRAMELA_NEWS_SEMICOLON}" news_text "${news_text}")
string(REPLACE "\n" ";" news_lines "${news_text}")
set(TRAMELA_NEWS_VERSIONS "")
set(version "")
foreach(line IN LISTS news_lines)
  if(line MATCHES "^## ([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
    set(version ${CMAKE_MATCH_1})
    list(APPEND TRAMELA_NEWS_VERSIONS ${version})
    set(TRAMELA_NEWS_DATE_${version} ${CMAKE_MATCH_2})
    set(TRAMELA_NEWS_ITEMS_${version} "")
  elseif(line MATCHES "^## ")
    message(FATAL_ERROR "NEWS.md: a heading not of the form '## 1.2.3 (2026-12-09)': ${line}")
  elseif(version AND line MATCHES "^- (.*)$")
    list(APPEND TRAMELA_NEWS_ITEMS_${version} "${CMAKE_MATCH_1}")
  elseif(version AND line MATCHES "^  [^ ]" AND TRAMELA_NEWS_ITEMS_${version})
    list(POP_BACK TRAMELA_NEWS_ITEMS_${version} item)
    list(APPEND TRAMELA_NEWS_ITEMS_${version} "${item}\n${line}")
  endif()
endforeach()
list(GET TRAMELA_NEWS_VERSIONS 0 newest)
if(NOT newest STREQUAL TRAMELA_VERSION)
  message(FATAL_ERROR "NEWS.md's newest version is ${newest}, project() says ${TRAMELA_VERSION}: "
    "add a heading '## ${TRAMELA_VERSION} (<date>)' with what it brings")
endif()
set(TRAMELA_RELEASE_DATE ${TRAMELA_NEWS_DATE_${TRAMELA_VERSION}})

# The files that carry the version, made from it here, each into the build folder beside
# where its template lies.
configure_file(${PROJECT_SOURCE_DIR}/app/version.h.in ${PROJECT_BINARY_DIR}/app/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/tramela.rc.in ${PROJECT_BINARY_DIR}/app/tramela.rc @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/man/tramela.1.in ${PROJECT_BINARY_DIR}/man/tramela.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/man/it/tramela.1.in ${PROJECT_BINARY_DIR}/man/it/tramela.1
  @ONLY)
# The installer's version (tramela.nsi includes it).
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/windows/version.nsh @ONLY CONTENT
  "!define VERSION \"@TRAMELA_DISPLAY_VERSION@\"\n!define FILE_VERSION \"@PROJECT_VERSION_MAJOR@.@PROJECT_VERSION_MINOR@.@PROJECT_VERSION_PATCH@.@TRAMELA_VERSION_TWEAK@\"\n")
# The Windows readme names the files of Qt's source too, the version scripts/qt-source.sh
# fetches: qt6-base_6.4.2+dfsg-10.dsc and the tarballs it lists.
file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/qt-source.sh qt_source_line
  REGEX "^readonly QT_SOURCE_VERSION=")
string(REGEX REPLACE ".*=" "" qt_source_version "${qt_source_line}")
string(REGEX REPLACE "-[^-]*$" "" qt_upstream_version "${qt_source_version}")
set(QT_DSC qt6-base_${qt_source_version}.dsc)
set(QT_ORIG qt6-base_${qt_upstream_version}.orig.tar.xz)
set(QT_DEBIAN qt6-base_${qt_source_version}.debian.tar.xz)
configure_file(${PROJECT_SOURCE_DIR}/windows/LEGGIMI.txt.in ${PROJECT_BINARY_DIR}/windows/LEGGIMI.txt
  @ONLY)
